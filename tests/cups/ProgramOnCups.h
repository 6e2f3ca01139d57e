#pragma once

// The program as it starts over the real print server, and tests that collect what the error report says.
#include "app/ErrorReport.h"
#include "platform/cups/CupsPrintSystem.h"
#include "printing/TPrinter.h"
#include "ui/Fonts.h"
#include "ui/Main.h"

#include <gtest/gtest.h>

#include <cups/cups.h>

#include <QString>
#include <QStringList>

#include <memory>

// The printer over CUPS, the main window, its creation handler with failures reported, and the first
// showing.
struct ProgramOnCups {
    ProgramOnCups() {
        ErrorReport::guard([this] { form.FormCreate(); });
        form.showFirst();
    }

    TPrinter printer{std::make_unique<CupsPrintSystem>()};
    TMainForm form{printer};
};

// The application's fonts, and every message the error report shows kept in `reported`; the client's own
// server again afterwards.
class ReportedErrors : public testing::Test {
protected:
    void SetUp() override {
        registerApplicationFonts();
        ErrorReport::setPresenter([this](const QString& text, const QString&) { reported << text; });
    }
    void TearDown() override {
        ErrorReport::setPresenter({});
        cupsSetServer(nullptr);
    }

    QStringList reported;
};
