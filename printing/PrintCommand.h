#pragma once

#include <functional>

class TPrinter;

// The print command between the busy pointer and its restoring: landscape, the printer's scales from its
// capabilities, one document, the selected template (read after the document has started) at those scales,
// moved just enough to stay whole on a printable area too small for its usual offsets. Paper too small for
// the envelope is refused with EPrinter before the document starts. The printer is resolved first, so its
// errors come before the template's; with no template selected where the drawing begins, the open page is
// dropped unsent and no blank sheet comes out.
void printEnvelope(TPrinter& printer, const std::function<int()>& selectedTemplate);
