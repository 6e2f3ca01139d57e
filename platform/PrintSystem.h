#pragma once

#include "platform/RunSink.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>

// The print system as the printer logic sees it. The real backend is CUPS; tests use a fake one that can
// fail at every step. Every handle it gives out is an owning object: destroying it releases it.

enum class PageOrientation { Portrait = 1, Landscape = 2 };

// A printer's document settings: paper, printable margins and resolution, as the print system reports its
// defaults, plus the orientation the program asks for.
struct DocumentSettings {
    QString paperName;   // the print system's media name, such as "iso_a4_210x297mm"
    int paperWidth = 0;  // of the portrait sheet, in hundredths of a millimetre
    int paperLength = 0; // likewise
    int marginLeft = 0;  // unprintable margins of the portrait sheet, in hundredths of a millimetre
    int marginRight = 0;
    int marginTop = 0;
    int marginBottom = 0;
    int xResolution = 0; // dots per inch across the portrait sheet
    int yResolution = 0; // dots per inch down the portrait sheet
    PageOrientation orientation = PageOrientation::Portrait;

    bool operator==(const DocumentSettings&) const = default;
};

// The print system's answer to "which printer is the default?".
struct DefaultPrinterAnswer {
    enum class Kind { Name, NoDefault, Failure };
    Kind kind = Kind::NoDefault;
    QString name;       // with Kind::Name
    int code = 0;       // with Kind::Failure: the system's status code
    QString systemText; // with Kind::Failure: the system's own description

    static DefaultPrinterAnswer named(const QString& n) { return {Kind::Name, n, 0, {}}; }
    static DefaultPrinterAnswer none() { return {}; }
    static DefaultPrinterAnswer failure(int c, const QString& text) { return {Kind::Failure, {}, c, text}; }
};

// Device capabilities of a context: the printable area in device pixels and in whole millimetres, in the
// orientation of the settings it was made from.
struct DeviceCaps {
    int horzRes = 0;
    int vertRes = 0;
    int horzSize = 0;
    int vertSize = 0;

    bool operator==(const DeviceCaps&) const = default;
};

// An open printer.
class PrinterHandle {
public:
    virtual ~PrinterHandle() = default;
    // The printer's current default document settings; nothing when the system supplies none.
    virtual std::optional<DocumentSettings> documentSettings() = 0;
    // What the system says the printer is (its make and model, or else its device's address), which tells it
    // from another printer later given the same name; empty when it says neither.
    virtual QString identity() const { return {}; }
};

// An information context (queries only) or a device context (queries and one document at a time).
class DeviceContext {
public:
    virtual ~DeviceContext() = default;

    virtual DeviceCaps caps() const = 0;

    // Called while the document is handed to the print system; returning false would cancel the job.
    virtual void setAbortProc(std::function<bool()> proc) = 0;
    virtual void startDoc(const QString& title) = 0;
    virtual void startPage() = 0;
    // Where the open page is drawn: printable-area pixels, origin at its top-left corner.
    virtual RunSink& page() = 0;
    virtual void endPage() = 0;
    // Hands the document to the print system. Throws EOSError with the system's text when it is refused.
    virtual void endDoc() = 0;
};

// Passes each printer it finds to `found` as it is found, until the search is over, `limit` has passed or a
// stop is requested. Runs on a thread of its own, beside the print system's questions: it owns what it
// needs and shares nothing with them that is not locked.
using NetworkSearch = std::function<void(const std::function<void(const QString& name)>& found,
                                         std::chrono::milliseconds limit, std::stop_token stop)>;

class PrintSystem {
public:
    virtual ~PrintSystem() = default;

    // The printers' names in the print system's order; empty when it offers none or, unless the system
    // was made to throw the reason, when it can't be asked.
    virtual QStringList printers() = 0;
    // The default printer as the enumeration reports it.
    virtual DefaultPrinterAnswer defaultPrinter() = 0;
    // The user's default printer name, the second source; nothing when there is none.
    virtual std::optional<QString> userDefaultPrinterName() = 0;
    // Null when the printer can't be opened.
    virtual std::unique_ptr<PrinterHandle> openPrinter(const QString& name) = 0;
    // Null when no context can be made for that printer and settings.
    virtual std::unique_ptr<DeviceContext> createQueryContext(const QString& device,
                                                    const DocumentSettings& settings) = 0;
    virtual std::unique_ptr<DeviceContext> createPrintContext(const QString& device,
                                                    const DocumentSettings& settings) = 0;

    // The search for printers on the network that the print system has no queue for; empty when there is
    // none. Such a printer can then be opened by its name.
    virtual NetworkSearch networkSearch() { return {}; }
};
