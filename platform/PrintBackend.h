#pragma once

#include "platform/PasswordQuestion.h"
#include "platform/PrintSystem.h"

#include <memory>

// How a printer list that could not be read comes back: empty, for the window, which hears of the server
// from the default lookup that follows; or thrown with the reason, for a command, which must not pass it
// off as a server without printers.
enum class ListFailure { Empty, Thrown };

// What a print system's module gives the program. The module is loaded at run time, so that neither its
// library nor what that library loads stands in the way of a start that needs no printer.
struct PrintBackend {
    std::unique_ptr<PrintSystem> (*makeSystem)(ListFailure listFailure);
    // Who answers the print server's questions for a password from now on, whichever thread asks.
    void (*setPasswordPrompt)(PasswordPrompt prompt);
};

// The one symbol a module exports: extern "C" const PrintBackend* vornel_print_backend();
inline constexpr const char* PrintBackendSymbol = "vornel_print_backend";
