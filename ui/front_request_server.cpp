#include "ui/front_request_server.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

#include "archive/paths.h"
#include "ui/working_copy_claim.h"

namespace vantrel {

namespace {

constexpr int kConnectMilliseconds = 1000;

}  // namespace

QString frontRequestServerName(const Text& workingFolder) {
#ifdef Q_OS_WIN
  // A named pipe: the working folder lies in the user's temporary directory,
  // so its hash names the pipe per user.
  const QByteArray hash =
      QCryptographicHash::hash(QByteArray::fromStdString(workingFolder), QCryptographicHash::Sha1)
          .toHex()
          .left(16);
  return QStringLiteral("vantrel-editor-") + QString::fromLatin1(hash);
#else
  // A socket file inside the working folder, which only this user can reach;
  // one in the shared temporary folder could be taken by another user first.
  return QString::fromLocal8Bit(workingFolder + pathSeparator() + "vantrel-editor.socket");
#endif
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
  QLocalSocket socket;
  socket.connectToServer(frontRequestServerName(workingFolder));
  const bool answered = socket.waitForConnected(kConnectMilliseconds);
  socket.disconnectFromServer();
  return answered;
}

}  // namespace vantrel
