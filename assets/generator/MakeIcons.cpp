// Draws the main window's pictures: the program icon in its sizes, the print button's printer and the five
// menu images, these also at twice their size (name@2x.png) for screens of twice the density. Every picture
// is drawn afresh at its own size, so the small ones stay sharp.
#include <QConicalGradient>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdio>
#include <functional>

namespace {

// Drawing happens on a unit square; hairlines are given in device pixels so they stay one pixel wide.
struct Canvas {
    QPainter& p;
    double size;
    // The size the picture is shown at, which chooses its details; size is that times the screen's density.
    double design;
    double u(double v) const { return v * size; }
    QPointF at(double x, double y) const { return {u(x), u(y)}; }
    QRectF box(double l, double t, double r, double b) const { return QRectF(at(l, t), at(r, b)); }
    // A rectangle whose one-pixel outline falls on whole pixels.
    QRectF crisp(double l, double t, double r, double b) const {
        auto snap = [this](double v) { return std::floor(u(v)) + 0.5; };
        return QRectF(QPointF(snap(l), snap(t)), QPointF(snap(r), snap(b)));
    }
    QPen line(const QColor& c, double px = 1.0) const {
        QPen pen(c, std::max(1.0, px * size / 24.0));
        pen.setJoinStyle(Qt::RoundJoin);
        pen.setCapStyle(Qt::RoundCap);
        return pen;
    }
};

void softShadow(Canvas& c, const QRectF& r, double radius) {
    for (int i = 3; i >= 1; --i) {
        const double grow = c.u(0.012) * i;
        c.p.setPen(Qt::NoPen);
        c.p.setBrush(QColor(0, 0, 0, 18));
        c.p.drawRoundedRect(r.adjusted(-grow * 0.3, grow * 0.2, grow * 0.6, grow), radius, radius);
    }
}

void drawDisc(Canvas& c, QPointF centre, double radius) {
    QConicalGradient sheen(centre, 30);
    sheen.setColorAt(0.00, QColor(214, 222, 234));
    sheen.setColorAt(0.12, QColor(150, 190, 246));
    sheen.setColorAt(0.25, QColor(246, 246, 250));
    sheen.setColorAt(0.38, QColor(236, 170, 214));
    sheen.setColorAt(0.50, QColor(204, 212, 228));
    sheen.setColorAt(0.62, QColor(252, 230, 150));
    sheen.setColorAt(0.75, QColor(244, 246, 250));
    sheen.setColorAt(0.88, QColor(150, 222, 200));
    sheen.setColorAt(1.00, QColor(214, 222, 234));
    c.p.setBrush(sheen);
    c.p.setPen(c.line(QColor(112, 122, 138), 0.9));
    c.p.drawEllipse(centre, radius, radius);
    // Clamping ring and the hole.
    c.p.setBrush(QColor(255, 255, 255, 150));
    c.p.setPen(c.line(QColor(150, 158, 172), 0.6));
    c.p.drawEllipse(centre, radius * 0.32, radius * 0.32);
    c.p.setBrush(Qt::white);
    c.p.setPen(c.line(QColor(112, 122, 138), 0.7));
    c.p.drawEllipse(centre, radius * 0.12, radius * 0.12);
}

void drawProgramIcon(Canvas& c) {
    const bool tiny = c.size <= 16;
    drawDisc(c, c.at(0.60, tiny ? 0.40 : 0.38), c.u(tiny ? 0.37 : 0.35));

    const QRectF sleeve = c.size <= 32 ? c.crisp(0.06, 0.46, 0.90, 0.94) : c.box(0.06, 0.44, 0.86, 0.95);
    const double radius = c.u(0.04);
    if (!tiny)
        softShadow(c, sleeve, radius);
    QLinearGradient paper(sleeve.topLeft(), sleeve.bottomRight());
    paper.setColorAt(0, QColor(255, 255, 255));
    paper.setColorAt(1, QColor(232, 236, 242));
    c.p.setBrush(paper);
    c.p.setPen(c.line(QColor(120, 128, 140), 0.9));
    c.p.drawRoundedRect(sleeve, radius, radius);
    if (tiny)
        return;
    // The fold of the flap and a thumb notch, as on a cut-and-fold paper sleeve.
    QPainterPath flap;
    flap.moveTo(c.at(0.06, 0.95));
    flap.lineTo(c.at(0.46, 0.72));
    flap.lineTo(c.at(0.86, 0.95));
    c.p.setBrush(Qt::NoBrush);
    QPen fold = c.line(QColor(150, 158, 170), 0.7);
    fold.setStyle(c.size >= 48 ? Qt::DashLine : Qt::SolidLine);
    c.p.setPen(fold);
    c.p.drawPath(flap);
    c.p.setPen(c.line(QColor(150, 158, 170), 0.7));
    c.p.drawArc(QRectF(c.at(0.36, 0.38), c.at(0.56, 0.52)), 180 * 16, 180 * 16);
}

void drawPrinter(Canvas& c) {
    // Paper waiting at the back.
    c.p.setPen(c.line(QColor(130, 136, 146), 0.8));
    c.p.setBrush(Qt::white);
    c.p.drawRect(c.box(0.26, 0.08, 0.74, 0.44));
    // Body.
    const QRectF body = c.box(0.06, 0.36, 0.94, 0.76);
    QLinearGradient metal(body.topLeft(), body.bottomLeft());
    metal.setColorAt(0, QColor(214, 220, 228));
    metal.setColorAt(0.5, QColor(176, 184, 196));
    metal.setColorAt(1, QColor(120, 128, 142));
    c.p.setBrush(metal);
    c.p.setPen(c.line(QColor(70, 76, 88), 0.9));
    c.p.drawRoundedRect(body, c.u(0.07), c.u(0.07));
    // Output slot.
    c.p.setBrush(QColor(52, 56, 66));
    c.p.setPen(Qt::NoPen);
    c.p.drawRect(c.box(0.18, 0.60, 0.82, 0.66));
    // Printed sheet coming out.
    c.p.setBrush(Qt::white);
    c.p.setPen(c.line(QColor(130, 136, 146), 0.8));
    c.p.drawRect(c.box(0.22, 0.63, 0.78, 0.94));
    c.p.setPen(c.line(QColor(80, 120, 190), 0.7));
    if (c.design >= 32) {
        c.p.drawLine(c.at(0.30, 0.74), c.at(0.70, 0.74));
        c.p.drawLine(c.at(0.30, 0.81), c.at(0.62, 0.81));
        c.p.drawLine(c.at(0.30, 0.88), c.at(0.66, 0.88));
    } else {
        c.p.drawLine(c.at(0.32, 0.80), c.at(0.68, 0.80));
    }
    // Power light.
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(QColor(60, 200, 90));
    c.p.drawEllipse(c.at(0.82, 0.46), c.u(0.045), c.u(0.045));
}

void drawBulb(Canvas& c) {
    const QPointF centre = c.at(0.5, 0.38);
    QRadialGradient glow(c.at(0.42, 0.30), c.u(0.36));
    glow.setColorAt(0, QColor(255, 255, 220));
    glow.setColorAt(0.6, QColor(255, 222, 80));
    glow.setColorAt(1, QColor(236, 170, 20));
    QPainterPath glass;
    glass.addEllipse(centre, c.u(0.30), c.u(0.30));
    QPainterPath neck;
    neck.moveTo(c.at(0.30, 0.50));
    neck.lineTo(c.at(0.36, 0.70));
    neck.lineTo(c.at(0.64, 0.70));
    neck.lineTo(c.at(0.70, 0.50));
    neck.closeSubpath();
    c.p.setBrush(glow);
    c.p.setPen(c.line(QColor(170, 120, 10), 0.9));
    c.p.drawPath(glass.united(neck));
    // Screw base.
    QLinearGradient base(c.at(0.36, 0), c.at(0.64, 0));
    base.setColorAt(0, QColor(140, 146, 156));
    base.setColorAt(0.5, QColor(226, 230, 236));
    base.setColorAt(1, QColor(120, 126, 136));
    c.p.setBrush(base);
    c.p.setPen(c.line(QColor(80, 86, 96), 0.8));
    c.p.drawRoundedRect(c.box(0.36, 0.70, 0.64, 0.88), c.u(0.03), c.u(0.03));
    c.p.drawLine(c.at(0.37, 0.79), c.at(0.63, 0.79));
    c.p.setBrush(QColor(80, 86, 96));
    c.p.drawEllipse(QRectF(c.at(0.44, 0.87), c.at(0.56, 0.95)));
}

void drawPerson(Canvas& c) {
    // Shoulders.
    QPainterPath body;
    body.moveTo(c.at(0.10, 0.96));
    body.cubicTo(c.at(0.10, 0.62), c.at(0.28, 0.56), c.at(0.50, 0.56));
    body.cubicTo(c.at(0.72, 0.56), c.at(0.90, 0.62), c.at(0.90, 0.96));
    body.closeSubpath();
    QLinearGradient shirt(c.at(0, 0.56), c.at(0, 0.96));
    shirt.setColorAt(0, QColor(90, 150, 230));
    shirt.setColorAt(1, QColor(36, 90, 180));
    c.p.setBrush(shirt);
    c.p.setPen(c.line(QColor(24, 60, 130), 0.9));
    c.p.drawPath(body);
    // Head.
    QRadialGradient skin(c.at(0.45, 0.24), c.u(0.24));
    skin.setColorAt(0, QColor(255, 230, 206));
    skin.setColorAt(1, QColor(232, 180, 140));
    c.p.setBrush(skin);
    c.p.setPen(c.line(QColor(150, 100, 70), 0.9));
    c.p.drawEllipse(c.at(0.5, 0.30), c.u(0.20), c.u(0.21));
}

void drawGlobe(Canvas& c) {
    const QPointF centre = c.at(0.5, 0.5);
    const double r = c.u(0.43);
    QRadialGradient sea(c.at(0.38, 0.34), c.u(0.55));
    sea.setColorAt(0, QColor(150, 210, 255));
    sea.setColorAt(0.7, QColor(40, 130, 220));
    sea.setColorAt(1, QColor(20, 80, 170));
    c.p.setBrush(sea);
    c.p.setPen(c.line(QColor(16, 64, 140), 0.9));
    c.p.drawEllipse(centre, r, r);
    // Meridians and parallels.
    c.p.setBrush(Qt::NoBrush);
    c.p.setPen(c.line(QColor(255, 255, 255, 190), 0.7));
    c.p.drawEllipse(centre, r * 0.45, r);
    c.p.drawLine(QPointF(centre.x(), centre.y() - r), QPointF(centre.x(), centre.y() + r));
    c.p.drawLine(QPointF(centre.x() - r, centre.y()), QPointF(centre.x() + r, centre.y()));
    const double dy = r * 0.5;
    const double half = std::sqrt(r * r - dy * dy);
    c.p.drawLine(QPointF(centre.x() - half, centre.y() - dy), QPointF(centre.x() + half, centre.y() - dy));
    c.p.drawLine(QPointF(centre.x() - half, centre.y() + dy), QPointF(centre.x() + half, centre.y() + dy));
}

void drawPdf(Canvas& c) {
    // A sheet with its corner turned down.
    QPainterPath sheet;
    sheet.moveTo(c.at(0.18, 0.04));
    sheet.lineTo(c.at(0.62, 0.04));
    sheet.lineTo(c.at(0.84, 0.26));
    sheet.lineTo(c.at(0.84, 0.96));
    sheet.lineTo(c.at(0.18, 0.96));
    sheet.closeSubpath();
    c.p.setBrush(Qt::white);
    c.p.setPen(c.line(QColor(110, 116, 128), 0.9));
    c.p.drawPath(sheet);
    QPainterPath corner;
    corner.moveTo(c.at(0.62, 0.04));
    corner.lineTo(c.at(0.62, 0.26));
    corner.lineTo(c.at(0.84, 0.26));
    c.p.setBrush(QColor(220, 224, 232));
    c.p.drawPath(corner);
    // The envelope on it, in the printed lines' blue.
    c.p.setBrush(Qt::NoBrush);
    c.p.setPen(c.line(QColor(80, 120, 190), 0.8));
    c.p.drawRect(c.box(0.28, 0.34, 0.74, 0.56));
    c.p.drawLine(c.at(0.51, 0.34), c.at(0.51, 0.56));
    // The red band of a document to hand on.
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(QColor(204, 40, 36));
    c.p.drawRect(c.box(0.08, 0.66, 0.70, 0.88));
    c.p.setBrush(Qt::white);
    for (double x : {0.16, 0.34, 0.52})
        c.p.drawRect(c.box(x, 0.73, x + 0.10, 0.81));
}

bool write(const QDir& dir, const QString& name, int size, const std::function<void(Canvas&)>& draw,
           int density = 1) {
    QImage image(size * density, size * density, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        Canvas canvas{painter, double(size * density), double(size)};
        draw(canvas);
    }
    const QString path = dir.filePath(name);
    if (!image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icons OUTPUT_DIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    bool ok = true;
    for (int size : {16, 24, 32, 48, 256})
        ok &= write(dir, QStringLiteral("vornel-%1.png").arg(size), size, drawProgramIcon);
    const struct {
        const char* name;
        int size;
        void (*draw)(Canvas&);
    } pictures[] = {{"printer-48", 48, drawPrinter}, {"menu-bulb-24", 24, drawBulb},
                    {"menu-printer-24", 24, drawPrinter}, {"menu-person-24", 24, drawPerson},
                    {"menu-globe-24", 24, drawGlobe}, {"menu-pdf-24", 24, drawPdf}};
    for (const auto& picture : pictures) {
        const QString name = QString::fromLatin1(picture.name);
        ok &= write(dir, name + QStringLiteral(".png"), picture.size, picture.draw);
        ok &= write(dir, name + QStringLiteral("@2x.png"), picture.size, picture.draw, 2);
    }
    return ok ? 0 : 1;
}
