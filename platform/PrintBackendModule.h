#pragma once

#include "platform/PrintBackend.h"

// The CUPS module, loaded on first use from beside the program's own file (the build), from ../lib/vornel
// beside it, or from the folder the program is installed to (an installed program), and kept for the run;
// never from a folder named relative to the current one. Throws EResourceError, with the loader's reason,
// when it can't be loaded. Safe to call from any thread.
const PrintBackend& printBackend();
