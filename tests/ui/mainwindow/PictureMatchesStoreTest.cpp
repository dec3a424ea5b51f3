// SPDX-License-Identifier: GPL-3.0-or-later
// The plot shows what the store holds after every command that empties or replaces a channel.
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <functional>
#include <vector>

#include "support/StartedMainWindow.h"

namespace kelvor {
namespace {

class PictureMatchesStore : public testing::StartedMainWindow {
 protected:
  std::vector<std::uint32_t> picture() {
    const Raster& raster = window.scope().raster();
    return {raster.data(), raster.data() + raster.width() * raster.height()};
  }
  // The picture as it stands, then as a redraw from the store makes it.
  ::testing::AssertionResult equalsAFreshRedraw() {
    const std::vector<std::uint32_t> shown = picture();
    window.scope().FullReDraw(Rescale::Keep);
    if (shown == picture()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the picture is not what the store holds";
  }
  void reading(const char* frame) {
    std::string answer = frame;
    window.meter().session().takeAnswer(answer);
  }
};

TEST_F(PictureMatchesStore, AfterEveryCommandThatChangesAChannel) {
  const QString file = files.filePath(QStringLiteral("channel0.kvr"));
  ASSERT_TRUE(traceFiles.saveTo(0, file));
  std::vector<JournalRow> journal(2);
  journal[1].elapsedMs = 400000;
  journal[0].value = 0.3f;
  journal[1].value = 0.9f;
  traceFiles.setReplay([this](const std::vector<JournalRow>& rows, int channel) {
    window.meter().session().replay(rows, channel);
  });
  const MainControls& c = window.controls();
  const std::vector<std::pair<const char*, std::function<void()>>> commands = {
      {"a channel button empties its channel", [&] { c.optColor[1]->click(); }},
      {"the first reading of a recording empties the recording channel",
       [&] {
         c.optColor[0]->click();
         testing::fillChannel(window.traces(), 0, {{0.4f, 0}, {1.0f, 500}});
         window.scope().FullReDraw(Rescale::Keep);
         c.chkActive->click();
         reading("DC  0.700 V  \r");
       }},
      {"loading a file replaces a channel", [&] { traceFiles.loadFrom(2, file); }},
      {"a replayed journal replaces a channel", [&] { traceFiles.replayJournal(journal, 2); }},
      {"reset empties every channel", [&] { c.cmdReset->click(); }},
  };
  window.scope().FullReDraw(Rescale::Keep);
  for (const auto& [what, command] : commands) {
    SCOPED_TRACE(what);
    command();
    EXPECT_TRUE(equalsAFreshRedraw());
  }
}

}  // namespace
}  // namespace kelvor
