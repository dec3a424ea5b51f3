// SPDX-License-Identifier: GPL-3.0-or-later
// kelvor-record: Kelvor's recording without a window, for unattended meters.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QGuiApplication>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

#include "core/record/RecordOptions.h"
#include "core/settings/InterfaceLanguage.h"
#include "core/settings/ProgramVersion.h"
#include "platform/HidrawPorts.h"
#include "platform/ProgramCatalogue.h"
#include "platform/SettingsStore.h"
#include "platform/StopSignals.h"
#include "platform/SystemClock.h"
#include "platform/SystemLanguage.h"
#include "platform/SystemLocale.h"
#include "record/RecordProgram.h"

namespace {

int wrongOptions(const std::string& why) {
  std::fprintf(stderr, "kelvor-record: %s\n", why.c_str());
  return 2;
}

// The live page's plot writes its labels, which needs fonts and so a graphical application;
// without a display it draws offscreen.
std::unique_ptr<QCoreApplication> application(int& argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]).rfind("--http", 0) != 0) continue;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
      qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    return std::make_unique<QGuiApplication>(argc, argv);
  }
  return std::make_unique<QCoreApplication>(argc, argv);
}

// The token file's first line; empty when it cannot be read or holds none.
std::string tokenFrom(const std::string& path) {
  std::ifstream file(path);
  std::ostringstream contents;
  contents << file.rdbuf();
  return file ? kelvor::HttpAccess::tokenOfFile(contents.str()) : std::string();
}

// The number of the port whose device a path is, after its links; 0 when none.
int portOfDevice(const std::string& path) {
  char resolved[PATH_MAX];
  return kelvor::portForDevice(::realpath(path.c_str(), resolved) ? resolved : path);
}

}  // namespace

int main(int argc, char* argv[]) {
  kelvor::StopSignals::block();  // before any thread starts
  ::signal(SIGPIPE, SIG_IGN);    // a closed standard output is a journal fault
  const std::unique_ptr<QCoreApplication> app = application(argc, argv);
  QCoreApplication::setOrganizationName(QStringLiteral("Kelvor"));
  QCoreApplication::setApplicationName(QStringLiteral("Kelvor"));

  const char decimal = kelvor::SystemLocale::decimalSeparator();
  kelvor::RecordOptions defaults;
  defaults.port =
      kelvor::StoredSettings::read(kelvor::SettingsStore().lookup(), decimal).portConfig();
  const kelvor::ParsedRecordOptions parsed =
      kelvor::parseRecordOptions({argv + 1, argv + argc}, defaults);
  if (!parsed.error.empty()) return wrongOptions(parsed.error);
  kelvor::RecordOptions options = parsed.options;
  // One file name cannot hold several journals.
  if (options.channels.size() > 1 && !options.output.empty())
    return wrongOptions("--output takes one meter: with a second --port or --calc, leave it out");
  // Never on the command line, where other users could read it.
  if (const char* password = std::getenv("KELVOR_MQTT_PASSWORD"))
    options.publish.password = password;
  if (options.help || options.version || options.listMeters) {
    if (options.listMeters)
      std::fputs(kelvor::meterList().c_str(), stdout);
    else if (options.help)
      std::fputs(kelvor::recordHelp().c_str(), stdout);
    else
      std::printf("kelvor-record %s\n", kelvor::ProgramVersion::current().number().c_str());
    return 0;
  }
  if (!options.httpTokenFile.empty()) {
    options.httpToken = tokenFrom(options.httpTokenFile);
    if (options.httpToken.empty())
      return wrongOptions("--http-token-file " + options.httpTokenFile +
                          ": cannot be read or holds no token");
  }
  struct stat output {};
  if (::stat(options.output.c_str(), &output) == 0 && S_ISDIR(output.st_mode))
    return wrongOptions("--output " + options.output + ": is a folder, not a file");
  for (kelvor::RecordChannel& channel : options.channels) {
    kelvor::RecordMeter& meter = channel.meter;
    if (channel.calculation || meter.devicePath.empty()) continue;
    if (meter.devicePath.rfind("/dev/hidraw", 0) == 0) {  // a USB-HID cable, by its ids
      const auto cable = kelvor::HidrawPorts().addressOf(meter.devicePath);
      if (!cable) return wrongOptions("--port " + meter.devicePath + ": no USB-HID cable there");
      meter.port.Address = cable->text();
      meter.devicePath.clear();
      continue;
    }
    meter.port.ComPort = portOfDevice(meter.devicePath);
    if (meter.port.ComPort == 0)
      return wrongOptions("--port " + meter.devicePath + ": no COM port has this device");
  }
  using kelvor::InterfaceLanguage::isEnglish;
  using kelvor::InterfaceLanguage::langCodeFor;
  const bool english =
      options.english.value_or(isEnglish(langCodeFor(kelvor::SystemLanguage::languageId())));
  // --language sets the journal's separators too; otherwise they follow the system.
  const char separator = options.english ? (english ? '.' : ',') : decimal;
  // Its lines and the broker's messages come from the windows' catalogue.
  kelvor::ProgramCatalogue::install(english ? kelvor::InterfaceLanguage::English
                                            : kelvor::InterfaceLanguage::German);
  kelvor::SystemClock clock;
  kelvor::RecordProgram program(options, separator, clock, !english);
  return program.run();
}
