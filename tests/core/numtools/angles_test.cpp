#include <gtest/gtest.h>

#include "common/number_text.h"
#include "numtools/angles.h"

namespace numerelle::numtools {
namespace {

// What the boxes show: the number text of the result.
TEST(Angles, ResultsAsTheBoxesShowThem) {
    const struct {
        const char* name;
        bool toDegrees;
        double input;
        const char* expected;
    } rows[] = {
        {"180 degrees", false, 180, "3.14159265358979"},
        {"90 degrees", false, 90, "1.5707963267949"},
        {"-45 degrees", false, -45, "-0.785398163397448"},
        {"0 degrees", false, 0, "0"},
        {"360 degrees", false, 360, "6.28318530717958"},
        {"pi radians", true, 3.14159265358979, "180"},
        {"1 radian", true, 1, "57.2957795130824"},
        {"2 pi radians", true, 6.28318530717958, "360"},
        {"-0.5 radian", true, -0.5, "-28.6478897565412"},
        {"huge degrees", false, 1e300, "1.74532925199433E+298"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const expr::Evaluation result = row.toDegrees ? radiansToDegrees(row.input) : degreesToRadians(row.input);
        ASSERT_TRUE(result.ok());
        EXPECT_EQ(numberText(result.value), row.expected);
    }
}

TEST(Angles, OverflowIsAFailure) {
    // Divided by pi first, then times 180: the largest doubles overflow.
    EXPECT_EQ(radiansToDegrees(1.7e308).failure, FailureKind::Overflow);
    EXPECT_EQ(degreesToRadians(1.7e308).failure, FailureKind::Overflow);
    EXPECT_EQ(radiansToDegrees(-1.7e308).failure, FailureKind::Overflow);
}

}  // namespace
}  // namespace numerelle::numtools
