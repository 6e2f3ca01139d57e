#pragma once

#include <cstdint>

// Real arithmetic with the program's error rules. The processor's traps are not used: every operation that
// could raise checks its own operands and throws EInvalidOp, EZeroDivide or EOverflow.
namespace RealArithmetic {

// scale * value, formed exactly and rounded to the nearest integer, ties to even, as a 32-bit pixel
// coordinate. Throws EInvalidOp for a non-finite product or one outside the 32-bit range.
std::int32_t roundProduct(double scale, std::int32_t value);

// a / b. Throws EZeroDivide for x / 0, EInvalidOp for 0 / 0 and any NaN operand, EOverflow for an
// infinite result.
double divide(double a, double b);

} // namespace RealArithmetic
