// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/PrinterDialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <optional>
#include <vector>

#include "core/settings/InterfaceLanguage.h"
#include "platform/MessageTexts.h"
#include "platform/PrinterCatalog.h"
#include "ui/common/BusyPointer.h"
#include "ui/common/ObjectNames.h"
#include "ui/common/WindowTools.h"
#include "ui/printing/PrinterChoice.h"

namespace kelvor {

using ObjectNames::indexedName;

namespace {

template <typename T>
T* named(T* control, const QString& name) {
  control->setObjectName(name);
  return control;
}

}  // namespace

QPixmap PrinterDialog::orientationPicture(int index) {
  constexpr int Size = 32;
  const bool landscape = index == 1;
  QPixmap picture(Size, Size);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing, false);

  // The sheet: 22 x 30 upright, 30 x 22 on its side, with the top right corner folded.
  const QRect sheet = landscape ? QRect(1, 5, 30, 22) : QRect(5, 1, 22, 30);
  constexpr int Fold = 6;
  QPolygon outline;
  outline << sheet.topLeft() << QPoint(sheet.right() - Fold, sheet.top())
          << QPoint(sheet.right(), sheet.top() + Fold) << sheet.bottomRight() << sheet.bottomLeft();
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::white);
  p.drawPolygon(outline);
  p.drawPolyline(QPolygon() << QPoint(sheet.right() - Fold, sheet.top())
                            << QPoint(sheet.right() - Fold, sheet.top() + Fold)
                            << QPoint(sheet.right(), sheet.top() + Fold));

  // The large grey A, upright on the sheet either way, drawn as strokes so that it looks the
  // same whatever fonts the machine has.
  const QRect letter = sheet.adjusted(5, 5, -5, -3);
  const QPoint apex(letter.center().x(), letter.top());
  const QPoint leftFoot = letter.bottomLeft();
  const QPoint rightFoot = letter.bottomRight();
  const int barY = letter.top() + letter.height() * 3 / 5;
  auto onLeg = [&](const QPoint& foot) {
    const double t =
        static_cast<double>(barY - apex.y()) / static_cast<double>(foot.y() - apex.y());
    return QPointF(apex.x() + t * (foot.x() - apex.x()), barY);
  };
  QPainterPath a;
  a.moveTo(leftFoot);
  a.lineTo(apex);
  a.lineTo(rightFoot);
  a.moveTo(onLeg(leftFoot));
  a.lineTo(onLeg(rightFoot));
  p.setPen(QPen(QColor(128, 128, 128), 3, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(a);
  return picture;
}

bool PrinterDialog::pageSetupDialog(QPrinter& printer, QWidget* owner) {
  QPageSetupDialog dialog(&printer, owner);
  return dialog.exec() == QDialog::Accepted;
}

PrinterDialog::PrinterDialog(PrintOptions& options, PrinterChoice& choice, QWidget* reference)
    : QDialog(reference),
      showProperties(&PrinterDialog::pageSetupDialog),
      options_(options),
      choice_(choice),
      owner_(reference) {
  setObjectName(QLatin1String(ObjectNames::frmPrtDlg));
  setWindowTitle(tr("Drucker"));
  buildControls();
  fillIn(reference);
}

// The printer's name, driver and port, and the button to its settings.
void PrinterDialog::buildPrinterGroup() {
  printerGroup = named(new QGroupBox(tr("Drucker"), this), QLatin1String(ObjectNames::fraDrucker));
  printerList = named(new QComboBox(printerGroup), QLatin1String(ObjectNames::cboPrinter));
  printerList->setEditable(false);
  printerList->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  const char* const nameCaptions[] = {QT_TR_NOOP("Name:"), QT_TR_NOOP("Treiber:"),
                                      QT_TR_NOOP("Anschluß:")};
  for (std::size_t i = 0; i < fieldCaptions.size(); ++i)
    fieldCaptions[i] =
        named(new QLabel(tr(nameCaptions[i]), printerGroup), indexedName(ObjectNames::lblName, i));
  printerTypeLabel = named(new QLabel(QStringLiteral("Ein Drucker"), printerGroup),
                           QLatin1String(ObjectNames::lblTyp));
  printerPortLabel = named(new QLabel(QStringLiteral("Ein Port"), printerGroup),
                           QLatin1String(ObjectNames::lblPort));
  for (QLabel* info : {printerTypeLabel, printerPortLabel})
    info->setTextInteractionFlags(Qt::TextSelectableByMouse);
  printerSettingsButton = named(new QPushButton(tr("&Einstellungen"), printerGroup),
                                QLatin1String(ObjectNames::cmdSettings));
  connect(printerSettingsButton, &QPushButton::clicked, this,
          &PrinterDialog::onPrinterSettingsClicked);

  auto* printerGrid = new QGridLayout(printerGroup);
  printerGrid->addWidget(fieldCaptions[0], 0, 0);
  printerGrid->addWidget(printerList, 0, 1);
  printerGrid->addWidget(printerSettingsButton, 0, 2);
  printerGrid->addWidget(fieldCaptions[1], 1, 0);
  printerGrid->addWidget(printerTypeLabel, 1, 1, 1, 2);
  printerGrid->addWidget(fieldCaptions[2], 2, 0);
  printerGrid->addWidget(printerPortLabel, 2, 1, 1, 2);
  printerGrid->setColumnStretch(1, 1);
}

void PrinterDialog::buildControls() {
  buildPrinterGroup();

  // The two option groups are exclusive each on its own.
  auto* colours = new QButtonGroup(this);
  channelButtons[0] = named(new QRadioButton(tr("&Farbe / Graustufen"), this),
                            indexedName(ObjectNames::optColor, 0));
  channelButtons[1] =
      named(new QRadioButton(tr("&Schwarz/weiß"), this), indexedName(ObjectNames::optColor, 1));
  auto* orientations = new QButtonGroup(this);
  orientationButtons[0] =
      named(new QRadioButton(tr("&Hochformat"), this), indexedName(ObjectNames::optOri, 0));
  orientationButtons[1] =
      named(new QRadioButton(tr("&Querformat"), this), indexedName(ObjectNames::optOri, 1));
  for (std::size_t i = 0; i < channelButtons.size(); ++i) {
    colours->addButton(channelButtons[i], static_cast<int>(i));
    orientations->addButton(orientationButtons[i], static_cast<int>(i));
    connect(orientationButtons[i], &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) onOrientationChosen(static_cast<int>(i));
    });
  }

  imgOrientation = named(new QLabel(this), QLatin1String(ObjectNames::imgOrientation));
  imgOrientation->setFixedSize(32, 32);
  for (std::size_t i = 0; i < imgOri.size(); ++i) {
    imgOri[i] = named(new QLabel(this), indexedName(ObjectNames::imgOri, i));
    imgOri[i]->setPixmap(orientationPicture(static_cast<int>(i)));
    imgOri[i]->setFixedSize(32, 32);
    imgOri[i]->hide();  // only the sources of imgOrientation
  }

  okButton = named(new QPushButton(tr("OK"), this), QLatin1String(ObjectNames::cmdOK));
  okButton->setDefault(true);
  cancelButton =
      named(new QPushButton(tr("Abbrechen"), this), QLatin1String(ObjectNames::cmdCancel));
  connect(okButton, &QPushButton::clicked, this, &PrinterDialog::onOkClicked);
  connect(cancelButton, &QPushButton::clicked, this, &PrinterDialog::onCancelClicked);

  auto* colourColumn = new QVBoxLayout;
  colourColumn->addWidget(channelButtons[0]);
  colourColumn->addWidget(channelButtons[1]);
  colourColumn->addStretch();
  auto* orientationColumn = new QVBoxLayout;
  orientationColumn->addWidget(orientationButtons[0]);
  orientationColumn->addWidget(orientationButtons[1]);
  orientationColumn->addStretch();
  auto* options = new QHBoxLayout;
  options->addLayout(colourColumn);
  options->addSpacing(16);
  options->addWidget(imgOrientation, 0, Qt::AlignTop);
  options->addLayout(orientationColumn);
  options->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(okButton);
  buttons->addWidget(cancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(printerGroup);
  layout->addLayout(options);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PrinterDialog::fillIn(QWidget* reference) {
  SavedPrinter = choice_.name();
  SavedPdfFile = choice_.pdfFile();

  // Listing the printers changes nothing; the list selects nothing by itself. The PDF file
  // comes last.
  {
    const QSignalBlocker quiet(printerList);
    printerList->addItems(PrinterCatalog::printerNames());
    printerList->addItem(QString::fromStdString(messageText(Message(MessageId::PdfFile))));
    printerList->setCurrentIndex(-1);
  }
  connect(printerList, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int index) {
    if (index >= 0) onPrinterChosen();
  });
  // The entry of the current printer, if it is listed; otherwise none is selected.
  const int current =
      SavedPdfFile
          ? pdfItem()
          : printerList->findText(choice_.deviceName(), Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (current >= 0) printerList->setCurrentIndex(current);

  channelButtons[options_.PrintColored ? 0 : 1]->setChecked(true);
  refreshInfos();

  adjustSize();
  WindowTools::centreWindow(this, reference);
  WindowTools::setMousePointer(MousePointer::Default);
}

int PrinterDialog::pdfItem() const {
  return printerList->count() - 1;
}

void PrinterDialog::choose(const QString& printer, bool pdfFile) {
  pdfFile ? choice_.choosePdfFile() : choice_.setName(printer);
}

void PrinterDialog::refreshInfos() {
  const std::optional<PrinterDetails> details = PrinterCatalog::details(choice_.deviceName());
  printerTypeLabel->setText(details             ? details->makeAndModel
                            : choice_.pdfFile() ? printerList->itemText(pdfItem())
                                                : QString());
  printerPortLabel->setText(details ? details->deviceUri : QString());
  const PageOrientation o = choice_.orientation();
  if (o != PageOrientation::Unknown) {
    const std::size_t index = o == PageOrientation::Landscape ? 1 : 0;
    orientationButtons[index]->setChecked(true);
    imgOrientation->setPixmap(imgOri[index]->pixmap());
  }
}

void PrinterDialog::onPrinterChosen() {
  choose(printerList->currentText(), printerList->currentIndex() == pdfItem());
  refreshInfos();
  WindowTools::setMousePointer(MousePointer::Default);
}

void PrinterDialog::onOrientationChosen(int index) {
  // Only the picture follows; the printer's orientation is changed through its settings.
  imgOrientation->setPixmap(imgOri[static_cast<std::size_t>(index)]->pixmap());
}

void PrinterDialog::onPrinterSettingsClicked() {
  // The settings of a printer that cannot be opened are not offered.
  QPrinter printer(QPrinter::HighResolution);
  if (!choice_.setUp(printer) || !printer.isValid()) return;
  if (showProperties && showProperties(printer, owner_ ? owner_ : this)) {
    choice_.setPageLayout(printer.printerName(), printer.pageLayout());
    refreshInfos();  // the orientation may have changed
  }
}

void PrinterDialog::onOkClicked() {
  const BusyPointer wait;
  SavedPdfFile = printerList->currentIndex() == pdfItem();
  SavedPrinter =
      printerList->currentIndex() >= 0 && !SavedPdfFile ? printerList->currentText() : QString();
  choose(SavedPrinter, SavedPdfFile);
  options_.PrintColored = channelButtons[0]->isChecked();
  accept();
}

void PrinterDialog::onCancelClicked() {
  const BusyPointer wait;
  choose(SavedPrinter, SavedPdfFile);
  reject();
}

void PrinterDialog::done(int result) {
  restoreChoice();
  QDialog::done(result);
}

void PrinterDialog::restoreChoice() {
  const BusyPointer wait;
  choose(SavedPrinter, SavedPdfFile);
}

}  // namespace kelvor
