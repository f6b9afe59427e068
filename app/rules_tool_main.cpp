// vantrel-rules: the rules tables from the command line (see
// rules_tool/rules_tool.h).
#include <iostream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#endif

#include "app/rules_tool/rules_tool.h"

int main(int argc, char* argv[]) {
#ifdef _WIN32
  // CSV and patches keep their own line ends.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  return vantrel::runRulesTool(argc, argv, std::cout, std::cerr);
}
