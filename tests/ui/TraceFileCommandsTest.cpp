#include "ui/TraceFileCommands.h"

#include <signal.h>
#include <sys/resource.h>

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <cfloat>
#include <cmath>
#include <memory>
#include <vector>

#include "core/acquisition/MeterFrame.h"
#include "core/scope/ValueLists.h"
#include "platform/SystemLocale.h"
#include "support/StartedMainWindow.h"
#include "ui/ScopeWidget.h"
#include "ui/frmMain.h"

namespace kelvor {
namespace {

QByteArray contentsOf(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QByteArray("<unreadable>");
  return file.readAll();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The real main window on a pseudo-terminal, with the trace-file commands on its parts.
class TraceFileCommandsTest : public testing::StartedMainWindow {
 protected:
  void SetUp() override {
    ASSERT_TRUE(files.isValid());
    startWindow();
    if (HasFatalFailure()) return;
    commands = std::make_unique<TraceFileCommands>(
        window->traces(), window->recording(), window->recorder(), window->scope(),
        window->controls(), globals, window.get(),
        [this](QWidget*, const QString& text) { messages << text; });
  }
  void TearDown() override {
    commands.reset();
    closeWindow();
  }

  TraceStore& store() { return window->traces(); }
  void fill(int channel, const std::vector<TraceSample>& samples) {
    for (std::size_t i = 0; i < samples.size(); ++i)
      store().setSample(channel, static_cast<int>(i) + 1, samples[i].value, samples[i].time);
    store().setCount(channel, static_cast<int>(samples.size()));
  }
  // The channel becomes the active one and "drawing active" is on, with a reading in.
  void recordInto(int channel) {
    window->controls().optColor[static_cast<std::size_t>(channel)]->click();
    window->controls().chkActive->click();
    window->recording().Running = true;
  }
  bool drawingActive() const { return window->controls().chkActive->isChecked(); }
  QString path(const char* name) const { return files.filePath(QLatin1String(name)); }
  QByteArray local(const char* text) const {
    QByteArray bytes(text);
    return bytes.replace('.', SystemLocale::decimalSeparator());
  }
  int pixelsOf(std::uint32_t rgb) {
    const QImage picture = window->controls().picScope->picture();
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x)
        if ((picture.pixel(x, y) & 0xFFFFFF) == rgb) ++count;
    return count;
  }

  QTemporaryDir files;
  std::unique_ptr<TraceFileCommands> commands;
  QStringList messages;
};

TEST_F(TraceFileCommandsTest, SavesTheExactBytes) {
  fill(0, {{0.812f, 0}, {0.815f, 1}, {-3.5f, 2}, {InvalidValue, 3}});
  ASSERT_TRUE(commands->saveTo(0, path("green.kvr")));
  EXPECT_EQ(contentsOf(path("green.kvr")),
            local("0.812;0\r\n0.815;1\r\n-3.5;2\r\n-1E+33;3\r\n\r\n\r\n"));

  ASSERT_TRUE(commands->saveTo(1, path("empty.kvr")));
  EXPECT_EQ(contentsOf(path("empty.kvr")), QByteArray("\r\n\r\n"));
  EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
}

TEST_F(TraceFileCommandsTest, SaveAndLoadIntoAnotherChannelKeepsTheSamples) {
  const std::vector<TraceSample> samples = {
      {0.812f, 0},       {InvalidValue, 1}, {1.2345678f, 2},       {-98765.43f, 3.5f},
      {0.000123456f, 4}, {3.0e38f, 15997},  {InvalidValue, 86400}, {1e-20f, 1234567}};
  fill(0, samples);
  fill(4, {{9, 9}, {9, 9}, {9, 9}, {9, 9}, {9, 9}, {9, 9}, {9, 9}, {9, 9}, {9, 9}, {9, 9}});
  ASSERT_TRUE(commands->saveTo(0, path("run.kvr")));
  ASSERT_TRUE(commands->loadFrom(4, path("run.kvr")));
  EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
  ASSERT_EQ(store().count(4), static_cast<int>(samples.size()));
  for (std::size_t i = 0; i < samples.size(); ++i) {
    SCOPED_TRACE(i);
    const int slot = static_cast<int>(i) + 1;
    for (const auto& [expected, actual] : {std::pair{samples[i].value, store().value(4, slot)},
                                           std::pair{samples[i].time, store().time(4, slot)}}) {
      EXPECT_NEAR(static_cast<double>(actual), static_cast<double>(expected),
                  std::fabs(static_cast<double>(expected)) * 5e-7);
    }
  }
  EXPECT_EQ(store().value(4, 2), InvalidValue);
  EXPECT_EQ(store().value(4, 9), 9.0f) << "slots beyond the count keep their contents";
  EXPECT_EQ(store().count(0), static_cast<int>(samples.size()));

  // Saved again, the loaded channel gives the same file.
  ASSERT_TRUE(commands->saveTo(4, path("again.kvr")));
  EXPECT_EQ(contentsOf(path("again.kvr")), contentsOf(path("run.kvr")));
}

TEST_F(TraceFileCommandsTest, EmptyChannelFileEmptiesTheTargetAndItsPicture) {
  std::vector<TraceSample> ramp;
  for (int i = 0; i < 200; ++i) ramp.push_back({0.75f, static_cast<float>(i)});
  fill(3, ramp);
  window->scope().FullReDraw(0);
  const std::uint32_t blue = paletteRgb(ValueLists::ChannelColors[3]);
  ASSERT_GT(pixelsOf(blue), 0);

  ASSERT_TRUE(commands->saveTo(1, path("empty.kvr")));
  ASSERT_TRUE(commands->loadFrom(3, path("empty.kvr")));
  EXPECT_EQ(store().count(3), 0);
  EXPECT_EQ(pixelsOf(blue), 0) << "the replaced trace is no longer shown";
}

TEST_F(TraceFileCommandsTest, LoadingIntoTheRecordedChannelSwitchesDrawingOff) {
  ASSERT_TRUE(writeFile(path("two.kvr"), local("1.5;0\r\n2.5;1\r\n\r\n\r\n")));
  struct Case {
    int recorded;
    int target;
    bool drawingAfter;
  };
  const std::vector<Case> cases = {{0, 0, false}, {3, 3, false}, {0, 1, true}, {5, 2, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE("recording " + std::to_string(c.recorded) + ", loading into " +
                 std::to_string(c.target));
    window->controls().cmdReset->click();
    recordInto(c.recorded);
    ASSERT_TRUE(drawingActive());
    ASSERT_TRUE(commands->loadFrom(c.target, path("two.kvr")));
    EXPECT_EQ(drawingActive(), c.drawingAfter);
    EXPECT_EQ(window->recording().Running, c.drawingAfter);
    EXPECT_EQ(window->recording().ActiveChannel, c.recorded);
    EXPECT_EQ(store().count(c.target), 2);
    EXPECT_EQ(store().value(c.target, 2), 2.5f);
  }
}

TEST_F(TraceFileCommandsTest, FailedLoadChangesNothing) {
  ASSERT_TRUE(QDir(files.path()).mkdir(QStringLiteral("folder")));
  struct Case {
    const char* name;
    const char* file;
    const char* bytes;  // nullptr: not written
    int langCode;
    QStringList parts;
  };
  const std::vector<Case> cases = {
      {"missing file", "missing.kvr", nullptr, 0, {"kann nicht geöffnet werden"}},
      {"missing file, English", "missing.kvr", nullptr, 1, {"cannot be opened"}},
      {"a folder", "folder", nullptr, 1, {"folder"}},
      {"zero bytes", "zero.kvr", "", 0, {"Zeile 1:", "leer"}},
      {"zero bytes, English", "zero.kvr", "", 2, {"Line 1:", "empty"}},
      {"line without separator", "nosep.kvr", "1;0\r\n\r\n2 1\r\n", 1, {"Line 3:", "\";\""}},
      {"not a number", "nan.kvr", "1;0\r\n2;1\r\n3;zwei\r\n", 0, {"Zeile 3:", "\"zwei\""}},
      {"out of range", "big.kvr", "1E+39;0\r\n", 1, {"Line 1:", "\"1E+39\""}},
      {"bar file with a semicolon line",
       "bars.kvr",
       "1 || 0\r\n2;1\r\n",
       1,
       {"Line 2:", "\" || \""}},
  };
  const std::vector<TraceSample> before = {{4, 0}, {5, 1}, {6, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window->controls().cmdReset->click();
    fill(2, before);
    recordInto(2);
    fill(2, before);  // the channel button emptied it
    const LocalSeconds start = window->recording().StartTime;
    globals.LangCode = c.langCode;
    if (c.bytes) {
      ASSERT_TRUE(writeFile(path(c.file), QByteArray(c.bytes)));
    }
    messages.clear();

    EXPECT_FALSE(commands->loadFrom(2, path(c.file)));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QDir::toNativeSeparators(path(c.file))))
        << messages[0].toStdString();
    for (const QString& part : c.parts) {
      EXPECT_TRUE(messages[0].contains(part)) << messages[0].toStdString();
    }
    ASSERT_EQ(store().count(2), 3);
    for (int slot = 1; slot <= 3; ++slot) {
      EXPECT_EQ(store().value(2, slot), before[static_cast<std::size_t>(slot - 1)].value);
      EXPECT_EQ(store().time(2, slot), before[static_cast<std::size_t>(slot - 1)].time);
    }
    EXPECT_TRUE(drawingActive());
    EXPECT_TRUE(window->recording().Running);
    EXPECT_EQ(window->recording().StartTime, start);
  }
}

TEST_F(TraceFileCommandsTest, HugeOrEndlessFilesAreRefused) {
  globals.LangCode = 0;  // German messages
  const QString huge = path("huge.kvr");
  {
    QFile file(huge);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(TraceFileCommands::MaxFileBytes + 1));  // sparse: no disk used
  }
  fill(4, {{1, 0}, {2, 1}});
  for (const QString& target : {huge, QStringLiteral("/dev/zero")}) {
    SCOPED_TRACE(target.toStdString());
    messages.clear();
    EXPECT_FALSE(commands->loadFrom(4, target));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(target)) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains(QString::fromUtf8("zu groß"))) << messages[0].toStdString();
    EXPECT_EQ(store().count(4), 2);
    EXPECT_EQ(store().value(4, 2), 2.0f);
  }
}

TEST_F(TraceFileCommandsTest, MoreThanAChannelHoldsLoadsTheFirstAndSaysSo) {
  QByteArray bytes;
  for (int i = 1; i <= TraceStore::LastSlot + 1; ++i)
    bytes += QByteArray::number(i) + ';' + QByteArray::number(i - 1) + "\r\n";
  ASSERT_TRUE(writeFile(path("long.kvr"), bytes));
  fill(1, {{-7, 0}});
  for (const int lang : {0, 1}) {
    SCOPED_TRACE(lang);
    globals.LangCode = lang;
    messages.clear();
    ASSERT_TRUE(commands->loadFrom(0, path("long.kvr")));
    EXPECT_EQ(store().count(0), TraceStore::LastSlot);
    EXPECT_EQ(store().value(0, TraceStore::LastSlot), 16000.0f);
    EXPECT_EQ(store().value(1, 1), -7.0f);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QDir::toNativeSeparators(path("long.kvr"))));
    EXPECT_TRUE(messages[0].contains(lang == 0 ? "die übrigen 1 wurden ausgelassen"
                                               : "the remaining 1 were left out"))
        << messages[0].toStdString();
  }
}

// Keeps the process's file size limit low while it lives: writes beyond it fail with
// EFBIG, for root too, instead of ending the process.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    active_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, previousHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  bool active() const { return active_; }

 private:
  rlimit saved_{};
  sighandler_t previousHandler_ = SIG_DFL;
  bool active_ = false;
};

TEST_F(TraceFileCommandsTest, FailedSaveKeepsTheOldFileAndReports) {
  std::vector<TraceSample> many;
  for (int i = 0; i < 3000; ++i)
    many.push_back({1.234567f * static_cast<float>(i), static_cast<float>(i)});
  fill(5, many);
  const QByteArray old("old trace\r\n");
  ASSERT_TRUE(writeFile(path("plain"), old));
  ASSERT_TRUE(QDir(files.path()).mkpath(QStringLiteral("sub/inner")));
  ASSERT_TRUE(QDir(files.path()).mkdir(QStringLiteral("full")));
  ASSERT_TRUE(writeFile(path("full/keep.kvr"), old));

  struct Case {
    const char* name;
    QString target;
    QString kept;  // a file that must keep `old`, or empty
    bool limitSize;
    int langCode;
    const char* words;
  };
  const std::vector<Case> cases = {
      {"parent is a regular file", path("plain") + "/trace.kvr", path("plain"), false, 0,
       "konnte nicht gespeichert werden"},
      {"missing folder", path("missing/trace.kvr"), QString(), false, 1, "could not be saved"},
      {"target is a folder", path("sub"), QString(), false, 2, "could not be saved"},
      {"write fails on the way", path("full/keep.kvr"), path("full/keep.kvr"), true, 0,
       "Eine vorhandene Datei dieses Namens ist unverändert"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    globals.LangCode = c.langCode;
    messages.clear();
    const QStringList entriesBefore =
        QDir(files.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    const QStringList fullBefore = QDir(path("full")).entryList(QDir::Files | QDir::Hidden);
    bool saved = true;
    {
      std::unique_ptr<FileSizeLimit> limit;
      if (c.limitSize) {
        limit = std::make_unique<FileSizeLimit>(4096);
        ASSERT_TRUE(limit->active());
      }
      saved = commands->saveTo(5, c.target);
    }
    EXPECT_FALSE(saved);
    ASSERT_EQ(messages.size(), 1);
    const QString& text = messages[0];
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(c.target))) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromUtf8(c.words))) << text.toStdString();
    // The system's reason stands on the line after the file name.
    EXPECT_GT(text.section('\n', 1, 1).trimmed().size(), 3) << text.toStdString();
    if (!c.kept.isEmpty()) {
      EXPECT_EQ(contentsOf(c.kept), old);
    }
    EXPECT_EQ(QDir(files.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              entriesBefore)
        << "nothing left behind";
    EXPECT_EQ(QDir(path("full")).entryList(QDir::Files | QDir::Hidden), fullBefore);
    EXPECT_TRUE(QDir(path("sub/inner")).exists());
  }
  // Without the limit the same save goes through and replaces the old file.
  EXPECT_TRUE(commands->saveTo(5, path("full/keep.kvr")));
  EXPECT_EQ(contentsOf(path("full/keep.kvr")).left(8), QByteArray("0;0\r\n1") + local(".2"));
}

}  // namespace
}  // namespace kelvor
