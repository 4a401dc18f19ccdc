#include "DialogUnits.h"

#include <QFont>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>
#include <algorithm>

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

namespace {
// The children of a group box are placed relative to it, in dialog units too.
void ApplyToChildren(QWidget* parent, DialogUnitBase base) {
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget != nullptr && !widget->isWindow()) {
            widget->setGeometry(DialogUnitsToPixels(widget->geometry(), base));
            if (qobject_cast<QGroupBox*>(widget) != nullptr) {
                ApplyToChildren(widget, base);
            }
        }
    }
}
}  // namespace

QSize ApplyDialogUnits(QWidget* form) {
    const DialogUnitBase base = DialogUnitBaseFor(form->font());
    const QSize size = DialogUnitsToPixels(QRect(QPoint(0, 0), form->size()), base).size();
    ApplyToChildren(form, base);
    form->resize(size);
    return size;
}

int FitLabels(std::initializer_list<QLabel*> labels) {
    int shift = 0;
    for (QLabel* label : labels) {
        label->setWordWrap(true);
        QRect r = label->geometry();
        const int top = r.top();
        r.translate(0, shift);
        const int needed = label->heightForWidth(r.width());
        const int grown = std::max(0, needed - r.height());
        r.setHeight(r.height() + grown);
        label->setGeometry(r);
        // Everything further down the form moves with the text above it.
        for (QObject* sibling : label->parentWidget()->children()) {
            auto* w = qobject_cast<QWidget*>(sibling);
            const bool under = w != nullptr && w->y() > top && w->x() < r.right() &&
                               w->geometry().right() > r.left();
            if (under && w != label && !w->isWindow() && grown > 0 &&
                std::find(labels.begin(), labels.end(), w) == labels.end()) {
                w->move(w->x(), w->y() + grown);
            }
        }
        shift += grown;
    }
    return shift;
}

}  // namespace quorbit1
