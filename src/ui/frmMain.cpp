#include "ui/frmMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QMenuBar>

#include "platform/SettingsStore.h"
#include "platform/SystemLocale.h"
#include "ui/Allgemein.h"
#include "ui/MeterPolling.h"
#include "ui/Units.h"

#ifndef KELVOR_DEVELOPMENT_DIR
#define KELVOR_DEVELOPMENT_DIR ""
#endif

namespace kelvor {

frmMain::frmMain(AppGlobals& globals, const Clock& clock, QWidget* parent)
    : QMainWindow(parent),
      globals_(globals),
      clock_(clock),
      controls_(MainControls::build(this)),
      port_(globals),
      readingLabels_(controls_),
      readingHandler_(recording_, clock_, readingLabels_, readingConsumers_,
                      SystemLocale::decimalSeparator()),
      polling_(new MeterPolling(
          globals_, port_.serial(), [this](std::string& answer) { onAnswer(answer); }, this)) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("Kelvor"));
  const int menuHeight = menuBar()->sizeHint().height();
  resize(Units::pointsToPixels(DesignInnerWidth),
         Units::pointsToPixels(DesignInnerHeight) + menuHeight);
}

frmMain::~frmMain() = default;

void frmMain::Form_Load() {
  // A build can name its developer's folder; started from there the program never polls.
  const std::string developmentDir = KELVOR_DEVELOPMENT_DIR;
  if (!developmentDir.empty() && globals_.AppDir == developmentDir)
    polling_->timMessung().setEnabled(false);

  InitVars();
  GetSettings();
  makeLang();
  fillRangeLists();
  fillDurationList();
  controls_.createAxisLabels();
  Form_Resize();
  FullReDraw(0);
  reset();
  globals_.PortOpen = port_.OpenPort(this);
  recording_.ActiveColor = 10;
  GetAlarm();
  restorePlacement();
  show();
}

// The start-up steps below belong to the trace store, the axes, the ranges, the alarm and
// the persisted settings; each fills its step here.
void frmMain::InitVars() {}
void frmMain::GetSettings() {
  const SettingsStore store;
  saved_ = StoredSettings::read([&store](const std::string& key) { return store.value(key); },
                                SystemLocale::decimalSeparator());
  globals_.PrintColored = saved_.PrintColored;
  controls_.chkAutoScale->setChecked(saved_.AutoScale);
  globals_.ComPort = saved_.Port;
  globals_.ComBaud = saved_.BPS;
  globals_.MeterType = saved_.Device;
  globals_.FrameLength = AppGlobals::frameLengthFor(globals_.MeterType);
}
void frmMain::SaveSettings() {
  hide();
}
void frmMain::makeLang() {}
void frmMain::fillRangeLists() {}
void frmMain::fillDurationList() {}
void frmMain::Form_Resize() {}
void frmMain::FullReDraw(int) {}
void frmMain::reset() {}
void frmMain::GetAlarm() {}

void frmMain::restorePlacement() {
  Allgemein::CentreForm(this);
}

void frmMain::onAnswer(std::string& answer) {
  readingHandler_.Messung(answer);
}

void frmMain::closeEvent(QCloseEvent* event) {
  QueryUnload();
  event->accept();
  // Closing the main window ends the program, whatever else is still open.
  QCoreApplication::quit();
}

void frmMain::QueryUnload() {
  if (unloaded_) return;
  unloaded_ = true;
  SaveSettings();
  // The dialogs go with the main window.
  for (QWidget* top : QApplication::topLevelWidgets())
    if (top != this && top->isWindow()) top->close();
  polling_->timMessung().setEnabled(false);
  polling_->ReadDataTimer().setEnabled(false);
  port_.ClosePort();
}

}  // namespace kelvor
