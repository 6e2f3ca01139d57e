#include "printing/CalibrationStore.h"

#include "platform/ConfigFile.h"
#include "platform/Errors.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>

CalibrationStore::CalibrationStore() {
    const ConfigFile::Read read = ConfigFile::read(FileName);
    QString why;
    switch (read.kind) {
    case ConfigFile::Read::Kind::Missing:
        return;
    case ConfigFile::Read::Kind::Failed:
        why = read.reason;
        unreadable_ = read.reason;
        break;
    case ConfigFile::Read::Kind::Read: {
        CalibrationFile::Contents contents = CalibrationFile::parse(read.bytes);
        if (!contents.refused()) {
            entries_ = std::move(contents.entries);
            return;
        }
        why = contents.refusal;
        break;
    }
    }
    unusable_ = true;
    problem_ = QCoreApplication::translate("CalibrationStore",
                                           "Калибровка принтеров не применяется: файл %1 не годится (%2). "
                                           "Печать идёт без поправки.")
                   .arg(QDir::toNativeSeparators(ConfigFile::path(FileName)), why);
}

std::optional<Calibration> CalibrationStore::find(const QString& printer, const QString& identity) const {
    const CalibrationFile::Entry* entry = CalibrationFile::find(entries_, printer, identity);
    return entry ? std::optional(entry->measured) : std::nullopt;
}

QString CalibrationStore::takeProblem() {
    if (told_)
        return {};
    told_ = true;
    return problem_;
}

void CalibrationStore::refuseUnread() const {
    // What could not be read may hold other printers' calibrations: it is not written over blind.
    if (!unreadable_.isEmpty())
        throw EFCreateError(QDir::toNativeSeparators(ConfigFile::path(FileName)).toStdString(),
                            unreadable_.toStdString());
}

void CalibrationStore::save(const QString& printer, const QString& identity, const Calibration& measured) {
    const QString outOfRange = measured.rangeProblem();
    if (!outOfRange.isEmpty())
        throw EPrinter(outOfRange.toStdString());
    refuseUnread();
    std::vector<CalibrationFile::Entry> entries = entries_;
    std::erase_if(entries, [&](const auto& e) { return e.printer == printer && e.identity == identity; });
    entries.push_back({printer, identity, measured});
    ConfigFile::write(FileName, CalibrationFile::serialize(entries));
    entries_ = std::move(entries);
    unusable_ = false;
}

void CalibrationStore::reset(const QString& printer, const QString& identity) {
    refuseUnread();
    if (unusable_) {
        ConfigFile::remove(FileName);
        unusable_ = false;
        return;
    }
    std::vector<CalibrationFile::Entry> entries = entries_;
    if (!std::erase_if(entries,
                       [&](const auto& e) { return e.printer == printer && e.identity == identity; }))
        return;
    if (entries.empty())
        ConfigFile::remove(FileName);
    else
        ConfigFile::write(FileName, CalibrationFile::serialize(entries));
    entries_ = std::move(entries);
}
