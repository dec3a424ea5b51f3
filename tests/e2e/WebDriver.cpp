// SPDX-License-Identifier: GPL-3.0-or-later
#include "e2e/WebDriver.h"

#include <unistd.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QStandardPaths>

#include "e2e/E2eSupport.h"

namespace kelvor::e2e {

WebDriver::WebDriver(const QString& home, const QString& language) {
  const QString driver = QStandardPaths::findExecutable(QStringLiteral("chromedriver"));
  const QString browser = QStandardPaths::findExecutable(QStringLiteral("chromium"));
  if (driver.isEmpty() || browser.isEmpty()) {
    problem_ = QStringLiteral("chromium or chromedriver is not installed");
    return;
  }
  network_.setProxy(QNetworkProxy::NoProxy);
  const quint16 port = freePort();
  base_ = "http://127.0.0.1:" + QString::number(port);
  // The browser writes its profile, caches and settings below a home of its own: the user
  // running the tests may have none.
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("HOME"), home);
  environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + "/.config");
  environment.insert(QStringLiteral("XDG_CACHE_HOME"), home + "/.cache");
  driver_.setProcessEnvironment(environment);
  driver_.setProcessChannelMode(QProcess::MergedChannels);
  driver_.start(driver, {"--port=" + QString::number(port)});
  if (!waitUntil([this] { return command("GET", "/status").toObject().value("ready").toBool(); },
                 10s)) {
    problem_ = "chromedriver does not answer: " + QString::fromLocal8Bit(driver_.readAll());
    return;
  }
  QJsonArray arguments{"--headless=new",         "--user-data-dir=" + home + "/chromium",
                       "--window-size=1280,800", "--lang=" + language,
                       "--no-proxy-server",      "--disable-dev-shm-usage"};
  if (geteuid() == 0) arguments.append("--no-sandbox");  // chromium refuses root otherwise
  const QJsonObject options{{"binary", browser},
                            {"args", arguments},
                            {"prefs", QJsonObject{{"intl.accept_languages", language}}}};
  const QJsonObject capabilities{{"alwaysMatch", QJsonObject{{"goog:chromeOptions", options}}}};
  const QJsonObject session =
      command("POST", "/session", QJsonObject{{"capabilities", capabilities}}).toObject();
  if (session.value("sessionId").toString().isEmpty()) {
    problem_ = "chromium does not start: " + session.value("message").toString();
    return;
  }
  session_ = "/session/" + session.value("sessionId").toString();
}

WebDriver::~WebDriver() {
  if (!session_.isEmpty()) command("DELETE", session_);
  if (driver_.state() == QProcess::NotRunning) return;
  driver_.terminate();
  if (!driver_.waitForFinished(5000)) driver_.kill();
  driver_.waitForFinished(3000);
}

QJsonValue WebDriver::command(const QByteArray& method, const QString& path,
                              const QJsonValue& body) {
  QNetworkRequest request(QUrl(base_ + path));
  request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
  const QByteArray data =
      body.isObject() ? QJsonDocument(body.toObject()).toJson(QJsonDocument::Compact) : "";
  QNetworkReply* reply = network_.sendCustomRequest(request, method, data);
  if (!waitUntil([reply] { return reply->isFinished(); }, 60s)) reply->abort();
  const QJsonValue value = QJsonDocument::fromJson(reply->readAll()).object().value("value");
  reply->deleteLater();
  return value;
}

bool WebDriver::open(const QString& url) {
  return command("POST", session_ + "/url", QJsonObject{{"url", url}}).isNull();
}

bool WebDriver::resize(int width, int height) {
  return command("POST", session_ + "/window/rect",
                 QJsonObject{{"width", width}, {"height", height}})
      .toObject()
      .contains("width");
}

QJsonValue WebDriver::run(const QString& script) {
  return command("POST", session_ + "/execute/sync",
                 QJsonObject{{"script", script}, {"args", QJsonArray()}});
}

QByteArray WebDriver::screenshot() {
  return QByteArray::fromBase64(command("GET", session_ + "/screenshot").toString().toLatin1());
}

}  // namespace kelvor::e2e
