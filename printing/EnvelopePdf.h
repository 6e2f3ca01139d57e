#pragma once

#include "templates/TemplateDispatch.h"

#include <QByteArray>
#include <QLocale>
#include <QPointF>
#include <QString>

#include <optional>

// The envelope as a one-page PDF to print elsewhere: the template at true scale on a landscape sheet, placed
// as on a printer whose printable area starts 6.35 mm in from the sheet's corner, moved just enough to stay
// whole on paper narrower than A4, with dashes and dots as a 600-dpi printer prints them.
enum class PdfPaper { A4, Letter };

namespace EnvelopePdf {

inline constexpr double PrintableInsetMm = 6.35;
inline constexpr int PatternDpi = 600;

// US Letter where the locale measures in US inches, A4 elsewhere (Britain too: it measures paper in mm).
PdfPaper paperFor(const QLocale& locale);
// "a4" or "letter", in any case; nothing for anything else.
std::optional<PdfPaper> paperNamed(const QString& name);

// Where the drawing's origin lies on the landscape sheet, in millimetres from its top-left corner.
QPointF originMm(PdfPaper paper);

QByteArray make(EnvelopeTemplate index, PdfPaper paper);
// Writes it whole or not at all; throws EFCreateError with the system's reason.
void save(const QString& path, EnvelopeTemplate index, PdfPaper paper);

} // namespace EnvelopePdf
