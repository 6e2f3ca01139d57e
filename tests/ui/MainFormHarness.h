#pragma once

#include "BorrowedPrintSystem.h"
#include "FakePrintSystem.h"
#include "app/ErrorReport.h"
#include "printing/TPrinter.h"
#include "ui/DockPanel.h"
#include "ui/Fonts.h"
#include "ui/ListBox.h"
#include "ui/Main.h"
#include "ui/PreviewView.h"

#include <QCoreApplication>
#include <QImage>
#include <QPixmap>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

inline FakePrintSystem::Printer printerNamed(const char* name) {
    FakePrintSystem::Printer printer;
    printer.name = QString::fromLatin1(name);
    return printer;
}

// A main window over a fake print system with three printers, the second the default.
class MainFormHarness : public testing::Test {
protected:
    MainFormHarness() {
        registerApplicationFonts();
        ErrorReport::setPresenter([this](const QString& text, const QString&) { reported.append(text); });
        for (const char* name : {"Office", "Label", "PDF"})
            fake.printerList.push_back(printerNamed(name));
        fake.defaultAnswer = DefaultPrinterAnswer::named(QStringLiteral("Label"));
    }
    ~MainFormHarness() override {
        form.reset();
        ErrorReport::setPresenter({});
    }

    // FormCreate as the program runs it: an error is reported and the window is made all the same.
    TMainForm& create() {
        form = std::make_unique<TMainForm>(printer);
        ErrorReport::guard([&] { form->FormCreate(); });
        return *form;
    }
    TMainForm& start() {
        create().showFirst();
        return *form;
    }

    void setClientSize(QSize client) {
        const QSize frameExtra = form->size() - form->ClientArea->size();
        form->resize(client + frameExtra);
        QCoreApplication::processEvents();
    }

    // The client area as the user sees it.
    QImage client() const { return form->ClientArea->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    FakePrintSystem fake;
    TPrinter printer{std::make_unique<BorrowedPrintSystem>(fake)};
    std::unique_ptr<TMainForm> form;
    QStringList reported;
};

inline bool isDark(QRgb pixel) {
    return qGray(pixel) < 128;
}

// The smallest rectangle holding every dark pixel of the area; empty when there is none.
inline QRect darkBounds(const QImage& image, const QRect& area) {
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (isDark(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}
