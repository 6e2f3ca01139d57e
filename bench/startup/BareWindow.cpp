// The yardstick: the least a Qt window of the program's client size can do, one line of Cyrillic text in the
// program's font, so that both pay for the toolkit, the display connection and font set-up.
#include <QApplication>
#include <QFont>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

namespace {

class BareWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("Выбор шаблона печати"));
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    BareWindow window;
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(13);
    window.setFont(font);
    window.setWindowTitle(QStringLiteral("Ворнель"));
    window.resize(800, 399);
    window.show();
    return app.exec();
}
