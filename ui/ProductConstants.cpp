#include "ui/ProductConstants.h"

#include <QCoreApplication>

namespace ProductConstants {

QString ProgramName() {
    return QCoreApplication::translate("ProductConstants", "Ворнель [light]");
}

QString ProgramCopyright() {
    return QCoreApplication::translate("ProductConstants", "© 2026 Ворнель");
}

QString VersionCaption() {
    return QCoreApplication::translate("ProductConstants", "Версия программы");
}

QString CloseCaption() {
    return QCoreApplication::translate("ProductConstants", "Закрыть");
}

QString ApplicationTitle() {
    return QCoreApplication::translate("ProductConstants", "Ворнель");
}

} // namespace ProductConstants
