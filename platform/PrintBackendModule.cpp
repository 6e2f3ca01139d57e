#include "platform/PrintBackendModule.h"

#include "platform/Errors.h"

#include <QCoreApplication>
#include <QString>

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <string>
#include <vector>

namespace {

constexpr const char* ModuleName = "vornel-cups.so";

std::string programFolder() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return ".";
    const std::string exe(path, static_cast<std::size_t>(length));
    const std::size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string(".") : exe.substr(0, slash);
}

const PrintBackend& load() {
    const std::string folder = programFolder();
    const std::vector<std::string> places{folder + '/' + ModuleName, folder + "/../lib/vornel/" + ModuleName};
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
    if (reasons.empty())
        reasons = QCoreApplication::translate("PrintBackendModule", "нет %1 ни рядом с программой, ни в %2")
                      .arg(QString::fromLatin1(ModuleName), QString::fromStdString(folder + "/../lib/vornel"))
                      .toStdString();
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
