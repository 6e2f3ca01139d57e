#pragma once

#include "platform/DrawingSurface.h"

#include <QString>
#include <QStringList>

// Envelope templates by their row in the template list: 0 solid, 1 dashed folds, 2 dotted.
using EnvelopeTemplate = int;

inline constexpr int TemplateCount = 3;

// The template list's texts, in row order.
QStringList templateCaptions();

// Throws the program's own error, the same wherever the envelope is made, when the index names no template.
void requireTemplate(EnvelopeTemplate index);

// Paints the template with that index; any other index paints nothing and leaves the surface untouched.
void paintTemplate(EnvelopeTemplate index, DrawingSurface& surface, double scaleX, double scaleY);
