#include "clock/date_time_parse.h"

#include <cstddef>
#include <optional>

namespace zindle {

namespace {

constexpr int kSecondsPerDay = 86400;
// Windows' date range begins in the year 100.
constexpr int kMinYear = 100;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanksAndTabs(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    bool AtEnd() const { return pos_ == text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
    void Skip() { ++pos_; }
    void SkipBlanks() {
        while (!AtEnd() && IsBlank(text_[pos_])) ++pos_;
    }

    // A run of 1 to maxDigits digits (maxDigits <= 4, so it cannot overflow);
    // false when there is none or it is longer.
    bool Number(int maxDigits, int& value, int& digits) {
        value = 0;
        digits = 0;
        while (!AtEnd() && text_[pos_] >= '0' && text_[pos_] <= '9') {
            if (++digits > maxDigits) return false;
            value = value * 10 + (text_[pos_] - '0');
            ++pos_;
        }
        return digits > 0;
    }

    // Consumes word (lower case) when the text continues with it in any case.
    bool Word(std::string_view word) {
        if (text_.size() - pos_ < word.size()) return false;
        for (std::size_t k = 0; k < word.size(); ++k) {
            if (LowerAscii(text_[pos_ + k]) != word[k]) return false;
        }
        pos_ += word.size();
        return true;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
long long DaysFromCivil(int year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yearOfEra = year - era * 400;
    const int dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return static_cast<long long>(era) * 146097 + dayOfEra - 719468;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

struct ParsedDate {
    DateTime day = 0;
    bool iso = false;
};

// One of the three numbers of a date, with the count of its digits.
struct DatePart {
    int value = 0;
    int digits = 0;
};

std::optional<ParsedDate> ParseDate(std::string_view text, DateOrder order) {
    Scanner scan(text);
    DatePart parts[3];
    char separator = '\0';
    for (int k = 0; k < 3; ++k) {
        if (k > 0) {
            const char c = scan.Peek();
            if (k == 1 && c != '/' && c != '-' && c != '.') return std::nullopt;
            if (k == 1) separator = c;
            if (c != separator) return std::nullopt;
            scan.Skip();
        }
        if (!scan.Number(4, parts[k].value, parts[k].digits)) return std::nullopt;
    }
    if (!scan.AtEnd()) return std::nullopt;

    const bool iso = separator == '-' && parts[0].digits == 4;
    DatePart year, month, day;
    if (iso || order == DateOrder::YearMonthDay) {
        year = parts[0], month = parts[1], day = parts[2];
    } else if (order == DateOrder::MonthDayYear) {
        month = parts[0], day = parts[1], year = parts[2];
    } else {
        day = parts[0], month = parts[1], year = parts[2];
    }
    if (month.digits > 2 || day.digits > 2) return std::nullopt;
    if (year.digits == 2) {
        year.value += year.value < 30 ? 2000 : 1900;
    } else if (year.digits != 4 || year.value < kMinYear) {
        return std::nullopt;
    }
    if (month.value < 1 || month.value > 12) return std::nullopt;
    if (day.value < 1 || day.value > DaysInMonth(year.value, month.value)) return std::nullopt;
    // 1899-12-30 is day zero.
    const long long serial = DaysFromCivil(year.value, month.value, day.value) - DaysFromCivil(1899, 12, 30);
    return ParsedDate{static_cast<DateTime>(serial), iso};
}

// The time of day as a fraction of a day.
std::optional<DateTime> ParseTime(std::string_view text) {
    Scanner scan(text);
    int hour = 0, minute = 0, second = 0, digits = 0;
    if (!scan.Number(2, hour, digits)) return std::nullopt;
    const bool hasMinutes = scan.Peek() == ':';
    if (hasMinutes) {
        scan.Skip();
        if (!scan.Number(2, minute, digits)) return std::nullopt;
        if (scan.Peek() == ':') {
            scan.Skip();
            if (!scan.Number(2, second, digits)) return std::nullopt;
        }
    }
    scan.SkipBlanks();
    const bool am = scan.Word("am");
    const bool pm = !am && scan.Word("pm");
    if (!scan.AtEnd()) return std::nullopt;

    if (am || pm) {
        if (hour < 1 || hour > 12) return std::nullopt;
        hour = hour % 12 + (pm ? 12 : 0);
    } else if (!hasMinutes || hour > 23) {
        return std::nullopt;
    }
    if (minute > 59 || second > 59) return std::nullopt;
    return static_cast<DateTime>(hour * 3600 + minute * 60 + second) / kSecondsPerDay;
}

}  // namespace

bool TryParseDateTime(std::string_view text, DateOrder order, DateTime& value) {
    text = TrimBlanksAndTabs(text);
    // A date never holds a blank or a 'T', so whatever stands before the first
    // of them is the date when there is one.
    const std::size_t cut = text.find_first_of(" \tT");
    if (const auto date = ParseDate(text.substr(0, cut), order)) {
        if (cut == std::string_view::npos) {
            value = date->day;
            return true;
        }
        if (text[cut] == 'T' && !date->iso) return false;
        const std::string_view timeText =
            text[cut] == 'T' ? text.substr(cut + 1) : TrimBlanksAndTabs(text.substr(cut));
        const auto time = ParseTime(timeText);
        if (!time) return false;
        value = date->day + *time;
        return true;
    }
    const auto time = ParseTime(text);
    if (!time) return false;
    value = *time;
    return true;
}

}  // namespace zindle
