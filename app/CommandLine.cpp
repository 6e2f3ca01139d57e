#include "CommandLine.h"

#include "CupsPassword.h"
#include "CupsPrintSystem.h"
#include "EnvelopePdf.h"
#include "ErrorReport.h"
#include "Errors.h"
#include "NorveinConsts.h"
#include "PrintCommand.h"
#include "TPrinter.h"
#include "TemplateDispatch.h"
#include "TerminalPassword.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <optional>

namespace CommandLine {
namespace {

void write(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

struct Options {
    QCommandLineOption listPrinters{QStringLiteral("list-printers"),
                                    QStringLiteral("Показать принтеры, по одному в строке; принтер по "
                                                   "умолчанию отмечен.")};
    QCommandLineOption print{QStringLiteral("print"), QStringLiteral("Напечатать конверт.")};
    QCommandLineOption printer{QStringLiteral("printer"),
                               QStringLiteral("Принтер для --print (иначе принтер по умолчанию)."),
                               QStringLiteral("имя")};
    QCommandLineOption pdf{QStringLiteral("pdf"), QStringLiteral("Сохранить конверт в PDF-файл."),
                           QStringLiteral("файл")};
    QCommandLineOption paper{
        QStringLiteral("paper"),
        QStringLiteral("Бумага для --pdf: a4 или letter (иначе по языковым настройкам)."),
        QStringLiteral("a4|letter")};
    QCommandLineOption templateIndex{QStringLiteral("template"),
                                     QStringLiteral("Шаблон: 0 сплошные линии, 1 центр пунктир, 2 линии "
                                                    "точки (иначе 0)."),
                                     QStringLiteral("0|1|2")};
};

// Thrown for arguments that make no command; answered with the usage and status 2.
struct WrongArguments {
    QString text;
};

std::optional<QString> defaultPrinterName(PrintSystem& system) {
    const DefaultPrinterAnswer answer = system.defaultPrinter();
    switch (answer.kind) {
    case DefaultPrinterAnswer::Kind::Failure:
        throw EOSError(answer.code, answer.systemText.toStdString());
    case DefaultPrinterAnswer::Kind::Name:
        return answer.name;
    case DefaultPrinterAnswer::Kind::NoDefault:
        break;
    }
    return system.userDefaultPrinterName();
}

void listPrinters() {
    CupsPrintSystem system;
    const QStringList names = system.printers();
    const std::optional<QString> byDefault = names.isEmpty() ? std::nullopt : defaultPrinterName(system);
    bool marked = false;
    for (const QString& name : names) {
        const bool isDefault = !marked && byDefault && name.compare(*byDefault, Qt::CaseInsensitive) == 0;
        marked |= isDefault;
        write(stdout, isDefault ? name + QStringLiteral(" (по умолчанию)\n") : name + QLatin1Char('\n'));
    }
}

void print(const std::optional<QString>& printerName, EnvelopeTemplate index) {
    TPrinter printer(std::make_unique<CupsPrintSystem>());
    if (printerName) {
        const std::vector<TPrinterEntry>& entries = printer.Printers();
        int found = -1;
        for (std::size_t i = 0; i < entries.size() && found < 0; ++i)
            if (entries[i].Device.Device.compare(*printerName, Qt::CaseInsensitive) == 0)
                found = static_cast<int>(i);
        if (found < 0)
            throw EPrinter("Printer \"" + printerName->toStdString() + "\" not found");
        printer.setPrinterIndex(found);
    }
    printEnvelope(printer, [index] { return index; });
}

EnvelopeTemplate templateFrom(const QCommandLineParser& parser, const Options& o) {
    if (!parser.isSet(o.templateIndex))
        return 0;
    const QString value = parser.value(o.templateIndex);
    bool ok = false;
    const int index = value.toInt(&ok);
    if (!ok || index < 0 || index >= TemplateCount)
        throw WrongArguments{QStringLiteral("Invalid template '%1': expected 0, 1 or 2.").arg(value)};
    return index;
}

PdfPaper paperFrom(const QCommandLineParser& parser, const Options& o) {
    if (!parser.isSet(o.paper))
        return EnvelopePdf::paperFor(QLocale());
    const std::optional<PdfPaper> paper = EnvelopePdf::paperNamed(parser.value(o.paper));
    if (!paper)
        throw WrongArguments{
            QStringLiteral("Invalid paper '%1': expected a4 or letter.").arg(parser.value(o.paper))};
    return *paper;
}

void requireOnlyWith(const QCommandLineParser& parser, const QCommandLineOption& option, bool allowed,
                     const QString& commands) {
    if (parser.isSet(option) && !allowed)
        throw WrongArguments{QStringLiteral("--%1 goes only with %2.").arg(option.names().first(), commands)};
}

// The command the arguments name, checked whole before anything is done.
std::function<void()> commandFrom(const QCommandLineParser& parser, const Options& o) {
    const int commands = parser.isSet(o.listPrinters) + parser.isSet(o.print) + parser.isSet(o.pdf);
    if (commands != 1)
        throw WrongArguments{QStringLiteral("Give one of --list-printers, --print and --pdf.")};
    if (!parser.positionalArguments().isEmpty())
        throw WrongArguments{
            QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first())};
    requireOnlyWith(parser, o.printer, parser.isSet(o.print), QStringLiteral("--print"));
    requireOnlyWith(parser, o.paper, parser.isSet(o.pdf), QStringLiteral("--pdf"));
    requireOnlyWith(parser, o.templateIndex, !parser.isSet(o.listPrinters),
                    QStringLiteral("--print or --pdf"));

    const EnvelopeTemplate index = templateFrom(parser, o);
    if (parser.isSet(o.listPrinters))
        return listPrinters;
    if (parser.isSet(o.print)) {
        const std::optional<QString> name =
            parser.isSet(o.printer) ? std::optional(parser.value(o.printer)) : std::nullopt;
        return [name, index] { print(name, index); };
    }
    const QString file = parser.value(o.pdf);
    if (file.isEmpty())
        throw WrongArguments{QStringLiteral("--pdf needs a file name.")};
    const PdfPaper paper = paperFrom(parser, o);
    return [file, index, paper] { EnvelopePdf::save(file, index, paper); };
}

} // namespace

bool requested(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strncmp(a, "--", 2) == 0 || std::strcmp(a, "-h") == 0 || std::strcmp(a, "-?") == 0 ||
            std::strcmp(a, "-v") == 0)
            return true;
    }
    return false;
}

int run(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vornel"));
    QCoreApplication::setApplicationVersion(NorveinConsts::ProgramVersion);

    const Options o;
    QCommandLineParser parser;
    parser.setApplicationDescription(NorveinConsts::ProgramName +
                                     QStringLiteral(": конверт для CD/DVD в натуральную величину."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    for (const QCommandLineOption* option :
         {&o.listPrinters, &o.print, &o.printer, &o.pdf, &o.paper, &o.templateIndex})
        parser.addOption(*option);

    std::function<void()> command;
    try {
        if (!parser.parse(QCoreApplication::arguments()))
            throw WrongArguments{parser.errorText()};
        // The toolkit's own options mean nothing without a window: --help-all shows the same help.
        if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
            write(stdout, parser.helpText());
            return 0;
        }
        if (parser.isSet(version)) {
            write(stdout, NorveinConsts::ProgramName + QLatin1Char(' ') + NorveinConsts::ProgramVersion +
                              QLatin1Char('\n'));
            return 0;
        }
        command = commandFrom(parser, o);
    } catch (const WrongArguments& wrong) {
        write(stderr, QStringLiteral("vornel: ") + wrong.text + QLatin1Char('\n') + parser.helpText());
        return 2;
    }

    // The print server's question for a password is asked on the terminal, if there is one.
    CupsPassword::setPrompt(askOnTerminal);
    try {
        command();
    } catch (...) {
        write(stderr, ErrorReport::messageText(std::current_exception()) + QLatin1Char('\n'));
        return 1;
    }
    return 0;
}

} // namespace CommandLine
