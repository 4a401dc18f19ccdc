// Forms are laid out in dialog units, which scale with the font: one unit across is a quarter of
// the font's average character width, one unit down an eighth of its height. This converts a
// form and its direct children from dialog units to pixels for the font the form uses.
#pragma once

#include <QRect>
#include <QSize>

class QFont;
class QWidget;

namespace quorbit1 {

struct DialogUnitBase {
    int x = 0;  // average character width in pixels
    int y = 0;  // character height in pixels
};

DialogUnitBase DialogUnitBaseFor(const QFont& font);

QRect DialogUnitsToPixels(const QRect& units, DialogUnitBase base);

// Takes the form's own size and every direct child's geometry as dialog units and replaces them
// by pixels; returns the form's size in pixels.
QSize ApplyDialogUnits(QWidget* form);

}  // namespace quorbit1
