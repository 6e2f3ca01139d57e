#pragma once

#include "ui/DockLayout.h"

#include <QWidget>

#include <functional>
#include <vector>

class QResizeEvent;

// A borderless panel that places its children by docking rules whenever its size changes. It paints nothing
// of its own, so the window's background shows through.
class DockPanel : public QWidget {
public:
    explicit DockPanel(QWidget* parent = nullptr);

    void dock(QWidget* child, Dock dock, int extent = 0, int margin = 0);
    // Places the children for the current size; also run on every resize.
    void arrange();
    // Called after the children have been placed for a new size.
    void setResizedHandler(std::function<void()> handler) { resized_ = std::move(handler); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Docked {
        QWidget* child;
        DockRule rule;
    };
    std::vector<Docked> docked_;
    std::function<void()> resized_;
};
