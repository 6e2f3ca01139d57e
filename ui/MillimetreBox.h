#pragma once

#include <QDoubleSpinBox>

// A length in millimetres, in tenths, taking a decimal comma or point whatever the locale. Its range is wide:
// whether a value can be right is for the one who reads it to say, in words.
class MillimetreBox : public QDoubleSpinBox {
public:
    explicit MillimetreBox(QWidget* parent = nullptr);

    QValidator::State validate(QString& input, int& pos) const override;
    double valueFromText(const QString& text) const override;
    void fixup(QString& input) const override;
};
