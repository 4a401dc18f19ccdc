// tan x, correctly rounded: sin r / cos r of the reduced argument, by its quadrant.
#include <cmath>
#include <cstdint>
#include <limits>

#include "BitCast.h"
#include "CrMath.h"
#include "DoubleDouble.h"
#include "FastPath.h"
#include "Fixed.h"
#include "Tables.h"

QUORBIT1_MATH_TARGET

namespace quorbit1::math::QUORBIT1_MATH_PATH {

double Tan(double x) {
    return TrigOf(Trig::kTan, x);
}

}  // namespace quorbit1::math::QUORBIT1_MATH_PATH
