#pragma once

// The program's command line, for scripts: printer list, printing and the PDF, without a window or a
// display. Started with no argument of its own, the program opens its window instead.
namespace CommandLine {

// True when any argument is not one of Qt's own options (-platform X, --style X, ...): the program's own,
// or one that makes no command and is answered as wrong. Qt's alone still go to the window.
bool requested(int argc, char** argv);

// Runs the command the arguments give and returns the exit status: 0 done, 1 failed (the error report's
// text on stderr), 2 wrong arguments (one line, and where the usage is).
int run(int argc, char** argv);

} // namespace CommandLine
