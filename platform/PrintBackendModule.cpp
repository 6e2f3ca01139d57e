#include "platform/PrintBackendModule.h"

#include "platform/Errors.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <dlfcn.h>
#include <stdlib.h>
#include <sys/auxv.h>
#include <unistd.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char* ModuleName = "vornel-cups.so";

std::string folderOf(const std::string& path) {
    return path.substr(0, path.rfind('/'));
}

// The folder of the program's real file, or nothing: never a folder named relative to the current one,
// where anybody may have put a module of that name.
std::optional<std::string> programFolder() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length > 0 && path[0] == '/')
        return folderOf(std::string(path, static_cast<std::size_t>(length)));
    // Without /proc: the name the program was started by, when it is a whole path, as the shell gives it
    // for a program found on the PATH.
    const auto* started = reinterpret_cast<const char*>(getauxval(AT_EXECFN));
    char real[PATH_MAX];
    if (started && started[0] == '/' && realpath(started, real))
        return folderOf(real);
    return std::nullopt;
}

std::vector<std::string> modulePlaces() {
    std::vector<std::string> places;
    if (const std::optional<std::string> folder = programFolder()) {
        places.push_back(*folder + '/' + ModuleName);
        places.push_back(*folder + "/../lib/vornel/" + ModuleName);
    }
    places.push_back(std::string(VORNEL_MODULE_INSTALL_DIR) + '/' + ModuleName);
    return places;
}

const PrintBackend& load() {
    const std::vector<std::string> places = modulePlaces();
    std::string reasons;
    for (const std::string& place : places) {
        if (access(place.c_str(), F_OK) != 0)
            continue;
        // Never closed: the print system's library keeps threads and handlers of its own for the run.
        void* module = dlopen(place.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            reasons = dlerror();
            break;
        }
        using Entry = const PrintBackend* (*)();
        const auto entry = reinterpret_cast<Entry>(dlsym(module, PrintBackendSymbol));
        const PrintBackend* backend = entry ? entry() : nullptr;
        if (backend)
            return *backend;
        reasons = QCoreApplication::translate("PrintBackendModule", "%1: в нём нет системы печати")
                      .arg(QString::fromStdString(place))
                      .toStdString();
        break;
    }
    if (reasons.empty()) {
        QStringList folders;
        for (const std::string& place : places)
            folders << QString::fromStdString(folderOf(place));
        reasons = QCoreApplication::translate("PrintBackendModule", "нет %1 в %2")
                      .arg(QString::fromLatin1(ModuleName), folders.join(QStringLiteral(", ")))
                      .toStdString();
    }
    throw EResourceError(
        QCoreApplication::translate("PrintBackendModule", "Не удалось загрузить систему печати (%1)")
            .arg(QString::fromStdString(reasons))
            .toStdString());
}

} // namespace

const PrintBackend& printBackend() {
    // A failed load is not tried again: the reason stays the same for the run.
    struct Loaded {
        const PrintBackend* backend = nullptr;
        std::string failure;
    };
    static const Loaded loaded = [] {
        try {
            return Loaded{&load(), {}};
        } catch (const EResourceError& error) {
            return Loaded{nullptr, error.what()};
        }
    }();
    if (!loaded.backend)
        throw EResourceError(loaded.failure);
    return *loaded.backend;
}
