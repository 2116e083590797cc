#pragma once

// Turns a layout table in dialog units into widgets, the way the window system builds a dialog
// from its template.

#include <QFont>
#include <QRect>
#include <QSize>
#include <span>
#include <vector>

#include "core/controls.h"

class QWidget;

namespace zerkan {

// The base units of a font: cx is the average advance of A-Z and a-z, cy the font's height.
// One horizontal dialog unit is cx / 4 pixels, one vertical unit cy / 8.
struct DialogUnits {
    double cx = 0;
    double cy = 0;

    static DialogUnits Of(const QFont& font);
    QRect ToPixels(const layout::Control& control) const;
    QSize ToPixels(layout::Size size) const;
};

// Creates the controls as children of `parent` in layout order, so that creation order is the
// tab order, each named, placed and sized from its row. Frames go to the bottom of the
// stacking order and let clicks through to what they enclose.
std::vector<QWidget*> BuildControls(std::span<const layout::Control> controls,
                                    const DialogUnits& units, QWidget* parent);

}  // namespace zerkan
