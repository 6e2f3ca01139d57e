#include "printing/PaperFit.h"

#include "platform/DeviceCaps.h"
#include "platform/Errors.h"
#include "platform/RealArithmetic.h"
#include "printing/LineWidth.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

#include <optional>

namespace {

QString millimetres(int hundredths) {
    QString text = QString::number(hundredths / 100.0, 'f', 1);
    if (text.endsWith(QLatin1String(".0")))
        text.chop(2);
    return text;
}

// The size the paper's name gives, as people know it ("8.5 x 11 in"); the reported size, which comes in
// whole points, is a fraction off.
QString paperSize(const DocumentSettings& s) {
    static const QRegularExpression named(QStringLiteral("_([0-9.]+)x([0-9.]+)(mm|in)$"));
    const QRegularExpressionMatch m = named.match(s.paperName);
    if (m.hasMatch())
        return (m.captured(3) == QLatin1String("in")
                    ? QCoreApplication::translate("PaperFit", "%1 x %2 дюйм.")
                    : QCoreApplication::translate("PaperFit", "%1 x %2 мм"))
            .arg(m.captured(1), m.captured(2));
    return QCoreApplication::translate("PaperFit", "%1 x %2 мм")
        .arg(millimetres(s.paperWidth), millimetres(s.paperLength));
}

[[noreturn]] void tooSmall(const DocumentSettings& s, const EnvelopePlacement::Reach& reach) {
    const QString label = paperLabel(s.paperName);
    const QString width = QString::number(reach.width());
    const QString height = QString::number(reach.height());
    // One pass of arg(): a "%" in the media's name is never taken for a place of its own.
    const QString message =
        label.isEmpty()
            ? QCoreApplication::translate("PaperFit", "Бумага (%1) слишком мала для конверта: нужна область "
                                                      "печати %2 x %3 мм.")
                  .arg(paperSize(s), width, height)
            : QCoreApplication::translate("PaperFit", "Бумага %1 (%2) слишком мала для конверта: нужна "
                                                      "область печати %3 x %4 мм.")
                  .arg(label, paperSize(s), width, height);
    throw EPrinter(message.toStdString());
}

} // namespace

QString paperLabel(const QString& mediaName) {
    // A self-describing media name is class_name_size; the name alone is what people say.
    const QStringList parts = mediaName.split(QLatin1Char('_'));
    if (parts.size() < 3 || parts.first() == QLatin1String("custom"))
        return parts.size() == 1 ? mediaName : QString();
    QString name = parts.mid(1, parts.size() - 2).join(QLatin1Char('_'));
    static const QRegularExpression series(QStringLiteral("^[a-z]+\\d+$"));
    if (series.match(name).hasMatch())
        return name.toUpper();
    if (!name.isEmpty())
        name[0] = name[0].toUpper();
    return name;
}

void requireRoomForEnvelope(const DocumentSettings& s) {
    requireRoom(s, EnvelopePlacement::EnvelopeReach, 1, 1);
}

void requireRoom(const DocumentSettings& s, const EnvelopePlacement::Reach& reach, double stretchX,
                 double stretchY) {
    // A drawing stretched to come out true needs that much more of the printer's own millimetres.
    if (!EnvelopePlacement::shiftFor(printableWidth(s) / 100.0 / stretchX,
                                     printableHeight(s) / 100.0 / stretchY, reach))
        tooSmall(s, reach);
}

EnvelopePlacement::PixelShift placeEnvelope(const DocumentSettings& s, const DeviceCaps& caps) {
    return placeDrawing(s, caps, EnvelopePlacement::EnvelopeReach,
                        RealArithmetic::divide(caps.horzRes, caps.horzSize),
                        RealArithmetic::divide(caps.vertRes, caps.vertSize));
}

EnvelopePlacement::PixelShift placeDrawing(const DocumentSettings& s, const DeviceCaps& caps,
                                           const EnvelopePlacement::Reach& reach, double scaleX,
                                           double scaleY) {
    // The mark on the right edge and the one below the bottom flap are the last pixels the lines add.
    const std::optional<EnvelopePlacement::PixelShift> shift =
        EnvelopePlacement::pixelShiftFor(caps.horzRes, caps.vertRes, scaleX, scaleY,
                                         linePixels(horizontalDpi(s)), linePixels(verticalDpi(s)), reach);
    if (!shift)
        tooSmall(s, reach);
    return *shift;
}
