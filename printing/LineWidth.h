#pragma once

// Device pixels in 1/600 inch, at least one: the width of a printed line at that resolution.
int linePixels(int dpi);
