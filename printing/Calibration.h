#pragma once

#include <QString>

#include <optional>

// What a user measured of the calibration sheet's two lines on one printer, and the correction it makes. The
// long line runs along the envelope's long side (across the landscape page), the short one down it.
struct Calibration {
    static constexpr double LongLine = 200;
    static constexpr double ShortLine = 150;
    // A printer further off than this is not mismeasured: it is measured wrong.
    static constexpr double Tolerance = 0.03;

    double longLine = LongLine;
    double shortLine = ShortLine;

    bool operator==(const Calibration&) const = default;

    // How much the drawing is stretched across and down the page so that it comes out true.
    double factorAcross() const { return LongLine / longLine; }
    double factorDown() const { return ShortLine / shortLine; }

    // Both lengths within the tolerance of their lines.
    bool withinRange() const;
    // Why not, in one sentence for the user; empty when it is.
    QString rangeProblem() const;
    // The correction as the printer's tooltip says it: "Калибровка: 99,0 % × 101,0 %".
    QString description() const;

    // One length in millimetres, with a decimal point or comma ("148,5"); nothing when it is not a number.
    static std::optional<double> parseLength(const QString& text);
    // Both, as "WIDTHxHEIGHT" ("202x148.5"): the long line first.
    static std::optional<Calibration> parsePair(const QString& text);
    // A length as a field shows it: one decimal, with the locale's separator.
    static QString lengthText(double mm);
};
