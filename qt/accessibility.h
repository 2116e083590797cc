#pragma once

// How the window meets screen readers and automation through the platform's accessibility
// bus: every control named after what the user sees, captions tied to their controls, and
// edits or list choices made through the bus held to the same rules as the keyboard.

class QLabel;
class QWidget;

namespace zerkan {

// Puts the program's own accessible interfaces for line edits and pickers in place. Call it
// before the first window is built; later calls do nothing.
void InstallAccessibility();

// Ties the captions of the main window's client area to their controls (names and
// labelled-by relations) and lets a list entry chosen through the bus choose the element.
void DescribeMainControls(QWidget* clientArea);

// A caption's text changed: the control it names takes the new name.
void CaptionChanged(QLabel* caption);

}  // namespace zerkan
