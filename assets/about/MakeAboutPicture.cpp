// Draws the About picture and writes it as the block the dialog loads. Rebuild with `ninja about_picture`
// after changing the drawing; the block is kept in the repository so a build needs no fonts of its own.
#include "platform/PictureBlock.h"

#include <QByteArrayView>
#include <QConicalGradient>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr int Width = 565;
constexpr int Height = 380;
constexpr int HeaderBottom = 84; // first body row
constexpr int FooterTop = 316;   // first footer row
constexpr int TextColumn = 65;   // where the dialog's labels start, in picture columns

QString loadFamily(const QString& path) {
    const int id = QFontDatabase::addApplicationFont(path);
    if (id < 0) {
        std::fprintf(stderr, "cannot load font %s\n", qPrintable(path));
        std::exit(1);
    }
    return QFontDatabase::applicationFontFamilies(id).value(0);
}

QFont font(const QString& family, int pixels, QFont::Weight weight) {
    QFont f(family);
    f.setPixelSize(pixels);
    f.setWeight(weight);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// A disc seen from above: silver with a rainbow sheen, a clear ring and a hole.
void drawDisc(QPainter& p, QPointF centre, qreal radius, const QColor& holeColour) {
    QConicalGradient sheen(centre, 30);
    sheen.setColorAt(0.00, QColor(232, 236, 242));
    sheen.setColorAt(0.10, QColor(190, 226, 246));
    sheen.setColorAt(0.20, QColor(246, 214, 238));
    sheen.setColorAt(0.30, QColor(214, 220, 230));
    sheen.setColorAt(0.50, QColor(245, 247, 250));
    sheen.setColorAt(0.60, QColor(198, 232, 214));
    sheen.setColorAt(0.70, QColor(250, 236, 196));
    sheen.setColorAt(0.80, QColor(204, 210, 222));
    sheen.setColorAt(1.00, QColor(232, 236, 242));
    p.setPen(QPen(QColor(200, 210, 225), 1));
    p.setBrush(sheen);
    p.drawEllipse(centre, radius, radius);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 90));
    p.drawEllipse(centre, radius * 0.36, radius * 0.36);
    p.setPen(QPen(QColor(140, 150, 165), 1));
    p.setBrush(holeColour);
    p.drawEllipse(centre, radius * 0.14, radius * 0.14);
}

// The product's mark: a disc sliding out of a white paper sleeve with a fold flap.
void drawLogo(QPainter& p, QRectF sleeve, const QColor& background) {
    const qreal r = sleeve.width() * 0.5;
    drawDisc(p, {sleeve.center().x() + sleeve.width() * 0.2, sleeve.top()}, r, background);

    QLinearGradient paper(sleeve.topLeft(), sleeve.bottomRight());
    paper.setColorAt(0, QColor(255, 255, 255));
    paper.setColorAt(1, QColor(214, 222, 232));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(sleeve.translated(1.5, 2), 2.5, 2.5);
    p.setBrush(paper);
    p.drawRoundedRect(sleeve, 2.5, 2.5);

    // The round window of the sleeve.
    p.setPen(QPen(QColor(165, 178, 196), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(sleeve.center().x(), sleeve.center().y() + 3), sleeve.width() * 0.22,
                  sleeve.width() * 0.22);

    QPainterPath flap;
    flap.moveTo(sleeve.left(), sleeve.top());
    flap.lineTo(sleeve.center().x(), sleeve.top() + sleeve.height() * 0.28);
    flap.lineTo(sleeve.right(), sleeve.top());
    p.setPen(QPen(QColor(150, 165, 185), 1));
    p.drawPath(flap);
}

// The header's words, in the language of the program's texts.
struct Words {
    QString name;
    QString line;
};

void drawHeader(QPainter& p, const QString& sans, const QString& sansBold, const Words& words) {
    const QRectF band(0, 0, Width, HeaderBottom);
    QLinearGradient dark(0, 0, 0, HeaderBottom);
    dark.setColorAt(0, QColor(40, 53, 76));
    dark.setColorAt(1, QColor(19, 26, 40));
    p.fillRect(band, dark);

    p.save();
    p.setClipRect(band);
    QRadialGradient glow(QPointF(48, 44), 190);
    glow.setColorAt(0, QColor(72, 132, 206, 80));
    glow.setColorAt(1, QColor(72, 132, 206, 0));
    p.fillRect(band, glow);

    // A large disc's grooves sweep across the right of the band.
    const QPointF groovesCentre(498, 118);
    for (int r = 40; r <= 230; r += 5) {
        p.setPen(QPen(QColor(255, 255, 255, r % 25 == 0 ? 22 : 10), 1));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(groovesCentre, r, r);
    }
    QConicalGradient shine(groovesCentre, 120);
    shine.setColorAt(0.00, QColor(255, 255, 255, 0));
    shine.setColorAt(0.06, QColor(160, 210, 255, 34));
    shine.setColorAt(0.12, QColor(255, 255, 255, 0));
    shine.setColorAt(1.00, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawEllipse(groovesCentre, 230, 230);
    p.restore();

    drawLogo(p, QRectF(19, 30, 36, 38), QColor(27, 36, 54));

    p.setPen(Qt::white);
    p.setFont(font(sansBold, 30, QFont::Bold));
    const QString& word = words.name;
    p.drawText(QPointF(TextColumn + 1, 47), word);
    const qreal wordRight = TextColumn + 1 + QFontMetricsF(p.font()).horizontalAdvance(word);

    // The edition mark as a small pill beside the name.
    const QFont pillFont = font(sansBold, 11, QFont::Bold);
    const QString edition = QStringLiteral("light");
    const QRectF pill(wordRight + 8, 27, QFontMetricsF(pillFont).horizontalAdvance(edition) + 12, 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(52, 146, 226));
    p.drawRoundedRect(pill, 8, 8);
    p.setPen(Qt::white);
    p.setFont(pillFont);
    p.drawText(pill, Qt::AlignCenter, edition);

    p.setPen(QColor(170, 192, 218));
    p.setFont(font(sans, 13, QFont::Normal));
    p.drawText(QPointF(TextColumn + 2, 68), words.line);

    // An accent line closes the band.
    QLinearGradient accent(0, 0, Width, 0);
    accent.setColorAt(0.0, QColor(52, 146, 226));
    accent.setColorAt(0.6, QColor(86, 180, 240));
    accent.setColorAt(1.0, QColor(30, 60, 100));
    p.fillRect(QRectF(0, HeaderBottom - 2, Width, 2), accent);
}

void drawBody(QPainter& p) {
    const QRectF band(0, HeaderBottom, Width, FooterTop - HeaderBottom);
    QLinearGradient shade(0, 0, Width, 0);
    shade.setColorAt(0.00, QColor(255, 255, 255));
    shade.setColorAt(0.45, QColor(255, 255, 255));
    shade.setColorAt(1.00, QColor(228, 232, 237));
    p.fillRect(band, shade);

    // The header casts a soft shadow on the body.
    QLinearGradient shadow(0, HeaderBottom, 0, HeaderBottom + 6);
    shadow.setColorAt(0, QColor(0, 0, 0, 40));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(QRectF(0, HeaderBottom, Width, 6), shadow);

    // A rule between the description and the links.
    QLinearGradient rule(TextColumn, 0, Width - 14, 0);
    rule.setColorAt(0, QColor(206, 212, 220));
    rule.setColorAt(1, QColor(206, 212, 220, 0));
    p.fillRect(QRectF(TextColumn, 277, Width - 14 - TextColumn, 1), rule);
}

void drawFooter(QPainter& p) {
    QLinearGradient grey(0, FooterTop, 0, Height);
    grey.setColorAt(0, QColor(234, 236, 239));
    grey.setColorAt(1, QColor(200, 205, 212));
    p.fillRect(QRectF(0, FooterTop, Width, Height - FooterTop), grey);
    p.fillRect(QRectF(0, FooterTop, Width, 1), QColor(196, 201, 209));
    p.fillRect(QRectF(0, FooterTop + 1, Width, 1), QColor(250, 251, 252));
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QByteArrayView language = argc > 2 ? QByteArrayView(argv[2]) : QByteArrayView();
    const QByteArrayView scaleArgument = argc > 3 ? QByteArrayView(argv[3]) : QByteArrayView();
    if (argc < 5 || (language != "ru" && language != "en") ||
        (scaleArgument != "1" && scaleArgument != "2")) {
        std::fprintf(stderr, "usage: %s <font directory> ru|en 1|2 <block file> [preview.png]\n", argv[0]);
        return 2;
    }
    const QString fonts = QString::fromLocal8Bit(argv[1]);
    const QString sans = loadFamily(fonts + QStringLiteral("/LiberationSans-Regular.ttf"));
    const QString sansBold = loadFamily(fonts + QStringLiteral("/LiberationSans-Bold.ttf"));
    // The picture for screens of twice the density is drawn at that size, not enlarged from the other.
    const int scale = scaleArgument == "2" ? 2 : 1;

    QImage picture(Width * scale, Height * scale, QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter p(&picture);
        p.scale(scale, scale);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        drawBody(p);
        drawFooter(p);
        drawHeader(p, sans, sansBold,
                   language == "en" ? Words{QStringLiteral("Vornel"),
                                            QStringLiteral("Envelopes for CDs and DVDs on any printer")}
                                    : Words{QStringLiteral("Ворнель"),
                                            QStringLiteral("Конверты для CD и DVD на любом принтере")});
    }

    QFile block(QString::fromLocal8Bit(argv[4]));
    if (!block.open(QIODevice::WriteOnly) || block.write(PictureBlock::write(picture)) < 0) {
        std::fprintf(stderr, "cannot write %s\n", argv[4]);
        return 1;
    }
    if (argc > 5 && !picture.save(QString::fromLocal8Bit(argv[5])))
        return 1;
    return 0;
}
