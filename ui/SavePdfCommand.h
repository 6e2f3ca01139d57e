#pragma once

#include "templates/TemplateDispatch.h"

class QWidget;

// The File menu's "save as PDF": asks where, in the folder of the run's last save (the home folder at
// first), and writes the template's PDF there on the paper of the user's locale. With no template selected
// it says so and asks nothing. A write error leaves no file behind and goes on to the error report. The
// folder is remembered for the run only: the user-scope settings of the whole program are pointed where
// none can be written, so the file dialog stores nothing.
void runSavePdfCommand(QWidget* owner, EnvelopeTemplate index);
