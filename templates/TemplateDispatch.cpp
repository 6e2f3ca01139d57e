#include "templates/TemplateDispatch.h"

#include "platform/Errors.h"
#include "templates/Painters.h"

#include <QCoreApplication>

QStringList templateCaptions() {
    return {QCoreApplication::translate("TemplateDispatch", "Черный конверт, сплошные линии"),
            QCoreApplication::translate("TemplateDispatch", "Черный конверт, центр пунктир"),
            QCoreApplication::translate("TemplateDispatch", "Черный конверт, линии точки")};
}

void paintTemplate(EnvelopeTemplate index, DrawingSurface& surface, double scaleX, double scaleY) {
    switch (index) {
    case 0:
        paintSolid(surface, scaleX, scaleY);
        break;
    case 1:
        paintCenterDash(surface, scaleX, scaleY);
        break;
    case 2:
        paintDotted(surface, scaleX, scaleY);
        break;
    default:
        break;
    }
}

void requireTemplate(EnvelopeTemplate index) {
    // Nothing chosen would make a blank sheet; say what is missing instead.
    if (index < 0 || index >= TemplateCount)
        throw Exception(
            QCoreApplication::translate("TemplateDispatch", "Не выбран шаблон печати.").toStdString());
}
