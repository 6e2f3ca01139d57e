#pragma once

class QWidget;

// Gives a top-level window of fixed size (a dialog, a message box) the frame keepOnScreen gives it
// (ui/OnScreen.h), and keeps a request to maximise it or make it full screen (a title bar the toolkit draws
// on Wayland offers one anyway) from ending the program: the window takes the size asked for, as the window
// system requires, and returns to its own size at once. Call it before the window is first shown.
void giveFixedFrame(QWidget& window);
