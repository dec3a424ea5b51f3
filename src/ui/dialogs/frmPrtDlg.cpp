// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/frmPrtDlg.h"

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
#include "ui/common/Allgemein.h"
#include "ui/common/BusyPointer.h"
#include "ui/common/ObjectNames.h"
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

QPixmap frmPrtDlg::orientationPicture(int index) {
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

bool frmPrtDlg::pageSetupDialog(QPrinter& printer, QWidget* owner) {
  QPageSetupDialog dialog(&printer, owner);
  return dialog.exec() == QDialog::Accepted;
}

frmPrtDlg::frmPrtDlg(PrintOptions& options, PrinterChoice& choice, QWidget* reference)
    : QDialog(reference),
      showProperties(&frmPrtDlg::pageSetupDialog),
      options_(options),
      choice_(choice),
      owner_(reference) {
  setObjectName(QLatin1String(ObjectNames::frmPrtDlg));
  setWindowTitle(tr("Drucker"));
  buildControls();
  Form_Load(reference);
}

// The printer's name, driver and port, and the button to its settings.
void frmPrtDlg::buildPrinterGroup() {
  fraDrucker = named(new QGroupBox(tr("Drucker"), this), QLatin1String(ObjectNames::fraDrucker));
  cboPrinter = named(new QComboBox(fraDrucker), QLatin1String(ObjectNames::cboPrinter));
  cboPrinter->setEditable(false);
  cboPrinter->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  const char* const nameCaptions[] = {QT_TR_NOOP("Name:"), QT_TR_NOOP("Treiber:"),
                                      QT_TR_NOOP("Anschluß:")};
  for (std::size_t i = 0; i < lblName.size(); ++i)
    lblName[i] =
        named(new QLabel(tr(nameCaptions[i]), fraDrucker), indexedName(ObjectNames::lblName, i));
  lblTyp = named(new QLabel(QStringLiteral("Ein Drucker"), fraDrucker),
                 QLatin1String(ObjectNames::lblTyp));
  lblPort = named(new QLabel(QStringLiteral("Ein Port"), fraDrucker),
                  QLatin1String(ObjectNames::lblPort));
  for (QLabel* info : {lblTyp, lblPort}) info->setTextInteractionFlags(Qt::TextSelectableByMouse);
  cmdSettings = named(new QPushButton(tr("&Einstellungen"), fraDrucker),
                      QLatin1String(ObjectNames::cmdSettings));
  connect(cmdSettings, &QPushButton::clicked, this, &frmPrtDlg::cmdSettings_Click);

  auto* printerGrid = new QGridLayout(fraDrucker);
  printerGrid->addWidget(lblName[0], 0, 0);
  printerGrid->addWidget(cboPrinter, 0, 1);
  printerGrid->addWidget(cmdSettings, 0, 2);
  printerGrid->addWidget(lblName[1], 1, 0);
  printerGrid->addWidget(lblTyp, 1, 1, 1, 2);
  printerGrid->addWidget(lblName[2], 2, 0);
  printerGrid->addWidget(lblPort, 2, 1, 1, 2);
  printerGrid->setColumnStretch(1, 1);
}

void frmPrtDlg::buildControls() {
  buildPrinterGroup();

  // The two option groups are exclusive each on its own.
  auto* colours = new QButtonGroup(this);
  optColor[0] = named(new QRadioButton(tr("&Farbe / Graustufen"), this),
                      indexedName(ObjectNames::optColor, 0));
  optColor[1] =
      named(new QRadioButton(tr("&Schwarz/weiß"), this), indexedName(ObjectNames::optColor, 1));
  auto* orientations = new QButtonGroup(this);
  optOri[0] = named(new QRadioButton(tr("&Hochformat"), this), indexedName(ObjectNames::optOri, 0));
  optOri[1] = named(new QRadioButton(tr("&Querformat"), this), indexedName(ObjectNames::optOri, 1));
  for (std::size_t i = 0; i < optColor.size(); ++i) {
    colours->addButton(optColor[i], static_cast<int>(i));
    orientations->addButton(optOri[i], static_cast<int>(i));
    connect(optOri[i], &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) optOri_Click(static_cast<int>(i));
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

  cmdOK = named(new QPushButton(tr("OK"), this), QLatin1String(ObjectNames::cmdOK));
  cmdOK->setDefault(true);
  cmdCancel = named(new QPushButton(tr("Abbrechen"), this), QLatin1String(ObjectNames::cmdCancel));
  connect(cmdOK, &QPushButton::clicked, this, &frmPrtDlg::cmdOK_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &frmPrtDlg::cmdCancel_Click);

  auto* colourColumn = new QVBoxLayout;
  colourColumn->addWidget(optColor[0]);
  colourColumn->addWidget(optColor[1]);
  colourColumn->addStretch();
  auto* orientationColumn = new QVBoxLayout;
  orientationColumn->addWidget(optOri[0]);
  orientationColumn->addWidget(optOri[1]);
  orientationColumn->addStretch();
  auto* options = new QHBoxLayout;
  options->addLayout(colourColumn);
  options->addSpacing(16);
  options->addWidget(imgOrientation, 0, Qt::AlignTop);
  options->addLayout(orientationColumn);
  options->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(fraDrucker);
  layout->addLayout(options);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmPrtDlg::Form_Load(QWidget* reference) {
  SavedPrinter = choice_.name();
  SavedPdfFile = choice_.pdfFile();

  // Listing the printers changes nothing; the list selects nothing by itself. The PDF file
  // comes last.
  {
    const QSignalBlocker quiet(cboPrinter);
    cboPrinter->addItems(PrinterCatalog::printerNames());
    cboPrinter->addItem(QString::fromStdString(messageText(Message(MessageId::PdfFile))));
    cboPrinter->setCurrentIndex(-1);
  }
  connect(cboPrinter, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int index) {
    if (index >= 0) cboPrinter_Click();
  });
  // The entry of the current printer, if it is listed; otherwise none is selected.
  const int current =
      SavedPdfFile
          ? pdfItem()
          : cboPrinter->findText(choice_.deviceName(), Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (current >= 0) cboPrinter->setCurrentIndex(current);

  optColor[options_.PrintColored ? 0 : 1]->setChecked(true);
  refreshInfos();

  adjustSize();
  Allgemein::CentreForm(this, reference);
  Allgemein::SetMousePointer(MousePointer::Default);
}

int frmPrtDlg::pdfItem() const {
  return cboPrinter->count() - 1;
}

void frmPrtDlg::choose(const QString& printer, bool pdfFile) {
  pdfFile ? choice_.choosePdfFile() : choice_.setName(printer);
}

void frmPrtDlg::refreshInfos() {
  const std::optional<PrinterDetails> details = PrinterCatalog::details(choice_.deviceName());
  lblTyp->setText(details             ? details->makeAndModel
                  : choice_.pdfFile() ? cboPrinter->itemText(pdfItem())
                                      : QString());
  lblPort->setText(details ? details->deviceUri : QString());
  const PageOrientation o = choice_.orientation();
  if (o != PageOrientation::Unknown) {
    const std::size_t index = o == PageOrientation::Landscape ? 1 : 0;
    optOri[index]->setChecked(true);
    imgOrientation->setPixmap(imgOri[index]->pixmap());
  }
}

void frmPrtDlg::cboPrinter_Click() {
  choose(cboPrinter->currentText(), cboPrinter->currentIndex() == pdfItem());
  refreshInfos();
  Allgemein::SetMousePointer(MousePointer::Default);
}

void frmPrtDlg::optOri_Click(int index) {
  // Only the picture follows; the printer's orientation is changed through its settings.
  imgOrientation->setPixmap(imgOri[static_cast<std::size_t>(index)]->pixmap());
}

void frmPrtDlg::cmdSettings_Click() {
  // The settings of a printer that cannot be opened are not offered.
  QPrinter printer(QPrinter::HighResolution);
  if (!choice_.setUp(printer) || !printer.isValid()) return;
  if (showProperties && showProperties(printer, owner_ ? owner_ : this)) {
    choice_.setPageLayout(printer.printerName(), printer.pageLayout());
    refreshInfos();  // the orientation may have changed
  }
}

void frmPrtDlg::cmdOK_Click() {
  const BusyPointer wait;
  SavedPdfFile = cboPrinter->currentIndex() == pdfItem();
  SavedPrinter =
      cboPrinter->currentIndex() >= 0 && !SavedPdfFile ? cboPrinter->currentText() : QString();
  choose(SavedPrinter, SavedPdfFile);
  options_.PrintColored = optColor[0]->isChecked();
  accept();
}

void frmPrtDlg::cmdCancel_Click() {
  const BusyPointer wait;
  choose(SavedPrinter, SavedPdfFile);
  reject();
}

void frmPrtDlg::done(int result) {
  Form_QueryUnload();
  QDialog::done(result);
}

void frmPrtDlg::Form_QueryUnload() {
  const BusyPointer wait;
  choose(SavedPrinter, SavedPdfFile);
}

}  // namespace kelvor
