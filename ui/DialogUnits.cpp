#include "DialogUnits.h"

#include <QFont>
#include <QFontMetrics>
#include <QWidget>

namespace quorbit1 {

DialogUnitBase DialogUnitBaseFor(const QFont& font) {
    // The average width the way the original toolkit measured it: the extent of the 52 letters,
    // halved twice over with rounding.
    const QFontMetrics fm(font);
    const int extent = fm.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(extent / 26 + 1) / 2, fm.height()};
}

namespace {
int MulDiv(int value, int numerator, int denominator) {
    return (value * numerator + denominator / 2) / denominator;
}
}  // namespace

QRect DialogUnitsToPixels(const QRect& units, DialogUnitBase base) {
    const int left = MulDiv(units.x(), base.x, 4);
    const int top = MulDiv(units.y(), base.y, 8);
    const int right = MulDiv(units.x() + units.width(), base.x, 4);
    const int bottom = MulDiv(units.y() + units.height(), base.y, 8);
    return {left, top, right - left, bottom - top};
}

QSize ApplyDialogUnits(QWidget* form) {
    const DialogUnitBase base = DialogUnitBaseFor(form->font());
    const QSize size = DialogUnitsToPixels(QRect(QPoint(0, 0), form->size()), base).size();
    for (QObject* child : form->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget != nullptr && !widget->isWindow()) {
            widget->setGeometry(DialogUnitsToPixels(widget->geometry(), base));
        }
    }
    form->resize(size);
    return size;
}

}  // namespace quorbit1
