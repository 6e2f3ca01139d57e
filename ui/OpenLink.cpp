#include "ui/OpenLink.h"

#include "platform/Shell.h"
#include "ui/LinkFailure.h"

void openLink(QWidget* window, const QString& url) {
    if (!Shell::open(url, SW_SHOWNORMAL))
        tellLinkNotOpened(window, url);
}
