#include "platform/PdfCatalogUpdate.h"

#include <QRegularExpression>

namespace {

QByteArray match(const QByteArray& text, const QString& pattern, qsizetype from = 0) {
    const QRegularExpression expression(pattern);
    const QRegularExpressionMatch found = expression.match(QString::fromLatin1(text), from);
    return found.hasMatch() ? found.captured(1).toLatin1() : QByteArray();
}

} // namespace

QByteArray withCatalogEntry(const QByteArray& pdf, const QByteArray& entry) {
    const qsizetype trailerAt = pdf.lastIndexOf("trailer");
    if (trailerAt < 0)
        return pdf;
    const QByteArray trailer = pdf.mid(trailerAt);
    const QByteArray root = match(trailer, QStringLiteral("/Root\\s+(\\d+)\\s+0\\s+R"));
    const QByteArray size = match(trailer, QStringLiteral("/Size\\s+(\\d+)"));
    const QByteArray info = match(trailer, QStringLiteral("/Info\\s+(\\d+)\\s+0\\s+R"));
    const QByteArray previous = match(trailer, QStringLiteral("startxref\\s+(\\d+)"));
    if (root.isEmpty() || size.isEmpty() || previous.isEmpty())
        return pdf;
    // The catalogue as written: its dictionary, to be written again with the entry added.
    const QByteArray head = "\n" + root + " 0 obj";
    const qsizetype objectAt = pdf.indexOf(head);
    const qsizetype endAt = objectAt < 0 ? -1 : pdf.indexOf("endobj", objectAt);
    if (endAt < 0)
        return pdf;
    QByteArray catalog = pdf.mid(objectAt + head.size(), endAt - objectAt - head.size()).trimmed();
    const qsizetype close = catalog.lastIndexOf(">>");
    if (!catalog.startsWith("<<") || close < 0)
        return pdf;
    catalog.insert(close, entry + '\n');

    QByteArray updated = pdf;
    if (!updated.endsWith('\n'))
        updated += '\n';
    const qsizetype newObjectAt = updated.size();
    updated += root + " 0 obj\n" + catalog + "\nendobj\n";
    const qsizetype xrefAt = updated.size();
    updated +=
        "xref\n" + root + " 1\n" + QByteArray::number(newObjectAt).rightJustified(10, '0') + " 00000 n \n";
    updated += "trailer\n<<\n/Size " + size + "\n/Root " + root + " 0 R\n";
    if (!info.isEmpty())
        updated += "/Info " + info + " 0 R\n";
    updated += "/Prev " + previous + "\n>>\nstartxref\n" + QByteArray::number(xrefAt) + "\n%%EOF\n";
    return updated;
}
