#pragma once

class QDialog;
class QWidget;

// Keeps a window the program waits on from being minimised into nothing: its frame offers its title and a
// close button only, and a window minimised all the same comes back at once. An X11 window manager is
// asked to restore it in place; Wayland neither tells a client that a window was minimised or restored nor
// lets it ask, so there the window is shown anew as a new surface. Call it before the window is first shown.
void keepOnScreen(QWidget& window);

// Runs the dialog modally until it is answered. A dialog shown anew after a minimise ends its modal run on
// the way, and runs on here; use it in place of exec() for a window given keepOnScreen.
int execOnScreen(QDialog& dialog);
