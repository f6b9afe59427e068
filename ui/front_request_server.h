// How a second start reaches the running editor: the running one listens on a
// local socket named after its working folder (so per user), and a start that
// finds the working folder locked connects to it, which brings the running
// editor's window to the front.
#pragma once

#include <QObject>
#include <QString>

#include "text/text.h"

class QLocalServer;
class QWidget;

namespace vantrel {

// The local socket's name for a working folder.
QString frontRequestServerName(const Text& workingFolder);

class FrontRequestServer : public QObject {
  Q_OBJECT

 public:
  // Starts listening; window is brought to the front on every request.
  FrontRequestServer(QWidget& window, const Text& workingFolder);

  bool isListening() const;
  int requestsHandled() const { return requestsHandled_; }

 private:
  void bringWindowToFront();

  QWidget& window_;
  QLocalServer* server_;
  int requestsHandled_ = 0;
};

}  // namespace vantrel
