#include "core/acquisition/PortTable.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/text/PathText.h"

namespace kelvor {
namespace {

TEST(PortTable, FixedDevicesByPortNumber) {
  const std::vector<std::pair<int, std::string>> cases = {
      {1, "/dev/ttyS0"},
      {32, "/dev/ttyS31"},
      {33, "/dev/ttyUSB0"},
      {64, "/dev/ttyUSB31"},
      {65, "/dev/ttyACM0"},
      {96, "/dev/ttyACM31"},
      {97, "/dev/ttyAMA0"},
      {128, "/dev/ttyAMA31"},
      {0, ""},
      {-3, ""},
      {129, ""},
      {256, ""},
  };
  for (const auto& [port, device] : cases) {
    SCOPED_TRACE(port);
    EXPECT_EQ(fixedDeviceForPort(port), device);
  }
}

TEST(PortTable, OpenFailureMessage) {
  EXPECT_EQ(openErrorText(2, 3), "Error 2 opening COM3");
  EXPECT_EQ(openErrorText(13, 12), "Error 13 opening COM12");
  EXPECT_EQ(openErrorText(16, 256), "Error 16 opening COM256");
}

TEST(PathText, StripBackslashKeepsRootsOnly) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"/opt/kelvor/", "/opt/kelvor"}, {"/opt/kelvor", "/opt/kelvor"}, {"/", "/"}, {"C:\\", "C:\\"},
      {"C:\\Kelvor\\", "C:\\Kelvor"},  {"C:\\Kelvor", "C:\\Kelvor"},   {"", ""},
  };
  for (const auto& [path, stripped] : cases) {
    SCOPED_TRACE(path);
    EXPECT_EQ(StripBackslash(path), stripped);
  }
}

}  // namespace
}  // namespace kelvor
