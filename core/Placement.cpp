#include "Placement.h"

#include <algorithm>

namespace quorbit1 {

ScreenBox PlaceBeside(const ScreenBox& calculator, BoxSize wanted, const ScreenBox& screen,
                      BoxSize smallest, int gap) {
    wanted.width = std::min(wanted.width, screen.width);
    wanted.height = std::min(wanted.height, screen.height);
    // Room in pixels on each side, between the calculator (and the gap) and the screen's edge.
    const int right = screen.Right() - calculator.Right() - gap;
    const int left = calculator.x - screen.x - gap;
    const int below = screen.Bottom() - calculator.Bottom() - gap;
    const int above = calculator.y - screen.y - gap;
    const int top = std::clamp(calculator.y, screen.y, screen.Bottom() + 1 - wanted.height);
    const int leftEdge = std::clamp(calculator.x, screen.x, screen.Right() + 1 - wanted.width);
    const auto atRight = [&](int width) {
        return ScreenBox{calculator.Right() + 1 + gap, top, width, wanted.height};
    };
    const auto atLeft = [&](int width) {
        return ScreenBox{calculator.x - gap - width, top, width, wanted.height};
    };
    const auto atBottom = [&](int height) {
        return ScreenBox{leftEdge, calculator.Bottom() + 1 + gap, wanted.width, height};
    };
    const auto atTop = [&](int height) {
        return ScreenBox{leftEdge, calculator.y - gap - height, wanted.width, height};
    };
    if (right >= wanted.width) {
        return atRight(wanted.width);
    }
    if (left >= wanted.width) {
        return atLeft(wanted.width);
    }
    if (below >= wanted.height) {
        return atBottom(wanted.height);
    }
    if (above >= wanted.height) {
        return atTop(wanted.height);
    }
    // Narrower beside it while its columns still fit, else lower above or below it: a window
    // that scrolls down reads better than one that cuts its columns.
    if (std::max(right, left) >= smallest.width) {
        return right >= left ? atRight(right) : atLeft(left);
    }
    if (std::max(below, above) >= smallest.height) {
        return below >= above ? atBottom(below) : atTop(above);
    }
    // Smaller still, on the roomiest side, rather than over the fields it explains.
    constexpr int kLeast = 120;
    const int across = std::max(right, left) * wanted.height;
    const int along = std::max(below, above) * wanted.width;
    if (std::max(right, left) >= kLeast && across >= along) {
        return right >= left ? atRight(right) : atLeft(left);
    }
    if (std::max(below, above) >= kLeast) {
        return below >= above ? atBottom(below) : atTop(above);
    }
    return ScreenBox{screen.Right() + 1 - wanted.width, top, wanted.width, wanted.height};
}

}  // namespace quorbit1
