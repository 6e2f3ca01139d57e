#include "app/CommandLine.h"

#include "app/ErrorReport.h"
#include "app/QtOptions.h"
#include "app/TerminalPassword.h"
#include "app/UserLanguage.h"
#include "platform/Errors.h"
#include "platform/PrintBackendModule.h"
#include "platform/SaveFile.h"
#include "printing/Calibration.h"
#include "printing/CalibrationStore.h"
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
#include <QDate>
#include <QGuiApplication>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <stop_token>
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
    QCommandLineOption listPrinters{
        QStringLiteral("list-printers"),
        QCoreApplication::translate("CommandLine", "Показать принтеры, по одному в строке; принтер по "
                                                   "умолчанию отмечен.")};
    QCommandLineOption print{QStringLiteral("print"),
                             QCoreApplication::translate("CommandLine", "Напечатать конверт.")};
    QCommandLineOption printer{
        QStringLiteral("printer"),
        QCoreApplication::translate(
            "CommandLine", "Принтер для --print, --calibration-sheet и --calibrate (иначе принтер по умолчанию)."),
        QCoreApplication::translate("CommandLine", "имя")};
    QCommandLineOption calibrationSheet{
        QStringLiteral("calibration-sheet"),
        QCoreApplication::translate("CommandLine", "Напечатать лист калибровки принтера.")};
    QCommandLineOption calibrate{
        QStringLiteral("calibrate"),
        QCoreApplication::translate("CommandLine",
                                    "Запомнить, что намерено на листе калибровки: длины линий 200 и 150 мм, "
                                    "например 202x148.5; reset убирает калибровку принтера."),
        QCoreApplication::translate("CommandLine", "ШИРИНАxВЫСОТА|reset")};
    QCommandLineOption pdf{QStringLiteral("pdf"),
                           QCoreApplication::translate("CommandLine", "Сохранить конверт в PDF-файл."),
                           QCoreApplication::translate("CommandLine", "файл")};
    QCommandLineOption paper{
        QStringLiteral("paper"),
        QCoreApplication::translate("CommandLine",
                                    "Бумага для --pdf: a4 или letter (иначе по языковым настройкам)."),
        QStringLiteral("a4|letter")};
    QCommandLineOption templateIndex{
        QStringLiteral("template"),
        QCoreApplication::translate("CommandLine", "Шаблон: 0 сплошные линии, 1 центр пунктир, 2 линии "
                                                   "точки (иначе 0)."),
        QStringLiteral("0|1|2")};

    // They mean nothing without a window, but a script may pass them to every Qt program alike.
    QList<QCommandLineOption> qt = QtOptions::hidden();

    std::vector<const QCommandLineOption*> own() const {
        return {&listPrinters, &print, &printer, &pdf, &paper, &templateIndex, &calibrationSheet, &calibrate};
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
    const NetworkSearch search = printer.networkSearch();
    if (!search)
        return;
    // On this thread: the search and the list are the command's alone.
    std::stop_source done;
    search(
        [&](const QString& name) {
            printer.addNetworkPrinter(name);
            if (wanted && name.compare(*wanted, Qt::CaseInsensitive) == 0)
                done.request_stop();
        },
        NetworkSearchLimit, done.get_token());
}

void listPrinters() {
    TPrinter printer(commandPrintSystem());
    const std::vector<TPrinterEntry>& entries = printer.Printers();
    const std::optional<QString> byDefault = entries.empty() ? std::nullopt : printer.defaultPrinterName();
    const int marked = byDefault ? printer.indexOfPrinter(*byDefault) : -1;
    addNetworkPrinters(printer);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const QString& name = entries[i].Name;
        write(stdout, static_cast<int>(i) == marked
                          ? QCoreApplication::translate("CommandLine", "%1 (по умолчанию)").arg(name) +
                                QLatin1Char('\n')
                          : name + QLatin1Char('\n'));
    }
}

// The printer named, or else the default one, made current.
void choosePrinter(TPrinter& printer, const std::optional<QString>& printerName) {
    // The list first, as the window reads it: a server that can't be asked says so, before any lookup
    // by name or default could blame a missing printer.
    printer.Printers();
    if (printerName) {
        if (printer.indexOfPrinter(*printerName) < 0)
            addNetworkPrinters(printer, printerName);
        const int found = printer.indexOfPrinter(*printerName);
        if (found < 0)
            throw EPrinter(QCoreApplication::translate("CommandLine", "Принтер «%1» не найден")
                               .arg(*printerName)
                               .toStdString());
        printer.setPrinterIndex(found);
    }
    printer.PrinterIndex();
}

void print(const std::optional<QString>& printerName, EnvelopeTemplate index) {
    TPrinter printer(commandPrintSystem());
    choosePrinter(printer, printerName);
    CalibrationStore calibrations;
    printEnvelope(
        printer, [index] { return index; }, &calibrations);
    // Printed uncorrected; said after the job, which went all the same.
    if (const QString problem = calibrations.takeProblem(); !problem.isEmpty())
        write(stderr, problem + QLatin1Char('\n'));
}

void printSheet(const std::optional<QString>& printerName) {
    TPrinter printer(commandPrintSystem());
    choosePrinter(printer, printerName);
    printCalibrationSheet(printer, QDate::currentDate());
}

// What --calibrate stores: the measurements, or nothing for reset.
void calibrate(const std::optional<QString>& printerName, const std::optional<Calibration>& measured) {
    TPrinter printer(commandPrintSystem());
    choosePrinter(printer, printerName);
    const QString& name = printer.Printers()[static_cast<std::size_t>(printer.PrinterIndex())].Name;
    CalibrationStore calibrations;
    if (measured)
        calibrations.save(name, printer.Identity(), *measured);
    else
        calibrations.reset(name, printer.Identity());
}

// The measurements --calibrate names, checked before any printer is asked; nothing for reset.
std::optional<Calibration> measurementsFrom(const QString& value) {
    if (value == QLatin1String("reset"))
        return std::nullopt;
    const std::optional<Calibration> measured = Calibration::parsePair(value);
    if (!measured)
        throw WrongArguments{QCoreApplication::translate("CommandLine",
                                                         "Неверные измерения «%1»: нужно ШИРИНАxВЫСОТА в "
                                                         "миллиметрах, например 202x148.5, или reset.")
                                 .arg(value)};
    const QString outOfRange = measured->rangeProblem();
    if (!outOfRange.isEmpty())
        throw WrongArguments{outOfRange};
    return measured;
}

EnvelopeTemplate templateFrom(const QCommandLineParser& parser, const Options& o) {
    if (!parser.isSet(o.templateIndex))
        return 0;
    const QString value = parser.value(o.templateIndex);
    bool ok = false;
    const int index = value.toInt(&ok);
    // The digit alone: no sign, space or leading zero.
    if (!ok || index < 0 || index >= TemplateCount || QString::number(index) != value)
        throw WrongArguments{
            QCoreApplication::translate("CommandLine", "Недопустимый шаблон «%1»: нужно 0, 1 или 2.")
                .arg(value)};
    return index;
}

PdfPaper paperFrom(const QCommandLineParser& parser, const Options& o) {
    if (!parser.isSet(o.paper))
        return EnvelopePdf::paperFor(QLocale());
    const std::optional<PdfPaper> paper = EnvelopePdf::paperNamed(parser.value(o.paper));
    if (!paper)
        throw WrongArguments{
            QCoreApplication::translate("CommandLine", "Недопустимая бумага «%1»: нужно a4 или letter.")
                .arg(parser.value(o.paper))};
    return *paper;
}

void requireOnlyWith(const QCommandLineParser& parser, const QCommandLineOption& option, bool allowed,
                     const QString& commands) {
    if (parser.isSet(option) && !allowed)
        throw WrongArguments{QCoreApplication::translate("CommandLine", "--%1 задаётся только с %2.")
                                 .arg(option.names().first(), commands)};
}

void requireOnce(const QCommandLineParser& parser, const QCommandLineOption& option) {
    // Every name the option was found under, as often as it was found.
    const QStringList found = parser.optionNames();
    qsizetype times = 0;
    for (const QString& name : option.names())
        times += found.count(name);
    if (times > 1)
        throw WrongArguments{QCoreApplication::translate("CommandLine", "--%1 можно задать только один раз.")
                                 .arg(option.names().first())};
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
        throw WrongArguments{QCoreApplication::translate("CommandLine", "Лишний аргумент «%1».")
                                 .arg(parser.positionalArguments().first())};
    for (const QCommandLineOption* option : o.own())
        requireOnce(parser, *option);
    const int commands = parser.isSet(o.listPrinters) + parser.isSet(o.print) + parser.isSet(o.pdf) +
                         parser.isSet(o.calibrationSheet) + parser.isSet(o.calibrate);
    if (commands != 1)
        throw WrongArguments{QCoreApplication::translate(
            "CommandLine", "Задайте одно из --list-printers, --print, --pdf, --calibration-sheet и --calibrate.")};
    const bool onPrinter =
        parser.isSet(o.print) || parser.isSet(o.calibrationSheet) || parser.isSet(o.calibrate);
    requireOnlyWith(parser, o.printer, onPrinter,
                    QCoreApplication::translate("CommandLine", "--print, --calibration-sheet или --calibrate"));
    requireOnlyWith(parser, o.paper, parser.isSet(o.pdf), QStringLiteral("--pdf"));
    requireOnlyWith(parser, o.templateIndex, parser.isSet(o.print) || parser.isSet(o.pdf),
                    QCoreApplication::translate("CommandLine", "--print или --pdf"));

    const EnvelopeTemplate index = templateFrom(parser, o);
    const std::optional<QString> printerName =
        parser.isSet(o.printer) ? std::optional(parser.value(o.printer)) : std::nullopt;
    if (parser.isSet(o.listPrinters))
        return listPrinters;
    if (parser.isSet(o.calibrationSheet))
        return [printerName] { printSheet(printerName); };
    if (parser.isSet(o.calibrate)) {
        const std::optional<Calibration> measured = measurementsFrom(parser.value(o.calibrate));
        return [printerName, measured] { calibrate(printerName, measured); };
    }
    if (parser.isSet(o.print))
        return [printerName, index] { print(printerName, index); };
    const QByteArray file = rawFileName(arguments, o);
    if (file.isEmpty())
        throw WrongArguments{QCoreApplication::translate("CommandLine", "Для --pdf нужно имя файла.")};
    const PdfPaper paper = paperFrom(parser, o);
    // "-" is standard output, for a pipe.
    if (file == "-")
        return [index, paper] { writeStandardOutput(EnvelopePdf::make(index, paper)); };
    return [file, index, paper] { saveFileWhole(file, EnvelopePdf::make(index, paper)); };
}

bool given(int argc, char** argv, const char* option) {
    for (int i = 1; i < argc; ++i)
        // Either spelling, one dash or two.
        if (std::strcmp(argv[i], option) == 0 || std::strcmp(argv[i], option + 1) == 0)
            return true;
    return false;
}

// Only Qt's window application object knows Qt's options and their help.
bool wantsQtOptions(int argc, char** argv) {
    return given(argc, argv, "--help-all");
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
    const UserLanguage::Installed language;
    const Options o;
    QCommandLineParser parser;
    // Qt's own options take one dash as well as two; so then do the program's.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QCoreApplication::translate("CommandLine", "%1: конверт для CD/DVD в натуральную величину.")
            .arg(ProductConstants::ProgramName()));
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
            write(stdout, ProductConstants::ProgramName() + QLatin1Char(' ') +
                              ProductConstants::ProgramVersion + QLatin1Char('\n'));
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
    const bool qtOptions = wantsQtOptions(argc, argv);
    // The calibration sheet's text needs the toolkit's fonts.
    const bool fonts = given(argc, argv, "--calibration-sheet");
    if (!qtOptions && !fonts) {
        QCoreApplication app(argc, argv);
        return parseAndRun(arguments);
    }
    // Only Qt's window application object knows Qt's options; made on a platform that needs no display,
    // and given no argument that could ask for another.
    char platform[] = "-platform";
    char offscreen[] = "offscreen";
    char* appArgv[] = {argv[0], platform, offscreen, nullptr};
    int appArgc = 3;
    if (!qtOptions) {
        QGuiApplication app(appArgc, appArgv);
        return parseAndRun(arguments);
    }
    QApplication app(appArgc, appArgv);
    return parseAndRun(arguments);
}

} // namespace CommandLine
