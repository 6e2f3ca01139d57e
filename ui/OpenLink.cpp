#include "OpenLink.h"

#include "LinkFailure.h"
#include "Shell.h"

void openLink(QWidget* window, const QString& url) {
    if (!Shell::open(url, SW_SHOWNORMAL))
        tellLinkNotOpened(window, url);
}
