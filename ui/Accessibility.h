#pragma once

// Teaches the accessibility layer the program's own controls that the toolkit can't classify: the preview
// is a picture, the About box's link labels are links with a press action. Safe to call more than once.
void registerAccessibleControls();
