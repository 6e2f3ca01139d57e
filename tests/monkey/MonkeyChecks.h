#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class Monkey;
class TMainForm;
class TPrinter;

// Why an error text is not one the program may show, or empty when it may: its own printer and arithmetic
// messages and the print system's errors. "Printing in progress" only when a document was open during the
// action that led to it (a refusal met in the middle of a job may be reported just after the job).
QString judgeReport(const QString& text, bool jobDuringAction);

// Why the program is not in a state the user can go on from between two actions, or empty: no document
// open, no About dialog or other modal window left, the busy pointer gone, the lists' selections in range.
QString judgeState(TMainForm& form, TPrinter& printer);

// Runs the monkey's actions one by one, each settled and judged, with `more` judging what the variant
// knows besides. Returns empty, or what went wrong with the last actions that led there.
QString runActions(Monkey& monkey, TMainForm& form, TPrinter& printer, int count,
                   const std::function<QString()>& more);
