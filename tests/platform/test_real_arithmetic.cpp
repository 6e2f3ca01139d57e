#include "platform/Errors.h"
#include "platform/RealArithmetic.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

TEST(RoundProduct, RoundsTheExactProductTiesToEven) {
    struct Case {
        double scale;
        int value;
        int expected;
    } cases[] = {
        {2.0, 145, 290},   {11.5, 145, 1668}, // 1667.5: to even, up
        {11.5, 155, 1782},                    // 1782.5: to even, down
        {10.025, 20, 201},                    // the double product is 200.5, the exact one a little above
        {0.5, 1, 0},       {0.5, 3, 2},       {-0.5, 1, 0},
        {-0.5, 3, -2},     {2.5, -1, -2},     {23.62204724409449, 270, 6378},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.scale << " x " << c.value);
        EXPECT_EQ(RealArithmetic::roundProduct(c.scale, c.value), c.expected);
    }
}

TEST(RoundProduct, PlainDoubleMultiplicationWouldGetTheExactCaseWrong) {
    // Guards the fixture above: if this stops holding, the 10.025 row no longer tests anything.
    EXPECT_EQ(10.025 * 20, 200.5);
    EXPECT_GT(std::fma(10.025, 20, -200.5), 0.0);
}

TEST(RoundProduct, RejectsWhatCannotBecomeAPixel) {
    const double scales[] = {inf, -inf, nan, 1e300, 3e7, -3e7};
    for (double s : scales) {
        SCOPED_TRACE(s);
        try {
            RealArithmetic::roundProduct(s, 100);
            FAIL() << "no error";
        } catch (const EInvalidOp& e) {
            EXPECT_STREQ(e.what(), "Invalid floating point operation");
        }
    }
    EXPECT_EQ(RealArithmetic::roundProduct(21474836.47, 100), 2147483647);
    EXPECT_THROW(RealArithmetic::roundProduct(21474836.48, 100), EInvalidOp);
}

TEST(Divide, RaisesTheFloatingPointErrors) {
    EXPECT_DOUBLE_EQ(RealArithmetic::divide(3507, 297), 3507.0 / 297.0);
    EXPECT_THROW(RealArithmetic::divide(3507, 0), EZeroDivide);
    EXPECT_THROW(RealArithmetic::divide(-1, 0), EZeroDivide);
    EXPECT_THROW(RealArithmetic::divide(0, 0), EInvalidOp);
    EXPECT_THROW(RealArithmetic::divide(nan, 1), EInvalidOp);
    EXPECT_THROW(RealArithmetic::divide(1e308, 1e-308), EOverflow);
    EXPECT_STREQ(EZeroDivide().what(), "Floating point division by zero");
    EXPECT_STREQ(EOverflow().what(), "Floating point overflow");
}

TEST(Errors, SystemErrorCarriesCodeAndSystemText) {
    EXPECT_STREQ(EOSError(1282, "Service Unavailable").what(),
                 "System Error.  Code: 1282.\r\nService Unavailable");
    EXPECT_STREQ(EOSError(0, "ignored").what(), "A call to an OS function failed");
}

} // namespace
