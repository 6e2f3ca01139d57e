#include "QtOptions.h"

#include <QByteArrayView>
#include <QString>

namespace QtOptions {
namespace {

struct Option {
    const char* name;
    bool takesValue;
};

// Those of the application objects and of the X11 and Wayland platforms on Linux.
constexpr Option Options[] = {
    {"platform", true},   {"platformpluginpath", true}, {"platformtheme", true},   {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true},   {"qwindowtitle", true},    {"session", true},
    {"style", true},      {"stylesheet", true},         {"qmljsdebugger", true},   {"display", true},
    {"geometry", true},   {"title", true},              {"icon", true},            {"name", true},
    {"visual", true},     {"reverse", false},           {"widgetcount", false},    {"testability", false},
    {"sync", false},      {"nograb", false},            {"dograb", false},
};

} // namespace

int length(int argc, char** argv, int i) {
    QByteArrayView arg(argv[i]);
    if (!arg.startsWith('-'))
        return 0;
    arg = arg.sliced(arg.startsWith("--") ? 2 : 1);
    const qsizetype assign = arg.indexOf('=');
    const QByteArrayView name = assign < 0 ? arg : arg.first(assign);
    for (const Option& option : Options) {
        if (name != option.name)
            continue;
        return option.takesValue && assign < 0 && i + 1 < argc ? 2 : 1;
    }
    return 0;
}

QList<QCommandLineOption> hidden() {
    QList<QCommandLineOption> options;
    for (const Option& option : Options) {
        QCommandLineOption hiddenOption(QString::fromLatin1(option.name), QString(),
                                        option.takesValue ? QStringLiteral("value") : QString());
        hiddenOption.setFlags(QCommandLineOption::HiddenFromHelp);
        options << hiddenOption;
    }
    return options;
}

} // namespace QtOptions
