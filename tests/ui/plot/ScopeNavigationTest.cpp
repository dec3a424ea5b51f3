// SPDX-License-Identifier: GPL-3.0-or-later
// The plot in the main window: looking around with the mouse and the keys as the user does
// it, and a picture that always shows what the store holds.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QWheelEvent>
#include <functional>
#include <tuple>
#include <vector>

#include "support/StartedMainWindow.h"
#include "ui/plot/ScopeWidget.h"

namespace kelvor {
namespace {

class ScopeNavigation : public testing::StartedMainWindow {
 protected:
  void SetUp() override {
    StartedMainWindow::SetUp();
    std::vector<TraceSample> ramp;  // a reading a second for 900 s
    for (int t = 0; t < 900; ++t)
      ramp.push_back({0.001f * static_cast<float>(t), static_cast<float>(t)});
    testing::fillChannel(window.traces(), 3, ramp);
    window.scope().redrawAll(Rescale::Keep);
  }

  // What the plot shows: its picture, the time per point, the first time labels and the
  // lowest Y label, and the marker.
  std::vector<QString> shown() {
    const MainControls& c = window.controls();
    return {c.axes.timePerPixelLabel->text(), c.axes.timeLabels[0]->text(),
            c.axes.timeLabels[1]->text(), c.axes.valueLabels[0]->text(),
            plot->liveMarker()->text()};
  }
  QPointF inside(double across, double up = 0.5) const {
    const QRect r = plot->contentsRect();
    return {r.left() + across * r.width(), r.bottom() - up * r.height()};
  }
  void wheel(double across, int notches, Qt::KeyboardModifiers modifiers = {}) {
    const QPointF at = inside(across);
    QWheelEvent event(at, plot->mapToGlobal(at), {}, {0, 120 * notches}, Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(plot, &event);
  }
  void mouse(QEvent::Type type, double across, Qt::MouseButtons buttons,
             Qt::KeyboardModifiers modifiers = {}) {
    const QPointF at = inside(across);
    QMouseEvent event(type, at, plot->mapToGlobal(at), Qt::LeftButton, buttons, modifiers);
    QCoreApplication::sendEvent(plot, &event);
  }
  // Pressed at `from`, moved to `to` and, unless `release` is false, let go there.
  void drag(double from, double to, Qt::KeyboardModifiers modifiers = {}, bool release = true) {
    mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, modifiers);
    mouse(QEvent::MouseMove, to, Qt::LeftButton, modifiers);
    if (release) mouse(QEvent::MouseButtonRelease, to, Qt::NoButton, modifiers);
  }
  void key(int code) {
    QKeyEvent event(QEvent::KeyPress, code, {});
    QCoreApplication::sendEvent(plot, &event);
  }
  double left() { return window.scope().scale().LeftTime; }
  double across() { return static_cast<double>(window.scope().scale().SecondsAcross); }

  ScopeWidget* plot = window.controls().scopeWidget;
};

TEST_F(ScopeNavigation, WheelDragKeysAndMarkerMoveTheViewAndEndBringsTheLivePlotBack) {
  const QImage live = plot->picture().copy();
  const std::vector<QString> liveTexts = shown();
  EXPECT_EQ(liveTexts[4], "Live");
  const double liveAcross = across();

  // Two notches in at a quarter of the width: the time there stays there.
  wheel(0.25, 2);
  EXPECT_NEAR(across(), liveAcross / 1.5625, liveAcross * 0.1);
  EXPECT_NEAR(left() + 0.25 * across(), 0.25 * liveAcross, liveAcross * 0.03);
  const std::vector<QString> zoomed = shown();  // the time per point follows
  EXPECT_EQ(std::tuple(zoomed[0] != liveTexts[0], zoomed[4], plot->picture() != live),
            std::tuple(true, "Paused", true));

  // Dragging a tenth of the width to the left brings later times in; the labels follow.
  const double before = left();
  drag(0.5, 0.4);
  EXPECT_NEAR(left(), before + 0.1 * across(), across() * 0.01);
  EXPECT_NE(shown()[1], zoomed[1]) << "label 0 shows the time at the left edge";

  // The keys: a quarter width each way, twice and half the time per point; Home shows
  // everything from 0 to the last sample.
  const double dragged = left(), zoomedAcross = across();
  key(Qt::Key_Right);
  EXPECT_NEAR(left(), dragged + 0.25 * zoomedAcross, 1e-6);
  key(Qt::Key_Left);
  EXPECT_NEAR(left(), dragged, 1e-6);
  key(Qt::Key_Plus);
  EXPECT_NEAR(across(), zoomedAcross / 2, zoomedAcross * 0.1);
  key(Qt::Key_Minus);
  EXPECT_EQ(across(), zoomedAcross);
  key(Qt::Key_Home);
  EXPECT_TRUE(left() == 0.0 && across() >= 899.0 && across() < 899.0 * 1.1) << across();

  // Ctrl with the wheel zooms the values: a narrower span, other Y labels.
  const float span = window.scope().scale().YSpan;
  wheel(0.5, 3, Qt::ControlModifier);
  EXPECT_TRUE(window.scope().scale().YSpan < span && shown()[3] != liveTexts[3]);

  // A click on the marker, and End, bring back the live plot pixel for pixel.
  QMouseEvent click(QEvent::MouseButtonPress, QPointF(2, 2),
                    plot->liveMarker()->mapToGlobal(QPointF(2, 2)), Qt::LeftButton, Qt::LeftButton,
                    {});
  QCoreApplication::sendEvent(const_cast<QLabel*>(plot->liveMarker()), &click);
  EXPECT_TRUE(shown() == liveTexts && plot->picture() == live);
  wheel(0.7, -1);
  drag(0.5, 0.9, {}, false);
  EXPECT_NE(plot->picture(), live);
  key(Qt::Key_End);
  EXPECT_TRUE(shown() == liveTexts && plot->picture() == live);
}

// A click sets cursor A, a click with Shift cursor B, without moving the view; the readout
// tells their times and what lies between them; Esc clears them.
TEST_F(ScopeNavigation, ClicksSetTheCursorsAndEscClearsThem) {
  const QImage live = plot->picture().copy();
  for (const auto& [across, modifiers] :
       {std::pair{0.25, Qt::KeyboardModifiers{}}, {0.5, Qt::ShiftModifier}})
    drag(across, across + 0.001, modifiers);  // a hand's tremor
  EXPECT_EQ(left(), 0.0) << "a click moves nothing";
  plot->grab();
  const std::vector<ReadoutLine>& lines = plot->cursorLinesShown();
  const PlotCursors& cursors = window.scope().cursors();
  ASSERT_TRUE(cursors.a && cursors.b);
  EXPECT_NEAR(*cursors.a, 0.25 * across(), across() / 400);
  EXPECT_NEAR(*cursors.b - *cursors.a, 0.25 * across(), across() / 200);
  // The times and channel 3, the only one with samples between the cursors; cursors are
  // painted over the picture, not into it.
  EXPECT_EQ(std::pair(lines.size(), plot->picture() == live), std::pair(std::size_t{2}, true));
  // The pointer's line passes behind the cursors' box; the box's border holds its text.
  mouse(QEvent::MouseMove, 0.1, Qt::NoButton);
  const QImage shown = plot->grab().toImage();
  const QRect box = plot->cursorBoxShown();
  const int pointerX = inside(0.1).toPoint().x();
  ASSERT_TRUE(box.left() < pointerX && pointerX < box.right()) << box.left() << " " << box.right();
  int crossed = 0, notBorder = 0;
  for (int y = box.top() + 1; y < box.bottom(); ++y)
    crossed += shown.pixelColor(pointerX, y) == ScopeWidget::BoxBorder ? 1 : 0;
  const auto border = [&](int x, int y) {
    notBorder += shown.pixelColor(x, y) != ScopeWidget::BoxBorder;
  };
  for (int x = box.left(); x <= box.right(); ++x) border(x, box.top()), border(x, box.bottom());
  for (int y = box.top(); y <= box.bottom(); ++y) border(box.left(), y), border(box.right(), y);
  EXPECT_EQ(std::pair(crossed, notBorder), std::pair(0, 0));
  key(Qt::Key_Escape);
  plot->grab();
  EXPECT_TRUE(plot->cursorLinesShown().empty() && !window.scope().cursors().any());
}

// The plot shows what the store holds after every command that empties or replaces a channel.
using PictureMatchesStore = testing::StartedMainWindow;

TEST_F(PictureMatchesStore, AfterEveryCommandThatChangesAChannel) {
  const QString file = files.filePath(QStringLiteral("channel0.kvr"));
  ASSERT_TRUE(traceFiles.saveTo(0, file));
  std::vector<JournalRow> journal(2);
  journal[0].value = 0.3f, journal[1].value = 0.9f, journal[1].elapsedMs = 400000;
  traceFiles.setReplay([this](const std::vector<JournalRow>& rows, int channel) {
    window.liveRecording().replay(rows, channel);
  });
  const MainControls& c = window.controls();
  const auto picture = [this] {
    const Raster& raster = window.scope().raster();
    return std::vector<std::uint32_t>(raster.data(),
                                      raster.data() + raster.width() * raster.height());
  };
  const std::vector<std::pair<const char*, std::function<void()>>> commands = {
      {"a channel button empties its channel", [&] { c.colours.channelButtons[1]->click(); }},
      {"the first reading of a recording empties the recording channel",
       [&] {
         c.colours.channelButtons[0]->click();
         testing::fillChannel(window.traces(), 0, {{0.4f, 0}, {1.0f, 500}});
         window.scope().redrawAll(Rescale::Keep);
         c.recording.drawingActiveBox->click();
         MeterGroup& group = *window.sources().group();  // one tick, answered at once
         group.onTick();
         std::string answer = "DC  0.700 V  \r";
         window.meter().reader().takeAnswer(answer);
         group.onFinishTick();
       }},
      {"loading a file replaces a channel, and ends the recording into it",
       [&] {
         traceFiles.loadFrom(2, file), traceFiles.loadFrom(0, file);
         EXPECT_EQ(std::tuple(window.traces().value(2, 2), window.traces().count(0),
                              c.recording.drawingActiveBox->isChecked()),
                   std::tuple(0.2f, 2, false));
       }},
      {"a replayed journal replaces a channel", [&] { traceFiles.replayJournal(journal, 2); }},
      {"reset empties every channel", [&] { c.recording.resetButton->click(); }}};
  window.scope().redrawAll(Rescale::Keep);
  for (const auto& [what, command] : commands) {
    SCOPED_TRACE(what);
    command();
    const std::vector<std::uint32_t> shown = picture();  // then as a redraw from the store makes it
    window.scope().redrawAll(Rescale::Keep);
    EXPECT_TRUE(shown == picture()) << "the picture is not what the store holds";
  }
}

}  // namespace
}  // namespace kelvor
