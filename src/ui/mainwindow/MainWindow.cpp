// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QUrl>
#include <cstdio>
#include <cstring>

#include "core/calc/ChannelBindingCheck.h"
#include "core/plot/RangeLists.h"
#include "core/recording/RecoveryChannel.h"
#include "core/settings/InterfaceLanguage.h"
#include "platform/JournalFile.h"
#include "platform/MessageTexts.h"
#include "platform/ProgramCatalogue.h"
#include "platform/QtTranslations.h"
#include "platform/SettingsStore.h"
#include "platform/SystemLanguage.h"
#include "platform/SystemLocale.h"
#include "ui/commands/ChannelSettings.h"
#include "ui/commands/JournalRecovery.h"
#include "ui/commands/PortExchange.h"
#include "ui/common/Captions.h"
#include "ui/common/ObjectNames.h"
#include "ui/common/Units.h"
#include "ui/common/WindowTools.h"
#include "ui/dialogs/AboutDialog.h"
#include "ui/dialogs/ChannelsDialog.h"
#include "ui/dialogs/MessageBox.h"
#include "ui/dialogs/PrinterDialog.h"
#include "ui/mainwindow/ControlRoom.h"
#include "ui/mainwindow/MeterPort.h"
#include "ui/mainwindow/ValueFont.h"
#include "ui/mainwindow/WindowPlacement.h"
#include "ui/plot/ReviewWindow.h"
#include "ui/plot/ScopeWidget.h"

#ifndef KELVOR_DEVELOPMENT_DIR
#define KELVOR_DEVELOPMENT_DIR ""
#endif

namespace kelvor {

namespace {
// The smallest outer size of the window in its normal state, in twips.
constexpr int MinimumWidthTwips = 9600;
constexpr int MinimumHeightTwips = 6150;

QStringList toQt(const std::vector<std::string>& texts) {
  QStringList list;
  for (const std::string& text : texts) list << QString::fromStdString(text);
  return list;
}
}  // namespace

MainWindow::MainWindow(ProgramContext& context, const Clock& clock, QWidget* parent)
    : QMainWindow(parent),
      context_(context),
      controls_(MainControls::build(this)),
      panel_(*this, controls_),
      readingLabels_(controls_.reading, controls_.time, controls_.range),
      alarmPlayer_([] { QApplication::beep(); }),
      recording_(clock, alarmPlayer_, {&readingLabels_, &panel_}),
      station_(clock, SystemLocale::decimalSeparator()),
      sources_(station_, recording_),
      channelDisplay_(controls_.values, sources_, readingLabels_, panel_,
                      SystemLocale::decimalSeparator()),
      meterDisplay_(*this, controls_.reading, sources_),
      channelTips_(controls_.colours, traces(), SystemLocale::decimalSeparator()),
      scope_(recording_.state(), traces(), panel_, SystemLocale::decimalSeparator()),
      alarm_(controls_.alarm, recording_.alarm(), this),
      traceFiles_(traces(), recording(), recorder(), scope_, context_, this),
      print_(traces(), scope_, printOptions_, this),
      publish_(
          station_, [this] { return sources_.ownChannel(); }, this),
      schedule_(recording_, this) {
  setObjectName(QLatin1String(ObjectNames::frmMain));
  setWindowTitle(QStringLiteral("Kelvor"));
  recording_.attachPlot(&scope_);
  recording_.recording().addListener(&scope_);
  scope_.setStoreIntervalHandler([this](int readings) { recording_.setStoreInterval(readings); });
  traceFiles_.setReplay([this](const std::vector<JournalRow>& rows, int channel) {
    recording_.replay(rows, channel);
  });
  station_.setFaultHandler([this](const JournalFault& fault) { showJournalFault(fault); });
  connectPlot();
  print_.setPrinterAccess({[this] { return printerChoice_.shownName(); },
                           [this](QPrinter& printer) { return printerChoice_.setUp(printer); }});
  print_.setPrinterSetup([this] {
    PrinterDialog dialog(printOptions_, printerChoice_, this);
    dialog.exec();
  });
  const int menuHeight = menuBar()->sizeHint().height();
  resize(Units::pointsToPixels(DesignInnerWidth),
         Units::pointsToPixels(DesignInnerHeight) + menuHeight);
  connectControls();
}

MainWindow::~MainWindow() = default;

// The plot's picture, its readout, the user's looking around and the cursors.
void MainWindow::connectPlot() {
  controls_.scopeWidget->setRaster(&scope_.raster());
  controls_.scopeWidget->setReadout([this](int column) {
    return readoutLines(readoutAt(traces(), scope_.scale(), scope_.raster(), column), recording(),
                        recording_.clock(), SystemLocale::decimalSeparator());
  });
  controls_.scopeWidget->setViewRequests(
      {[this](double factor, double at) { scope_.zoomTime(factor, at); },
       [this](double factor, double at) { scope_.zoomValues(factor, at); },
       [this](double widths) { scope_.moveTime(widths); }, [this] { scope_.showWholeRecording(); },
       [this] { scope_.followLive(); }, [this](int column, bool b) { scope_.setCursor(b, column); },
       [this] { scope_.clearCursors(); }});
  controls_.scopeWidget->setCursorSource([this] {
    return ScopeWidget::CursorDisplay{
        scope_.cursorColumns(),
        cursorLines(traces(), scope_.cursors(), SystemLocale::decimalSeparator())};
  });
}

void MainWindow::startUp() {
  // A build can name its developer's folder; started from there the program never polls.
  const std::string developmentDir = KELVOR_DEVELOPMENT_DIR;
  if (!developmentDir.empty() && context_.AppDir == developmentDir) station_.setPolling(false);

  initialiseState();
  loadSettings();
  applyLanguage();
  ControlRoom::fit(controls_.controlPanel);
  fillRangeLists();
  fillDurationList();
  controls_.axes.createCopies();
  scope_.setYRange(0.0f, 1.5f);
  loaded_ = true;
  layOut();
  scope_.redrawAll(Rescale::Keep);
  recorder().reset();
  bindChannels();
  // The window is still hidden: selecting the Y range runs no redraw yet.
  scope_.selectYMaxItem(DefaultYMaxItem);
  scope_.setYRange(scope_.yMinList().values[DefaultYMinItem],
                   scope_.yMaxList().values[DefaultYMaxItem]);
  scope_.selectDurationItem(DefaultDurationItem);
  applyAlarmText();
  restorePlacement();
  applyMinimumSize();
  show();
  // Recordings that ended unexpectedly, once the window stands.
  QTimer::singleShot(0, this, [this] {
    // Never into the channel that records, nor over a trace.
    const auto channelFor = [this](int journalChannel) {
      return recoveryChannel(journalChannel, recording().activeChannel(), traces());
    };
    JournalRecovery::offer(this, channelFor,
                           [this](const std::vector<JournalRow>& rows, int channel) {
                             traceFiles_.replayJournal(rows, channel);
                           });
  });
}

void MainWindow::connectControls() {
  const MainControls& c = controls_;
  connect(c.recording.drawingActiveBox, &QCheckBox::clicked, this,
          [this](bool on) { recorder().setActive(on); });
  connect(c.recording.clearButton, &QPushButton::clicked, this, [this] { scope_.clearPicture(); });
  connect(c.range.autoScaleBox, &QCheckBox::clicked, this,
          [this](bool on) { recording_.setAutoScale(on); });
  connect(c.recording.resetButton, &QPushButton::clicked, this, [this] { recording_.reset(); });
  if (auto* channels = c.colours.channelButtons[0]->group()) {
    connect(channels, &QButtonGroup::idClicked, this, [this](int index) { chooseChannel(index); });
  }
  connect(c.recording.durationList, &QComboBox::activated, this,
          [this](int item) { scope_.selectDurationItem(item); });
  connect(c.range.minimumList, &QComboBox::activated, this,
          [this](int item) { scope_.selectYMinItem(item); });
  connect(c.range.maximumList, &QComboBox::activated, this,
          [this](int item) { scope_.selectYMaxItem(item); });
  for (const auto item : {MenuActions::PortSettingsItem, MenuActions::ExitItem}) {
    connect(c.menus.fileCommands.at(item), &QAction::triggered, this,
            [this, item] { onFileCommand(item); });
  }
  connect(c.menus.channelsItem, &QAction::triggered, this, [this] { onChannelsClicked(); });
  connect(c.menus.aboutItem, &QAction::triggered, this, [this] { onAboutClicked(); });
  connect(c.menus.publishItem, &QAction::triggered, this, [this] { publish_.onPublishClicked(); });
  connect(c.menus.scheduleItem, &QAction::triggered, this,
          [this] { schedule_.onScheduleClicked(); });
  connect(c.menus.reviewItem, &QAction::triggered, this, [this] { onReviewClicked(); });
  connect(c.menus.recordingsItem, &QAction::triggered, this, [] {
    const QString folder = QString::fromStdString(JournalFile::recordingsFolder());
    QDir().mkpath(folder);
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
  });
  for (const int index : {0, 1}) {
    const auto i = static_cast<std::size_t>(index);
    connect(c.menus.printItems[i], &QAction::triggered, this,
            [this, index] { print_.onPrintClicked(index); });
    connect(c.menus.copyItems[i], &QAction::triggered, this,
            [this, index] { print_.onCopyClicked(index); });
  }
  for (std::size_t channel = 0; channel < c.menus.saveItems.size(); ++channel) {
    const int index = static_cast<int>(channel);
    connect(c.menus.saveItems[channel], &QAction::triggered, this,
            [this, index] { traceFiles_.onSaveClicked(index); });
    connect(c.menus.loadItems[channel], &QAction::triggered, this,
            [this, index] { traceFiles_.onLoadClicked(index); });
  }
}

// The value lists are fixed; what is left is the language.
void MainWindow::initialiseState() {
  context_.LangCode = InterfaceLanguage::langCodeFor(SystemLanguage::languageId());
  QtTranslations::install(context_.LangCode);
  if (!ProgramCatalogue::install(context_.LangCode))
    qWarning("Kelvor: cannot load %s; the texts stay German",
             qPrintable(ProgramCatalogue::fileFor(context_.LangCode)));
}

void MainWindow::loadSettings() {
  const SettingsStore store;
  saved_ = StoredSettings::read(store.lookup(), SystemLocale::decimalSeparator());
  channelsStored_ = !saved_.Channels.empty();
  printOptions_ = saved_.printOptions();
  recording_.setAutoScale(saved_.AutoScale);
  station_.setJournalEnabled(saved_.Journal);
  publish_.start(store.lookup());
  schedule_.start(store.lookup());
  ValueFont::choose(controls_.reading.valueLabel, controls_.reading.modeLabel);
}

void MainWindow::saveSettings() {
  // The window's own meter's port, for a settings file without channels.
  saved_.takeFrom(sources_.ownPort() ? *sources_.ownPort() : saved_.portConfig(), printOptions_);
  saved_.AutoScale = recording().autoScale();
  if (channelsStored_) saved_.Channels = sources_.bindings();
  WindowPlacement::capture(this, saved_);
  hide();
  const SettingsStore store;
  if (!store.write(saved_.texts()))
    qWarning("Kelvor: cannot write the settings to %s", qPrintable(store.filePath()));
}

// The controls were built before initialiseState decided the language: their captions are read
// again through the catalogue it installed.
void MainWindow::applyLanguage() {
  translateCaptions(controls_.captionedControls(), MainControls::TextContext);
}

void MainWindow::fillRangeLists() {
  const QSignalBlocker quietMin(controls_.range.minimumList);
  const QSignalBlocker quietMax(controls_.range.maximumList);
  controls_.range.minimumList->addItems(toQt(scope_.yMinList().texts));
  controls_.range.maximumList->addItems(toQt(scope_.yMaxList().texts));
  scope_.setYMinItemSilently(DefaultYMinItem);
}

void MainWindow::fillDurationList() {
  const QSignalBlocker quiet(controls_.recording.durationList);
  controls_.recording.durationList->addItems(toQt(scope_.durationTexts()));
}

void MainWindow::applyAlarmText() {
  alarm_.applyAlarmText();
}

void MainWindow::applyMinimumSize() {
  // The toolkit keeps a normal window at or above the smallest size the layout needs.
  const QSize frame = frameGeometry().size() - geometry().size();
  setMinimumSize(Units::twipsToPixels(MinimumWidthTwips) - frame.width(),
                 Units::twipsToPixels(MinimumHeightTwips) - frame.height());
}

void MainWindow::layOut() {
  // The control panel stays centred over the span from the plot's left edge to the right.
  const double innerWidth = Units::pixelsToPoints(controls_.central->width());
  const double panelWidth = Units::pixelsToPoints(controls_.controlPanel->width());
  const double left = ScopePanel::PlotLeft + (innerWidth - ScopePanel::PlotLeft - panelWidth) / 2;
  controls_.controlPanel->move(Units::pointsToPixels(left), controls_.controlPanel->y());
  scope_.redrawAll(Rescale::Keep);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (loaded_) layOut();
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // Coming back from minimised: the plot skipped its redraws meanwhile.
  if (loaded_ && event->type() == QEvent::WindowStateChange && !isMinimized()) layOut();
}

void MainWindow::restorePlacement() {
  WindowPlacement::restore(this, saved_);
}

void MainWindow::onFileCommand(MenuActions::FileMenuItem item) {
  if (item == MenuActions::PortSettingsItem && sources_.ownMeter() &&
      runPortSettings(this, *sources_.ownPort(), *sources_.ownMeter(), sources_.bindings(),
                      sources_.ownChannel()))
    publish_.followPort();
  if (item == MenuActions::ExitItem) close();
}

// Stored bindings did not all pass the channel dialog (a settings file edited by hand): what it
// would refuse stays unbound, and the user is told, before any port of them is opened.
void MainWindow::bindChannels() {
  std::vector<ChannelBinding> bindings = saved_.bindings(recording().activeChannel());
  QStringList leftOut;
  for (const BindingProblem& problem : leaveOutRefused(bindings))
    leftOut << ChannelsDialog::problemText(problem);
  if (!leftOut.isEmpty())
    MessageBox::warning(this,
                        tr("Diese gespeicherten Kanäle bleiben frei:") + '\n' + leftOut.join('\n'));
  applyBindings(std::move(bindings));
}

// The window's own meter serves the first meter channel (the active one when none is bound,
// as it always has); the other channels go to their sources.
void MainWindow::applyBindings(std::vector<ChannelBinding> bindings) {
  const auto own = firstMeterChannel(bindings);
  const int channel = own ? *own : recording().activeChannel();
  auto& binding = bindings[static_cast<std::size_t>(channel)];
  if (!own)
    binding = {ChannelBinding::Source::Meter,
               sources_.ownPort() ? *sources_.ownPort() : saved_.portConfig(),
               {}};
  if (channel != recording().activeChannel()) recording_.chooseChannel(channel);
  sources_.bind(bindings, channel, this);
  publish_.followPort();
  controls_.colours.channelButtons[static_cast<std::size_t>(channel)]->setChecked(true);
  meterDisplay_.follow();
  if (channelDisplay_.bound() && loaded_) layOut();
}

void MainWindow::onChannelsClicked() {
  std::vector<ChannelBinding> bindings = sources_.bindings();
  if (!runChannelSettings(this, bindings)) return;
  channelsStored_ = true;
  applyBindings(std::move(bindings));
}

// With several sources a channel button chooses what the large display shows and the alarm
// watches; with one meter it records into the channel, emptied.
void MainWindow::chooseChannel(int index) {
  if (sources_.several()) {
    channelDisplay_.watch(index);
    meterDisplay_.refresh();
  } else {
    sources_.moveOwnMeter(index);
  }
}

void MainWindow::onAboutClicked() {
  AboutDialog about(this);
  about.exec();
}

// Journals chosen from the recordings' folder open in a review window of their own.
void MainWindow::onReviewClicked() {
  const QStringList paths = QFileDialog::getOpenFileNames(
      this, tr("Aufzeichnung ansehen"), QString::fromStdString(JournalFile::recordingsFolder()),
      tr("Aufzeichnungen (*.csv *.part)"));
  if (paths.isEmpty()) return;
  ReviewWindow::showJournals(paths, SystemLocale::decimalSeparator(), this);
}

void MainWindow::showJournalFault(const JournalFault& fault) {
  const Message message(MessageId::JournalFailed, {fault.path, std::strerror(fault.error)});
  const QString text = QString::fromStdString(messageText(message));
  // Told after the reading that ran into it; the recording goes on meanwhile.
  QTimer::singleShot(0, this, [this, text] { MessageBox::warning(this, text); });
}

void MainWindow::closeEvent(QCloseEvent* event) {
  finishClosing();
  event->accept();
  // Closing the main window ends the program, whatever else is still open.
  QCoreApplication::quit();
}

void MainWindow::finishClosing() {
  if (unloaded_) return;
  unloaded_ = true;
  saveSettings();
  // The dialogs go with the main window.
  for (QWidget* top : QApplication::topLevelWidgets())
    if (top != this && top->isWindow()) top->close();
  const std::vector<Message> open = station_.stop();
  if (!open.empty()) tellJournalsStillOpen(open);
}

// Their disk stalled: the program ends all the same, saying where the readings are.
void MainWindow::tellJournalsStillOpen(const std::vector<Message>& open) {
  QStringList lines;
  for (const Message& message : open) {
    lines << QString::fromStdString(messageText(message));
    std::fprintf(stderr, "kelvor: %s\n", lines.back().toLocal8Bit().constData());
  }
  if (!unattended_) MessageBox::warning(this, lines.join('\n'));
}

void MainWindow::closeUnattended() {
  unattended_ = true;
  close();
}

}  // namespace kelvor
