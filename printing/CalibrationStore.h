#pragma once

#include "printing/Calibration.h"
#include "printing/CalibrationFile.h"

#include <QString>

#include <optional>
#include <vector>

// The calibrations of this user's printers, read once from the configuration folder when made. A file that
// can't be read or used corrects nothing; why is told once a run. The file is written only by save and
// reset, whole.
class CalibrationStore {
public:
    static inline const QString FileName = QStringLiteral("calibration.json");

    CalibrationStore();

    // The calibration stored for that printer; nothing when there is none or the file is not used.
    std::optional<Calibration> find(const QString& printer, const QString& identity) const;

    // Why the file is not applied, for the user; empty when it is, or there is none. Given the first time
    // only: a run says it once.
    QString takeProblem();
    const QString& problem() const { return problem_; }

    // Stores the calibration for that printer, replacing a file that was read but could not be used. Throws
    // EPrinter with the reason for one out of range, EFCreateError when the file can't be read or written.
    void save(const QString& printer, const QString& identity, const Calibration& measured);
    // Removes it; a file that could not be used goes as well. Nothing is written when there was nothing to
    // remove. Throws EFCreateError.
    void reset(const QString& printer, const QString& identity);

private:
    void refuseUnread() const;

    std::vector<CalibrationFile::Entry> entries_;
    QString problem_;
    bool unusable_ = false;
    QString unreadable_; // the system's reason when the file could not be read at all
    bool told_ = false;
};
