// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/automation/ProbeServer.h"

#include <sys/stat.h>

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>

namespace kelvor {

namespace {

// A socket left behind by an instance that ended without cleaning up is removed; anything
// else at the path, a running instance's socket above all, stays. Returns why not, or nothing
// when the path is free. Qt, asked for owner-only access, moves its new socket over whatever
// is at the path, so this check is what keeps other files safe.
QString clearStaleSocket(const QString& path) {
  struct stat info {};
  if (::lstat(QFile::encodeName(path).constData(), &info) != 0) return {};
  if (!S_ISSOCK(info.st_mode)) return path + QStringLiteral(" exists and is not a socket");
  QLocalSocket client;
  client.connectToServer(path);
  if (client.waitForConnected(1000))
    return path + QStringLiteral(" is in use by a running program");
  if (client.error() != QLocalSocket::ConnectionRefusedError)
    return path + QStringLiteral(": ") + client.errorString();
  QFile socket(path);
  if (!socket.remove()) return path + QStringLiteral(": ") + socket.errorString();
  return {};
}

}  // namespace

ProbeServer* ProbeServer::startFromEnvironment(QObject* parent) {
  const QString path = qEnvironmentVariable(EnvironmentVariable);
  if (path.isEmpty()) return nullptr;
  auto* probe = new ProbeServer(parent);
  if (!probe->listen(path)) {
    qWarning("Kelvor: cannot listen on the probe socket: %s", qPrintable(probe->errorString()));
    delete probe;
    return nullptr;
  }
  return probe;
}

ProbeServer::ProbeServer(QObject* parent) : QObject(parent), server_(new QLocalServer(this)) {
  connect(server_, &QLocalServer::newConnection, this, &ProbeServer::onNewConnection);
  server_->setSocketOptions(QLocalServer::UserAccessOption);  // nobody else may drive us
}

bool ProbeServer::listen(const QString& path) {
  error_ = clearStaleSocket(path);
  if (!error_.isEmpty()) return false;
  if (server_->listen(path)) return true;
  error_ = path + QStringLiteral(": ") + server_->errorString();
  return false;
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
