#include "app/QtOptions.h"

#include <QByteArrayView>
#include <QString>

#include <algorithm>
#include <iterator>

namespace QtOptions {
namespace {

// Those of the application objects and of the X11 and Wayland platforms on Linux.
constexpr const char* WithValue[] = {"platform",
                                     "platformpluginpath",
                                     "platformtheme",
                                     "plugin",
                                     "qwindowgeometry",
                                     "qwindowicon",
                                     "qwindowtitle",
                                     "session",
                                     "style",
                                     "stylesheet",
                                     "qmljsdebugger",
                                     "display",
                                     "geometry",
                                     "title",
                                     "icon",
                                     "name",
                                     "visual"};
constexpr const char* Flags[] = {"reverse", "widgetcount", "testability", "sync", "nograb", "dograb"};

bool listed(QByteArrayView name, const auto& names) {
    return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

} // namespace

int length(int argc, char** argv, int i) {
    QByteArrayView arg(argv[i]);
    if (!arg.startsWith('-'))
        return 0;
    arg = arg.sliced(arg.startsWith("--") ? 2 : 1);
    const qsizetype assign = arg.indexOf('=');
    const QByteArrayView name = assign < 0 ? arg : arg.first(assign);
    if (listed(name, Flags))
        return 1;
    if (!listed(name, WithValue))
        return 0;
    return assign < 0 && i + 1 < argc ? 2 : 1;
}

QList<QCommandLineOption> hidden() {
    QList<QCommandLineOption> options;
    const auto add = [&options](const char* name, const QString& valueName) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), valueName);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        options << option;
    };
    for (const char* name : WithValue)
        add(name, QStringLiteral("value"));
    for (const char* name : Flags)
        add(name, QString());
    return options;
}

} // namespace QtOptions
