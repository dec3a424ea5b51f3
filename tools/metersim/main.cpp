// SPDX-License-Identifier: GPL-3.0-or-later
// kelvor-metersim: plays a digital multimeter on a pseudo-terminal for testing and demos.

#include <chrono>
#include <cstdio>
#include <exception>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "EventLog.h"
#include "Options.h"
#include "PtyPort.h"
#include "Responder.h"
#include "Script.h"
#include "Simulator.h"
#include "Streamer.h"
#include "UhidCable.h"

namespace {

constexpr int kExitRuntimeFailure = 1;
constexpr int kExitUsage = 2;

int usageError(const std::string& message) {
  std::fprintf(stderr, "kelvor-metersim: %s\nTry kelvor-metersim --help.\n", message.c_str());
  return kExitUsage;
}

bool loadScript(const std::string& path, std::vector<kelvor::metersim::ScriptStep>* steps,
                std::string* error) {
  std::ifstream file(path);
  if (!file) {
    *error = "cannot read the script " + path;
    return false;
  }
  if (!kelvor::metersim::parseScript(file, steps, error)) {
    *error = "script " + path + ", " + *error;
    return false;
  }
  return true;
}

std::optional<std::chrono::steady_clock::duration> quitAfter(
    const kelvor::metersim::Options& options) {
  if (!options.quitAfterSeconds) return std::nullopt;
  return std::chrono::duration_cast<std::chrono::steady_clock::duration>(
      std::chrono::duration<double>(*options.quitAfterSeconds));
}

int playCable(kelvor::metersim::Options& options) {
  using namespace kelvor::metersim;
  StopSignals stopSignals;
  UhidCable cable(*options.hidCable);
  const CableIdentity identity = cableIdentity(*options.hidCable);
  std::printf("ready hid:%04x:%04x\n", identity.vendorId, identity.productId);
  std::fflush(stdout);
  cable.run(options, stopSignals.fd(), quitAfter(options));
  return 0;
}

int simulate(kelvor::metersim::Options& options, std::vector<kelvor::metersim::ScriptStep> script) {
  using namespace kelvor::metersim;
  if (options.hidCable) return playCable(options);
  std::unique_ptr<EventLog> log;
  if (!options.logPath.empty()) log = std::make_unique<EventLog>(options.logPath);
  StopSignals stopSignals;
  PtyPort port;
  Responder responder(options, std::move(script));
  std::unique_ptr<Streamer> streamer;
  if (streams(options.family)) streamer = std::make_unique<Streamer>(options);
  const int baud = options.baud.value_or(streamer ? defaultBaud(options.family) : 0);
  Simulator simulator(port, responder, log.get(), streamer.get(), baud);
  PortLink link(options.linkPath.empty() ? defaultLinkPath(options.port) : options.linkPath,
                port.slavePath());
  std::printf("ready %s -> %s\n", link.path().c_str(), port.slavePath().c_str());
  std::fflush(stdout);

  simulator.run(stopSignals.fd(), quitAfter(options));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  using kelvor::metersim::ParsedCommandLine;
  ParsedCommandLine parsed = kelvor::metersim::parseCommandLine(
      std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
  if (parsed.outcome == ParsedCommandLine::Outcome::Help) {
    std::fputs(kelvor::metersim::usageText().c_str(), stdout);
    return 0;
  }
  if (parsed.outcome == ParsedCommandLine::Outcome::Error) return usageError(parsed.error);

  std::vector<kelvor::metersim::ScriptStep> script;
  std::string error;
  if (!parsed.options.scriptPath.empty() &&
      !loadScript(parsed.options.scriptPath, &script, &error)) {
    return usageError(error);
  }

  try {
    return simulate(parsed.options, std::move(script));
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "kelvor-metersim: %s\n", failure.what());
    return kExitRuntimeFailure;
  }
}
