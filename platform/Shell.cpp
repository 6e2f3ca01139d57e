#include "platform/Shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace Shell {
namespace {

bool openOnDesktop(const QString& text, int /*showCommand*/) {
    return QDesktopServices::openUrl(QUrl(urlFromShellText(text), QUrl::TolerantMode));
}

Opener& currentOpener() {
    static Opener opener = openOnDesktop;
    return opener;
}

} // namespace

bool open(const QString& text, int showCommand) {
    return currentOpener()(text, showCommand);
}

void setOpener(Opener opener) {
    currentOpener() = opener ? std::move(opener) : Opener(openOnDesktop);
}

QString urlFromShellText(const QString& text) {
    if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"'))
        return text.mid(1, text.size() - 2);
    return text;
}

} // namespace Shell
