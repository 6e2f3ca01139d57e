// The program's own start with the print server taken out: the same window over a print system that answers
// from memory what the benchmark's server holds (three queues, the 300-dpi one the default). Timed beside the
// program, it shows what the print system costs the start: loading libcups and its libraries, and the
// server's answers. It never prints.
#include "app/ErrorReport.h"
#include "app/TApplication.h"
#include "platform/PrintSystem.h"
#include "printing/PrinterStart.h"
#include "ui/Fonts.h"
#include "ui/RunMainWindow.h"

#include <memory>

namespace {

class FixedHandle : public PrinterHandle {
public:
    std::optional<DocumentSettings> documentSettings() override {
        DocumentSettings a4;
        a4.paperName = QStringLiteral("iso_a4_210x297mm");
        a4.paperWidth = 21000;
        a4.paperLength = 29700;
        a4.marginLeft = 2000;
        a4.marginRight = 500;
        a4.marginTop = 800;
        a4.marginBottom = 1200;
        a4.xResolution = a4.yResolution = 300;
        return a4;
    }
};

class InMemoryPrinters : public PrintSystem {
public:
    QStringList printers() override {
        return {QStringLiteral("Bench"), QStringLiteral("Margins"), QStringLiteral("Postscript")};
    }
    DefaultPrinterAnswer defaultPrinter() override {
        return DefaultPrinterAnswer::named(QStringLiteral("Margins"));
    }
    std::optional<QString> userDefaultPrinterName() override { return QStringLiteral("Margins"); }
    std::unique_ptr<PrinterHandle> openPrinter(const QString&) override {
        return std::make_unique<FixedHandle>();
    }
    std::unique_ptr<DeviceContext> createQueryContext(const QString&, const DocumentSettings&) override {
        return nullptr;
    }
    std::unique_ptr<DeviceContext> createPrintContext(const QString&, const DocumentSettings&) override {
        return nullptr;
    }
};

} // namespace

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    // Started as the program starts, on a thread of its own beside the fonts' set-up.
    const PrinterStartThread start([] { return std::make_unique<InMemoryPrinters>(); });
    registerApplicationFonts();
    runMainWindow(start.future(), ErrorReport::guard);
    return 0;
}
