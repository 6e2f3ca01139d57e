// The printer list is read from the server's queues alone, over the print system's one connection, and
// holds what libcups' full enumeration of the same server holds, in the same order; the user's own default
// still comes before the server's.
#include "PrivateCups.h"
#include "platform/cups/CupsPrintSystem.h"

#include <gtest/gtest.h>

#include <cups/cups.h>

#include <QDir>
#include <QFile>
#include <QScopeGuard>

namespace {

// The queue names libcups' own enumeration gives, instances left out.
QStringList libcupsNames() {
    cups_dest_t* dests = nullptr;
    const int n = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    const auto freeDests = qScopeGuard([&] { cupsFreeDests(n, dests); });
    QStringList names;
    for (int i = 0; i < n; ++i)
        if (!dests[i].instance)
            names << QString::fromUtf8(dests[i].name);
    return names;
}

TEST(QueueList, SameQueuesInTheSameOrderAsTheFullEnumeration) {
    const QStringList sets[] = {
        {},
        {"Only"},
        {"zulu", "Alpha", "mike", "Bravo_2", "alpha2", "Charlie-3"},
    };
    for (const QStringList& queues : sets) {
        SCOPED_TRACE(queues.join(QLatin1Char(' ')).toStdString());
        PrivateCups::deleteAll();
        for (const QString& queue : queues)
            PrivateCups::addQueue(queue);
        CupsPrintSystem system;
        const QStringList listed = system.printers();
        EXPECT_EQ(listed, libcupsNames());
        EXPECT_EQ(listed.size(), queues.size());
    }
    PrivateCups::deleteAll();
}

TEST(QueueList, UsersDefaultComesBeforeTheServers) {
    PrivateCups::deleteAll();
    for (const char* queue : {"Alpha", "Bravo", "Charlie"})
        PrivateCups::addQueue(QString::fromLatin1(queue));
    PrivateCups::setDefault(QStringLiteral("Alpha"));
    ASSERT_TRUE(QDir().mkpath(QDir::homePath() + QStringLiteral("/.cups")));
    QFile file(QDir::homePath() + QStringLiteral("/.cups/lpoptions"));
    const auto removeOptions = qScopeGuard([&] { file.remove(); });

    struct Case {
        const char* name;
        QByteArray lpoptions;
        DefaultPrinterAnswer::Kind kind;
        QString defaultName;
    } cases[] = {
        {"server's default", "", DefaultPrinterAnswer::Kind::Name, "Alpha"},
        {"user's default", "Default Charlie\n", DefaultPrinterAnswer::Kind::Name, "Charlie"},
        {"user's default names no queue", "Default Gone\n", DefaultPrinterAnswer::Kind::NoDefault, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.lpoptions);
        file.close();

        CupsPrintSystem system;
        EXPECT_EQ(system.printers(), (QStringList{"Alpha", "Bravo", "Charlie"}));
        const DefaultPrinterAnswer answer = system.defaultPrinter();
        EXPECT_EQ(answer.kind, c.kind);
        EXPECT_EQ(answer.name, c.defaultName);
        EXPECT_EQ(system.userDefaultPrinterName().value_or(QString()), c.defaultName);
        // The default opens with its settings.
        if (!c.defaultName.isEmpty()) {
            const std::unique_ptr<PrinterHandle> handle = system.openPrinter(c.defaultName);
            ASSERT_NE(handle, nullptr);
            EXPECT_TRUE(handle->documentSettings());
        }
    }
    PrivateCups::deleteAll();
}

} // namespace
