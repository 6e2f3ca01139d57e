#include "ui/DeferredIcon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

#include <utility>

namespace {

class DeferredIconEngine : public QIconEngine {
public:
    DeferredIconEngine(std::function<QIcon()> make, QList<QSize> sizes)
        : make_(std::move(make)), sizes_(std::move(sizes)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return sizes_.isEmpty() ? icon().availableSizes(mode, state) : sizes_;
    }
    bool isNull() override { return !make_ && icon_.isNull(); }
    QString key() const override { return QStringLiteral("DeferredIconEngine"); }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
    const QIcon& icon() {
        if (make_) {
            icon_ = make_();
            make_ = nullptr;
        }
        return icon_;
    }

    std::function<QIcon()> make_;
    QList<QSize> sizes_;
    QIcon icon_;
};

} // namespace

QIcon deferredIcon(std::function<QIcon()> make, QList<QSize> sizes) {
    // The icon owns its engine.
    return QIcon(new DeferredIconEngine(std::move(make), std::move(sizes)));
}
