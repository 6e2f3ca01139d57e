// The preview sink keeps the bitmap's colours and what the screen gets exactly as plain pixel writes would,
// whatever order of fills and runs the painters send, in as many colours as they like.
#include "ui/PreviewSink.h"

#include <QImage>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <variant>
#include <vector>

namespace {

struct Fill {
    int left, top, right, bottom;
    TColor color;
};
using Op = std::variant<PixelRun, Fill>;

// What the two pictures must hold: each write done pixel by pixel, the see-through copy made from scratch.
struct Reference {
    explicit Reference(QSize size) : bitmap(size, QImage::Format_RGB32) { bitmap.fill(Qt::white); }
    void apply(const Op& op) {
        if (const auto* r = std::get_if<PixelRun>(&op)) {
            for (int i = 0; i < r->count; ++i)
                bitmap.setPixel(r->x + i * r->dx, r->y + i * r->dy, 0xFF000000u | r->color);
        } else {
            const Fill& f = std::get<Fill>(op);
            for (int y = f.top; y < f.bottom; ++y)
                for (int x = f.left; x < f.right; ++x)
                    bitmap.setPixel(x, y, 0xFF000000u | f.color);
        }
    }
    QImage shown() const {
        QImage out(bitmap.size(), QImage::Format_ARGB32_Premultiplied);
        const QRgb transparent = bitmap.pixel(0, bitmap.height() - 1);
        for (int y = 0; y < bitmap.height(); ++y)
            for (int x = 0; x < bitmap.width(); ++x)
                out.setPixel(x, y, bitmap.pixel(x, y) == transparent ? 0u : bitmap.pixel(x, y));
        return out;
    }
    QImage bitmap;
};

struct Harness {
    explicit Harness(QSize size) : sink(size, 1.0, clWhite), reference(size) {}
    // The colours drawn, as 32-bit pixels.
    QImage bitmap() const {
        QImage colours(sink.width(), sink.height(), QImage::Format_RGB32);
        for (int y = 0; y < sink.height(); ++y)
            for (int x = 0; x < sink.width(); ++x)
                colours.setPixel(x, y, 0xFF000000u | sink.colorAt(x, y));
        return colours;
    }
    QImage shown() const { return sink.shown().convertToFormat(QImage::Format_ARGB32_Premultiplied); }
    void apply(const Op& op) {
        if (const auto* r = std::get_if<PixelRun>(&op))
            sink.run(*r);
        else {
            const Fill& f = std::get<Fill>(op);
            sink.fill(f.left, f.top, f.right, f.bottom, f.color);
        }
        reference.apply(op);
    }
    PreviewSink sink;
    Reference reference;
};

constexpr QSize Size(40, 30);
const Fill Whole{0, 0, 40, 30, clWhite};
const PixelRun Across{2, 5, 1, 0, 30, clBlack};
const PixelRun Down{10, 0, 0, 1, 25, clBlack};
const PixelRun Diagonal{5, 5, 1, 1, 20, 0x336699};
const PixelRun OnTheCorner{0, 29, 1, 0, 3, clBlack};

TEST(PreviewSink, MatchesPlainPixelWrites) {
    struct Case {
        const char* name;
        std::vector<Op> ops;
    };
    const Case cases[] = {
        {"a drawing, then a fresh fill undoes it", {Whole, Across, Down, Diagonal, Whole}},
        {"a fresh fill, then another drawing", {Whole, Across, Whole, Diagonal, Down}},
        {"a fill of another colour rewrites everything", {Across, Fill{0, 0, 40, 30, 0xEEEEEE}, Down, Whole}},
        {"a fill smaller than the bitmap keeps the rest", {Across, Down, Fill{0, 0, 20, 12, clWhite}, Whole}},
        {"drawing over the bottom-left pixel changes what is see-through",
         {Across, OnTheCorner, Down, Whole}},
        {"a drawing too large to undo run by run",
         {Fill{0, 0, 40, 20, clBlack}, Fill{0, 0, 40, 25, 0x112233}, Whole}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h(Size);
        for (std::size_t i = 0; i < c.ops.size(); ++i) {
            SCOPED_TRACE(i);
            h.apply(c.ops[i]);
            ASSERT_EQ(h.bitmap(), h.reference.bitmap);
            ASSERT_EQ(h.shown(), h.reference.shown());
        }
    }
}

TEST(PreviewSink, MatchesPlainPixelWritesOverARandomSequence) {
    std::mt19937 random(20261210);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    const TColor colours[] = {clWhite, clBlack, 0x808080, 0xFF0000};
    Harness h(Size);
    for (int step = 0; step < 400; ++step) {
        SCOPED_TRACE(step);
        const int kind = pick(0, 9);
        if (kind < 2) {
            h.apply(Fill{0, 0, Size.width(), Size.height(), kind == 0 ? clWhite : colours[pick(0, 3)]});
        } else if (kind < 3) {
            const int l = pick(0, 39), t = pick(0, 29);
            h.apply(Fill{l, t, pick(l + 1, 40), pick(t + 1, 30), colours[pick(0, 3)]});
        } else {
            // A run that stays inside: count limited by the room in its direction.
            const int dx = pick(-1, 1), dy = pick(-1, 1);
            const int x = pick(0, 39), y = pick(0, 29);
            int room = 40;
            if (dx > 0)
                room = std::min(room, 40 - x);
            if (dx < 0)
                room = std::min(room, x + 1);
            if (dy > 0)
                room = std::min(room, 30 - y);
            if (dy < 0)
                room = std::min(room, y + 1);
            h.apply(PixelRun{x, y, dx, dy, pick(1, room), colours[pick(0, 3)]});
        }
        if (step % 7 == 0) {
            ASSERT_EQ(h.shown(), h.reference.shown());
        }
        ASSERT_EQ(h.bitmap(), h.reference.bitmap);
    }
    EXPECT_EQ(h.shown(), h.reference.shown());
}

TEST(PreviewSink, MoreColoursThanATableHolds) {
    Harness h(Size);
    // 300 colours, one a run, the last ones over the bottom-left pixel; then a fresh fill, and a drawing
    // again.
    for (int i = 0; i < 300; ++i) {
        SCOPED_TRACE(i);
        const TColor colour = 0x010203u * static_cast<TColor>(i + 1) % 0x1000000u;
        h.apply(i < 290 ? PixelRun{i % 40, i / 40, 0, 1, 30 - i / 40, colour}
                        : PixelRun{0, 29, 1, 0, 2, colour});
        if (i % 50 == 0 || i >= 250) {
            ASSERT_EQ(h.shown(), h.reference.shown());
        }
    }
    ASSERT_EQ(h.bitmap(), h.reference.bitmap);
    h.apply(Whole);
    h.apply(Across);
    EXPECT_EQ(h.bitmap(), h.reference.bitmap);
    EXPECT_EQ(h.shown(), h.reference.shown());
    EXPECT_EQ(h.sink.shown().format(), QImage::Format_Indexed8);
}

} // namespace
