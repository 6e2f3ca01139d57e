#pragma once

#include "platform/PrintSystem.h"
#include "templates/EnvelopePlacement.h"

#include <QString>

// Throws EPrinter naming the paper and the area the envelope needs when the printable area of the page the
// settings describe can't hold the envelope.
void requireRoomForEnvelope(const DocumentSettings& settings);

// Where the envelope goes on that printable area, in device pixels of a context with those capabilities: no
// shift when it fits at its usual offsets, the least one that keeps it whole otherwise. Throws as above when
// the pixels don't fit, and as the pixel rule does for scales beyond the pixel range.
EnvelopePlacement::PixelShift placeEnvelope(const DocumentSettings& settings, const DeviceCaps& caps);

// The paper as people call it ("A5", "Letter") from the print system's media name, such as
// "iso_a5_148x210mm"; empty when the name says nothing.
QString paperLabel(const QString& mediaName);
