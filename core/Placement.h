// Where a second window of the calculator's goes on the screen: the working window, beside the
// calculator, whatever toolkit draws them. Rectangles in the screen's pixels.
#pragma once

namespace quorbit1 {

struct ScreenBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int Right() const { return x + width - 1; }
    int Bottom() const { return y + height - 1; }
    bool operator==(const ScreenBox&) const = default;
};

struct BoxSize {
    int width = 0;
    int height = 0;
};

// Where a window of the wanted frame size goes beside the calculator's frame on a screen's
// available area: to the right where it fits whole, else to the left, else below, else above.
// Where none has room for the whole of it, it goes beside the calculator made narrower down to
// the smallest width, else above or below it made lower down to the smallest height, else on
// the roomiest side smaller still; only when no side has room at all may it cover the
// calculator.
ScreenBox PlaceBeside(const ScreenBox& calculator, BoxSize wanted, const ScreenBox& screen,
                      BoxSize smallest, int gap = 8);

}  // namespace quorbit1
