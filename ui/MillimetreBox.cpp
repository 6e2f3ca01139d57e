#include "ui/MillimetreBox.h"

#include "printing/Calibration.h"

#include <QRegularExpression>

MillimetreBox::MillimetreBox(QWidget* parent) : QDoubleSpinBox(parent) {
    setDecimals(1);
    setSingleStep(0.1);
    setRange(1, 999.9);
    setSuffix(QString());
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(true);
}

QValidator::State MillimetreBox::validate(QString& input, int& pos) const {
    (void)pos;
    static const QRegularExpression partial(QStringLiteral("^\\s*\\d{0,3}([.,]\\d?)?\\s*$"));
    if (!partial.match(input).hasMatch())
        return QValidator::Invalid;
    const std::optional<double> value = Calibration::parseLength(input);
    if (!value)
        return QValidator::Intermediate;
    return *value >= minimum() && *value <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
}

double MillimetreBox::valueFromText(const QString& text) const {
    return Calibration::parseLength(text).value_or(value());
}

void MillimetreBox::fixup(QString& input) const {
    if (const std::optional<double> value = Calibration::parseLength(input))
        input = textFromValue(*value);
}
