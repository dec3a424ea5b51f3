// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonValue>
#include <QNetworkAccessManager>
#include <QProcess>

namespace kelvor::e2e {

// Headless chromium driven through chromedriver's WebDriver protocol (JSON over HTTP).
class WebDriver {
 public:
  // Starts chromedriver and a browser session with its profile under `home`, which also
  // serves as the browser's HOME; `language` is what the browser asks pages for.
  WebDriver(const QString& home, const QString& language);
  ~WebDriver();
  WebDriver(const WebDriver&) = delete;
  WebDriver& operator=(const WebDriver&) = delete;

  // Why no session could be had (nothing installed, the browser would not start); empty when
  // the browser is ready.
  QString problem() const { return problem_; }
  bool open(const QString& url);
  bool resize(int width, int height);
  // The script's return value; a JSON object with "error" when it failed.
  QJsonValue run(const QString& script);
  QByteArray screenshot();  // PNG

 private:
  QJsonValue command(const QByteArray& method, const QString& path, const QJsonValue& body = {});
  QNetworkAccessManager network_;
  QProcess driver_;
  QString base_;     // "http://127.0.0.1:PORT"
  QString session_;  // "/session/ID"
  QString problem_;
};

}  // namespace kelvor::e2e
