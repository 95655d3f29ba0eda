#include <gtest/gtest.h>

#include "framework/win/ddx_value.h"

TEST(DialogInt, ParsesSignedDecimalsWithBlanks) {
    int v = 0;
    EXPECT_TRUE(vfw::ParseDialogInt("  12 ", v));
    EXPECT_EQ(v, 12);
    EXPECT_TRUE(vfw::ParseDialogInt("-2147483648", v));
    EXPECT_EQ(v, -2147483647 - 1);
    EXPECT_TRUE(vfw::ParseDialogInt("+2147483647", v));
    EXPECT_EQ(v, 2147483647);
}

TEST(DialogInt, RefusesAnythingElseAndKeepsTheValue) {
    int v = 5;
    for (const char* bad : {"", "  ", "-", "1 2", "12a", "0x10", "2147483648", "-2147483649",
                            "99999999999999999999999"}) {
        EXPECT_FALSE(vfw::ParseDialogInt(bad, v)) << bad;
        EXPECT_EQ(v, 5) << bad;
    }
}

TEST(DialogInt, ClampsToARange) {
    EXPECT_EQ(vfw::ClampToRange(-3, 0, 9), 0);
    EXPECT_EQ(vfw::ClampToRange(12, 0, 9), 9);
    EXPECT_EQ(vfw::ClampToRange(4, 0, 9), 4);
}
