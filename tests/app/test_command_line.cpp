// The program's command line, run as a user's script runs it: the real executable, with no display.
// Printing through it is tested against the private print server (tests/cups).
#include "EnvelopeInPdf.h"
#include "Headless.h"
#include "PdfEnvelope.h"
#include "ReadOnlyFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <dirent.h>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>

namespace {

// In the given language, the user's other locale settings left out.
Outcome vornel(const QStringList& arguments, const QString& lang = QStringLiteral("ru_RU.UTF-8")) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_MEASUREMENT", "LC_PAPER", "LANGUAGE"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("LANG"), lang);
    // As in a desktop session: without it Qt's window application object warns on stderr.
    static const QTemporaryDir runtimeDir;
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir.path());
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
    expectEnvelopeInPdf(file, paper.sheetMm, paper.originX + 20, paper.originY + 32);
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

TEST(CommandLine, WrongArgumentsGiveOneLineAndTheWayToTheHelpAndStatusTwoAndWriteNothing) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("x.pdf"));
    const struct {
        QStringList arguments;
        const char* message;
    } cases[] = {
        // Qt's own words, in Russian as the rest.
        {{QStringLiteral("--frobnicate")}, "Неизвестный параметр «frobnicate»."},
        {{QStringLiteral("-x")}, "Неизвестный параметр «x»."},
        {{QStringLiteral("--pdf")}, "Отсутствует значение после «--pdf»."},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--template"), QStringLiteral("3")},
         "Недопустимый шаблон «3»: нужно 0, 1 или 2."},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--template"), QStringLiteral("-1")},
         "Недопустимый шаблон «-1»: нужно 0, 1 или 2."},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--template"), QStringLiteral("one")},
         "Недопустимый шаблон «one»: нужно 0, 1 или 2."},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--template"), QStringLiteral("+1")},
         "Недопустимый шаблон «+1»: нужно 0, 1 или 2."},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--template"), QStringLiteral(" 1")},
         "Недопустимый шаблон « 1»: нужно 0, 1 или 2."},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--template=01")},
         "Недопустимый шаблон «01»: нужно 0, 1 или 2."},
        // Given twice, the first would be silently lost.
        {{QStringLiteral("--pdf"), file, QStringLiteral("--pdf"), dir.filePath(QStringLiteral("y.pdf"))},
         "--pdf можно задать только один раз."},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--template"), QStringLiteral("1"),
          QStringLiteral("--template"), QStringLiteral("2")},
         "--template можно задать только один раз."},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--paper"), QStringLiteral("a4"),
          QStringLiteral("--paper=letter")},
         "--paper можно задать только один раз."},
        {{QStringLiteral("--print"), QStringLiteral("--print")}, "--print можно задать только один раз."},
        {{QStringLiteral("--list-printers"), QStringLiteral("-list-printers")},
         "--list-printers можно задать только один раз."},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--paper"), QStringLiteral("a5")},
         "Недопустимая бумага «a5»: нужно a4 или letter."},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--printer"), QStringLiteral("Office")},
         "--printer задаётся только с --print, --calibration-sheet или --calibrate."},
        {{QStringLiteral("--print"), QStringLiteral("--paper"), QStringLiteral("a4")},
         "--paper задаётся только с --pdf."},
        {{QStringLiteral("--list-printers"), QStringLiteral("--template"), QStringLiteral("1")},
         "--template задаётся только с --print или --pdf."},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--print")},
         "Задайте одно из --list-printers, --print, --pdf, --calibration-sheet и --calibrate."},
        {{QStringLiteral("--template"), QStringLiteral("1")},
         "Задайте одно из --list-printers, --print, --pdf, --calibration-sheet и --calibrate."},
        {{QStringLiteral("--pdf"), file, QStringLiteral("extra")}, "Лишний аргумент «extra»."},
        {{QStringLiteral("extra"), QStringLiteral("--pdf"), file}, "Лишний аргумент «extra»."},
        {{QStringLiteral("extra")}, "Лишний аргумент «extra»."},
        {{QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("extra")},
         "Лишний аргумент «extra»."},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--"), QStringLiteral("--print")},
         "Лишний аргумент «--print»."},
        {{QStringLiteral("--pdf"), QString()}, "Для --pdf нужно имя файла."},
        // Checked before any printer is asked, and nothing is stored.
        {{QStringLiteral("--calibrate"), QStringLiteral("202")},
         "Неверные измерения «202»: нужно ШИРИНАxВЫСОТА в миллиметрах, например 202x148.5, или reset."},
        {{QStringLiteral("--calibrate"), QStringLiteral("202x-148")},
         "Неверные измерения «202x-148»: нужно ШИРИНАxВЫСОТА в миллиметрах, например 202x148.5, или reset."},
        {{QStringLiteral("--calibrate"), QStringLiteral("207x150")},
         "Измерение 207,0 мм не может быть верным: линия 200,0 мм на любом исправном принтере выходит от "
         "194,0 до 206,0 мм."},
        {{QStringLiteral("--calibrate"), QStringLiteral("200x145,4")},
         "Измерение 145,4 мм не может быть верным: линия 150,0 мм на любом исправном принтере выходит от "
         "145,5 до 154,5 мм."},
        {{QStringLiteral("--calibration-sheet"), QStringLiteral("--template"), QStringLiteral("1")},
         "--template задаётся только с --print или --pdf."},
        {{QStringLiteral("--calibrate"), QStringLiteral("reset"), QStringLiteral("--print")},
         "Задайте одно из --list-printers, --print, --pdf, --calibration-sheet и --calibrate."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const Outcome o = vornel(c.arguments);
        EXPECT_EQ(o.status, 2);
        EXPECT_TRUE(o.out.isEmpty());
        EXPECT_EQ(o.err, QStringLiteral("vornel: ") + QString::fromUtf8(c.message) +
                             QStringLiteral("\nПодробнее: vornel --help\n"));
        EXPECT_TRUE(filesIn(dir.path()).isEmpty());
    }
}

// The help speaks the program's language, Qt's stock lines too: Russian for a Russian locale and one that
// names no language, English for any other. --help-all adds Qt's own options.
TEST(CommandLine, HelpAndVersion) {
    const struct {
        const char* flag;
        const char* lang;
        bool withQtOptions;
        bool english;
    } cases[] = {
        {"--help", "ru_RU.UTF-8", false, false},  {"-h", "C.UTF-8", false, false},
        {"--help-all", "C", true, false},         {"-h", "en_US.UTF-8", false, true},
        {"-help-all", "en_US.UTF-8", true, true}, {"--help", "de_DE.UTF-8", false, true},
    };
    const char* const russian[] = {"--printer <имя>",
                                   "--pdf <файл>",
                                   "Использование: ",
                                   "Параметры:",
                                   "Вывод справки по параметрам",
                                   "Показать сведения о версии."};
    const char* const english[] = {"--printer <name>",
                                   "--pdf <file>",
                                   "Usage: ",
                                   "Options:",
                                   "Displays help on commandline options.",
                                   "Displays version information."};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.flag << " " << c.lang);
        const Outcome help = vornel({QString::fromLatin1(c.flag)}, QString::fromLatin1(c.lang));
        EXPECT_EQ(help.status, 0);
        for (const char* line :
             {"--list-printers", "--print", "--paper <a4|letter>", "--template <0|1|2>", "--version"})
            EXPECT_TRUE(help.out.contains(QString::fromUtf8(line))) << line;
        for (const char* line : c.english ? english : russian)
            EXPECT_TRUE(help.out.contains(QString::fromUtf8(line))) << line;
        for (const char* other : c.english ? russian : english)
            EXPECT_FALSE(help.out.contains(QString::fromUtf8(other))) << other;
        for (const char* qtOption : {"--platform <", "--qwindowtitle <", "--reverse"})
            EXPECT_EQ(help.out.contains(QString::fromLatin1(qtOption)), c.withQtOptions) << qtOption;
        if (c.english)
            EXPECT_FALSE(help.out.contains(QRegularExpression(QStringLiteral("\\p{Cyrillic}"))))
                << help.out.toStdString();
        EXPECT_TRUE(help.err.isEmpty()) << help.err.toStdString();
    }

    for (const char* flag : {"--version", "-v"}) {
        const Outcome version = vornel({QString::fromLatin1(flag)});
        EXPECT_EQ(version.status, 0);
        EXPECT_EQ(version.out, QStringLiteral("Ворнель [light] 1.13\n"));
    }
}

// The program's own messages in the user's language; the print system's own line stays as it stands.
TEST(CommandLine, MessagesSpeakTheUsersLanguage) {
    const QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("missing/x.pdf"));
    const struct {
        const char* language; // LANGUAGE, before LANG
        const char* lang;
        bool english;
    } locales[] = {
        {"", "C.UTF-8", false},         {"", "ru_RU.UTF-8", false}, {"en", "C.UTF-8", true},
        {"en:ru", "ru_RU.UTF-8", true}, {"", "de_DE.UTF-8", true},  {"de:ru", "de_DE.UTF-8", false},
    };
    const struct {
        QStringList arguments;
        int status;
        QString russian;
        QString english;
    } commands[] = {
        {{QStringLiteral("--version")},
         0,
         QStringLiteral("Ворнель [light] 1.13\n"),
         QStringLiteral("Vornel [light] 1.13\n")},
        {{QStringLiteral("--template"), QStringLiteral("3"), QStringLiteral("--pdf"), missing},
         2,
         QStringLiteral("vornel: Недопустимый шаблон «3»: нужно 0, 1 или 2.\n"),
         QStringLiteral("vornel: Invalid template '3': expected 0, 1 or 2.\n")},
        {{QStringLiteral("--pdf"), missing},
         1,
         QStringLiteral("Не удалось создать файл «%1». No such file or directory.\n").arg(missing),
         QStringLiteral("Cannot create file \"%1\". No such file or directory.\n").arg(missing)},
        {{QStringLiteral("--list-printers")},
         1,
         QStringLiteral("System Error.  Code: 1282.\nСервер печати 127.0.0.1:9 недоступен.\n"),
         QStringLiteral("System Error.  Code: 1282.\nThe print server 127.0.0.1:9 is not available.\n")},
    };
    for (const auto& l : locales) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
            env.remove(QString::fromLatin1(name));
        if (*l.language)
            env.insert(QStringLiteral("LANGUAGE"), QString::fromLatin1(l.language));
        env.insert(QStringLiteral("LANG"), QString::fromLatin1(l.lang));
        env.insert(QStringLiteral("CUPS_SERVER"), QStringLiteral("127.0.0.1:9"));
        static const QTemporaryDir runtimeDir;
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir.path());
        for (const auto& c : commands) {
            SCOPED_TRACE(testing::Message() << "LANGUAGE=" << l.language << " LANG=" << l.lang << " "
                                            << c.arguments.join(u' ').toStdString());
            const Outcome o = runHeadless(QStringLiteral(VORNEL_EXECUTABLE), c.arguments, env);
            EXPECT_EQ(o.status, c.status);
            const QString written = c.status == 0 ? o.out : o.err;
            const QString& expected = l.english ? c.english : c.russian;
            EXPECT_EQ(written.first(std::min(written.size(), expected.size())).toStdString(),
                      expected.toStdString());
            if (l.english)
                EXPECT_FALSE((o.out + o.err).contains(QRegularExpression(QStringLiteral("\\p{Cyrillic}"))))
                    << (o.out + o.err).toStdString();
        }
    }
    EXPECT_TRUE(filesIn(dir.path()).isEmpty());
}

// libcups is loaded with the print system's module, only by the commands that print: the loader's own
// account of what it loads says so.
TEST(CommandLine, OnlyThePrintingCommandsLoadThePrintSystem) {
    const QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("envelope.pdf"));
    const struct {
        QStringList arguments;
        bool loadsCups;
    } cases[] = {
        {{QStringLiteral("--pdf"), pdf}, false},
        {{QStringLiteral("--help")}, false},
        {{QStringLiteral("--version")}, false},
        {{QStringLiteral("--list-printers")}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LD_DEBUG"), QStringLiteral("files"));
        // A server that refuses at once: the list fails, after the module is loaded.
        env.insert(QStringLiteral("CUPS_SERVER"), QStringLiteral("127.0.0.1:9"));
        const Outcome o = runHeadless(QStringLiteral(VORNEL_EXECUTABLE), c.arguments, env);
        EXPECT_EQ(o.status, c.loadsCups ? 1 : 0);
        EXPECT_TRUE(o.err.contains(QStringLiteral("file=libQt6Core.so.6"))) << "the loader said nothing";
        EXPECT_EQ(o.err.contains(QStringLiteral("file=libcups.so.2")), c.loadsCups);
        EXPECT_EQ(o.err.contains(QStringLiteral("vornel-cups.so")), c.loadsCups);
    }
}

// A module by the print system's name in the current folder, or in ../lib/vornel from it, is never loaded:
// the program's own is, found beside the program's file, with /proc or without it.
TEST(CommandLine, AModuleInTheCurrentFolderIsNeverLoaded) {
    const QTemporaryDir dir;
    const QString here = dir.filePath(QStringLiteral("bin"));
    const QString mark = dir.filePath(QStringLiteral("loaded"));
    for (const QString& folder : {here, dir.filePath(QStringLiteral("lib/vornel"))}) {
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_TRUE(QFile::copy(QStringLiteral(PLANTED_MODULE), folder + QStringLiteral("/vornel-cups.so")));
    }
    const bool canHideProc =
        geteuid() == 0 &&
        QProcess::execute(QStringLiteral("unshare"), {QStringLiteral("-m"), QStringLiteral("true")}) == 0;
    const struct {
        const char* name;
        QStringList command;
    } cases[] = {
        {"with /proc", {QStringLiteral(VORNEL_EXECUTABLE), QStringLiteral("--list-printers")}},
        {"without /proc",
         {QStringLiteral("unshare"), QStringLiteral("-m"), QStringLiteral("sh"), QStringLiteral("-c"),
          QStringLiteral("umount -l /proc && test ! -e /proc/self && exec \"$0\" --list-printers"),
          QStringLiteral(VORNEL_EXECUTABLE)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.command.first() == QStringLiteral("unshare") && !canHideProc) {
            std::printf("skipped %s: hiding /proc needs root and mount namespaces\n", c.name);
            continue;
        }
#if defined(__SANITIZE_ADDRESS__)
        // The sanitizer's own runtime reads /proc to know the stacks, and reports false faults without it.
        if (c.command.first() == QStringLiteral("unshare")) {
            std::printf("skipped %s: the address sanitizer needs /proc\n", c.name);
            continue;
        }
#endif
        QFile::remove(mark);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VORNEL_PLANTED_MARK"), mark);
        // A server that refuses at once: the real module says so.
        env.insert(QStringLiteral("CUPS_SERVER"), QStringLiteral("127.0.0.1:9"));
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(here);
        p.start(c.command.first(), c.command.mid(1));
        ASSERT_TRUE(p.waitForFinished(60000));
        const QString err = QString::fromUtf8(p.readAllStandardError());
        EXPECT_FALSE(QFile::exists(mark)) << "the planted module was loaded";
        EXPECT_EQ(p.exitCode(), 1) << err.toStdString();
        EXPECT_TRUE(err.contains(QStringLiteral("Сервер печати 127.0.0.1:9 недоступен.")))
            << err.toStdString();
    }
}

// Qt's own options, in either spelling. Beside a command they are let pass. Alone they open the window,
// whose application object takes them; with no display it stops at the platform, which shows it did.
TEST(CommandLine, QtsOwnOptionsKeepWorking) {
    QTemporaryDir dir;
    const QStringList besideCommand[] = {
        {QStringLiteral("-platform"), QStringLiteral("offscreen")},
        {QStringLiteral("--platform"), QStringLiteral("offscreen")},
        {QStringLiteral("-style"), QStringLiteral("Fusion")},
        {QStringLiteral("--style=Fusion"), QStringLiteral("-reverse")},
        // A value that looks like an option is still the value.
        {QStringLiteral("--qwindowtitle"), QStringLiteral("--pdf")},
    };
    int n = 0;
    for (const QStringList& qtOptions : besideCommand) {
        SCOPED_TRACE(qtOptions.join(QLatin1Char(' ')).toStdString());
        const QString file = dir.filePath(QStringLiteral("%1.pdf").arg(++n));
        const Outcome o = vornel(qtOptions + QStringList{QStringLiteral("--pdf"), file});
        EXPECT_EQ(o.status, 0);
        EXPECT_TRUE(o.err.isEmpty()) << o.err.toStdString();
        QFile pdf(file);
        EXPECT_TRUE(pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-");
    }

    const struct {
        QStringList arguments;
        const char* platform;
    } alone[] = {
        {{QStringLiteral("--platform"), QStringLiteral("vornel-none")}, "vornel-none"},
        {{QStringLiteral("-platform"), QStringLiteral("vornel-none")}, "vornel-none"},
        {{QStringLiteral("--style"), QStringLiteral("Fusion")}, "xcb"},
        {{QStringLiteral("-style=Fusion"), QStringLiteral("--reverse")}, "xcb"},
    };
    for (const auto& c : alone) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const Outcome o = vornel(c.arguments);
        EXPECT_NE(o.status, 2);
        EXPECT_FALSE(o.err.contains(QStringLiteral("vornel:"))) << o.err.toStdString();
        EXPECT_TRUE(o.err.contains(QStringLiteral("Qt platform plugin \"%1\"").arg(c.platform)))
            << o.err.toStdString();
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
    EXPECT_EQ(o.err,
              QStringLiteral("Не удалось создать файл «%1». No such file or directory.\n").arg(noFolder));
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
    EXPECT_EQ(o.err, QStringLiteral("Не удалось создать файл «%1». %2.\n").arg(inReadOnly, reason));
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
              QStringLiteral("Не удалось создать файл «%1». No space left on device.\n").arg(inFull));
    EXPECT_EQ(filesIn(full.path()), (QStringList{QStringLiteral(".filler"), QStringLiteral("Конверт.pdf")}));
    QFile old(inFull);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old");
}

bool isPdf(const QByteArray& bytes) {
    return bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF");
}

QByteArray contentOf(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// What is not a regular file is written in place, never replaced: the device stays a device, the pipe a
// pipe, and what the system says of a failed write is reported.
TEST(CommandLine, APdfOntoADeviceOrPipeIsWrittenInPlace) {
    if (geteuid() != 0)
        GTEST_SKIP() << "device files of the test's own need root";
    QTemporaryDir dir;
    const QString null = dir.filePath(QStringLiteral("null"));
    const QString full = dir.filePath(QStringLiteral("full"));
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    // The system's own null and full devices, made here so that nothing of the machine's is at stake.
    ASSERT_EQ(::mknod(QFile::encodeName(null).constData(), S_IFCHR | 0666, makedev(1, 3)), 0);
    ASSERT_EQ(::mknod(QFile::encodeName(full).constData(), S_IFCHR | 0666, makedev(1, 7)), 0);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0666), 0);
    // The pipe's reader is there before the writer, and its buffer holds the whole PDF.
    const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);

    const struct {
        QString target;
        mode_t type;
        int status;
        QString err;
    } cases[] = {
        {null, S_IFCHR, 0, {}},
        {full, S_IFCHR, 1,
         QStringLiteral("Не удалось записать в «%1». No space left on device.\n").arg(full)},
        {fifo, S_IFIFO, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target.toStdString());
        const Outcome o = vornel({QStringLiteral("--pdf"), c.target});
        EXPECT_EQ(o.status, c.status);
        EXPECT_EQ(o.err, c.err);
        struct stat after {};
        ASSERT_EQ(::stat(QFile::encodeName(c.target).constData(), &after), 0);
        EXPECT_EQ(after.st_mode & S_IFMT, c.type);
    }
    QByteArray throughPipe(64 * 1024, '\0');
    const ssize_t got = ::read(reader, throughPipe.data(), static_cast<size_t>(throughPipe.size()));
    ::close(reader);
    throughPipe.resize(std::max<ssize_t>(got, 0));
    EXPECT_TRUE(isPdf(throughPipe));
    // Nothing beside them.
    EXPECT_EQ(filesIn(dir.path()).size(), 3);
}

// "-" and /dev/stdout are the pipe the output goes down.
TEST(CommandLine, APdfGoesToStandardOutput) {
    QTemporaryDir dir;
    for (const char* target : {"-", "/dev/stdout"}) {
        SCOPED_TRACE(target);
        const Outcome o = vornel({QStringLiteral("--pdf"), QString::fromLatin1(target)});
        EXPECT_EQ(o.status, 0);
        EXPECT_TRUE(o.err.isEmpty()) << o.err.toStdString();
        const QString received = dir.filePath(QStringLiteral("received.pdf"));
        QFile file(received);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(o.rawOut);
        file.close();
        expectEnvelope(received, A4);
    }
}

// A regular file is still replaced whole: through a link the file it names, with its permissions kept.
TEST(CommandLine, AFileThroughALinkIsReplacedAndKeepsItsPermissions) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Конверт.pdf"));
    const QString link = dir.filePath(QStringLiteral("link.pdf"));
    {
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0640), 0);
    ASSERT_TRUE(QFile::link(file, link));
    const Outcome o = vornel({QStringLiteral("--pdf"), link});
    EXPECT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), file);
    EXPECT_TRUE(isPdf(contentOf(file)));
    struct stat after {};
    ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(filesIn(dir.path()).size(), 2);
}

// The names in a folder as the system has them; Qt's can't hold every one.
QList<QByteArray> namesIn(const QByteArray& folder) {
    QList<QByteArray> names;
    if (DIR* d = ::opendir(folder.constData())) {
        while (const dirent* entry = ::readdir(d))
            if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
                names << QByteArray(entry->d_name);
        ::closedir(d);
    }
    return names;
}

// A name that is not in the locale's encoding lands under the very bytes given, in any locale.
TEST(CommandLine, AFileNameIsTakenAsTheBytesGiven) {
    for (const char* lang : {"ru_RU.UTF-8", "C"}) {
        SCOPED_TRACE(lang);
        QTemporaryDir dir;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LANG"), QString::fromLatin1(lang));
        env.remove(QStringLiteral("LC_ALL"));
        // QProcess passes text; the shell makes the byte.
        const Outcome o = runHeadless(QStringLiteral("sh"),
                                      {QStringLiteral("-c"),
                                       QStringLiteral("exec \"$0\" --pdf \"$1/$(printf '\\377').pdf\""),
                                       QStringLiteral(VORNEL_EXECUTABLE), dir.path()},
                                      env);
        EXPECT_EQ(o.status, 0) << o.err.toStdString();
        const QByteArray folder = QFile::encodeName(dir.path());
        EXPECT_EQ(namesIn(folder), QList<QByteArray>{"\xff.pdf"});
        QFile written;
        EXPECT_TRUE(written.open(::open((folder + "/\xff.pdf").constData(), O_RDONLY | O_CLOEXEC),
                                 QIODevice::ReadOnly, QFileDevice::AutoCloseHandle) &&
                    isPdf(written.readAll()));
        // Qt's own removal of the folder can't name it either.
        for (const QByteArray& name : namesIn(folder))
            ::unlink((folder + '/' + name).constData());
    }
}

} // namespace
