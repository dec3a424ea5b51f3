// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/MainControls.h"

#include "core/recording/ValueLists.h"
#include "ui/common/Captions.h"
#include "ui/common/ObjectNames.h"
#include "ui/common/Units.h"
#include "ui/mainwindow/MeterStateDisplay.h"
#include "ui/plot/ScopeWidget.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QCoreApplication>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QWidget>

namespace kelvor {

using ObjectNames::indexedName;

namespace {

// A design box in points, relative to the control's container.
struct Box {
  double left;
  double top;
  double width;
  double height;
};

// A caption in the interface language (its German source when no catalogue is installed).
QString text(const char* utf8) {
  return captionText(MainControls::TextContext, utf8);
}

template <typename Widget>
Widget* place(Widget* widget, const QString& name, const Box& box) {
  widget->setObjectName(name);
  Units::placeInPoints(widget, box.left, box.top, box.width, box.height);
  return widget;
}

void fillWith(QWidget* widget, const QColor& background) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, background);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

// Labels stay transparent (no background fill), so they show their container.
QLabel* makeLabel(QWidget* parent, const QString& name, const char* caption, const Box& box,
                  Qt::Alignment horizontal = Qt::AlignLeft) {
  auto* label = place(new QLabel(text(caption), parent), name, box);
  label->setAlignment(horizontal | Qt::AlignTop);
  return label;
}

QCheckBox* makeCheckBox(QWidget* parent, const char* name, const char* caption, const Box& box) {
  return place(new QCheckBox(text(caption), parent), QLatin1String(name), box);
}

QComboBox* makePickList(QWidget* parent, const char* name, const Box& box) {
  auto* combo = place(new QComboBox(parent), QLatin1String(name), box);
  combo->setEditable(false);
  return combo;
}

QRadioButton* makeOption(QWidget* parent, QButtonGroup* group, const char* name, int index,
                         const char* caption, const Box& box) {
  auto* option = place(new QRadioButton(text(caption), parent), indexedName(name, index), box);
  group->addButton(option, index);
  return option;
}

QButtonGroup* makeGroup(QWidget* parent, const char* name) {
  auto* group = new QButtonGroup(parent);
  group->setObjectName(QLatin1String(name));
  group->setExclusive(true);
  return group;
}

// The plot area: black, with its picture kept in a raster.
ScopeWidget* createScope(QWidget* parent) {
  return new ScopeWidget(parent);
}

// Filled rather than drawn, so each line covers its whole rounded pixel box.
QFrame* makeLine(QWidget* parent, const char* name, double top, QPalette::ColorRole colour) {
  auto* line = place(new QFrame(parent), QLatin1String(name), {0, top, 2048, 1});
  line->setFrameShape(QFrame::NoFrame);
  fillWith(line, parent->palette().color(colour));
  return line;
}

void buildRecordingGroup(RecordingControls& c, AlarmControls& alarm, QWidget* panel) {
  c.recordingFrame =
      place(new QGroupBox(panel), QLatin1String(ObjectNames::Frame2), {0, 6, 120, 102.75});
  QGroupBox* frame = c.recordingFrame;
  c.durationCaption =
      makeLabel(frame, indexedName(ObjectNames::Label7, 0),
                QT_TRANSLATE_NOOP("kelvor::MainWindow", "&Meßdauer:"), {9, 12, 57.75, 9.75});
  c.durationList = makePickList(frame, ObjectNames::cboMessDauer, {69, 9, 42.75, 15.75});
  c.durationCaption->setBuddy(c.durationList);
  alarm.alarmBox =
      makeCheckBox(frame, ObjectNames::chkAlarm,
                   QT_TRANSLATE_NOOP("kelvor::MainWindow", "A&larm wenn:"), {9, 27, 60.75, 15.75});
  alarm.alarmField = place(new QLineEdit(QStringLiteral("< 0,8"), frame),
                           QLatin1String(ObjectNames::txtAlarm), {69, 27, 42.75, 14.25});
  c.drawingActiveBox = makeCheckBox(frame, ObjectNames::chkActive,
                                    QT_TRANSLATE_NOOP("kelvor::MainWindow", "&Zeichnen Aktiv"),
                                    {9, 48, 99.75, 12.75});

  QButtonGroup* drawStyles = makeGroup(frame, ObjectNames::optDrawStyleGroup);
  c.drawStyleButtons[0] =
      makeOption(frame, drawStyles, ObjectNames::optDrawStyle, 0,
                 QT_TRANSLATE_NOOP("kelvor::MainWindow", "1/s"), {24, 61.5, 39.75, 12.75});
  c.drawStyleButtons[1] =
      makeOption(frame, drawStyles, ObjectNames::optDrawStyle, 1,
                 QT_TRANSLATE_NOOP("kelvor::MainWindow", "1/Spalte"), {63, 61.5, 54.75, 12.75});
  c.drawStyleButtons[0]->setChecked(true);

  c.resetButton =
      place(new QPushButton(text(QT_TRANSLATE_NOOP("kelvor::MainWindow", "&Reset")), frame),
            QLatin1String(ObjectNames::cmdReset), {9, 78, 45.75, 18.75});
  c.clearButton =
      place(new QPushButton(text(QT_TRANSLATE_NOOP("kelvor::MainWindow", "&Löschen")), frame),
            QLatin1String(ObjectNames::cmdCLS), {66, 78, 42.75, 18.75});
}

// The large digits: green on black, in the design's display face.
QLabel* makeReadingLabel(QWidget* panel, const char* name, const char* caption, const Box& box) {
  QLabel* label = makeLabel(panel, QLatin1String(name), caption, box);
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(24);
  font.setWeight(QFont::Normal);
  label->setFont(font);
  fillWith(label, Qt::black);
  MeterStateDisplay::setReadingColour(label, QColor(0, 255, 0));
  return label;
}

void buildReadingDisplay(ReadingControls& c, QWidget* panel) {
  c.valueLabel = makeReadingLabel(panel, ObjectNames::lblVal, "0,000", {126, 6, 114.75, 30});
  c.modeLabel = makeReadingLabel(panel, ObjectNames::lblACDC, "MOhm", {237, 6, 75.75, 30});
}

void buildRangeGroup(RangeControls& c, QWidget* panel) {
  c.rangeFrame =
      place(new QGroupBox(text(QT_TRANSLATE_NOOP("kelvor::MainWindow", "Meßbereich")), panel),
            QLatin1String(ObjectNames::Frame4), {126, 39, 96.75, 69.75});
  QGroupBox* frame = c.rangeFrame;
  c.minimumCaption =
      makeLabel(frame, QLatin1String(ObjectNames::Label6),
                QT_TRANSLATE_NOOP("kelvor::MainWindow", "Y-Mi&n:"), {9, 15, 24.75, 9.75});
  c.minimumList = makePickList(frame, ObjectNames::cboYMin, {42, 15, 48.75, 15.75});
  c.minimumCaption->setBuddy(c.minimumList);
  c.maximumCaption =
      makeLabel(frame, QLatin1String(ObjectNames::Label8),
                QT_TRANSLATE_NOOP("kelvor::MainWindow", "Y-Ma&x:"), {9, 33, 27.75, 9.75});
  c.maximumList = makePickList(frame, ObjectNames::cboYMax, {42, 33, 48.75, 15.75});
  c.maximumCaption->setBuddy(c.maximumList);
  c.autoScaleBox = makeCheckBox(frame, ObjectNames::chkAutoScale,
                                QT_TRANSLATE_NOOP("kelvor::MainWindow", "&Auto-Skalierung"),
                                {18, 54, 72.75, 12.75});
}

void buildColourGroup(ColourControls& c, QWidget* panel) {
  c.colourFrame =
      place(new QGroupBox(text(QT_TRANSLATE_NOOP("kelvor::MainWindow", "&Farbe")), panel),
            QLatin1String(ObjectNames::Frame1), {228, 39, 84.75, 69.75});
  QGroupBox* frame = c.colourFrame;

  // Channels 0-2 in the left column, 3-5 in the right one, each without a caption.
  QButtonGroup* colours = makeGroup(frame, ObjectNames::optColorGroup);
  for (int i = 0; i < static_cast<int>(c.channelButtons.size()); ++i) {
    const Box box{6.0 + 39.0 * (i / 3), 24.0 + 12.0 * (i % 3), 35, 9.75};
    c.channelButtons[static_cast<std::size_t>(i)] =
        makeOption(frame, colours, ObjectNames::optColor, i, "", box);
  }
  c.channelButtons[0]->setChecked(true);

  // Colour bars beside the buttons; their indexes are not channel numbers.
  struct Bar {
    int index;
    QColor colour;
    double left;
    double top;
  };
  const Bar bars[] = {{0, QColor(0, 255, 0), 18, 27},   {1, QColor(255, 0, 0), 18, 39},
                      {4, QColor(255, 0, 255), 18, 51}, {5, QColor(0, 0, 255), 57, 27},
                      {6, QColor(0, 255, 255), 57, 39}, {7, QColor(255, 255, 0), 57, 51}};
  for (const Bar& bar : bars) {
    auto* widget = place(new QWidget(frame), indexedName(ObjectNames::Picture2, bar.index),
                         {bar.left, bar.top, 20, 1});
    fillWith(widget, bar.colour);
    c.colourBars[bar.index] = widget;
  }
}

void buildTimeGroup(TimeControls& c, QWidget* panel) {
  c.timeFrame = place(new QGroupBox(text(QT_TRANSLATE_NOOP("kelvor::MainWindow", "Zeit")), panel),
                      QLatin1String(ObjectNames::Frame3), {318, 6, 117.75, 102.75});
  struct TimeLabel {
    QLabel* TimeControls::*member;
    const char* name;
    const char* caption;
    Box box;
  };
  const TimeLabel labels[] = {
      {&TimeControls::currentTimeCaption,
       ObjectNames::Label3,
       QT_TRANSLATE_NOOP("kelvor::MainWindow", "Aktuell:"),
       {12, 24, 45.75, 9.75}},
      {&TimeControls::currentTimeLabel, ObjectNames::lblAkt, "22:22:22", {63, 24, 33.75, 12.75}},
      {&TimeControls::startCaption,
       ObjectNames::Label1,
       QT_TRANSLATE_NOOP("kelvor::MainWindow", "Startzeit:"),
       {12, 41.25, 45.75, 9.75}},
      {&TimeControls::startLabel, ObjectNames::lblStart, "22:22:22", {63, 41.25, 33.75, 12.75}},
      {&TimeControls::runTimeCaption,
       ObjectNames::Label5,
       QT_TRANSLATE_NOOP("kelvor::MainWindow", "Laufzeit:"),
       {12, 58.5, 45.75, 9.75}},
      {&TimeControls::runTimeLabel, ObjectNames::lblLauf, "22:22:22", {63, 58.5, 33.75, 12.75}},
      {&TimeControls::alarmTimeCaption,
       ObjectNames::Label4,
       QT_TRANSLATE_NOOP("kelvor::MainWindow", "Alarm bei:"),
       {12, 75.75, 45.75, 9.75}},
      {&TimeControls::alarmTimeLabel, ObjectNames::lblAbbr, "22:22:22", {63, 75.75, 33.75, 12.75}},
  };
  for (const TimeLabel& label : labels) {
    c.*label.member = makeLabel(c.timeFrame, QLatin1String(label.name), label.caption, label.box);
  }
}

void buildPanel(MainControls& c) {
  c.controlPanel =
      place(new QWidget(c.central), QLatin1String(ObjectNames::picControls), {24, 2, 439, 111.75});
  buildRecordingGroup(c.recording, c.alarm, c.controlPanel);
  buildReadingDisplay(c.reading, c.controlPanel);
  buildRangeGroup(c.range, c.controlPanel);
  buildColourGroup(c.colours, c.controlPanel);
  buildTimeGroup(c.time, c.controlPanel);
}

// Member 0 of each axis label array; the other members are copies (createCopies).
void buildAxisLabels(AxisLabels& c, QWidget* central) {
  c.timeLabels.push_back(makeLabel(central, indexedName(ObjectNames::lblX, 0), "1",
                                   {74.25, 276, 24.75, 9.75}, Qt::AlignHCenter));
  c.valueLabels.push_back(makeLabel(central, indexedName(ObjectNames::lblY, 0), "0,00",
                                    {0, 267, 20.25, 12.75}, Qt::AlignRight));
}

void buildAxisTexts(AxisLabels& c, QWidget* central) {
  c.timePerPixelLabel = makeLabel(central, QLatin1String(ObjectNames::lblTpP), "10s / Pixel",
                                  {162, 285, 87.75, 9.75});
  c.timeUnitLabel = makeLabel(central, QLatin1String(ObjectNames::lblZeitEinheit), "t  -->",
                              {297, 285, 39.75, 9.75});
}

// Each channel's cell in its plot colour on black, as the plot draws it; a disabled cell in
// the colour halfway to grey, dimmed but still legible for the dark blue.
void buildChannelValues(ChannelValueCells& c, QWidget* central) {
  for (std::size_t i = 0; i < c.valueCells.size(); ++i) {
    const QString name = QLatin1String(ObjectNames::lblChannelValue) + QString::number(i + 1);
    QLabel* cell = makeLabel(central, name, "", {0, 0, 0, 0});
    cell->setIndent(Units::pointsToPixels(3));
    fillWith(cell, Qt::black);
    const QColor colour = QColor::fromRgb(paletteRgb(ValueLists::ChannelColors[i]));
    const QColor dimmed((colour.red() + 128) / 2, (colour.green() + 128) / 2,
                        (colour.blue() + 128) / 2);
    QPalette palette = cell->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, dimmed);
    cell->setPalette(palette);
    cell->hide();
    c.valueCells[i] = cell;
  }
}

// The design's boxes are small: captions fit them at 8 pt.
// The control boxes are sized for a narrow sans face at 8 points; Arial (or its
// metric twin Liberation Sans) fits them, wider faces are the fallback.
QFont windowFont() {
  QFont font = QApplication::font();
  font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), font.family()});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(8);
  return font;
}

}  // namespace

MainControls MainControls::build(QMainWindow* window) {
  MainControls c;
  const QFont font = windowFont();

  c.central = new QWidget(window);
  c.central->setObjectName(QLatin1String(ObjectNames::centralArea));
  c.central->setFont(font);
  window->setCentralWidget(c.central);

  // Creation order is stacking and tab order.
  c.scopeWidget =
      place(createScope(c.central), QLatin1String(ObjectNames::picScope), {24, 114, 439, 160});
  buildPanel(c);
  buildAxisLabels(c.axes, c.central);
  // An etched separator under the menu bar: shadow line with a highlight line below it.
  c.shadowLine = makeLine(c.central, ObjectNames::Line1, 0, QPalette::Dark);
  c.highlightLine = makeLine(c.central, ObjectNames::Line2, 1, QPalette::Light);
  buildAxisTexts(c.axes, c.central);
  buildChannelValues(c.values, c.central);

  QMenuBar* bar = window->menuBar();
  bar->setFont(font);
  c.menus = MenuActions::build(bar);
  return c;
}

std::vector<QObject*> MainControls::captionedControls() const {
  const MenuActions& m = menus;
  std::vector<QObject*> list = {recording.recordingFrame,
                                recording.durationCaption,
                                alarm.alarmBox,
                                recording.drawingActiveBox,
                                recording.resetButton,
                                recording.clearButton,
                                range.rangeFrame,
                                range.minimumCaption,
                                range.maximumCaption,
                                range.autoScaleBox,
                                colours.colourFrame,
                                time.timeFrame,
                                time.currentTimeCaption,
                                time.startCaption,
                                time.runTimeCaption,
                                time.alarmTimeCaption,
                                m.fileMenuAction,
                                m.editMenuAction,
                                m.helpMenuAction,
                                m.aboutItem,
                                m.recordingsItem,
                                m.publishItem,
                                m.channelsItem,
                                m.reviewItem,
                                m.scheduleItem};
  const auto addAll = [&list](const auto& members) {
    for (const auto& member : members) list.push_back(member);
  };
  addAll(recording.drawStyleButtons);
  addAll(m.fileItems);
  addAll(m.loadItems);
  addAll(m.saveItems);
  addAll(m.printItems);
  for (const auto& [index, action] : m.fileCommands) list.push_back(action);
  addAll(m.copyItems);
  return list;
}

}  // namespace kelvor
