#include "app/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

struct TextCase {
    long double value;
    int digits;
    const char* text;
};

TEST(TextFromNumber, WritesTheShortestFormWithTheSignPosition) {
    const TextCase cases[] = {
        {5, 15, " 5"},
        {0, 15, " 0"},
        {-0.0L, 15, " 0"},
        {-1, 15, "-1"},
        {12.25L, 15, " 12.25"},
        {2.5L, 15, " 2.5"},
        {0.125L, 15, " .125"},
        {0.5L, 15, " .5"},
        {-0.5L, 15, "-.5"},
        {255, 15, " 255"},
        {-2147483648.0L, 15, "-2147483648"},
        {1000000, 15, " 1000000"},
        // Half to even at the last kept digit, only for a true half.
        {123456789012345.5L, 15, " 123456789012346"},
        {123456789012344.5L, 15, " 123456789012344"},
        {1234567.5L, 7, " 1234568"},
        {1234568.5L, 7, " 1234568"},
        {2.25L, 2, " 2.2"},
        {2.75L, 2, " 2.8"},
        // Single-precision values keep 7 digits, so the float's binary noise disappears.
        {static_cast<long double>(0.1f), 7, " .1"},
        {static_cast<long double>(-1.0f), 7, "-1"},
        {static_cast<long double>(12.0f), 7, " 12"},
        // Rounding can carry into a new leading digit.
        {9999999.5L, 7, " 1E+7"},
        {999999999999999.5L, 15, " 1E+15"},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(TextFromNumber(c.value, c.digits), c.text) << static_cast<double>(c.value) << " / " << c.digits;
    }
}

TEST(TextFromNumber, SwitchesToTheExponentFormOnBothSides) {
    const TextCase cases[] = {
        {999999999999999.0L, 15, " 999999999999999"},  // 15 digits before the point: plain
        {1e15L, 15, " 1E+15"},                         // 16 digits: exponent form
        {1.5e16L, 15, " 1.5E+16"},
        {-1234567890123456789.0L, 15, "-1.23456789012346E+18"},
        {1e-15L, 15, " .000000000000001"},  // 15 digits after the point: plain
        {1e-16L, 15, " 1E-16"},
        {1.5e-15L, 15, " 1.5E-15"},  // needs 16 digits after the point
        {0.1234567L, 7, " .1234567"},
        {0.01234567L, 7, " 1.234567E-2"},
        {12345678, 7, " 1.234568E+7"},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(TextFromNumber(c.value, c.digits), c.text) << static_cast<double>(c.value) << " / " << c.digits;
    }
}

TEST(NumberFromText, ReadsDecimalFormsAndStopsWhereTheNumberEnds) {
    const struct {
        const char* text;
        long double value;
    } cases[] = {
        {" 12", 12},     {"12", 12},     {"\t\r\n 12", 12}, {"12abc", 12}, {"abc", 0},     {"-", 0},
        {"", 0},         {"   ", 0},     {".", 0},          {"+7", 7},     {"-3.5", -3.5}, {".5", 0.5},
        {"1.5E2", 150},  {"1.5D2", 150}, {"1.5e-1", 0.15L}, {"2d+1", 20},  {"1.5E", 1.5},  {"1.5E+", 1.5},
        {"1.2.3", 1.2L}, {"12,34", 12},  {"- 5", 0},        {"1 2", 1},    {"0012", 12},   {"-0", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NumberFromText(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(NumberFromText, ReadsRadixFormsWithTheirSignRules) {
    const struct {
        const char* text;
        long double value;
    } cases[] = {
        {"&hFF", 255},
        {"&HFF", 255},
        {"&hFFFFFFFF", -1},
        {"&h0FFFFFFF", 268435455},
        {"&hFFFF", -1},
        {"&h0000FFFF", 65535},
        {"&hFFFF&", 65535},   // a single & keeps a 16-bit value unsigned
        {"&hFFFFFFFF&", -1},  // ... but not a 32-bit one
        {"&hFFFFFFFF&&", 4294967295.0L},
        {"&h80000000", -2147483648.0L},
        {"&h7FFFFFFF", 2147483647},
        {"&h8000", -32768},
        {"&h7FFF", 32767},
        {"&h100000000", 4294967296.0L},
        {"&b101", 5},
        {"&B1111111111111111", -1},
        {"&o17", 15},
        {"&Q17", 15},
        {"&17", 15},
        {"&h", 0},
        {"&", 0},
        {"&hFFzz", 255},
        {"  &h10", 16},
        {"&h0010", 16},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NumberFromText(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(NumberText, NumbersTooLargeForTheTypeStayFinite) {
    long double huge = NumberFromText("1E99999");
    EXPECT_EQ(huge, std::numeric_limits<long double>::max());
    EXPECT_EQ(NumberFromText("-1E99999"), -huge);
    EXPECT_EQ(TextFromNumber(huge, 15), " 1.18973149535723E+4932");
    EXPECT_TRUE(std::isfinite(NumberFromText(TextFromNumber(huge, 15))));
    EXPECT_EQ(TextFromNumber(std::numeric_limits<long double>::infinity(), 15), " 1.18973149535723E+4932");
    EXPECT_EQ(TextFromNumber(std::numeric_limits<long double>::quiet_NaN(), 15), " 0");
}

TEST(NumberText, IntegersOfUpTo15DigitsSurviveTheRoundTrip) {
    long double values[] = {0,
                            1,
                            -1,
                            7,
                            10,
                            99,
                            100,
                            101,
                            65535,
                            65536,
                            2147483647,
                            -2147483648.0L,
                            999999999999999.0L,
                            -999999999999999.0L,
                            123456789012345.0L,
                            100000000000000.0L};
    for (long double v : values) {
        EXPECT_EQ(NumberFromText(TextFromNumber(v, kNumberDigits)), v) << static_cast<double>(v);
    }
    for (long double v = 1; v < 1e15L; v = v * 3 + 1) {
        EXPECT_EQ(NumberFromText(TextFromNumber(v, kNumberDigits)), v) << static_cast<double>(v);
        EXPECT_EQ(NumberFromText(TextFromNumber(-v, kNumberDigits)), -v) << static_cast<double>(v);
    }
}
