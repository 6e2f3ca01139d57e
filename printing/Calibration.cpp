#include "printing/Calibration.h"

#include <QCoreApplication>
#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace {

bool within(double measured, double nominal) {
    // A tenth of a millimetre is what a field holds; the bounds themselves are accepted.
    const double slack = nominal * Calibration::Tolerance + 1e-9;
    return std::isfinite(measured) && std::abs(measured - nominal) <= slack;
}

QString oneDecimal(double value) {
    // The numbers are written as the language of the sentence around them writes them.
    return QLocale(QCoreApplication::translate("Calibration", "ru_RU", "locale of the numbers")).toString(value, 'f', 1);
}

} // namespace

bool Calibration::withinRange() const {
    return within(longLine, LongLine) && within(shortLine, ShortLine);
}

QString Calibration::rangeProblem() const {
    for (const auto& [measured, nominal] : {std::pair{longLine, LongLine}, std::pair{shortLine, ShortLine}}) {
        if (within(measured, nominal))
            continue;
        return QCoreApplication::translate("Calibration",
                                           "Измерение %1 мм не может быть верным: линия %2 мм на любом "
                                           "исправном принтере выходит от %3 до %4 мм.")
            .arg(oneDecimal(measured), oneDecimal(nominal), oneDecimal(nominal * (1 - Tolerance)),
                 oneDecimal(nominal * (1 + Tolerance)));
    }
    return {};
}

QString Calibration::description() const {
    return QCoreApplication::translate("Calibration", "Калибровка: %1 % × %2 %")
        .arg(oneDecimal(factorAcross() * 100), oneDecimal(factorDown() * 100));
}

std::optional<double> Calibration::parseLength(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^\\s*(\\d{1,4})(?:[.,](\\d{1,6}))?\\s*$"));
    const QRegularExpressionMatch m = number.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QString digits =
        m.captured(1) + QLatin1Char('.') + (m.hasCaptured(2) ? m.captured(2) : QStringLiteral("0"));
    return digits.toDouble();
}

std::optional<Calibration> Calibration::parsePair(const QString& text) {
    const qsizetype x = text.indexOf(QRegularExpression(QStringLiteral("[xX×х]")));
    if (x < 0)
        return std::nullopt;
    const std::optional<double> across = parseLength(text.left(x));
    const std::optional<double> down = parseLength(text.mid(x + 1));
    if (!across || !down)
        return std::nullopt;
    return Calibration{*across, *down};
}

QString Calibration::lengthText(double mm) {
    return QLocale().toString(mm, 'f', 1);
}
