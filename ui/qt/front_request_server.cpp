#include "ui/qt/front_request_server.h"

#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>
#include <memory>

#include "archive/paths.h"
#include "ui/working_copy_claim.h"

namespace vantrel {

namespace {

constexpr int kConnectMilliseconds = 1000;

}  // namespace

QString frontRequestServerName(const Text& workingFolder) {
  // A socket file inside the working folder, which only this user can reach;
  // one in the shared temporary folder could be taken by another user first.
  return QString::fromLocal8Bit(workingFolder + pathSeparator() + "vantrel-editor.socket");
}

FrontRequestServer::FrontRequestServer(QWidget& window, const Text& workingFolder)
    : window_(window), server_(new QLocalServer(this)) {
  const QString name = frontRequestServerName(workingFolder);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  // A socket left by an editor that was killed would stop the listening; this
  // editor holds the working folder's lock, so no other one uses it.
  QLocalServer::removeServer(name);
  server_->listen(name);
  connect(server_, &QLocalServer::newConnection, this, &FrontRequestServer::bringWindowToFront);
}

bool FrontRequestServer::isListening() const { return server_->isListening(); }

void FrontRequestServer::bringWindowToFront() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    socket->disconnectFromServer();
    socket->deleteLater();
    ++requestsHandled_;
  }
  if (window_.isMinimized()) window_.showNormal();
  window_.raise();
  window_.activateWindow();
}

bool bringRunningEditorToFront(const Text& workingFolder) {
  if (workingFolder.empty()) return false;
  // A second start asks before it has any window: the socket needs an
  // application object of its own then.
  std::unique_ptr<QCoreApplication> application;
  if (!QCoreApplication::instance()) {
    static int argc = 1;
    static char programName[] = "vantrel-editor";
    static char* argv[] = {programName, nullptr};
    application = std::make_unique<QCoreApplication>(argc, argv);
  }
  QLocalSocket socket;
  socket.connectToServer(frontRequestServerName(workingFolder));
  const bool answered = socket.waitForConnected(kConnectMilliseconds);
  socket.disconnectFromServer();
  return answered;
}

}  // namespace vantrel
