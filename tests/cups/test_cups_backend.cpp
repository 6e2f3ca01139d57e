// The CUPS backend of the print system against the private server.
#include "PrivateCups.h"
#include "QtPrinters.h"
#include "platform/Errors.h"
#include "platform/cups/CupsCapabilitySettings.h"
#include "platform/cups/CupsDefaultSettings.h"
#include "platform/cups/CupsDestLookup.h"
#include "platform/cups/CupsOwners.h"
#include "platform/cups/CupsPrintSystem.h"
#include "platform/cups/CupsResolution.h"

#include <gtest/gtest.h>

#include <cups/cups.h>

#include <QDir>
#include <QFile>
#include <QScopeGuard>

namespace {

class CupsBackend : public testing::Test {
protected:
    void SetUp() override { PrivateCups::deleteAll(); }

    CupsPrintSystem system;
};

TEST_F(CupsBackend, ListsQueuesByNameWithLetterCaseIgnored) {
    for (const char* name : {"charlie", "Bravo", "alpha", "Delta_2"})
        PrivateCups::addQueue(QString::fromLatin1(name));
    EXPECT_EQ(system.printers(), (QStringList{"alpha", "Bravo", "charlie", "Delta_2"}));
}

TEST_F(CupsBackend, UsersInstancesAreNoPrintersOfTheirOwn) {
    PrivateCups::addQueue(QStringLiteral("Alpha"));
    PrivateCups::addQueue(QStringLiteral("Bravo"));
    const QString options = QDir::homePath() + QStringLiteral("/.cups/lpoptions");
    ASSERT_TRUE(QDir().mkpath(QDir::homePath() + QStringLiteral("/.cups")));
    QFile file(options);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const auto removeOptions = qScopeGuard([&] { file.remove(); });
    file.write("Dest Alpha/duplex sides=two-sided-long-edge\n");
    file.close();

    EXPECT_EQ(system.printers(), (QStringList{"Alpha", "Bravo"}));
}

TEST_F(CupsBackend, DefaultPrinterAndUsersDefault) {
    struct Case {
        const char* name;
        QStringList queues;
        QString serverDefault;
        DefaultPrinterAnswer::Kind kind;
        QString defaultName;
    } cases[] = {
        {"server default", {"Alpha", "Bravo", "Charlie"}, "Bravo", DefaultPrinterAnswer::Kind::Name, "Bravo"},
        {"a comma in the name",
         {"Alpha", "Office,2"},
         "Office,2",
         DefaultPrinterAnswer::Kind::Name,
         "Office,2"},
        {"queues without a default", {"Alpha", "Bravo"}, {}, DefaultPrinterAnswer::Kind::NoDefault, {}},
        {"no queues", {}, {}, DefaultPrinterAnswer::Kind::NoDefault, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PrivateCups::deleteAll();
        for (const QString& queue : c.queues)
            PrivateCups::addQueue(queue);
        if (!c.serverDefault.isEmpty())
            PrivateCups::setDefault(c.serverDefault);

        const DefaultPrinterAnswer answer = system.defaultPrinter();
        EXPECT_EQ(answer.kind, c.kind);
        EXPECT_EQ(answer.name, c.defaultName);
        EXPECT_EQ(system.userDefaultPrinterName().value_or(QString()), c.defaultName);
    }
}

TEST_F(CupsBackend, ServerThatStoppedIsAFailureWithItsStatus) {
    PrivateCups::SpareServer spare;
    spare.addQueue(QStringLiteral("Alpha"));
    spare.setDefault(QStringLiteral("Alpha"));
    const QByteArray address = spare.address().toUtf8();
    cupsSetServer(address.constData());
    const auto back = qScopeGuard([] { cupsSetServer(nullptr); });
    ASSERT_EQ(system.defaultPrinter().name, QStringLiteral("Alpha"));

    spare.stop();
    const DefaultPrinterAnswer answer = system.defaultPrinter();
    EXPECT_EQ(answer.kind, DefaultPrinterAnswer::Kind::Failure);
    EXPECT_EQ(answer.code, 0x0502);
    EXPECT_EQ(answer.systemText,
              QStringLiteral("Сервер печати %1 недоступен.").arg(QString::fromUtf8(address)));
    EXPECT_TRUE(system.printers().isEmpty());
    EXPECT_THROW(system.openPrinter(QStringLiteral("Alpha")), EOSError);
}

TEST_F(CupsBackend, DocumentSettingsAreTheQueuesDefaults) {
    struct Case {
        const char* name;
        const char* format;
        const char* dpi;
        DocumentSettings expected;
    } cases[] = {
        {"PostScript, model's resolution",
         "ps",
         "",
         {"iso_a4_210x297mm", 21000, 29700, 423, 423, 423, 423, 300, 300}},
        {"PostScript, 600 by 300",
         "ps",
         "600x300dpi",
         {"iso_a4_210x297mm", 21000, 29700, 423, 423, 423, 423, 600, 300}},
        {"PDF, model's resolution",
         "pdf",
         "",
         {"iso_a4_210x297mm", 21000, 29700, 635, 635, 1270, 1270, 600, 600}},
        {"PDF, 1200", "pdf", "1200dpi", {"iso_a4_210x297mm", 21000, 29700, 635, 635, 1270, 1270, 1200, 1200}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PrivateCups::deleteAll();
        PrivateCups::addQueue(QStringLiteral("Queue"), QString::fromLatin1(c.format),
                              QString::fromLatin1(c.dpi));

        const std::unique_ptr<PrinterHandle> handle = system.openPrinter(QStringLiteral("Queue"));
        ASSERT_NE(handle, nullptr);
        const std::optional<DocumentSettings> settings = handle->documentSettings();
        ASSERT_TRUE(settings);
        EXPECT_EQ(settings->paperName, c.expected.paperName);
        EXPECT_NEAR(settings->paperWidth, c.expected.paperWidth, 10);
        EXPECT_NEAR(settings->paperLength, c.expected.paperLength, 10);
        EXPECT_EQ(settings->marginLeft, c.expected.marginLeft);
        EXPECT_EQ(settings->marginRight, c.expected.marginRight);
        EXPECT_EQ(settings->marginTop, c.expected.marginTop);
        EXPECT_EQ(settings->marginBottom, c.expected.marginBottom);
        EXPECT_EQ(settings->xResolution, c.expected.xResolution);
        EXPECT_EQ(settings->yResolution, c.expected.yResolution);
        EXPECT_EQ(settings->orientation, PageOrientation::Portrait);
    }
}

TEST_F(CupsBackend, UsersOwnPaperForAQueueComesFirst) {
    PrivateCups::addQueue(QStringLiteral("Queue"));
    ASSERT_TRUE(QDir().mkpath(QDir::homePath() + QStringLiteral("/.cups")));
    QFile file(QDir::homePath() + QStringLiteral("/.cups/lpoptions"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const auto removeOptions = qScopeGuard([&] { file.remove(); });
    file.write("Dest Queue media=iso_a5_148x210mm\n");
    file.close();

    const std::unique_ptr<PrinterHandle> handle = system.openPrinter(QStringLiteral("Queue"));
    ASSERT_NE(handle, nullptr);
    const std::optional<DocumentSettings> settings = handle->documentSettings();
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->paperName, QStringLiteral("iso_a5_148x210mm"));
    EXPECT_NEAR(settings->paperWidth, 14800, 50);
    EXPECT_NEAR(settings->paperLength, 21000, 50);
}

// The short answer at start-up stands in for the full capabilities only where both say the same; a paper
// the user chose that is not the default is left to the full capabilities.
TEST_F(CupsBackend, ShortAnswerGivesWhatTheFullCapabilitiesGive) {
    struct Case {
        const char* name;
        const char* format;
        const char* dpi;
        const char* lpoptions; // the user's options for the queue, if any
        bool shortAnswer;      // whether the short answer is enough
    } cases[] = {
        {"PostScript", "ps", "", "", true},
        {"PostScript, 600 by 300", "ps", "600x300dpi", "", true},
        {"PDF", "pdf", "", "", true},
        {"PDF, 1200", "pdf", "1200dpi", "", true},
        {"the user's paper is the default", "pdf", "", "media=iso_a4_210x297mm", true},
        {"the user's resolution", "pdf", "", "printer-resolution=300dpi", true},
        {"the user's paper is another", "pdf", "", "media=iso_a5_148x210mm", false},
        {"the user's paper is one the printer lacks", "pdf", "", "media=iso_a0_841x1189mm", false},
    };
    ASSERT_TRUE(QDir().mkpath(QDir::homePath() + QStringLiteral("/.cups")));
    QFile file(QDir::homePath() + QStringLiteral("/.cups/lpoptions"));
    const auto removeOptions = qScopeGuard([&] { file.remove(); });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PrivateCups::deleteAll();
        PrivateCups::addQueue(QStringLiteral("Queue"), QString::fromLatin1(c.format),
                              QString::fromLatin1(c.dpi));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        if (*c.lpoptions)
            file.write(QByteArray("Dest Queue ") + c.lpoptions + '\n');
        file.close();

        CupsSession session;
        const CupsDest dest = lookUpDest(session, QStringLiteral("Queue"));
        ASSERT_NE(dest, nullptr);
        const std::optional<DocumentSettings> full = askCapabilitySettings(session, dest.get());
        ASSERT_TRUE(full);
        const std::optional<DocumentSettings> short_ = askDefaultSettings(session, dest.get());
        EXPECT_EQ(short_.has_value(), c.shortAnswer);
        if (short_) {
            EXPECT_EQ(*short_, *full);
        }
    }
}

TEST_F(CupsBackend, QueueThatIsGone) {
    PrivateCups::addQueue(QStringLiteral("Alpha"));
    const std::unique_ptr<PrinterHandle> opened = system.openPrinter(QStringLiteral("Alpha"));
    ASSERT_NE(opened, nullptr);
    PrivateCups::deleteQueue(QStringLiteral("Alpha"));

    EXPECT_EQ(system.openPrinter(QStringLiteral("Alpha")), nullptr);
    EXPECT_EQ(system.openPrinter(QStringLiteral("Never")), nullptr);
    EXPECT_FALSE(opened->documentSettings());
}

// The user's resolution wherever the printer lists it; one it lists nowhere gives way to the default.
TEST(CupsResolution, TheUsersChoiceWhereverThePrinterListsIt) {
    const IppMessage printer(ippNew());
    ipp_t* p = printer.get();
    ipp_attribute_t* byDefault =
        ippAddResolution(p, IPP_TAG_PRINTER, "printer-resolution-default", IPP_RES_PER_INCH, 600, 600);
    ipp_attribute_t* supported =
        ippAddResolution(p, IPP_TAG_PRINTER, "printer-resolution-supported", IPP_RES_PER_INCH, 600, 600);
    const int rasterAcross[] = {150, 300};
    const int rasterDown[] = {150, 300};
    ipp_attribute_t* raster =
        ippAddResolutions(p, IPP_TAG_PRINTER, "pwg-raster-document-resolution-supported", 2, IPP_RES_PER_INCH,
                          rasterAcross, rasterDown);
    const char* urfKeywords[] = {"V1.4", "W8", "RS360-720", "RSx"};
    ipp_attribute_t* urf =
        ippAddStrings(p, IPP_TAG_PRINTER, IPP_TAG_KEYWORD, "urf-supported", 4, nullptr, urfKeywords);
    int ppdAsked = 0;
    const ListedResolutions listed{supported, raster, urf, [&] {
                                       ++ppdAsked;
                                       return std::vector<Resolution>{{1200, 600}};
                                   }};

    struct Case {
        const char* chosen; // the user's printer-resolution; none when null
        Resolution expected;
        bool ppdAsked;
    };
    const Case cases[] = {
        {nullptr, {600, 600}, false},       {"600dpi", {600, 600}, false}, {"300dpi", {300, 300}, false},
        {"150dpi", {150, 150}, false},      {"720dpi", {720, 720}, false}, {"360dpi", {360, 360}, false},
        {"1200x600dpi", {1200, 600}, true}, {"2400dpi", {600, 600}, true}, {"many", {600, 600}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen ? c.chosen : "none");
        cups_dest_t dest{};
        if (c.chosen)
            dest.num_options = cupsAddOption("printer-resolution", c.chosen, 0, &dest.options);
        const auto freeOptions = qScopeGuard([&] { cupsFreeOptions(dest.num_options, dest.options); });
        ppdAsked = 0;
        const std::optional<Resolution> r = effectiveResolution(&dest, byDefault, listed);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->across, c.expected.across);
        EXPECT_EQ(r->down, c.expected.down);
        EXPECT_EQ(ppdAsked > 0, c.ppdAsked);
    }
}

} // namespace
