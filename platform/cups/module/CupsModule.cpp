// The CUPS backend as the program loads it: libcups comes with this module, not with the program.
#include "platform/PrintBackend.h"
#include "platform/cups/CupsPassword.h"
#include "platform/cups/CupsPrintSystem.h"

namespace {

std::unique_ptr<PrintSystem> makeSystem(ListFailure listFailure) {
    return std::make_unique<CupsPrintSystem>(listFailure);
}

void setPasswordPrompt(PasswordPrompt prompt) {
    CupsPassword::setPrompt(std::move(prompt));
}

const PrintBackend backend{makeSystem, setPasswordPrompt};

} // namespace

extern "C" __attribute__((visibility("default"))) const PrintBackend* vornel_print_backend() {
    return &backend;
}
