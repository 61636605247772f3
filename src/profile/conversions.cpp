#include "profile/conversions.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace zindle {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// from_chars reports a prefix beyond the range of double without a value.
// Whether it overflowed or underflowed follows from the decimal exponent of
// its first significant digit.
double OutOfRangeMagnitude(std::string_view number) {
    bool seenPoint = false;
    bool found = false;
    long long integerDigits = 0;
    long long leadingFractionZeros = 0;
    for (std::size_t i = 0; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
        const char c = number[i];
        if (c == '.') {
            seenPoint = true;
        } else if (!found && c == '0') {
            if (seenPoint) ++leadingFractionZeros;
        } else if (!seenPoint) {
            found = true;
            ++integerDigits;
        } else {
            found = true;
            break;
        }
    }
    if (!found) return 0.0;
    // The decimal exponent of the first significant digit.
    const long long digitExponent = integerDigits > 0 ? integerDigits - 1 : -(leadingFractionZeros + 1);

    long long exponent = 0;
    const std::size_t e = number.find_first_of("eE");
    if (e != std::string_view::npos) {
        std::size_t j = e + 1;
        const bool negative = j < number.size() && number[j] == '-';
        if (j < number.size() && (number[j] == '+' || number[j] == '-')) ++j;
        for (; j < number.size(); ++j) {
            if (exponent < 1'000'000'000) exponent = exponent * 10 + (number[j] - '0');
        }
        if (negative) exponent = -exponent;
    }
    return digitExponent + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

}  // namespace

bool ParseYesNo(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    const std::string word = LowerAscii(text);
    return word == "true" || word == "yes" || word == "y" || word == "1";
}

std::string YesNo(bool flag) { return flag ? "yes" : "no"; }

double LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t start = i;
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        std::size_t j = i + 1;
        while (j < text.size() && IsDigit(text[j])) {
            ++j;
            ++digits;
        }
        if (digits > 0) i = j;
    }
    if (digits == 0) return 0.0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) ++j;
            i = j;
        }
    }

    const std::string_view number = text.substr(start, i - start);
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        value = OutOfRangeMagnitude(number);
    } else if (result.ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

std::int16_t RoundToInt16(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 32767.0) return 32767;
    if (value <= -32768.0) return -32768;
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double rounded = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) rounded = floor + 1.0;
    return static_cast<std::int16_t>(rounded);
}

std::int16_t ToInt16(std::string_view text) { return RoundToInt16(LeadingNumber(text)); }

std::string TrimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return std::string(text);
}

std::string LowerAscii(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lowered;
}

}  // namespace zindle
