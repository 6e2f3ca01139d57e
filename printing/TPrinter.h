#pragma once

#include "platform/PrintSystem.h"
#include "printing/TPrinterCanvas.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

enum TPrinterState { psNoHandle, psHandleIC, psHandleDC };
enum TPrinterOrientation { poPortrait, poLandscape };

// One row of the printer list: the text the list shows, and the name the print system knows the printer by.
struct TPrinterEntry {
    QString Text;
    QString Name;
    // Found on the network, with no queue of the print system's for it.
    bool Network = false;
};

// The program-wide printer: the printer list, the current printer with its document settings, the drawing
// context and the open document.
class TPrinter {
public:
    explicit TPrinter(std::unique_ptr<PrintSystem> system);
    ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // --- printer list and selection ---
    const std::vector<TPrinterEntry>& Printers();
    // The row of the printer with this name, matched regardless of case; -1 when no printer has it.
    int indexOfPrinter(const QString& name);
    // The print system's default printer, or else the user's own; none when neither names one.
    std::optional<QString> defaultPrinterName();
    // A printer found on the network, listed below the print system's own, sorted among its kind; the current
    // printer stays current. Its row, or -1 when a printer by that name is listed already.
    int addNetworkPrinter(const QString& name);
    // The print system's search for them, to run on a thread of the caller's; it holds nothing of the printer's.
    NetworkSearch networkSearch() { return system_->networkSearch(); }
    // Reading while no printer is current runs the default-printer selection first.
    int PrinterIndex();
    void setPrinterIndex(int value);
    // The current printer's document settings; null when it has none.
    const DocumentSettings* DevMode() const { return devMode_ ? &*devMode_ : nullptr; }
    // What the print system says the current printer is; empty when it is not open or the system says
    // nothing.
    QString Identity() const { return handle_ ? handle_->identity() : QString(); }

    // --- print job ---
    TPrinterOrientation Orientation();
    void setOrientation(TPrinterOrientation value);
    // Brings the context to at least an information context and returns it.
    DeviceContext& Handle();
    TPrinterState State() const { return state_; }
    bool Printing() const { return printing_; }
    const QString& Title() const { return title_; }
    TPrinterCanvas& Canvas();
    void BeginDoc();
    void EndDoc();
    // Drops the open document without handing it to the print system and releases the context; does
    // nothing when no document is open. For a command that fails between BeginDoc and EndDoc.
    void AbortDoc();

    // The document being handed over is given up: the user is leaving. The print system keeps nothing of it.
    void abandonJob() { abandoning_ = true; }

    // What the abort procedure does while a job is handed over: by default, dispatch pending window events.
    void setPendingEventsHandler(std::function<void()> handler);

private:
    void buildPrinterList();
    void selectDefaultPrinter();
    void makeCurrent(int index);
    // A current printer with its document settings, read again if they were missing.
    void requireSettings();
    void releaseCurrent();
    void setState(TPrinterState value);
    void attachCanvas();
    bool abortProc();

    std::unique_ptr<PrintSystem> system_;
    std::optional<std::vector<TPrinterEntry>> printers_;
    int printerIndex_ = -1;
    std::unique_ptr<PrinterHandle> handle_;
    std::optional<DocumentSettings> devMode_;

    TPrinterState state_ = psNoHandle;
    std::unique_ptr<DeviceContext> context_;
    bool printing_ = false;
    QString title_;
    std::unique_ptr<TPrinterCanvas> canvas_;
    std::function<void()> pendingEvents_;
    bool abandoning_ = false;
};
