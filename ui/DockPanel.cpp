#include "ui/DockPanel.h"

#include <QResizeEvent>

DockPanel::DockPanel(QWidget* parent) : QWidget(parent) {}

void DockPanel::dock(QWidget* child, Dock dock, int extent, int margin) {
    docked_.push_back({child, {dock, extent, margin}});
    arrange();
}

void DockPanel::arrange() {
    std::vector<DockRule> rules;
    rules.reserve(docked_.size());
    for (const Docked& d : docked_)
        rules.push_back(d.rule);
    const std::vector<QRect> rects = dockRects(size(), rules);
    for (std::size_t i = 0; i < docked_.size(); ++i)
        docked_[i].child->setGeometry(rects[i]);
}

void DockPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    arrange();
    if (resized_)
        resized_();
}
