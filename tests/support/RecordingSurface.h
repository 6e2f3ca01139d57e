#pragma once

#include "platform/DrawingSurface.h"

#include <cstdio>
#include <string>
#include <vector>

// A drawing surface that writes down every call, for tests of what a painter asks for.
class RecordingSurface : public DrawingSurface {
public:
    std::vector<std::string> calls;

    void setBrushStyle(BrushStyle s) override {
        calls.push_back(s == BrushStyle::Clear ? "brush clear" : "brush solid");
    }
    void setBrushColor(TColor c) override { calls.push_back("brush color " + hex(c)); }
    void setPenMode(PenMode) override { calls.push_back("pen copy"); }
    void setPenColor(TColor c) override { calls.push_back("pen color " + hex(c)); }
    void setPenStyle(PenStyle s) override {
        calls.push_back(s == PenStyle::Solid ? "pen solid" : s == PenStyle::Dash ? "pen dash" : "pen dot");
    }
    void moveTo(int x, int y) override { calls.push_back("move " + xy(x, y)); }
    void lineTo(int x, int y) override { calls.push_back("line " + xy(x, y)); }
    void fillRect(int l, int t, int r, int b) override { calls.push_back("fill " + xy(l, t) + " " + xy(r, b)); }

private:
    static std::string xy(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
    static std::string hex(TColor c) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "%06X", c);
        return buf;
    }
};
