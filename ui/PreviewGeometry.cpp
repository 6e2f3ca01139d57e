#include "ui/PreviewGeometry.h"

QRect previewRect(QSize bitmap, QSize control) {
    const int bw = bitmap.width();
    const int bh = bitmap.height();
    const int cw = control.width();
    const int ch = control.height();
    int w = bw;
    int h = bh;
    if (bw > cw || bh > ch) {
        const double a = static_cast<double>(bw) / bh;
        if (bw > bh) {
            w = cw;
            h = static_cast<int>(cw / a);
            if (h > ch) {
                h = ch;
                w = static_cast<int>(ch * a);
            }
        } else {
            h = ch;
            w = static_cast<int>(ch * a);
            if (w > cw) {
                w = cw;
                h = static_cast<int>(cw / a);
            }
        }
    }
    return QRect((cw - w) / 2, (ch - h) / 2, w, h);
}
