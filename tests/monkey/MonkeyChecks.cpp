#include "MonkeyChecks.h"

#include "Monkey.h"
#include "app/ErrorReport.h"
#include "platform/Errors.h"
#include "printing/TPrinter.h"
#include "ui/DlgAbout.h"
#include "ui/ListBox.h"
#include "ui/Main.h"

#include <QApplication>

#include <deque>

namespace {
// The actions shown when something goes wrong.
constexpr std::size_t TrailLength = 25;
} // namespace

QString judgeReport(const QString& text, bool jobDuringAction) {
    using namespace PrinterMessages;
    const QString inProgress = ErrorReport::withFullStop(QString::fromUtf8(PrintingInProgress));
    if (text == inProgress)
        return jobDuringAction ? QString() : QStringLiteral("\"%1\" with no document open").arg(text);
    for (const char* message : {NoDefaultPrinter, InvalidPrinter, NotSupported,
                                "Floating point division by zero", "Invalid floating point operation"})
        if (text == ErrorReport::withFullStop(QString::fromUtf8(message)))
            return {};
    // The print system's own words after the code.
    if (text.startsWith(QStringLiteral("System Error.  Code: ")) && text.contains(QStringLiteral(".\r\n")) &&
        !text.endsWith(QStringLiteral("\r\n")))
        return {};
    return QStringLiteral("unexpected error text \"%1\"").arg(text);
}

QString judgeState(TMainForm& form, TPrinter& printer) {
    if (printer.Printing())
        return QStringLiteral("a document is left open");
    if (FormAbout)
        return QStringLiteral("FormAbout still names a dialog");
    if (QWidget* modal = QApplication::activeModalWidget())
        return QStringLiteral("a modal window is left up: ") + modal->metaObject()->className();
    if (QGuiApplication::overrideCursor())
        return QStringLiteral("the busy pointer is left on");
    const int templ = form.ListBoxTemplates->ItemIndex();
    if (templ < -1 || templ > 2)
        return QStringLiteral("template row %1").arg(templ);
    const int row = form.ListBoxPrinters->ItemIndex();
    if (row < -1 || row >= form.ListBoxPrinters->count())
        return QStringLiteral("printer row %1 of %2").arg(row).arg(form.ListBoxPrinters->count());
    if (!form.isVisible())
        return QStringLiteral("the main window has gone");
    return {};
}

QString runActions(Monkey& monkey, TMainForm& form, TPrinter& printer, int count,
                   const std::function<QString()>& more) {
    std::deque<QString> trail;
    for (int i = 0; i < count; ++i) {
        trail.push_back(QString::number(i) + QStringLiteral(": ") + monkey.act());
        if (trail.size() > TrailLength)
            trail.pop_front();
        settle();
        QString wrong = judgeState(form, printer);
        if (wrong.isEmpty() && more)
            wrong = more();
        if (!wrong.isEmpty()) {
            QStringList lines(trail.begin(), trail.end());
            return wrong + QStringLiteral("\nafter:\n  ") + lines.join(QStringLiteral("\n  "));
        }
    }
    return {};
}
