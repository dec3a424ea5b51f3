#include "ui/MainControls.h"

#include "ui/ScopeWidget.h"
#include "ui/Units.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <ostream>
#include <string>
#include <vector>

// Readable failure messages for Qt texts.
static void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace kelvor {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class MainControlsTest : public ::testing::Test {
 protected:
  void SetUp() override { controls = MainControls::build(&window); }

  template <typename T = QObject>
  T* named(const char* name) const {
    return window.findChild<T*>(QString::fromUtf8(name));
  }

  int countMatching(const QString& pattern) const {
    return static_cast<int>(window.findChildren<QObject*>(QRegularExpression(pattern)).size());
  }

  QMainWindow window;
  MainControls controls;
};

// The caption a user sees, whatever kind of control carries it.
QString captionOf(const QObject* object) {
  if (const auto* label = qobject_cast<const QLabel*>(object)) return label->text();
  if (const auto* button = qobject_cast<const QAbstractButton*>(object)) return button->text();
  if (const auto* frame = qobject_cast<const QGroupBox*>(object)) return frame->title();
  if (const auto* edit = qobject_cast<const QLineEdit*>(object)) return edit->text();
  if (const auto* action = qobject_cast<const QAction*>(object)) return action->text();
  return QString();
}

QStringList objectNames(const QList<QAction*>& actions) {
  QStringList names;
  for (const QAction* action : actions) names << action->objectName();
  return names;
}

TEST_F(MainControlsTest, EveryNamedControlExistsOnceWithItsKindAndGermanCaption) {
  struct Case {
    const char* name;
    const char* className;
    const char* caption;
  };
  const std::vector<Case> cases = {
      {"lblX(0)", "QLabel", "1"},
      {"lblY(0)", "QLabel", "0,00"},
      {"lblTpP", "QLabel", "10s / Pixel"},
      {"lblZeitEinheit", "QLabel", "t  -->"},
      {"Frame2", "QGroupBox", ""},
      {"Label7(0)", "QLabel", "&Meßdauer:"},
      {"cboMessDauer", "QComboBox", ""},
      {"chkAlarm", "QCheckBox", "A&larm wenn:"},
      {"txtAlarm", "QLineEdit", "< 0,8"},
      {"chkActive", "QCheckBox", "&Zeichnen Aktiv"},
      {"optDrawStyle(0)", "QRadioButton", "1/s"},
      {"optDrawStyle(1)", "QRadioButton", "1/Spalte"},
      {"cmdReset", "QPushButton", "&Reset"},
      {"cmdCLS", "QPushButton", "&Löschen"},
      {"lblVal", "QLabel", "0,000"},
      {"lblACDC", "QLabel", "MOhm"},
      {"Frame4", "QGroupBox", "Meßbereich"},
      {"Label6", "QLabel", "Y-Mi&n:"},
      {"cboYMin", "QComboBox", ""},
      {"Label8", "QLabel", "Y-Ma&x:"},
      {"cboYMax", "QComboBox", ""},
      {"chkAutoScale", "QCheckBox", "&Auto-Skalierung"},
      {"Frame1", "QGroupBox", "&Farbe"},
      {"optColor(0)", "QRadioButton", ""},
      {"optColor(5)", "QRadioButton", ""},
      {"Frame3", "QGroupBox", "Zeit"},
      {"Label3", "QLabel", "Aktuell:"},
      {"lblAkt", "QLabel", "22:22:22"},
      {"Label1", "QLabel", "Startzeit:"},
      {"lblStart", "QLabel", "22:22:22"},
      {"Label5", "QLabel", "Laufzeit:"},
      {"lblLauf", "QLabel", "22:22:22"},
      {"Label4", "QLabel", "Alarm bei:"},
      {"lblAbbr", "QLabel", "22:22:22"},
      {"mnuFileMain", "QAction", "&Datei"},
      {"mnuFile(0)", "QAction", "&Laden"},
      {"mnuFileLoad(0)", "QAction", "&Grün"},
      {"mnuFileLoad(1)", "QAction", "&Rot"},
      {"mnuFileLoad(2)", "QAction", "&Margenta"},
      {"mnuFileLoad(3)", "QAction", "&Blau"},
      {"mnuFileLoad(4)", "QAction", "&Cyan"},
      {"mnuFileLoad(5)", "QAction", "&Gelb"},
      {"mnuFile(1)", "QAction", "&Speichern"},
      {"mnuFileSave(0)", "QAction", "&Grün"},
      {"mnuFileSave(1)", "QAction", "&Rot"},
      {"mnuFileSave(2)", "QAction", "&Margenta"},
      {"mnuFileSave(3)", "QAction", "&Blau"},
      {"mnuFileSave(4)", "QAction", "&Cyan"},
      {"mnuFileSave(5)", "QAction", "&Gelb"},
      {"mnuPrint(0)", "QAction", "&Drucken"},
      {"mnuPrint(1)", "QAction", "Drucker &einrichten"},
      {"mnuFile2(4)", "QAction", "COM-P&ort"},
      {"mnuFile2(6)", "QAction", "&Beenden"},
      {"mnuEdit", "QAction", "&Bearbeiten"},
      {"mnuCopy(0)", "QAction", "Grafik kopieren farbig"},
      {"mnuCopy(1)", "QAction", "Grafik kopieren s/w"},
      {"mnuHelp", "QAction", "&Hilfe"},
      {"mnuInfo", "QAction", "&Info"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString name = QString::fromUtf8(c.name);
    const auto found = window.findChildren<QObject*>(name);
    ASSERT_EQ(found.size(), 1);
    EXPECT_STREQ(found.front()->metaObject()->className(), c.className);
    EXPECT_EQ(captionOf(found.front()), QString::fromUtf8(c.caption));
    if (const auto* action = qobject_cast<const QAction*>(found.front())) {
      EXPECT_FALSE(action->isSeparator());
    }
    if (const auto* combo = qobject_cast<const QComboBox*>(found.front())) {
      EXPECT_FALSE(combo->isEditable());
      EXPECT_EQ(combo->count(), 0);
    }
  }
}

TEST_F(MainControlsTest, SeparatorsAreNamedSeparatorActions) {
  for (const char* name : {"mnuFile(2)", "mnuFile2(3)", "mnuFile2(5)"}) {
    SCOPED_TRACE(name);
    const auto found = window.findChildren<QAction*>(QString::fromUtf8(name));
    ASSERT_EQ(found.size(), 1);
    EXPECT_TRUE(found.front()->isSeparator());
  }
}

TEST_F(MainControlsTest, ControlArraysHaveExactlyTheirMembers) {
  struct Case {
    const char* pattern;
    int count;
  };
  const std::vector<Case> cases = {
      {R"(^optColor\(\d+\)$)", 6},    {R"(^optDrawStyle\(\d+\)$)", 2}, {R"(^Picture2\(\d+\)$)", 6},
      {R"(^lblX\(\d+\)$)", 1},        {R"(^lblY\(\d+\)$)", 1},         {R"(^Label7\(\d+\)$)", 1},
      {R"(^mnuFileLoad\(\d+\)$)", 6}, {R"(^mnuFileSave\(\d+\)$)", 6},  {R"(^mnuFile\(\d+\)$)", 3},
      {R"(^mnuFile2\(\d+\)$)", 4},    {R"(^mnuPrint\(\d+\)$)", 2},     {R"(^mnuCopy\(\d+\)$)", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern);
    EXPECT_EQ(countMatching(QString::fromUtf8(c.pattern)), c.count);
  }
}

// Other parts reach the controls through the struct; each pointer must be the named object.
TEST_F(MainControlsTest, DesignBoxesInPointsRelativeToTheirContainer) {
  struct Case {
    const char* name;
    const char* container;
    double left, top, width, height;
  };
  const std::vector<Case> cases = {
      {"picScope", "centralArea", 24, 114, 439, 160},
      {"picControls", "centralArea", 24, 2, 439, 111.75},
      {"lblX(0)", "centralArea", 74.25, 276, 24.75, 9.75},
      {"lblY(0)", "centralArea", 0, 267, 20.25, 12.75},
      {"lblTpP", "centralArea", 162, 285, 87.75, 9.75},
      {"lblZeitEinheit", "centralArea", 297, 285, 39.75, 9.75},
      {"Line1", "centralArea", 0, 0, 2048, 1},
      {"Line2", "centralArea", 0, 1, 2048, 1},
      {"Frame2", "picControls", 0, 6, 120, 102.75},
      {"lblVal", "picControls", 126, 6, 114.75, 30},
      {"lblACDC", "picControls", 237, 6, 75.75, 30},
      {"Frame3", "picControls", 318, 6, 117.75, 102.75},
      {"cboMessDauer", "Frame2", 69, 9, 42.75, 15.75},
      {"txtAlarm", "Frame2", 69, 27, 42.75, 14.25},
      {"optDrawStyle(1)", "Frame2", 63, 61.5, 54.75, 12.75},
      {"cmdCLS", "Frame2", 66, 78, 42.75, 18.75},
      {"cboYMax", "Frame4", 42, 33, 48.75, 15.75},
      {"chkAutoScale", "Frame4", 18, 54, 72.75, 12.75},
      {"optColor(0)", "Frame1", 6, 24, 35, 9.75},
      {"optColor(2)", "Frame1", 6, 48, 35, 9.75},
      {"optColor(4)", "Frame1", 45, 36, 35, 9.75},
      {"Picture2(0)", "Frame1", 18, 27, 20, 1},
      {"Picture2(6)", "Frame1", 57, 39, 20, 1},
      {"Label4", "Frame3", 12, 75.75, 45.75, 9.75},
      {"lblAbbr", "Frame3", 63, 75.75, 33.75, 12.75},
  };
  const double onePixel = Units::pixelsToPoints(1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QWidget* widget = named<QWidget>(c.name);
    ASSERT_NE(widget, nullptr);
    ASSERT_NE(widget->parentWidget(), nullptr);
    EXPECT_EQ(widget->parentWidget()->objectName(), QString::fromUtf8(c.container));
    const QRect box = widget->geometry();
    EXPECT_NEAR(Units::pixelsToPoints(box.x()), c.left, onePixel);
    EXPECT_NEAR(Units::pixelsToPoints(box.y()), c.top, onePixel);
    EXPECT_NEAR(Units::pixelsToPoints(box.width()), c.width, onePixel);
    EXPECT_NEAR(Units::pixelsToPoints(box.height()), c.height, onePixel);
  }
}

TEST_F(MainControlsTest, StartupSelectionAndChecks) {
  struct Case {
    const char* name;
    bool checked;
  };
  const std::vector<Case> cases = {
      {"optColor(0)", true},  {"optColor(1)", false},    {"optColor(3)", false},
      {"optColor(5)", false}, {"optDrawStyle(0)", true}, {"optDrawStyle(1)", false},
      {"chkAlarm", false},    {"chkActive", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto* button = named<QAbstractButton>(c.name);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->isChecked(), c.checked);
  }
}

TEST_F(MainControlsTest, OptionGroupsAreExclusiveAndIndependent) {
  struct Case {
    const char* click;
    std::vector<const char*> checked;
    std::vector<const char*> unchecked;
  };
  const std::vector<Case> cases = {
      {"optColor(3)", {"optColor(3)", "optDrawStyle(0)"}, {"optColor(0)"}},
      {"optDrawStyle(1)", {"optDrawStyle(1)", "optColor(0)"}, {"optDrawStyle(0)"}},
      {"optColor(5)", {"optColor(5)"}, {"optColor(0)", "optColor(1)", "optColor(2)"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.click);
    QMainWindow fresh;
    MainControls::build(&fresh);
    auto* clicked = fresh.findChild<QAbstractButton*>(QString::fromUtf8(c.click));
    ASSERT_NE(clicked, nullptr);
    clicked->click();
    for (const char* name : c.checked) {
      SCOPED_TRACE(name);
      EXPECT_TRUE(fresh.findChild<QAbstractButton*>(QString::fromUtf8(name))->isChecked());
    }
    for (const char* name : c.unchecked) {
      SCOPED_TRACE(name);
      EXPECT_FALSE(fresh.findChild<QAbstractButton*>(QString::fromUtf8(name))->isChecked());
    }
  }
}

// Handlers report the member's index through the group's button id.
TEST_F(MainControlsTest, ColourBarsHaveTheirIndexesAndChannelColours) {
  struct Case {
    int index;
    QColor colour;
  };
  const std::vector<Case> cases = {
      {0, QColor(0, 255, 0)}, {1, QColor(255, 0, 0)},   {4, QColor(255, 0, 255)},
      {5, QColor(0, 0, 255)}, {6, QColor(0, 255, 255)}, {7, QColor(255, 255, 0)},
  };
  std::vector<int> keys;
  for (const auto& entry : controls.Picture2) keys.push_back(entry.first);
  EXPECT_THAT(keys, ElementsAre(0, 1, 4, 5, 6, 7));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    const QWidget* bar = controls.Picture2.at(c.index);
    EXPECT_EQ(bar->objectName(), QStringLiteral("Picture2(%1)").arg(c.index));
    EXPECT_EQ(bar->parentWidget(), controls.Frame1);
    EXPECT_TRUE(bar->autoFillBackground());
    EXPECT_EQ(bar->palette().color(QPalette::Window), c.colour);
  }
}

TEST_F(MainControlsTest, AxisLabelsAlignOnTheirTicks) {
  EXPECT_TRUE(controls.lblX[0]->alignment() & Qt::AlignHCenter);
  EXPECT_TRUE(controls.lblY[0]->alignment() & Qt::AlignRight);
}

TEST_F(MainControlsTest, CreateAxisLabelsCopiesMemberZeroOnce) {
  controls.createAxisLabels();
  controls.createAxisLabels();

  struct Case {
    const char* name;
    const std::vector<QLabel*>* labels;
    bool hidden;
  };
  const std::vector<Case> cases = {{"lblX", &controls.lblX, false}, {"lblY", &controls.lblY, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<QLabel*>& labels = *c.labels;
    ASSERT_EQ(labels.size(), 101u);
    EXPECT_EQ(countMatching(QStringLiteral(R"(^%1\(\d+\)$)").arg(QLatin1String(c.name))), 101);
    const QLabel* first = labels[0];
    EXPECT_FALSE(first->isHidden());
    for (int i = 1; i <= 100; ++i) {
      const QString name = QStringLiteral("%1(%2)").arg(QLatin1String(c.name)).arg(i);
      SCOPED_TRACE(name.toStdString());
      const QLabel* label = labels[static_cast<std::size_t>(i)];
      EXPECT_EQ(label->objectName(), name);
      EXPECT_EQ(window.findChildren<QLabel*>(name).size(), 1);
      EXPECT_EQ(label->parentWidget(), controls.central);
      EXPECT_EQ(label->isHidden(), c.hidden);
      EXPECT_EQ(label->text(), first->text());
      EXPECT_EQ(label->geometry(), first->geometry());
      EXPECT_EQ(label->alignment(), first->alignment());
      EXPECT_EQ(label->font(), first->font());
    }
  }
}

TEST_F(MainControlsTest, MenusHoldTheirItemsInOrder) {
  struct Case {
    const char* menuAction;
    std::vector<const char*> items;
  };
  const std::vector<Case> cases = {
      {"mnuFileMain",
       {"mnuFile(0)", "mnuFile(1)", "mnuFile(2)", "mnuPrint(0)", "mnuPrint(1)", "mnuFile2(3)",
        "mnuFile2(4)", "mnuFile2(5)", "mnuFile2(6)"}},
      {"mnuFile(0)",
       {"mnuFileLoad(0)", "mnuFileLoad(1)", "mnuFileLoad(2)", "mnuFileLoad(3)", "mnuFileLoad(4)",
        "mnuFileLoad(5)"}},
      {"mnuFile(1)",
       {"mnuFileSave(0)", "mnuFileSave(1)", "mnuFileSave(2)", "mnuFileSave(3)", "mnuFileSave(4)",
        "mnuFileSave(5)"}},
      {"mnuEdit", {"mnuCopy(0)", "mnuCopy(1)"}},
      {"mnuHelp", {"mnuInfo"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.menuAction);
    const auto* action = named<QAction>(c.menuAction);
    ASSERT_NE(action, nullptr);
    ASSERT_NE(action->menu(), nullptr);
    QStringList expected;
    for (const char* item : c.items) expected << QString::fromUtf8(item);
    EXPECT_EQ(objectNames(action->menu()->actions()), expected);
  }
  EXPECT_THAT(objectNames(window.menuBar()->actions()),
              ElementsAreArray({QStringLiteral("mnuFileMain"), QStringLiteral("mnuEdit"),
                                QStringLiteral("mnuHelp")}));
}

}  // namespace
}  // namespace kelvor
