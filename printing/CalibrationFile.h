#pragma once

#include "printing/Calibration.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// The calibrations file: one entry a printer, keyed by the queue's name together with what the print system
// says the printer is, so that another printer later given the same name is not corrected by mistake.
namespace CalibrationFile {

struct Entry {
    QString printer;
    QString identity;
    Calibration measured;

    bool operator==(const Entry&) const = default;
};

// The entries, or why the bytes can't be used. A file holding anything out of range is refused whole: a
// correction that can't be right is never applied.
struct Contents {
    std::vector<Entry> entries;
    QString refusal; // empty when the entries stand

    bool refused() const { return !refusal.isEmpty(); }
};

Contents parse(const QByteArray& bytes);
QByteArray serialize(const std::vector<Entry>& entries);

// The entry for that printer in a list; null when it has none.
const Entry* find(const std::vector<Entry>& entries, const QString& printer, const QString& identity);

} // namespace CalibrationFile
