#pragma once

// The program's command line, for scripts: printer list, printing and the PDF, without a window or a
// display. Started with no argument of its own, the program opens its window instead.
namespace CommandLine {

// True when an argument is one of the program's own: a long option, or -h, -? or -v. The toolkit's own
// single-dash options (-platform, -style, ...) still go to the window.
bool requested(int argc, char** argv);

// Runs the command the arguments give and returns the exit status: 0 done, 1 failed (the error report's
// text on stderr), 2 wrong arguments (with the usage).
int run(int argc, char** argv);

} // namespace CommandLine
