#pragma once

#include <QCommandLineOption>
#include <QList>

// The options Qt's own application object takes (-platform, -style, -reverse, ...), in either spelling:
// one dash or two, the value after a space or an "=".
namespace QtOptions {

// How many arguments from argv[i] on make one of them, with its value; 0 when argv[i] is not one.
int length(int argc, char** argv, int i);

// The same options for a parser that lets them pass without listing them in its help.
QList<QCommandLineOption> hidden();

} // namespace QtOptions
