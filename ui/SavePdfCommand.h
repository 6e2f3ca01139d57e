#pragma once

#include "TemplateDispatch.h"

class QWidget;

// The File menu's "save as PDF": asks where, in the folder of the run's last save (the home folder at
// first), and writes the template's PDF there on the paper of the user's locale. A write error leaves no
// file behind and goes on to the error report.
void runSavePdfCommand(QWidget* owner, EnvelopeTemplate index);
