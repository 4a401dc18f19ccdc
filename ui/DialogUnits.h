// Forms are laid out in dialog units, which scale with the font: one unit across is a quarter of
// the font's average character width, one unit down an eighth of its height. This converts a
// form and its direct children from dialog units to pixels for the font the form uses.
#pragma once

#include <QRect>
#include <QSize>
#include <initializer_list>

class QFont;
class QLabel;
class QWidget;

namespace quorbit1 {

struct DialogUnitBase {
    int x = 0;  // average character width in pixels
    int y = 0;  // character height in pixels
};

DialogUnitBase DialogUnitBaseFor(const QFont& font);

QRect DialogUnitsToPixels(const QRect& units, DialogUnitBase base);

// Takes the form's own size and the geometry of every child (direct, or inside a group box) as
// dialog units and replaces them by pixels; returns the form's size in pixels.
QSize ApplyDialogUnits(QWidget* form);

// The texts were sized for a small bitmap font and English. Where today's font or a translation
// needs more lines, each label (top to bottom) wraps and grows downwards, and pushes down what
// lies below it in the same form. Returns how much taller the form must be.
int FitLabels(std::initializer_list<QLabel*> labels);

}  // namespace quorbit1
