#include "platform/RealArithmetic.h"

#include "platform/Errors.h"

#include <cmath>
#include <limits>

namespace RealArithmetic {

std::int32_t roundProduct(double scale, std::int32_t value) {
    const double v = static_cast<double>(value);
    const double p = scale * v;
    if (!std::isfinite(p))
        throw EInvalidOp();
    // p + err is the exact product; err only matters when p lies exactly on a half.
    const double err = std::fma(scale, v, -p);
    double r = std::nearbyint(p);
    if (std::fabs(p - std::trunc(p)) == 0.5 && err != 0.0)
        r = err > 0.0 ? std::floor(p) + 1.0 : std::floor(p);
    if (r < static_cast<double>(std::numeric_limits<std::int32_t>::min()) ||
        r > static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        throw EInvalidOp();
    return static_cast<std::int32_t>(r);
}

double divide(double a, double b) {
    if (std::isnan(a) || std::isnan(b))
        throw EInvalidOp();
    if (b == 0.0) {
        if (a == 0.0)
            throw EInvalidOp();
        throw EZeroDivide();
    }
    if (std::isinf(a) && std::isinf(b))
        throw EInvalidOp();
    const double q = a / b;
    if (std::isinf(q) && !std::isinf(a))
        throw EOverflow();
    return q;
}

} // namespace RealArithmetic
