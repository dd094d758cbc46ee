#include "app/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

std::string TextFromNumber(long double value, int digits) {
    // Only finite numbers have a text; arithmetic that overflowed is written as the largest one.
    if (std::isnan(value)) {
        value = 0;
    } else if (std::isinf(value)) {
        value = std::copysign(std::numeric_limits<long double>::max(), value);
    }
    std::string text(1, std::signbit(value) && value != 0 ? '-' : ' ');
    if (value == 0) {
        return text + "0";
    }
    // Scientific form rounded to `digits` significant digits: "d.ddddde+XX". to_chars rounds the
    // exact binary value, so a true half goes to the even neighbour.
    char buffer[64];
    auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, digits - 1);
    if (error != std::errc()) {
        return text + "0";
    }
    std::string_view scientific(buffer, end - buffer);
    size_t e = scientific.find('e');
    std::string significant(1, scientific[0]);
    if (e > 2) {
        significant.append(scientific.substr(2, e - 2));
    }
    while (significant.size() > 1 && significant.back() == '0') {
        significant.pop_back();
    }
    int exponent = std::atoi(std::string(scientific.substr(e + 1)).c_str());
    int count = static_cast<int>(significant.size());
    int integerDigits = exponent + 1;
    int fractionDigits = count - 1 - exponent;

    if (integerDigits > digits || fractionDigits > digits) {
        text += significant[0];
        if (count > 1) {
            text += '.';
            text += significant.substr(1);
        }
        text += exponent < 0 ? "E-" : "E+";
        text += std::to_string(std::abs(exponent));
    } else if (exponent >= 0) {
        std::string whole = significant.substr(0, std::min(count, integerDigits));
        whole.append(integerDigits - whole.size(), '0');
        text += whole;
        if (count > integerDigits) {
            text += '.';
            text += significant.substr(integerDigits);
        }
    } else {
        text += '.';
        text.append(-exponent - 1, '0');
        text += significant;
    }
    return text;
}

namespace {

int DigitValue(char c, int radix) {
    int value = c >= '0' && c <= '9'   ? c - '0'
                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                       : 99;
    return value < radix ? value : -1;
}

// "&" has been read; `text` is what follows it.
long double NumberFromRadixText(std::string_view text) {
    int radix = 8;
    size_t pos = 0;
    if (!text.empty()) {
        switch (text[0]) {
            case 'H':
            case 'h':
                radix = 16;
                pos = 1;
                break;
            case 'B':
            case 'b':
                radix = 2;
                pos = 1;
                break;
            case 'O':
            case 'o':
            case 'Q':
            case 'q':
                radix = 8;
                pos = 1;
                break;
            default:
                break;
        }
    }
    size_t first = pos;
    uint64_t value = 0;
    for (int digit; pos < text.size() && (digit = DigitValue(text[pos], radix)) >= 0; ++pos) {
        value = value * radix + digit;
    }
    std::string_view suffix = text.substr(pos);
    bool leadingZero = pos > first && text[first] == '0';
    if (leadingZero || suffix.starts_with("&&")) {
        return static_cast<long double>(value);
    }
    if (value >= 0x80000000u && value <= 0xFFFFFFFFu) {
        return static_cast<long double>(static_cast<int64_t>(value) - 0x100000000LL);
    }
    if (value >= 0x8000u && value <= 0xFFFFu && !suffix.starts_with('&')) {
        return static_cast<long double>(static_cast<int64_t>(value) - 0x10000);
    }
    return static_cast<long double>(value);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

long double NumberFromText(std::string_view text) {
    size_t pos = text.find_first_not_of(" \t\r\n");
    if (pos == std::string_view::npos) {
        return 0;
    }
    if (text[pos] == '&') {
        return NumberFromRadixText(text.substr(pos + 1));
    }
    // Copy the part that forms a number into a form strtold reads the same everywhere.
    std::string number;
    if (text[pos] == '+' || text[pos] == '-') {
        number += text[pos++];
    }
    bool anyDigit = false;
    bool point = false;
    for (; pos < text.size(); ++pos) {
        char c = text[pos];
        if (IsDigit(c)) {
            anyDigit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
        number += c;
    }
    if (!anyDigit) {
        return 0;
    }
    if (pos + 1 < text.size() && std::string_view("EeDd").find(text[pos]) != std::string_view::npos) {
        size_t digits = pos + 1;
        std::string exponent = "e";
        if (text[digits] == '+' || text[digits] == '-') {
            exponent += text[digits++];
        }
        if (digits < text.size() && IsDigit(text[digits])) {
            for (; digits < text.size() && IsDigit(text[digits]); ++digits) {
                exponent += text[digits];
            }
            number += exponent;
        }
    }
    // A number too large for the type reads as the largest one, never as infinity.
    long double value = std::strtold(number.c_str(), nullptr);
    return std::isinf(value) ? std::copysign(std::numeric_limits<long double>::max(), value) : value;
}
