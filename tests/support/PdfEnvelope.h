#pragma once

#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QSizeF>
#include <QString>
#include <QTemporaryDir>

#include <stdexcept>
#include <vector>

// An envelope PDF as it comes off a 600-dpi raster: the sheet's size and the envelope's long lines, each
// found as a band of inked columns (vertical lines) or rows (horizontal lines) and placed at the band's
// ink-weighted centre, in millimetres from the sheet's top-left corner.
struct MeasuredPdf {
    static constexpr int Dpi = 600;
    QSizeF sheetMm;
    std::vector<double> verticalMm;
    std::vector<double> horizontalMm;
    bool inkOnBorder = false; // anything inked within 1 mm of the sheet's edge
    int pages = 0;
};

namespace PdfEnvelopeDetail {

inline double mm(double px) {
    return px * 25.4 / MeasuredPdf::Dpi;
}

// A line is a run of neighbouring columns (rows) each holding at least minInk inked pixels.
inline std::vector<double> bands(const std::vector<int>& ink, int minInk) {
    std::vector<double> found;
    double weighted = 0;
    double total = 0;
    for (std::size_t i = 0; i <= ink.size(); ++i) {
        if (i < ink.size() && ink[i] >= minInk) {
            weighted += static_cast<double>(i + 0.5) * ink[i];
            total += ink[i];
            continue;
        }
        if (total > 0)
            found.push_back(mm(weighted / total));
        weighted = total = 0;
    }
    return found;
}

inline QString run(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        throw std::runtime_error(
            (program + QStringLiteral(" failed: ") + QString::fromLocal8Bit(p.readAllStandardError()))
                .toStdString());
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

} // namespace PdfEnvelopeDetail

// Lines shorter than 60 mm of ink are left out: the flaps' slanted ends, and any stray mark.
inline MeasuredPdf measurePdf(const QString& file) {
    using namespace PdfEnvelopeDetail;
    MeasuredPdf m;
    const QString info = run(QStringLiteral("pdfinfo"), {file});
    for (const QString& line : info.split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("Pages:")))
            m.pages = line.mid(6).trimmed().toInt();

    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("sheet"));
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-gray"), QStringLiteral("-singlefile"),
                                     QStringLiteral("-r"), QString::number(MeasuredPdf::Dpi), file, prefix});
    QImageReader::setAllocationLimit(1024);
    const QImage sheet(prefix + QStringLiteral(".pgm"));
    if (sheet.isNull() || sheet.format() != QImage::Format_Grayscale8)
        throw std::runtime_error("pdftoppm gave no grey picture");
    m.sheetMm = QSizeF(mm(sheet.width()), mm(sheet.height()));

    std::vector<int> columns(static_cast<std::size_t>(sheet.width()));
    std::vector<int> rows(static_cast<std::size_t>(sheet.height()));
    const int border = MeasuredPdf::Dpi / 25; // about a millimetre
    for (int y = 0; y < sheet.height(); ++y) {
        const uchar* line = sheet.constScanLine(y);
        for (int x = 0; x < sheet.width(); ++x) {
            if (line[x] >= 128)
                continue;
            ++columns[static_cast<std::size_t>(x)];
            ++rows[static_cast<std::size_t>(y)];
            m.inkOnBorder |=
                x < border || y < border || x >= sheet.width() - border || y >= sheet.height() - border;
        }
    }
    // A dotted line inks half its length.
    const int minInk = static_cast<int>(60 / 25.4 * MeasuredPdf::Dpi / 2);
    m.verticalMm = bands(columns, minInk);
    m.horizontalMm = bands(rows, minInk);
    return m;
}
