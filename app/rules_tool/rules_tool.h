// vantrel-rules: the rules tables of a game archive or a rules text from the
// command line. Exit status: 0 done, 1 the job could not be done (one line on
// err says why, and nothing is written), 2 a usage error; diff exits as
// diff(1) does: 0 no differences, 1 differences, 2 trouble.
#pragma once

#include <ostream>

namespace vantrel {

int runRulesTool(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace vantrel
