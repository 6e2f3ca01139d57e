// Calibration: what a measurement may be, the file it is kept in, and what it does to the envelope printed
// on that printer and no other (over the fake print system, with a configuration folder of the test's own).
#include "BorrowedPrintSystem.h"
#include "ErrorMessage.h"
#include "FakePrintSystem.h"
#include "platform/ConfigFile.h"
#include "platform/DeviceCaps.h"
#include "printing/Calibration.h"
#include "printing/CalibrationFile.h"
#include "printing/CalibrationStore.h"
#include "printing/PrintCommand.h"
#include "printing/TPrinter.h"
#include "templates/Painters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <climits>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <tuple>

namespace {

TEST(CalibrationMeasurement, ParsedWithACommaOrAPoint) {
    const struct {
        const char* text;
        std::optional<Calibration> expected;
    } cases[] = {
        {"202x148.5", Calibration{202, 148.5}},
        {"202x148,5", Calibration{202, 148.5}},
        {"199,9X150", Calibration{199.9, 150}},
        {"201х149", Calibration{201, 149}}, // a Cyrillic х, as a Russian keyboard types it
        {" 200 x 150 ", Calibration{200, 150}},
        {"202", std::nullopt},
        {"202x", std::nullopt},
        {"x150", std::nullopt},
        {"202x148.5x1", std::nullopt},
        {"-202x148", std::nullopt},
        {"2e2x150", std::nullopt},
        {"202.x150", std::nullopt},
        {"202..5x150", std::nullopt},
        {"nanxinf", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Calibration::parsePair(QString::fromUtf8(c.text)), c.expected);
    }
}

TEST(CalibrationMeasurement, AcceptedWithinThreePercentOfEachLine) {
    const struct {
        Calibration measured;
        bool accepted;
    } cases[] = {
        {{200, 150}, true},    {{194, 145.5}, true},  {{206, 154.5}, true},  {{193.9, 150}, false},
        {{206.1, 150}, false}, {{200, 145.4}, false}, {{200, 154.6}, false}, {{0, 150}, false},
        {{200, -150}, false},  {{150, 200}, false},   {{202, 148.5}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.measured.longLine << " x " << c.measured.shortLine);
        EXPECT_EQ(c.measured.withinRange(), c.accepted);
        EXPECT_EQ(c.measured.rangeProblem().isEmpty(), c.accepted);
    }
    EXPECT_EQ(Calibration({206.1, 150}).rangeProblem(),
              QStringLiteral("Измерение 206,1 мм не может быть верным: линия 200,0 мм на любом исправном "
                             "принтере выходит от 194,0 до 206,0 мм."));
    EXPECT_EQ(Calibration({202, 148.5}).description(), QStringLiteral("Калибровка: 99,0 % × 101,0 %"));
    EXPECT_DOUBLE_EQ(Calibration({202, 148.5}).factorAcross(), 200.0 / 202);
    EXPECT_DOUBLE_EQ(Calibration({202, 148.5}).factorDown(), 150.0 / 148.5);
}

TEST(CalibrationFileFormat, WhatItWritesItReadsBack) {
    const std::vector<CalibrationFile::Entry> entries = {
        {QStringLiteral("Desk"), QStringLiteral("Generic PDF Printer"), {202, 148.5}},
        {QStringLiteral("Кабинет \"2\""), QString(), {199.5, 150.3}},
    };
    const CalibrationFile::Contents back = CalibrationFile::parse(CalibrationFile::serialize(entries));
    EXPECT_FALSE(back.refused()) << back.refusal.toStdString();
    EXPECT_EQ(back.entries, entries);
    EXPECT_FALSE(CalibrationFile::parse(CalibrationFile::serialize({})).refused());
}

TEST(CalibrationFileFormat, AFileThatCantBeRightIsRefusedWhole) {
    const char* const refused[] = {
        "",
        "\xff\xfe",
        "{",
        "[]",
        R"({"version": 2, "printers": []})",
        R"({"printers": []})",
        R"({"version": 1})",
        R"({"version": 1, "printers": {}})",
        R"({"version": 1, "printers": [1]})",
        R"({"version": 1, "printers": [{"printer": "A", "identity": "", "long": 202}]})",
        R"({"version": 1, "printers": [{"printer": "", "identity": "", "long": 202, "short": 150}]})",
        R"({"version": 1, "printers": [{"printer": "A", "long": 202, "short": 150}]})",
        R"({"version": 1, "printers": [{"printer": "A", "identity": "", "long": "202", "short": 150}]})",
        // One value out of range spoils the file: nothing absurd is ever applied.
        R"({"version": 1, "printers": [{"printer": "A", "identity": "", "long": 202, "short": 150},
                                       {"printer": "B", "identity": "", "long": 20, "short": 150}]})",
        R"({"version": 1, "printers": [{"printer": "A", "identity": "", "long": 202, "short": 1e308}]})",
        R"({"version": 1, "printers": [{"printer": "A", "identity": "m", "long": 202, "short": 150},
                                       {"printer": "A", "identity": "m", "long": 201, "short": 150}]})",
    };
    for (const char* bytes : refused) {
        SCOPED_TRACE(bytes);
        const CalibrationFile::Contents contents = CalibrationFile::parse(QByteArray(bytes));
        EXPECT_TRUE(contents.refused());
        EXPECT_TRUE(contents.entries.empty());
    }
}

// A configuration folder of the test's own; the user's is never touched.
class ConfigFolder {
public:
    ConfigFolder() {
        qputenv("HOME", home_.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (home_.path() + QStringLiteral("/config")).toLocal8Bit());
    }
    ~ConfigFolder() {
        qunsetenv("XDG_CONFIG_HOME");
        qputenv("HOME", oldHome_);
    }
    QString file() const { return home_.path() + QStringLiteral("/config/vornel/calibration.json"); }
    void put(const QByteArray& bytes) const {
        QDir().mkpath(QFileInfo(file()).path());
        QFile f(file());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray contents() const {
        QFile f(file());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private:
    QByteArray oldHome_ = qgetenv("HOME");
    QTemporaryDir home_;
};

TEST(CalibrationStoreFile, WrittenOnlyBySaveAndResetAndReadByTheNextRun) {
    const ConfigFolder folder;
    EXPECT_EQ(ConfigFile::path(QStringLiteral("calibration.json")), folder.file());
    {
        CalibrationStore store;
        EXPECT_FALSE(store.find(QStringLiteral("Desk"), QStringLiteral("m")));
        EXPECT_TRUE(store.takeProblem().isEmpty());
        // Reading, and resetting what was never stored, write nothing.
        store.reset(QStringLiteral("Desk"), QStringLiteral("m"));
        EXPECT_FALSE(QFile::exists(folder.file()));
        EXPECT_EQ(messageOf([&] {
                      store.save(QStringLiteral("Desk"), QStringLiteral("m"), {207, 150});
                  }),
                  Calibration({207, 150}).rangeProblem().toStdString());
        EXPECT_FALSE(QFile::exists(folder.file()));

        store.save(QStringLiteral("Desk"), QStringLiteral("m"), {202, 148.5});
        store.save(QStringLiteral("Fine"), QStringLiteral("n"), {199, 151});
        store.save(QStringLiteral("Desk"), QStringLiteral("m"), {203, 148.5});
    }
    {
        const CalibrationStore next;
        EXPECT_EQ(next.find(QStringLiteral("Desk"), QStringLiteral("m")), (Calibration{203, 148.5}));
        EXPECT_EQ(next.find(QStringLiteral("Fine"), QStringLiteral("n")), (Calibration{199, 151}));
        // Another printer given the same name is not that printer.
        EXPECT_FALSE(next.find(QStringLiteral("Desk"), QStringLiteral("other model")));
        EXPECT_FALSE(next.find(QStringLiteral("desk"), QStringLiteral("m")));
    }
    {
        CalibrationStore store;
        store.reset(QStringLiteral("Desk"), QStringLiteral("m"));
        EXPECT_FALSE(CalibrationStore().find(QStringLiteral("Desk"), QStringLiteral("m")));
        EXPECT_TRUE(CalibrationStore().find(QStringLiteral("Fine"), QStringLiteral("n")));
        // The last one gone, the file goes too.
        store.reset(QStringLiteral("Fine"), QStringLiteral("n"));
        EXPECT_FALSE(QFile::exists(folder.file()));
    }
}

TEST(CalibrationStoreFile, AFileThatCantBeUsedIsToldOfOnceAndCorrectsNothing) {
    const ConfigFolder folder;
    folder.put(
        R"({"version": 1, "printers": [{"printer": "Desk", "identity": "m", "long": 2020, "short": 150}]})");
    CalibrationStore store;
    EXPECT_FALSE(store.find(QStringLiteral("Desk"), QStringLiteral("m")));
    const QString problem = store.takeProblem();
    EXPECT_TRUE(problem.contains(folder.file())) << problem.toStdString();
    EXPECT_TRUE(problem.contains(QStringLiteral("вне допустимых пределов"))) << problem.toStdString();
    EXPECT_TRUE(store.takeProblem().isEmpty());

    // A new calibration replaces the file that could not be used.
    store.save(QStringLiteral("Fine"), QStringLiteral("n"), {201, 150});
    const CalibrationStore next;
    EXPECT_TRUE(next.problem().isEmpty());
    EXPECT_TRUE(next.find(QStringLiteral("Fine"), QStringLiteral("n")));

    // And a reset takes a spoilt file away.
    folder.put("not json");
    CalibrationStore spoilt;
    EXPECT_FALSE(spoilt.problem().isEmpty());
    spoilt.reset(QStringLiteral("Fine"), QStringLiteral("n"));
    EXPECT_FALSE(QFile::exists(folder.file()));
}

TEST(CalibrationStoreFile, AFileThatCantBeReadIsNotWrittenOver) {
    const ConfigFolder folder;
    // Root reads every file; a folder under the file's name can't be read by anybody.
    ASSERT_TRUE(QDir().mkpath(folder.file()));
    CalibrationStore store;
    EXPECT_FALSE(store.problem().isEmpty());
    for (const auto& change : std::initializer_list<std::function<void()>>{
             [&] {
                 store.save(QStringLiteral("Desk"), QStringLiteral("m"), {202, 148.5});
             },
             [&] { store.reset(QStringLiteral("Desk"), QStringLiteral("m")); }}) {
        const std::string message = messageOf(change);
        EXPECT_NE(message.find("Не удалось создать файл «" + folder.file().toStdString() + "»."),
                  std::string::npos)
            << message;
        EXPECT_TRUE(QFileInfo(folder.file()).isDir());
    }
}

TEST(CalibrationStoreFile, AFolderThatCantBeWrittenSaysWhy) {
    const ConfigFolder folder;
    // A file where the folder should be.
    QDir().mkpath(QFileInfo(QFileInfo(folder.file()).path()).path());
    QFile blocker(QFileInfo(folder.file()).path());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    CalibrationStore store;
    const std::string message = messageOf([&] {
        store.save(QStringLiteral("Desk"), QStringLiteral("m"), {202, 148.5});
    });
    EXPECT_NE(message.find("Не удалось создать файл"), std::string::npos) << message;
    EXPECT_FALSE(store.find(QStringLiteral("Desk"), QStringLiteral("m")));
}

// Extent of the ink of the last document: first and last column and row.
struct Extent {
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
};
Extent extentOf(const FakePrintSystem::Document& d) {
    Extent e;
    for (const PixelRun& r : d.runs) {
        const int x1 = r.x + r.dx * (r.count - 1);
        const int y1 = r.y + r.dy * (r.count - 1);
        e.left = std::min({e.left, r.x, x1});
        e.right = std::max({e.right, r.x, x1});
        e.top = std::min({e.top, r.y, y1});
        e.bottom = std::max({e.bottom, r.y, y1});
    }
    return e;
}

struct CalibratedPrinting : testing::Test {
    CalibratedPrinting() {
        FakePrintSystem::Printer desk;
        desk.name = QStringLiteral("Desk");
        desk.identity = QStringLiteral("Laser 5");
        desk.settings = FakePrintSystem::a4(600, 300);
        FakePrintSystem::Printer other = desk;
        other.name = QStringLiteral("Other");
        fake.printerList = {desk, other};
        fake.defaultAnswer = DefaultPrinterAnswer::named(QStringLiteral("Desk"));
    }

    Extent print(const QString& name) {
        TPrinter printer(std::make_unique<BorrowedPrintSystem>(fake));
        printer.setPrinterIndex(printer.indexOfPrinter(name));
        CalibrationStore store;
        printEnvelope(
            printer, [] { return 0; }, &store);
        return extentOf(fake.documents.back());
    }

    const ConfigFolder folder;
    FakePrintSystem fake;
};

TEST_F(CalibratedPrinting, OnlyThatPrinterIsStretchedByItsCorrection) {
    const Extent plainDesk = print(QStringLiteral("Desk"));
    const Extent plainOther = print(QStringLiteral("Other"));
    CalibrationStore().save(QStringLiteral("Desk"), QStringLiteral("Laser 5"), {202, 148.5});

    const Extent desk = print(QStringLiteral("Desk"));
    // Across at 300 dpi (the sheet's down resolution turned), down at 600: true scale times the correction.
    const double across = 300 / 25.4 * 200 / 202;
    const double down = 600 / 25.4 * 150 / 148.5;
    EXPECT_NEAR(desk.right - desk.left, mmToPixel(across, 270) - mmToPixel(across, 20), 1);
    EXPECT_NEAR(desk.bottom - desk.top, mmToPixel(down, 178) - mmToPixel(down, 32), 1);
    EXPECT_NEAR((desk.right - desk.left) * 25.4 / 300, 250 * 200 / 202.0, 0.1);
    EXPECT_NEAR((desk.bottom - desk.top) * 25.4 / 600, 146 * 150 / 148.5, 0.1);

    const Extent other = print(QStringLiteral("Other"));
    EXPECT_EQ(std::tie(other.left, other.top, other.right, other.bottom),
              std::tie(plainOther.left, plainOther.top, plainOther.right, plainOther.bottom));

    // The same queue name on another printer is printed as it always was.
    fake.printerList[0].identity = QStringLiteral("Inkjet 2");
    const Extent replaced = print(QStringLiteral("Desk"));
    EXPECT_EQ(std::tie(replaced.left, replaced.top, replaced.right, replaced.bottom),
              std::tie(plainDesk.left, plainDesk.top, plainDesk.right, plainDesk.bottom));
}

TEST_F(CalibratedPrinting, AStretchedEnvelopeMustStillFitThePaper) {
    // A printable area 252 mm across: the envelope fits, stretched by 200/194 it needs 258 mm.
    DocumentSettings& s = *fake.printerList[0].settings;
    s.paperLength = 25200 + s.marginTop + s.marginBottom;
    s.paperName = QStringLiteral("custom_252x210mm");
    EXPECT_NO_THROW(print(QStringLiteral("Desk")));
    CalibrationStore().save(QStringLiteral("Desk"), QStringLiteral("Laser 5"), {194, 150});
    const std::size_t before = fake.documents.size();
    EXPECT_NE(messageOf([&] { print(QStringLiteral("Desk")); }).find("слишком мала для конверта"),
              std::string::npos);
    EXPECT_EQ(fake.documents.size(), before);
}

} // namespace
