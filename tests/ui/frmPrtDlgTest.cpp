#include "ui/frmPrtDlg.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPixmap>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

#include "platform/PrinterCatalog.h"
#include "support/CupsTestServer.h"
#include "ui/PrinterChoice.h"

// Readable failure messages for Qt texts.
static void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace kelvor {
namespace {

using testing::CupsTestServer;

const QString& landscapeName() {
  return CupsTestServer::landscapeQueue().name;
}
const QString& portraitName() {
  return CupsTestServer::portraitQueue().name;
}

// The part of a picture that is not transparent.
QRect inkBox(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) != 0) box |= QRect(x, y, 1, 1);
  return box;
}

// Which orientation option is checked: 0, 1, or -1 for none.
int checkedOrientation(const frmPrtDlg& d) {
  if (d.optOri[0]->isChecked()) return 0;
  if (d.optOri[1]->isChecked()) return 1;
  return -1;
}

// Which of the two pictures imgOrientation shows: 0, 1, or -1 for neither.
int shownPicture(const frmPrtDlg& d) {
  const QImage shown = d.imgOrientation->pixmap().toImage();
  for (int i = 0; i < 2; ++i)
    if (!shown.isNull() && shown == d.imgOri[static_cast<std::size_t>(i)]->pixmap().toImage())
      return i;
  return -1;
}

QStringList items(const frmPrtDlg& d) {
  QStringList texts;
  for (int i = 0; i < d.cboPrinter->count(); ++i) texts << d.cboPrinter->itemText(i);
  return texts;
}

void pressEscape(QWidget& window) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(&window, &press);
}

// Runs `action` on the first modal window of type T once it is up (inside its own loop).
template <typename T>
void whenModalOpens(std::function<void(T&)> action, int attempts = 50) {
  QTimer::singleShot(0, qApp, [action, attempts] {
    if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget())) return action(*window);
    if (attempts > 0) {
      whenModalOpens<T>(action, attempts - 1);
    } else {
      ADD_FAILURE() << "the modal window did not open";
    }
  });
}

// The pictures need no printer.
TEST(frmPrtDlgPictures, UprightPageAndPageOnItsSide) {
  const QImage upright = frmPrtDlg::orientationPicture(0).toImage();
  const QImage onSide = frmPrtDlg::orientationPicture(1).toImage();
  ASSERT_EQ(upright.size(), QSize(32, 32));
  ASSERT_EQ(onSide.size(), QSize(32, 32));
  const QRect tall = inkBox(upright);
  const QRect wide = inkBox(onSide);
  EXPECT_GT(tall.height(), tall.width() + 4);
  EXPECT_GT(wide.width(), wide.height() + 4);
  // Both carry a grey letter on a white sheet.
  for (const QImage* picture : {&upright, &onSide}) {
    int grey = 0;
    int white = 0;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        const QRgb p = picture->pixel(x, y);
        if (qAlpha(p) == 0) continue;
        if (p == qRgb(128, 128, 128)) ++grey;
        if (p == qRgb(255, 255, 255)) ++white;
      }
    }
    EXPECT_GT(grey, 30);
    EXPECT_GT(white, grey);
  }
}

// The captions in either language need no printer either.
TEST(frmPrtDlgCaptions, GermanAsBuiltEnglishFromTheTable) {
  struct Case {
    int langCode;
    std::vector<std::pair<const char*, const char*>> captions;
  };
  const std::vector<std::pair<const char*, const char*>> german = {
      {"frmPrtDlg", "Drucker"},
      {"fraDrucker", "Drucker"},
      {"lblName(0)", "Name:"},
      {"lblName(1)", "Treiber:"},
      {"lblName(2)", "Anschluß:"},
      {"cmdSettings", "&Einstellungen"},
      {"optColor(0)", "&Farbe / Graustufen"},
      {"optColor(1)", "&Schwarz/weiß"},
      {"optOri(0)", "&Hochformat"},
      {"optOri(1)", "&Querformat"},
      {"cmdOK", "OK"},
      {"cmdCancel", "Abbrechen"},
  };
  const std::vector<std::pair<const char*, const char*>> english = {
      {"frmPrtDlg", "Printer"},
      {"fraDrucker", "Printer"},
      {"lblName(0)", "Name:"},
      {"lblName(1)", "Driver:"},
      {"lblName(2)", "Port:"},
      {"cmdSettings", "&Settings"},
      {"optColor(0)", "&Colored / Grayscaled"},
      {"optColor(1)", "&Mono"},
      {"optOri(0)", "&Hochformat"},
      {"optOri(1)", "&Querformat"},
      {"cmdOK", "OK"},
      {"cmdCancel", "Cancel"},
  };
  const std::vector<Case> cases = {{0, german}, {1, english}, {2, english}, {3, german}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.langCode);
    AppGlobals globals;
    globals.LangCode = c.langCode;
    PrinterChoice choice;
    frmPrtDlg d(globals, choice);
    for (const auto& [name, caption] : c.captions) {
      SCOPED_TRACE(name);
      const QString expected = QString::fromUtf8(caption);
      const QString objectName = QLatin1String(name);
      if (objectName == QLatin1String("frmPrtDlg")) {
        EXPECT_EQ(d.objectName(), objectName);
        EXPECT_EQ(d.windowTitle(), expected);
      } else if (auto* frame = d.findChild<QGroupBox*>(objectName)) {
        EXPECT_EQ(frame->title(), expected);
      } else if (auto* label = d.findChild<QLabel*>(objectName)) {
        EXPECT_EQ(label->text(), expected);
      } else if (auto* button = d.findChild<QAbstractButton*>(objectName)) {
        EXPECT_EQ(button->text(), expected);
      } else {
        ADD_FAILURE() << "no control " << name;
      }
    }
    EXPECT_TRUE(d.makeLang(c.langCode).isEmpty());  // every table entry found its control
  }
}

class PrinterDialogTest : public testing::WithCupsTestServer {
 protected:
  std::unique_ptr<frmPrtDlg> open(QWidget* reference = nullptr) {
    return std::make_unique<frmPrtDlg>(globals, choice, reference);
  }
  AppGlobals globals;
  PrinterChoice choice;
};

TEST_F(PrinterDialogTest, ListsThePrintersAndShowsTheCurrentOne) {
  struct Case {
    QString current;  // empty: the system's default printer
    int selected;
    const testing::TestQueue& queue;
  };
  const std::vector<Case> cases = {
      {QString(), 1, CupsTestServer::portraitQueue()},
      {portraitName(), 1, CupsTestServer::portraitQueue()},
      {landscapeName(), 0, CupsTestServer::landscapeQueue()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.current.toStdString());
    choice.setName(c.current);
    const auto d = open();
    EXPECT_EQ(items(*d), QStringList({landscapeName(), portraitName()}));
    EXPECT_EQ(d->cboPrinter->currentIndex(), c.selected);
    EXPECT_EQ(d->lblTyp->text(), c.queue.makeAndModel);
    EXPECT_EQ(d->lblPort->text(), QStringLiteral("file://") + server().outputFile(c.queue.name));
    // While the dialog is open the current printer follows the list.
    EXPECT_EQ(choice.name(), c.queue.name);
  }
}

TEST_F(PrinterDialogTest, ChoosingAnotherPrinterShowsItsDetails) {
  choice.setName(portraitName());
  const auto d = open();
  d->cboPrinter->setCurrentIndex(0);
  EXPECT_EQ(choice.name(), landscapeName());
  EXPECT_EQ(d->lblTyp->text(), CupsTestServer::landscapeQueue().makeAndModel);
  EXPECT_EQ(d->lblPort->text(), QStringLiteral("file://") + server().outputFile(landscapeName()));
  EXPECT_EQ(checkedOrientation(*d), 1);
  EXPECT_EQ(shownPicture(*d), 1);
  d->cboPrinter->setCurrentIndex(1);
  EXPECT_EQ(choice.name(), portraitName());
  EXPECT_EQ(checkedOrientation(*d), 0);
  EXPECT_EQ(shownPicture(*d), 0);
}

TEST_F(PrinterDialogTest, OrientationOptionAndPictureFollowThePrinter) {
  struct Case {
    QString printer;
    int orientation;
    const char* checkedCaption;
  };
  const std::vector<Case> cases = {{landscapeName(), 1, "&Querformat"},
                                   {portraitName(), 0, "&Hochformat"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.printer.toStdString());
    choice.setName(c.printer);
    const auto d = open();
    ASSERT_EQ(checkedOrientation(*d), c.orientation);
    EXPECT_EQ(d->optOri[static_cast<std::size_t>(c.orientation)]->text(),
              QLatin1String(c.checkedCaption));
    EXPECT_EQ(shownPicture(*d), c.orientation);
    const QRect ink = inkBox(d->imgOrientation->pixmap().toImage());
    EXPECT_EQ(ink.width() > ink.height(), c.orientation == 1);
  }
}

TEST_F(PrinterDialogTest, OrientationOptionsChangeOnlyThePicture) {
  choice.setName(portraitName());
  const auto d = open();
  d->optOri[1]->click();
  EXPECT_EQ(shownPicture(*d), 1);
  EXPECT_EQ(choice.orientation(), PrinterCatalog::Portrait);
  d->optOri[0]->click();
  EXPECT_EQ(shownPicture(*d), 0);
}

TEST_F(PrinterDialogTest, ColourOptionShowsPrintColored) {
  for (const bool coloured : {false, true}) {
    SCOPED_TRACE(coloured);
    globals.PrintColored = coloured;
    const auto d = open();
    EXPECT_EQ(d->optColor[0]->isChecked(), coloured);
    EXPECT_EQ(d->optColor[1]->isChecked(), !coloured);
  }
}

// Abbrechen, Escape and the close box: the printer current at opening comes back, exactly as
// it was chosen (the system default stays "the default"), and PrintColored stays.
TEST_F(PrinterDialogTest, ClosingWithoutOkRestoresThePrinter) {
  enum class Closing { Cancel, Escape, CloseBox };
  struct Case {
    const char* what;
    Closing closing;
    QString before;
    bool coloured;
  };
  const std::vector<Case> cases = {
      {"Abbrechen", Closing::Cancel, portraitName(), false},
      {"Abbrechen from the default", Closing::Cancel, QString(), true},
      {"Escape", Closing::Escape, landscapeName(), true},
      {"close box", Closing::CloseBox, portraitName(), true},
      {"close box from the default", Closing::CloseBox, QString(), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    choice.setName(c.before);
    globals.PrintColored = c.coloured;
    const auto d = open();
    d->show();
    const int other = d->cboPrinter->currentIndex() == 0 ? 1 : 0;
    d->cboPrinter->setCurrentIndex(other);
    ASSERT_EQ(choice.name(), d->cboPrinter->itemText(other));
    d->optColor[c.coloured ? 1 : 0]->click();
    switch (c.closing) {
      case Closing::Cancel:
        d->cmdCancel->click();
        break;
      case Closing::Escape:
        pressEscape(*d);
        break;
      case Closing::CloseBox:
        d->close();
        break;
    }
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(d->result(), QDialog::Rejected);
    EXPECT_EQ(choice.name(), c.before);
    EXPECT_EQ(globals.PrintColored, c.coloured);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  }
}

TEST_F(PrinterDialogTest, OkMakesTheChosenPrinterCurrentAndSetsPrintColored) {
  struct Case {
    QString before;
    int chosen;
    bool colouredBefore;
    int colourOption;
  };
  const std::vector<Case> cases = {
      {portraitName(), 0, false, 0},
      {landscapeName(), 1, true, 1},
      {QString(), 0, true, 0},
      {QString(), 1, false, 1},  // the default chosen by name: it stays even if the default moves
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen);
    choice.setName(c.before);
    globals.PrintColored = c.colouredBefore;
    const auto d = open();
    d->show();
    d->cboPrinter->setCurrentIndex(c.chosen);
    d->optColor[static_cast<std::size_t>(c.colourOption)]->click();
    d->cmdOK->click();
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(choice.name(), d->cboPrinter->itemText(c.chosen));
    EXPECT_EQ(globals.PrintColored, c.colourOption == 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  }
}

// The way the main window uses it: shown modally, then gone.
TEST_F(PrinterDialogTest, ModalRunEndsWithOk) {
  choice.setName(portraitName());
  globals.PrintColored = false;
  whenModalOpens<frmPrtDlg>([](frmPrtDlg& d) {
    d.cboPrinter->setCurrentIndex(0);
    d.optColor[0]->click();
    d.cmdOK->click();
  });
  EXPECT_EQ(open()->exec(), QDialog::Accepted);
  EXPECT_EQ(choice.name(), landscapeName());
  EXPECT_TRUE(globals.PrintColored);
}

TEST_F(PrinterDialogTest, CurrentPrinterThatIsNotInstalled) {
  choice.setName(QStringLiteral("RemovedPrinter"));
  globals.PrintColored = true;
  {
    const auto d = open();
    EXPECT_EQ(d->cboPrinter->currentIndex(), -1);
    EXPECT_EQ(d->lblTyp->text(), QString());
    EXPECT_EQ(d->lblPort->text(), QString());
    EXPECT_EQ(checkedOrientation(*d), -1);
    int shown = 0;
    d->showProperties = [&shown](QPrinter&, QWidget*) { return ++shown, true; };
    d->cmdSettings->click();
    EXPECT_EQ(shown, 0);  // a printer that cannot be opened offers no settings
    d->cmdCancel->click();
    EXPECT_EQ(choice.name(), QStringLiteral("RemovedPrinter"));
  }
  {
    // OK with nothing chosen goes back to the system's default printer.
    const auto d = open();
    d->cmdOK->click();
    EXPECT_EQ(choice.name(), QString());
    EXPECT_EQ(choice.deviceName(), portraitName());
  }
}

TEST_F(PrinterDialogTest, SettingsOfTheChosenPrinterAreKeptForPrinting) {
  choice.setName(portraitName());
  QWidget mainWindow;
  const auto d = open(&mainWindow);
  d->cboPrinter->setCurrentIndex(0);  // the landscape printer

  QString shownFor;
  QWidget* owner = nullptr;
  QPageLayout::Orientation offered = QPageLayout::Portrait;
  d->showProperties = [&](QPrinter& printer, QWidget* parent) {
    shownFor = printer.printerName();
    owner = parent;
    offered = printer.pageLayout().orientation();
    printer.setPageOrientation(QPageLayout::Portrait);
    return false;  // cancelled: nothing is kept
  };
  d->cmdSettings->click();
  EXPECT_EQ(shownFor, landscapeName());
  EXPECT_EQ(owner, &mainWindow);
  EXPECT_EQ(offered, QPageLayout::Landscape);
  EXPECT_EQ(choice.orientation(), PrinterCatalog::Landscape);

  d->showProperties = [](QPrinter& printer, QWidget*) {
    printer.setPageOrientation(QPageLayout::Portrait);
    return true;
  };
  d->cmdSettings->click();
  EXPECT_EQ(checkedOrientation(*d), 1);  // the dialog does not refresh its display
  EXPECT_EQ(choice.orientation(), PrinterCatalog::Portrait);
  QPrinter printer(QPrinter::HighResolution);
  ASSERT_TRUE(choice.setUp(printer));
  EXPECT_EQ(printer.printerName(), landscapeName());
  EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
  d->cmdOK->click();

  // The next opening shows the printer as set up.
  const auto again = open(&mainWindow);
  EXPECT_EQ(checkedOrientation(*again), 0);
  EXPECT_EQ(shownPicture(*again), 0);
}

TEST_F(PrinterDialogTest, SettingsOpenQtsPageSetupForThePrinter) {
  choice.setName(landscapeName());
  QWidget mainWindow;
  const auto d = open(&mainWindow);
  QString printerName;
  QWidget* parent = nullptr;
  whenModalOpens<QPageSetupDialog>([&](QPageSetupDialog& setup) {
    printerName = setup.printer()->printerName();
    parent = setup.parentWidget();
    setup.accept();
  });
  d->cmdSettings->click();
  EXPECT_EQ(printerName, landscapeName());
  EXPECT_EQ(parent, &mainWindow);
  const std::optional<QPageLayout> kept = choice.pageLayout(landscapeName());
  ASSERT_TRUE(kept.has_value());
  EXPECT_EQ(kept->orientation(), QPageLayout::Landscape);
}

}  // namespace
}  // namespace kelvor
