#pragma once

// Lengths, in pixels along a line's major axis, of the dashes, dots and their gaps of a one-pixel pen.
struct LinePatterns {
    int dash = 18;
    int dashGap = 6;
    int dot = 3;
    int dotGap = 3;

    static LinePatterns screen() { return {}; }
    // As long on paper as the screen's are on a 96-dpi display.
    static LinePatterns forResolution(int dpi);
};
