// main() for widget tests: the program's own application object (so errors reach the error report), on the
// offscreen platform unless the caller chose another (Xvfb for screenshots).
#include "app/TApplication.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QTemporaryDir>

#include <pwd.h>
#include <unistd.h>

namespace {

// A test leaves nothing in the user's folders: file dialogs keep their history under XDG_CONFIG_HOME, and
// Qt makes a runtime folder in the temporary folder when no session gave one. All of it goes to a folder of
// the test's own, removed at exit; HOME too, unless the test's environment already gave one of its own.
void keepOutOfTheUsersFolders(const QTemporaryDir& own) {
    const QByteArray path = own.path().toLocal8Bit();
    const passwd* account = getpwuid(getuid());
    if (account && qgetenv("HOME") == QByteArray(account->pw_dir))
        qputenv("HOME", path);
    qputenv("XDG_CONFIG_HOME", path + "/config");
    qputenv("XDG_CACHE_HOME", path + "/cache");
    qputenv("XDG_DATA_HOME", path + "/data");
    qputenv("XDG_STATE_HOME", path + "/state");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", path); // made 0700, as a runtime folder must be
}

} // namespace

int main(int argc, char** argv) {
    const QTemporaryDir own;
    if (own.isValid())
        keepOutOfTheUsersFolders(own);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
