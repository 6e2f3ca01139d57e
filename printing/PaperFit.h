#pragma once

#include "platform/PrintSystem.h"
#include "templates/EnvelopePlacement.h"

#include <QString>

// Throws EPrinter naming the paper and the area the envelope needs when the printable area of the page the
// settings describe can't hold the envelope.
void requireRoomForEnvelope(const DocumentSettings& settings);
// The same for a drawing that covers `reach`, drawn stretched by those factors across and down.
void requireRoom(const DocumentSettings& settings, const EnvelopePlacement::Reach& reach, double stretchX,
                 double stretchY);

// Where the envelope goes on that printable area, in device pixels of a context with those capabilities: no
// shift when it fits at its usual offsets, the least one that keeps it whole otherwise. Throws as above when
// the pixels don't fit, and as the pixel rule does for scales beyond the pixel range.
EnvelopePlacement::PixelShift placeEnvelope(const DocumentSettings& settings, const DeviceCaps& caps);
// The same for a drawing that covers `reach`, drawn at those scales.
EnvelopePlacement::PixelShift placeDrawing(const DocumentSettings& settings, const DeviceCaps& caps,
                                           const EnvelopePlacement::Reach& reach, double scaleX,
                                           double scaleY);

// The paper as people call it ("A5", "Letter") from the print system's media name, such as
// "iso_a5_148x210mm"; empty when the name says nothing.
QString paperLabel(const QString& mediaName);
