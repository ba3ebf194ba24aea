#pragma once

// S, once the frame is drawn and before it is swapped: reads the picture
// back, names it after the local time, writes it as a PNG into the picture
// folder and shows the outcome in the corner. Nothing else changes.
void saveScreenshot();
