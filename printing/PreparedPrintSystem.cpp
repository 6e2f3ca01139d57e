#include "printing/PreparedPrintSystem.h"

#include "printing/TPrinter.h"

#include <utility>

namespace {

using Heard = PreparedPrintSystem::Heard;
using Question = Heard::Question;

// Asks the system and writes down what it said; it says the same to whoever asked.
template <class Answer, class Ask> Answer hear(std::deque<Heard>& heard, Question question, Ask&& ask,
                                                const QString& name = {}) {
    try {
        Answer answer = ask();
        heard.push_back({question, name, answer, nullptr});
        return answer;
    } catch (...) {
        heard.push_back({question, name, std::monostate{}, std::current_exception()});
        throw;
    }
}

template <class Answer> Answer replay(const Heard& heard) {
    if (heard.error)
        std::rethrow_exception(heard.error);
    return std::get<Answer>(heard.answer);
}

// A handle the listening printer is given: its settings are written down too. The handle itself is kept
// for the printer that comes later.
class HearingHandle : public PrinterHandle {
public:
    HearingHandle(std::shared_ptr<PrinterHandle> handle, std::deque<Heard>& heard)
        : handle_(std::move(handle)), heard_(heard) {}
    std::optional<DocumentSettings> documentSettings() override {
        return hear<std::optional<DocumentSettings>>(heard_, Question::Settings,
                                                      [&] { return handle_->documentSettings(); });
    }

private:
    std::shared_ptr<PrinterHandle> handle_;
    std::deque<Heard>& heard_;
};

// The system as the printer that starts ahead sees it.
class Hearing : public PrintSystem {
public:
    Hearing(PrintSystem& system, std::deque<Heard>& heard) : system_(system), heard_(heard) {}

    QStringList printers() override {
        return hear<QStringList>(heard_, Question::Printers, [&] { return system_.printers(); });
    }
    DefaultPrinterAnswer defaultPrinter() override {
        return hear<DefaultPrinterAnswer>(heard_, Question::Default, [&] { return system_.defaultPrinter(); });
    }
    std::optional<QString> userDefaultPrinterName() override {
        return hear<std::optional<QString>>(heard_, Question::UserDefault,
                                            [&] { return system_.userDefaultPrinterName(); });
    }
    std::unique_ptr<PrinterHandle> openPrinter(const QString& name) override {
        const auto handle = hear<std::shared_ptr<PrinterHandle>>(
            heard_, Question::Open, [&] { return std::shared_ptr<PrinterHandle>(system_.openPrinter(name)); },
            name);
        return handle ? std::make_unique<HearingHandle>(handle, heard_) : nullptr;
    }
    // The start asks for no context; should it, it is made and dropped without a word.
    std::unique_ptr<DeviceContext> createQueryContext(const QString& device, const DocumentSettings& settings) override {
        return system_.createQueryContext(device, settings);
    }
    std::unique_ptr<DeviceContext> createPrintContext(const QString& device, const DocumentSettings& settings) override {
        return system_.createPrintContext(device, settings);
    }

private:
    PrintSystem& system_;
    std::deque<Heard>& heard_;
};

// The handle opened ahead, with its settings as they were heard.
class HeardHandle : public PrinterHandle {
public:
    HeardHandle(std::shared_ptr<PrinterHandle> handle, PreparedPrintSystem& system)
        : handle_(std::move(handle)), system_(system) {}
    std::optional<DocumentSettings> documentSettings() override {
        if (const std::optional<Heard> heard = system_.take(Question::Settings))
            return replay<std::optional<DocumentSettings>>(*heard);
        return handle_->documentSettings();
    }

private:
    std::shared_ptr<PrinterHandle> handle_;
    PreparedPrintSystem& system_;
};

} // namespace

PreparedPrintSystem::PreparedPrintSystem(std::unique_ptr<PrintSystem> system) : system_(std::move(system)) {
    // The questions the window's start asks, in its order; an error ends them there, as it ends the start.
    TPrinter ahead(std::make_unique<Hearing>(*system_, heard_));
    try {
        ahead.Printers();
        ahead.PrinterIndex();
    } catch (...) {
    }
}

PreparedPrintSystem::~PreparedPrintSystem() = default;

std::optional<Heard> PreparedPrintSystem::take(Question question, const QString& name) {
    if (heard_.empty())
        return std::nullopt;
    if (heard_.front().question != question || heard_.front().name != name) {
        heard_.clear();
        return std::nullopt;
    }
    Heard heard = std::move(heard_.front());
    heard_.pop_front();
    return heard;
}

QStringList PreparedPrintSystem::printers() {
    if (const std::optional<Heard> heard = take(Question::Printers))
        return replay<QStringList>(*heard);
    return system_->printers();
}

DefaultPrinterAnswer PreparedPrintSystem::defaultPrinter() {
    if (const std::optional<Heard> heard = take(Question::Default))
        return replay<DefaultPrinterAnswer>(*heard);
    return system_->defaultPrinter();
}

std::optional<QString> PreparedPrintSystem::userDefaultPrinterName() {
    if (const std::optional<Heard> heard = take(Question::UserDefault))
        return replay<std::optional<QString>>(*heard);
    return system_->userDefaultPrinterName();
}

std::unique_ptr<PrinterHandle> PreparedPrintSystem::openPrinter(const QString& name) {
    if (const std::optional<Heard> heard = take(Question::Open, name)) {
        std::shared_ptr<PrinterHandle> handle = replay<std::shared_ptr<PrinterHandle>>(*heard);
        return handle ? std::make_unique<HeardHandle>(std::move(handle), *this) : nullptr;
    }
    return system_->openPrinter(name);
}

std::unique_ptr<DeviceContext> PreparedPrintSystem::createQueryContext(const QString& device,
                                                                    const DocumentSettings& settings) {
    return system_->createQueryContext(device, settings);
}

std::unique_ptr<DeviceContext> PreparedPrintSystem::createPrintContext(const QString& device,
                                                                    const DocumentSettings& settings) {
    return system_->createPrintContext(device, settings);
}

void PreparedPrintSystem::findNetworkPrinters(const std::function<void(const QString& name)>& found,
                                              std::chrono::milliseconds limit, std::atomic<int>& cancel) {
    system_->findNetworkPrinters(found, limit, cancel);
}
