// The File menu's "save as PDF": the real file dialog (Qt's own), the file it writes measured at 600 dpi, the
// folder it remembers, and a failed write reported.
#include "EnvelopeInPdf.h"
#include "MainFormHarness.h"
#include "ReadOnlyFolder.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// The dialog lists the folders it shows and sniffs their files, so every folder it sees is the test's own:
// under the working folder, with a home of its own there where the dialog starts. (A folder such as /proc
// or a shared /tmp may hold files whose reading never ends.)
class SavePdf : public MainFormHarness {
protected:
    SavePdf() {
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        // The dialog keeps the folders it visited in the user's settings, read from the home folder.
        qputenv("HOME", home.path().toLocal8Bit());
        qunsetenv("XDG_CONFIG_HOME");
    }
    ~SavePdf() override { QLocale::setDefault(QLocale::system()); }

    static QString place(const char* name) {
        return QDir::currentPath() + QLatin1Char('/') + QLatin1String(name);
    }

    QTemporaryDir home{place("home-XXXXXX")};

    // Every file under the home folder, where the dialog's own settings would go.
    QStringList writtenUnderHome() const {
        QStringList written;
        QDirIterator files(home.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (files.hasNext())
            written << files.next();
        return written;
    }

    // Chooses the menu item and, once its dialog is up, hands the dialog to `inDialog`; returns when the
    // command has finished.
    void saveThroughTheMenu(const std::function<void(QFileDialog&)>& inDialog) {
        bool seen = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog || seen)
                return;
            seen = true;
            inDialog(*dialog);
            // Whatever the step did, the dialog does not outlive it.
            if (dialog->isVisible())
                dialog->reject();
        });
        poll.start(20);
        form->MenuSavePdf->trigger();
        ASSERT_TRUE(QTest::qWaitFor([&] { return seen && !QApplication::activeModalWidget(); }, 10000));
        QCoreApplication::processEvents();
    }

    // Puts the name into the dialog's file name box and clicks its Save button, as a user does.
    static void typeAndAccept(QFileDialog& dialog, const QString& name) {
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        ASSERT_NE(edit, nullptr);
        ASSERT_NE(buttons, nullptr);
        edit->setText(name);
        QPushButton* save = buttons->button(QDialogButtonBox::Save);
        ASSERT_NE(save, nullptr);
        ASSERT_TRUE(save->isEnabled());
        QTest::mouseClick(save, Qt::LeftButton);
    }
};

TEST_F(SavePdf, TheSelectedTemplateOnTheLocalesPaperAtTrueSize) {
    start();
    QTemporaryDir dir(place("pdf-XXXXXX"));
    const struct {
        QLocale locale;
        int templateIndex;
        QSizeF sheetMm;
        double leftEdgeMm; // the body's left edge from the sheet's
    } cases[] = {
        {QLocale(QLocale::Russian, QLocale::Russia), 0, {297, 210}, 26.35},
        {QLocale(QLocale::English, QLocale::UnitedStates), 2, {279.4, 215.9}, 23.05},
        {QLocale(QLocale::German, QLocale::Germany), 1, {297, 210}, 26.35},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale.name().toStdString());
        QLocale::setDefault(c.locale);
        form->ListBoxTemplates->setItemIndex(c.templateIndex);
        const QString file = dir.filePath(c.locale.name() + QStringLiteral(".pdf"));
        saveThroughTheMenu([&](QFileDialog& dialog) {
            EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
            EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text(),
                      QStringLiteral("Конверт.pdf"));
            typeAndAccept(dialog, file);
        });
        EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
        ASSERT_TRUE(QFile::exists(file));
        expectEnvelopeInPdf(file, c.sheetMm, c.leftEdgeMm);
    }
}

TEST_F(SavePdf, TheDialogOpensWhereTheLastFileWentAndCancelWritesNothing) {
    start();
    QTemporaryDir first(place("first-XXXXXX"));
    QTemporaryDir second(place("second-XXXXXX"));
    saveThroughTheMenu(
        [&](QFileDialog& dialog) { typeAndAccept(dialog, first.filePath(QStringLiteral("a.pdf"))); });
    saveThroughTheMenu([&](QFileDialog& dialog) {
        EXPECT_EQ(QDir(dialog.directory()).canonicalPath(), QDir(first.path()).canonicalPath());
        typeAndAccept(dialog, second.filePath(QStringLiteral("b.pdf")));
    });
    saveThroughTheMenu([&](QFileDialog& dialog) {
        EXPECT_EQ(QDir(dialog.directory()).canonicalPath(), QDir(second.path()).canonicalPath());
        dialog.reject();
    });
    EXPECT_TRUE(QFile::exists(first.filePath(QStringLiteral("a.pdf"))));
    EXPECT_EQ(QDir(second.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("b.pdf")});
    EXPECT_TRUE(reported.isEmpty());
}

TEST_F(SavePdf, AFileThatCannotBeWrittenIsReportedAndTheWindowGoesOn) {
    start();
    ReadOnlyFolder readOnly(place("read-only-XXXXXX"));
    if (!readOnly.usable())
        GTEST_SKIP() << "root here may not mount a read-only file system, and ignores permissions";
    const QString file = readOnly.path() + QStringLiteral("/Конверт.pdf");
    saveThroughTheMenu([&](QFileDialog& dialog) { typeAndAccept(dialog, file); });
    const QString reason =
        geteuid() == 0 ? QStringLiteral("Read-only file system") : QStringLiteral("Permission denied");
    EXPECT_EQ(reported, QStringList{QStringLiteral("Не удалось создать файл «%1». %2.").arg(file, reason)});
    EXPECT_TRUE(QDir(readOnly.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());

    // The window still works: the next save goes through.
    QTemporaryDir dir(place("pdf-XXXXXX"));
    saveThroughTheMenu(
        [&](QFileDialog& dialog) { typeAndAccept(dialog, dir.filePath(QStringLiteral("c.pdf"))); });
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("c.pdf"))));
    EXPECT_EQ(reported.size(), 1);
}

TEST_F(SavePdf, TheDialogLeavesNoSettingsFileBehind) {
    start();
    QTemporaryDir dir(place("pdf-XXXXXX"));
    saveThroughTheMenu(
        [&](QFileDialog& dialog) { typeAndAccept(dialog, dir.filePath(QStringLiteral("a.pdf"))); });
    saveThroughTheMenu([&](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
    ASSERT_TRUE(QFile::exists(dir.filePath(QStringLiteral("a.pdf"))));
    EXPECT_EQ(writtenUnderHome(), QStringList{});
}

// A start-up that failed selected no template: saving says what is missing, as printing does, before any
// dialog and without a file.
TEST_F(SavePdf, NoTemplateSelectedSaysSoAndWritesNothing) {
    fake.defaultAnswer = DefaultPrinterAnswer::failure(1282, "The print server is not available.");
    start();
    ASSERT_EQ(reported.size(), 1);
    ASSERT_EQ(form->ListBoxTemplates->ItemIndex(), -1);
    reported.clear();

    bool dialogShown = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            dialogShown = true;
            dialog->reject();
        }
    });
    poll.start(20);
    form->MenuSavePdf->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !reported.isEmpty(); }, 10000));
    QCoreApplication::processEvents();
    EXPECT_EQ(reported, QStringList{QStringLiteral("Не выбран шаблон печати.")});
    EXPECT_FALSE(dialogShown);
    EXPECT_EQ(writtenUnderHome(), QStringList{});
}

} // namespace
