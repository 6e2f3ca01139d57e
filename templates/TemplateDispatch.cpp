#include "templates/TemplateDispatch.h"

#include "platform/Errors.h"
#include "templates/Painters.h"

QStringList templateCaptions() {
    return {QStringLiteral("Черный конверт, сплошные линии"), QStringLiteral("Черный конверт, центр пунктир"),
            QStringLiteral("Черный конверт, линии точки")};
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
        throw Exception("Не выбран шаблон печати.");
}
