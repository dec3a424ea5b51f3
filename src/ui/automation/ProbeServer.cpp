#include "ui/automation/ProbeServer.h"

#include <QLocalServer>
#include <QLocalSocket>

namespace kelvor {

ProbeServer* ProbeServer::startFromEnvironment(QObject* parent) {
  const QString path = qEnvironmentVariable(EnvironmentVariable);
  if (path.isEmpty()) return nullptr;
  auto* probe = new ProbeServer(parent);
  if (!probe->listen(path)) {
    qWarning("Kelvor: cannot listen on the probe socket %s", qPrintable(path));
    delete probe;
    return nullptr;
  }
  return probe;
}

ProbeServer::ProbeServer(QObject* parent) : QObject(parent), server_(new QLocalServer(this)) {
  connect(server_, &QLocalServer::newConnection, this, &ProbeServer::onNewConnection);
}

bool ProbeServer::listen(const QString& path) {
  QLocalServer::removeServer(path);
  return server_->listen(path);
}

void ProbeServer::onNewConnection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
  }
}

void ProbeServer::onReadyRead(QLocalSocket* socket) {
  while (socket->canReadLine()) {
    const QString request = QString::fromUtf8(socket->readLine()).trimmed();
    socket->write((answer(request) + QLatin1Char('\n')).toUtf8());
    socket->flush();
  }
}

}  // namespace kelvor
