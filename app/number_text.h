// Number texts: the one way numbers become texts (read-outs, the annotation file) and texts become
// numbers, so the same number always gets the same text.
#pragma once

#include <string>
#include <string_view>

// The digits of a single-precision value (a click cell) and of every other value.
inline constexpr int kSingleDigits = 7;
inline constexpr int kNumberDigits = 15;

// A blank (or "-") then the shortest plain form rounded to `digits` significant digits, half to
// even; the exponent form ("1.5E+16") when the plain form would need more than `digits` digits
// before or after the decimal point. 5 -> " 5", -0.5 -> "-.5".
std::string TextFromNumber(long double value, int digits);

// Reads a decimal number ("12", " -1.5E2", "1.5D2") or a radix form ("&hFF", "&b101", "&o17",
// "&17"); reading stops at the first character that cannot continue the number. Never fails:
// a text without a number gives 0.
long double NumberFromText(std::string_view text);
