#include "app/QtRussian.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QString>

QtRussian::QtRussian() {
    if (catalogue_.load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&catalogue_);
}
