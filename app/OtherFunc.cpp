#include "OtherFunc.h"

#include "Shell.h"

bool ShellOpen(const QString& url) {
    return Shell::open(url, SW_SHOW);
}
