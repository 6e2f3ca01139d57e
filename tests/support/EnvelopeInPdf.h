#pragma once

// The envelope as a saved PDF must hold it, measured at 600 dpi: one page of the given sheet with nothing
// inked at its edge, the body 250 x 126 mm folded at 125 mm with a 10 mm flap over and under, its left edge
// (and, where given, the top flap's) that far from the sheet's, and the file small.
#include "PdfEnvelope.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QSizeF>
#include <QString>

#include <optional>

inline void expectEnvelopeInPdf(const QString& file, QSizeF sheetMm, double leftMm,
                                std::optional<double> topMm = std::nullopt) {
    EXPECT_LT(QFileInfo(file).size(), 16 * 1024);
    const MeasuredPdf m = measurePdf(file);
    EXPECT_EQ(m.pages, 1);
    EXPECT_NEAR(m.sheetMm.width(), sheetMm.width(), 0.3);
    EXPECT_NEAR(m.sheetMm.height(), sheetMm.height(), 0.3);
    EXPECT_FALSE(m.inkOnBorder);
    // Left edge, centre fold, right edge; top flap, body top, body bottom, bottom flap.
    ASSERT_EQ(m.verticalMm.size(), 3u);
    ASSERT_EQ(m.horizontalMm.size(), 4u);
    EXPECT_NEAR(m.verticalMm[2] - m.verticalMm[0], 250, 0.1);
    EXPECT_NEAR(m.verticalMm[1] - m.verticalMm[0], 125, 0.1);
    EXPECT_NEAR(m.horizontalMm[2] - m.horizontalMm[1], 126, 0.1);
    EXPECT_NEAR(m.horizontalMm[1] - m.horizontalMm[0], 10, 0.1);
    EXPECT_NEAR(m.horizontalMm[3] - m.horizontalMm[2], 10, 0.1);
    EXPECT_NEAR(m.verticalMm[0], leftMm, 0.1);
    if (topMm) {
        EXPECT_NEAR(m.horizontalMm[0], *topMm, 0.1);
    }
}
