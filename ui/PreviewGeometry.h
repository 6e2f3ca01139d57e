#pragma once

#include <QRect>
#include <QSize>

// Where the preview bitmap goes in its control: its own size when it fits, else shrunk keeping its
// proportions (sizes truncated), centred with truncating division.
QRect previewRect(QSize bitmap, QSize control);
