// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kelvor::metersim {

// A pseudo-terminal whose slave side plays the meter's serial port. The simulator keeps its
// own descriptor to the slave open, so the master never sees a hang-up while the client
// closes and reopens the port, and sets it raw so nothing is echoed before the client
// configures the line. Throws std::runtime_error when the terminal cannot be created.
class PtyPort {
 public:
  PtyPort();
  ~PtyPort();
  PtyPort(const PtyPort&) = delete;
  PtyPort& operator=(const PtyPort&) = delete;

  int master() const { return master_; }  // non-blocking
  int slave() const { return slave_; }
  const std::string& slavePath() const { return slavePath_; }
  // False where the system keeps a pseudo-terminal at 8 data bits without parity whatever the
  // client sets (Linux does); the line settings then cannot show the client's choice of these.
  bool showsCharacterFormat() const { return showsCharacterFormat_; }

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string slavePath_;
  bool showsCharacterFormat_ = true;
};

// A symbolic link to the terminal for the client to open. An existing link at the place is
// replaced; any other file there is left alone and reported. The destructor removes the link
// unless it has since been pointed elsewhere (by another simulator, say).
class PortLink {
 public:
  // Creates missing folders. Throws std::runtime_error on failure.
  PortLink(std::string path, std::string target);
  ~PortLink();
  PortLink(const PortLink&) = delete;
  PortLink& operator=(const PortLink&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::string target_;
};

// "<config>/Kelvor/ports/COM<port>" with <config> from $XDG_CONFIG_HOME or $HOME/.config.
std::string defaultLinkPath(int port);

}  // namespace kelvor::metersim
