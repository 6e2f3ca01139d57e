#include "OtherFunc.h"

#include "Shell.h"

void ShellOpen(const QString& url) {
    Shell::open(url, SW_SHOW);
}
