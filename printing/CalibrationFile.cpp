#include "printing/CalibrationFile.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>

namespace CalibrationFile {
namespace {

// Bumped only for a change an older program would misread.
constexpr int Version = 1;

QString tr(const char* text) {
    return QCoreApplication::translate("CalibrationFile", text);
}

Contents refuse(const QString& why) {
    return {{}, why};
}

} // namespace

Contents parse(const QByteArray& bytes) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return refuse(tr("файл повреждён"));
    const QJsonObject root = document.object();
    if (root.value(QStringLiteral("version")).toInt(-1) != Version)
        return refuse(tr("неизвестная версия файла"));
    const QJsonValue list = root.value(QStringLiteral("printers"));
    if (!list.isArray())
        return refuse(tr("файл повреждён"));

    Contents contents;
    for (const QJsonValue& item : list.toArray()) {
        const QJsonObject o = item.toObject();
        const QJsonValue printer = o.value(QStringLiteral("printer"));
        const QJsonValue identity = o.value(QStringLiteral("identity"));
        const QJsonValue across = o.value(QStringLiteral("long"));
        const QJsonValue down = o.value(QStringLiteral("short"));
        if (!printer.isString() || printer.toString().isEmpty() || !identity.isString() ||
            !across.isDouble() || !down.isDouble())
            return refuse(tr("файл повреждён"));
        Entry entry{printer.toString(), identity.toString(), {across.toDouble(), down.toDouble()}};
        if (!entry.measured.withinRange())
            return refuse(tr("измерения для принтера «%1» вне допустимых пределов").arg(entry.printer));
        if (find(contents.entries, entry.printer, entry.identity))
            return refuse(tr("принтер «%1» записан дважды").arg(entry.printer));
        contents.entries.push_back(std::move(entry));
    }
    return contents;
}

QByteArray serialize(const std::vector<Entry>& entries) {
    QJsonArray list;
    for (const Entry& e : entries)
        list.append(QJsonObject{{QStringLiteral("printer"), e.printer},
                                {QStringLiteral("identity"), e.identity},
                                {QStringLiteral("long"), e.measured.longLine},
                                {QStringLiteral("short"), e.measured.shortLine}});
    return QJsonDocument(
               QJsonObject{{QStringLiteral("version"), Version}, {QStringLiteral("printers"), list}})
        .toJson(QJsonDocument::Indented);
}

const Entry* find(const std::vector<Entry>& entries, const QString& printer, const QString& identity) {
    for (const Entry& e : entries)
        if (e.printer == printer && e.identity == identity)
            return &e;
    return nullptr;
}

} // namespace CalibrationFile
