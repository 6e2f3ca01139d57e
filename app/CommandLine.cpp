#include "app/CommandLine.h"

#include "app/ErrorReport.h"
#include "app/QtOptions.h"
#include "app/QtRussian.h"
#include "app/TerminalPassword.h"
#include "platform/Errors.h"
#include "platform/SaveFile.h"
#include "platform/PrintBackendModule.h"
#include "printing/EnvelopePdf.h"
#include "printing/PrintCommand.h"
#include "printing/TPrinter.h"
#include "templates/TemplateDispatch.h"
#include "ui/ProductConstants.h"

#include <QApplication>
#include <QByteArray>
#include <QByteArrayView>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace CommandLine {
namespace {

// A terminal or a pipe ends its lines with a line feed alone; the window's texts keep their own break.
void write(std::FILE* stream, QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
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

    // They mean nothing without a window, but a script may pass them to every Qt program alike.
    QList<QCommandLineOption> qt = QtOptions::hidden();

    std::vector<const QCommandLineOption*> own() const {
        return {&listPrinters, &print, &printer, &pdf, &paper, &templateIndex};
    }
    bool takesValue(const QString& name) const {
        std::vector<const QCommandLineOption*> all = own();
        for (const QCommandLineOption& option : qt)
            all.push_back(&option);
        for (const QCommandLineOption* option : all)
            if (option->names().contains(name))
                return !option->valueName().isEmpty();
        return false;
    }
};

// The arguments as the program was given them: the parser's text, and the bytes under it.
struct Arguments {
    int argc;
    char** argv;
    QStringList text;
};

// Thrown for arguments that make no command; answered with one line, the way to the usage, and status 2.
struct WrongArguments {
    QString text;
};

// The print system for a command: a list that can't be read says why.
std::unique_ptr<PrintSystem> commandPrintSystem() {
    return printBackend().makeSystem(ListFailure::Thrown);
}

// How long a command looks for printers on the network, as long as the network keeps answering.
constexpr std::chrono::milliseconds NetworkSearchLimit{5000};

// Printers found on the network, listed after the print system's own; with a name, the search ends as soon
// as that one is found.
void addNetworkPrinters(TPrinter& printer, const std::optional<QString>& wanted = std::nullopt) {
    std::atomic<int> cancel{0};
    printer.findNetworkPrinters(
        [&](const QString& name) {
            printer.addNetworkPrinter(name);
            if (wanted && name.compare(*wanted, Qt::CaseInsensitive) == 0)
                cancel = 1;
        },
        NetworkSearchLimit, cancel);
}

void listPrinters() {
    TPrinter printer(commandPrintSystem());
    const std::vector<TPrinterEntry>& entries = printer.Printers();
    const std::optional<QString> byDefault = entries.empty() ? std::nullopt : printer.defaultPrinterName();
    const int marked = byDefault ? printer.indexOfPrinter(*byDefault) : -1;
    addNetworkPrinters(printer);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const QString& name = entries[i].Name;
        write(stdout, static_cast<int>(i) == marked ? name + QStringLiteral(" (по умолчанию)\n")
                                                    : name + QLatin1Char('\n'));
    }
}

void print(const std::optional<QString>& printerName, EnvelopeTemplate index) {
    TPrinter printer(commandPrintSystem());
    // The list first, as the window reads it: a server that can't be asked says so, before any lookup
    // by name or default could blame a missing printer.
    printer.Printers();
    if (printerName) {
        if (printer.indexOfPrinter(*printerName) < 0)
            addNetworkPrinters(printer, printerName);
        const int found = printer.indexOfPrinter(*printerName);
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
    // The digit alone: no sign, space or leading zero.
    if (!ok || index < 0 || index >= TemplateCount || QString::number(index) != value)
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

void requireOnce(const QCommandLineParser& parser, const QCommandLineOption& option) {
    // Every name the option was found under, as often as it was found.
    const QStringList found = parser.optionNames();
    qsizetype times = 0;
    for (const QString& name : option.names())
        times += found.count(name);
    if (times > 1)
        throw WrongArguments{QStringLiteral("--%1 may be given only once.").arg(option.names().first())};
}

// The value of --pdf as the bytes given: the parser's text keeps no byte that is not in the locale's
// encoding, and the file must land under the name the user gave. The arguments are walked as the parser
// walks them: an option's value follows it, or comes after "=".
QByteArray rawFileName(const Arguments& arguments, const Options& o) {
    const QStringList pdfNames = o.pdf.names();
    for (int i = 1; i < arguments.argc; ++i) {
        QByteArrayView arg(arguments.argv[i]);
        if (arg == "--")
            break;
        if (arg.size() < 2 || !arg.startsWith('-'))
            continue;
        arg = arg.sliced(arg.startsWith("--") ? 2 : 1);
        const qsizetype assign = arg.indexOf('=');
        const QString name = QString::fromLatin1(assign < 0 ? arg : arg.first(assign));
        const bool isPdf = pdfNames.contains(name);
        if (assign >= 0) {
            if (isPdf)
                return arg.sliced(assign + 1).toByteArray();
        } else if (i + 1 < arguments.argc && o.takesValue(name)) {
            ++i;
            if (isPdf)
                return QByteArray(arguments.argv[i]);
        }
    }
    return {};
}

// The command the arguments name, checked whole before anything is done.
std::function<void()> commandFrom(const Arguments& arguments, const QCommandLineParser& parser,
                                  const Options& o) {
    if (!parser.positionalArguments().isEmpty())
        throw WrongArguments{
            QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first())};
    for (const QCommandLineOption* option : o.own())
        requireOnce(parser, *option);
    const int commands = parser.isSet(o.listPrinters) + parser.isSet(o.print) + parser.isSet(o.pdf);
    if (commands != 1)
        throw WrongArguments{QStringLiteral("Give one of --list-printers, --print and --pdf.")};
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
    const QByteArray file = rawFileName(arguments, o);
    if (file.isEmpty())
        throw WrongArguments{QStringLiteral("--pdf needs a file name.")};
    const PdfPaper paper = paperFrom(parser, o);
    // "-" is standard output, for a pipe.
    if (file == "-")
        return [index, paper] { writeStandardOutput(EnvelopePdf::make(index, paper)); };
    return [file, index, paper] { saveFileWhole(file, EnvelopePdf::make(index, paper)); };
}

// Only Qt's window application object knows Qt's options and their help.
bool wantsQtOptions(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--help-all") == 0 || std::strcmp(argv[i], "-help-all") == 0)
            return true;
    return false;
}

QStringList textOf(int argc, char** argv) {
    QStringList text;
    for (int i = 0; i < argc; ++i)
        text << QString::fromLocal8Bit(argv[i]);
    return text;
}

// The arguments' help, and the command they name, run; the status.
int parseAndRun(const Arguments& arguments) {
    QCoreApplication::setApplicationName(QStringLiteral("vornel"));
    QCoreApplication::setApplicationVersion(ProductConstants::ProgramVersion);
    // Before the parser: it takes its stock texts as its options are made.
    const QtRussian qtRussian;
    const Options o;
    QCommandLineParser parser;
    // Qt's own options take one dash as well as two; so then do the program's.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(ProductConstants::ProgramName +
                                     QStringLiteral(": конверт для CD/DVD в натуральную величину."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    for (const QCommandLineOption* option : o.own())
        parser.addOption(*option);
    parser.addOptions(o.qt);

    std::function<void()> command;
    try {
        if (!parser.parse(arguments.text))
            throw WrongArguments{parser.errorText()};
        if (parser.isSet(help)) {
            write(stdout, parser.helpText());
            return 0;
        }
        // The help with Qt's options is Qt's own: it writes it and ends the program.
        if (parser.isSet(QStringLiteral("help-all")))
            parser.process(arguments.text);
        if (parser.isSet(version)) {
            write(stdout, ProductConstants::ProgramName + QLatin1Char(' ') + ProductConstants::ProgramVersion +
                              QLatin1Char('\n'));
            return 0;
        }
        command = commandFrom(arguments, parser, o);
    } catch (const WrongArguments& wrong) {
        write(stderr, QStringLiteral("vornel: ") + wrong.text + QLatin1Char('\n') +
                          QCoreApplication::translate("CommandLine", "Подробнее: vornel --help") +
                          QLatin1Char('\n'));
        return 2;
    }

    // The print server's question for a password is asked on the terminal, if there is one.
    try {
        if (!parser.isSet(o.pdf))
            printBackend().setPasswordPrompt(askOnTerminal);
        command();
    } catch (...) {
        write(stderr, ErrorReport::messageText(std::current_exception()) + QLatin1Char('\n'));
        return 1;
    }
    return 0;
}

} // namespace

bool requested(int argc, char** argv) {
    for (int i = 1; i < argc;) {
        const int qtOption = QtOptions::length(argc, argv, i);
        if (qtOption == 0)
            return true;
        i += qtOption;
    }
    return false;
}

int run(int argc, char** argv) {
    const Arguments arguments{argc, argv, textOf(argc, argv)};
    if (!wantsQtOptions(argc, argv)) {
        QCoreApplication app(argc, argv);
        return parseAndRun(arguments);
    }
    // Only Qt's window application object knows Qt's options; made on a platform that needs no display,
    // and given no argument that could ask for another.
    char platform[] = "-platform";
    char offscreen[] = "offscreen";
    char* appArgv[] = {argv[0], platform, offscreen, nullptr};
    int appArgc = 3;
    QApplication app(appArgc, appArgv);
    return parseAndRun(arguments);
}

} // namespace CommandLine
