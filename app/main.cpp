// The editor's entry: creates the one rules document, opens the window, runs
// the event loop until the window is closed, then releases the document.
#include <memory>

#include "rules/rules_document.h"
#include "ui/editor_window.h"

int main() {
  auto document = std::make_unique<vantrel::RulesDocument>();
  const int result = vantrel::runEditorWindow(*document);
  document.reset();
  return result;
}
