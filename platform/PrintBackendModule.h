#pragma once

#include "platform/PrintBackend.h"

// The CUPS module, loaded on first use from beside the program (the build) or from ../lib/vornel (an
// installed program), and kept for the run. Throws EResourceError, with the loader's reason, when it can't
// be loaded. Safe to call from any thread.
const PrintBackend& printBackend();
