#pragma once

#include "platform/PrintSystem.h"

#include <deque>
#include <exception>
#include <memory>
#include <variant>

// A print system whose start-up questions were asked ahead, on another thread: the printer's own start
// (the list, the default, its settings) is run once against the system as soon as it is made, and what was
// heard, answers and errors alike, answers the printer's same questions later, in the same order. A question
// asked otherwise, and every question after it, goes to the system itself. Printer handles it gives out
// must go before it, as the printer's do.
class PreparedPrintSystem : public PrintSystem {
public:
    explicit PreparedPrintSystem(std::unique_ptr<PrintSystem> system);
    ~PreparedPrintSystem() override;

    QStringList printers() override;
    DefaultPrinterAnswer defaultPrinter() override;
    std::optional<QString> userDefaultPrinterName() override;
    std::unique_ptr<PrinterHandle> openPrinter(const QString& name) override;
    std::unique_ptr<DeviceContext> createQueryContext(const QString& device, const DocumentSettings& settings) override;
    std::unique_ptr<DeviceContext> createPrintContext(const QString& device, const DocumentSettings& settings) override;
    void findNetworkPrinters(const std::function<void(const QString& name)>& found, std::chrono::milliseconds limit,
                             std::atomic<int>& cancel) override;

    // One answer heard: what a question returned, or what it threw.
    struct Heard {
        enum class Question { Printers, Default, UserDefault, Open, Settings };
        Question question;
        QString name; // of the printer opened
        std::variant<std::monostate, QStringList, DefaultPrinterAnswer, std::optional<QString>,
                     std::shared_ptr<PrinterHandle>, std::optional<DocumentSettings>>
            answer;
        std::exception_ptr error;
    };
    // The next answer heard, taken, if it answers this question; otherwise none is answered from memory again.
    std::optional<Heard> take(Heard::Question question, const QString& name = {});

private:
    std::unique_ptr<PrintSystem> system_;
    std::deque<Heard> heard_;
};
