#pragma once

// How the window meets screen readers and automation through the platform's accessibility
// bus: every control named after what the user sees, captions tied to their controls, and
// edits or list choices made through the bus held to the same rules as the keyboard.

class QComboBox;
class QLabel;
class QWidget;

namespace zerkan {

// Puts the program's own accessible interfaces for line edits and pickers in place. Call it
// before the first window is built; later calls do nothing.
void InstallAccessibility();

// Ties the captions of the main window's client area to their controls (names and
// labelled-by relations) and lets a list entry chosen through the bus choose the element,
// whether the list is open or closed.
void DescribeMainControls(QWidget* clientArea);

// The picker's entry changed other than by a choice from its list (another picker's choice, a
// search, an edit): its closed list selects that entry, or none, so that a client reads there
// what the field shows.
void ListFollowsEntry(QComboBox* picker);

// A caption's text changed: the control it names takes the new name.
void CaptionChanged(QLabel* caption);

}  // namespace zerkan
