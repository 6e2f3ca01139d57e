// The yardstick: the least a Qt window of the program's client size can do, a label with one line of
// Cyrillic text in the program's font, so that both pay for the toolkit, the display connection and the
// font set-up a laid-out text needs before the window is shown.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(13);
    window.setFont(font);
    window.setWindowTitle(QStringLiteral("Ворнель"));
    auto* layout = new QVBoxLayout(&window);
    // Owned by the window.
    layout->addWidget(new QLabel(QStringLiteral("Выбор шаблона печати")), 0, Qt::AlignCenter);
    window.resize(800, 399);
    window.show();
    return app.exec();
}
