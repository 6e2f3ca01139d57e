// The program's command line, run as a user's script runs it: the real executable, with no display.
// Printing through it is tested against the private print server (tests/cups).
#include "Headless.h"
#include "PdfEnvelope.h"
#include "ReadOnlyFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <sys/mount.h>
#include <unistd.h>

#include <optional>

namespace {

// In the given language, the user's other locale settings left out.
Outcome vornel(const QStringList& arguments, const QString& lang = QStringLiteral("ru_RU.UTF-8")) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_MEASUREMENT", "LC_PAPER", "LANGUAGE"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("LANG"), lang);
    return runHeadless(QStringLiteral(VORNEL_EXECUTABLE), arguments, env);
}

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

// Where the envelope's lines must come out, in millimetres from the sheet's top-left corner: the printable
// corner 6.35 mm in, and on Letter moved left just enough for the drawing to stay whole.
struct Paper {
    const char* name;
    QSizeF sheetMm;
    double originX;
    double originY;
};
const Paper A4{"a4", {297, 210}, 6.35, 6.35};
const Paper Letter{"letter", {279.4, 215.9}, 6.35 - 3.3, 6.35};

void expectEnvelope(const QString& file, const Paper& paper) {
    const MeasuredPdf m = measurePdf(file);
    EXPECT_EQ(m.pages, 1);
    EXPECT_NEAR(m.sheetMm.width(), paper.sheetMm.width(), 0.3);
    EXPECT_NEAR(m.sheetMm.height(), paper.sheetMm.height(), 0.3);
    EXPECT_FALSE(m.inkOnBorder);
    // Left edge, centre fold, right edge; top flap, body top, body bottom, bottom flap.
    ASSERT_EQ(m.verticalMm.size(), 3u);
    ASSERT_EQ(m.horizontalMm.size(), 4u);
    EXPECT_NEAR(m.verticalMm[2] - m.verticalMm[0], 250, 0.1);
    EXPECT_NEAR(m.verticalMm[1] - m.verticalMm[0], 125, 0.1);
    EXPECT_NEAR(m.horizontalMm[2] - m.horizontalMm[1], 126, 0.1);
    EXPECT_NEAR(m.horizontalMm[1] - m.horizontalMm[0], 10, 0.1);
    EXPECT_NEAR(m.horizontalMm[3] - m.horizontalMm[2], 10, 0.1);
    EXPECT_NEAR(m.verticalMm[0], paper.originX + 20, 0.1);
    EXPECT_NEAR(m.horizontalMm[0], paper.originY + 32, 0.1);
    EXPECT_LT(QFileInfo(file).size(), 16 * 1024);
}

TEST(CommandLine, PdfOfEachTemplateOnEachPaperAtTrueSize) {
    QTemporaryDir dir;
    for (const Paper* paper : {&A4, &Letter}) {
        for (const char* index : {"0", "1", "2"}) {
            SCOPED_TRACE(testing::Message() << paper->name << ", template " << index);
            const QString file = dir.filePath(QStringLiteral("%1-%2.pdf").arg(paper->name, index));
            const Outcome o = vornel({QStringLiteral("--pdf"), file, QStringLiteral("--paper"),
                                      QString::fromLatin1(paper->name), QStringLiteral("--template"),
                                      QString::fromLatin1(index)});
            ASSERT_EQ(o.status, 0) << o.err.toStdString();
            EXPECT_TRUE(o.out.isEmpty());
            EXPECT_TRUE(o.err.isEmpty()) << o.err.toStdString();
            expectEnvelope(file, *paper);
        }
    }
    // Nothing but the files asked for: no temporary file stays behind.
    EXPECT_EQ(filesIn(dir.path()).size(), 6);
}

TEST(CommandLine, WithoutPaperTheLocaleChoosesIt) {
    const struct {
        const char* lang;
        const Paper* paper;
    } cases[] = {
        {"ru_RU.UTF-8", &A4},
        {"en_US.UTF-8", &Letter},
        {"en_GB.UTF-8", &A4}, // Britain measures in inches but cuts its paper to A4
        {"C", &A4},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lang);
        const QString file = dir.filePath(QString::fromLatin1(c.lang) + QStringLiteral(".pdf"));
        const Outcome o = vornel({QStringLiteral("--pdf"), file}, QString::fromLatin1(c.lang));
        ASSERT_EQ(o.status, 0) << o.err.toStdString();
        const MeasuredPdf m = measurePdf(file);
        EXPECT_NEAR(m.sheetMm.width(), c.paper->sheetMm.width(), 0.3);
        EXPECT_NEAR(m.sheetMm.height(), c.paper->sheetMm.height(), 0.3);
    }
}

TEST(CommandLine, WrongArgumentsGiveTheUsageAndStatusTwoAndWriteNothing) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("x.pdf"));
    const struct {
        QStringList arguments;
        const char* message;
    } cases[] = {
        {{QStringLiteral("--frobnicate")}, "Unknown option 'frobnicate'."},
        {{QStringLiteral("--pdf")}, "Missing value after '--pdf'."},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--template"), QStringLiteral("3")},
         "Invalid template '3': expected 0, 1 or 2."},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--template"), QStringLiteral("-1")},
         "Invalid template '-1': expected 0, 1 or 2."},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--template"), QStringLiteral("one")},
         "Invalid template 'one': expected 0, 1 or 2."},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--paper"), QStringLiteral("a5")},
         "Invalid paper 'a5': expected a4 or letter."},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--printer"), QStringLiteral("Office")},
         "--printer goes only with --print."},
        {{QStringLiteral("--print"), QStringLiteral("--paper"), QStringLiteral("a4")},
         "--paper goes only with --pdf."},
        {{QStringLiteral("--list-printers"), QStringLiteral("--template"), QStringLiteral("1")},
         "--template goes only with --print or --pdf."},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--print")},
         "Give one of --list-printers, --print and --pdf."},
        {{QStringLiteral("--template"), QStringLiteral("1")},
         "Give one of --list-printers, --print and --pdf."},
        {{QStringLiteral("--pdf"), file, QStringLiteral("extra")}, "Unexpected argument 'extra'."},
        {{QStringLiteral("--pdf"), QString()}, "--pdf needs a file name."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const Outcome o = vornel(c.arguments);
        EXPECT_EQ(o.status, 2);
        EXPECT_TRUE(o.out.isEmpty());
        EXPECT_TRUE(
            o.err.startsWith(QStringLiteral("vornel: ") + QString::fromUtf8(c.message) + QLatin1Char('\n')))
            << o.err.toStdString();
        EXPECT_TRUE(o.err.contains(QStringLiteral("--pdf <файл>"))) << "no usage";
        EXPECT_TRUE(filesIn(dir.path()).isEmpty());
    }
}

TEST(CommandLine, HelpAndVersion) {
    for (const char* flag : {"--help", "-h", "--help-all"}) {
        SCOPED_TRACE(flag);
        const Outcome help = vornel({QString::fromLatin1(flag)});
        EXPECT_EQ(help.status, 0);
        for (const char* option : {"--list-printers", "--print", "--printer <имя>", "--pdf <файл>",
                                   "--paper <a4|letter>", "--template <0|1|2>", "--version"})
            EXPECT_TRUE(help.out.contains(QString::fromUtf8(option))) << option;
        EXPECT_TRUE(help.err.isEmpty());
    }

    for (const char* flag : {"--version", "-v"}) {
        const Outcome version = vornel({QString::fromLatin1(flag)});
        EXPECT_EQ(version.status, 0);
        EXPECT_EQ(version.out, QStringLiteral("Ворнель [light] 1.13\n"));
    }
}

// A full folder holding one file of a few bytes; not usable when the tests may not mount one.
class FullFolder {
public:
    FullFolder(const QString& name, const QByteArray& content) {
        mounted_ = geteuid() == 0 &&
                   ::mount("tmpfs", dir_.path().toLocal8Bit().constData(), "tmpfs", 0, "size=8k") == 0;
        QFile file(dir_.filePath(name));
        if (mounted_ && file.open(QIODevice::WriteOnly))
            file.write(content);
        file.close();
        // Whatever room is left is taken.
        QFile filler(dir_.filePath(QStringLiteral(".filler")));
        if (mounted_ && filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            while (filler.write(QByteArray(512, 'x')) > 0) {
            }
    }
    ~FullFolder() {
        if (mounted_)
            ::umount(dir_.path().toLocal8Bit().constData());
    }
    bool usable() const { return mounted_; }
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
};

TEST(CommandLine, AFolderThatIsNotThereIsReported) {
    QTemporaryDir dir;
    const QString noFolder = dir.filePath(QStringLiteral("missing/Конверт.pdf"));
    const Outcome o = vornel({QStringLiteral("--pdf"), noFolder});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, QStringLiteral("Cannot create file \"%1\". No such file or directory.\n").arg(noFolder));
    EXPECT_TRUE(filesIn(dir.path()).isEmpty());
}

TEST(CommandLine, AReadOnlyFolderIsReportedWithTheSystemsReasonAndLeavesNothing) {
    ReadOnlyFolder readOnly(QDir::tempPath() + QStringLiteral("/vornel-read-only-XXXXXX"));
    if (!readOnly.usable())
        GTEST_SKIP() << "root here may not mount a read-only file system, and ignores permissions";
    const QString inReadOnly = readOnly.path() + QStringLiteral("/Конверт.pdf");
    const QString reason =
        geteuid() == 0 ? QStringLiteral("Read-only file system") : QStringLiteral("Permission denied");
    const Outcome o = vornel({QStringLiteral("--pdf"), inReadOnly});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, QStringLiteral("Cannot create file \"%1\". %2.\n").arg(inReadOnly, reason));
    EXPECT_TRUE(o.out.isEmpty());
    EXPECT_TRUE(filesIn(readOnly.path()).isEmpty());
}

// A file that is already there stays as it was when the new one can't be written whole.
TEST(CommandLine, AFullDiskIsReportedAndTheOldFileStays) {
    FullFolder full(QStringLiteral("Конверт.pdf"), "old");
    if (!full.usable())
        GTEST_SKIP() << "no full file system to write to: mounting one needs root";
    const QString inFull = full.path() + QStringLiteral("/Конверт.pdf");
    const Outcome noRoom =
        vornel({QStringLiteral("--pdf"), inFull, QStringLiteral("--template"), QStringLiteral("2")});
    EXPECT_EQ(noRoom.status, 1);
    EXPECT_EQ(noRoom.err,
              QStringLiteral("Cannot create file \"%1\". No space left on device.\n").arg(inFull));
    EXPECT_EQ(filesIn(full.path()), (QStringList{QStringLiteral(".filler"), QStringLiteral("Конверт.pdf")}));
    QFile old(inFull);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old");
}

} // namespace
