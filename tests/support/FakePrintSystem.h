#pragma once

#include "platform/PasswordQuestion.h"
#include "platform/PrintSystem.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A print system whose every answer is set by the test, and which logs what the logic asked of it.
class FakePrintSystem : public PrintSystem {
public:
    struct Printer {
        QString name;
        bool opens = true;
        std::optional<DocumentSettings> settings = a4(300, 300);
        bool icFails = false;
        bool dcFails = false;
        std::optional<DeviceCaps> caps;  // overrides the caps computed from the settings
        // Opening it and making a context for it ask `passwordPrompt` first; declined, they fail.
        bool asksPassword = false;
        QString identity;                // what an open handle says the printer is
    };

    struct Document {
        QString title;
        std::string device;
        DocumentSettings settings;
        DeviceCaps caps;
        int pagesStarted = 0;
        int pagesEnded = 0;
        bool ended = false;
        std::vector<PixelRun> runs;
    };

    static DocumentSettings a4(int xDpi, int yDpi);

    // What the system holds; tests change these at will.
    std::vector<Printer> printerList;
    DefaultPrinterAnswer defaultAnswer = DefaultPrinterAnswer::none();
    std::optional<QString> userDefault;
    // Thrown from printers(), as a server that cannot be reached.
    std::optional<std::string> printersError;
    // Thrown from endDoc, as a print system that refuses the job.
    std::optional<std::string> refuseEndDoc;
    PasswordPrompt passwordPrompt;
    // How often endDoc calls the abort procedure.
    int abortProcCalls = 1;

    // Everything asked, in order: "printers", "default", "userDefault", "open NAME", "settings NAME",
    // "close NAME", "createQueryContext NAME", "createPrintContext NAME", "delete IC", "delete DC", "startDoc", "startPage",
    // "endPage", "endDoc".
    std::vector<std::string> log;
    std::vector<Document> documents;
    int openHandles = 0;
    int openContexts = 0;

    QStringList printers() override;
    DefaultPrinterAnswer defaultPrinter() override;
    std::optional<QString> userDefaultPrinterName() override;
    std::unique_ptr<PrinterHandle> openPrinter(const QString& name) override;
    std::unique_ptr<DeviceContext> createQueryContext(const QString& device, const DocumentSettings& settings) override;
    std::unique_ptr<DeviceContext> createPrintContext(const QString& device, const DocumentSettings& settings) override;

    // Log entries from the given position on, for compact assertions.
    std::vector<std::string> logSince(std::size_t index) const;

private:
    Printer* find(const QString& name);
    // False when the printer asks for a password and none is given.
    bool passwordGiven(const QString& name);
    std::unique_ptr<DeviceContext> createContext(const QString& device, const DocumentSettings& settings,
                                                 bool isDC);
};
