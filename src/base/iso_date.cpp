#include "base/iso_date.h"

#include <cmath>

namespace dralmoft {
namespace {

// Days from 1 January 1970 for a proleptic Gregorian date (Howard Hinnant's algorithm).
long long DaysFromCivil(int year, unsigned month, unsigned day) {
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const auto yoe = static_cast<unsigned>(year - era * 400);
    const unsigned doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

// The proleptic Gregorian date of a count of days from 1 January 1970 (the same algorithm
// backwards).
void CivilFromDays(long long days, int& year, unsigned& month, unsigned& day) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const auto doe = static_cast<unsigned>(days - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = doy - (153 * mp + 2) / 5 + 1;
    month = mp < 10 ? mp + 3 : mp - 9;
    year = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (month <= 2));
}

bool ReadDigits(std::string_view text, std::size_t at, std::size_t count, int& value) {
    if (at + count > text.size()) return false;
    value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

// The calendar date of an OLE date's day; false past what an OLE date can name.
bool CivilDate(double oleDate, int& year, unsigned& month, unsigned& day) {
    // The days an OLE date can name: 1 January 100 to 31 December 9999.
    const double days = std::trunc(oleDate);
    if (!(days >= -657434.0 && days <= 2958465.0)) return false;
    CivilFromDays(static_cast<long long>(days) + DaysFromCivil(1899, 12, 30), year, month, day);
    return true;
}

}  // namespace

std::optional<double> ParseOleDate(std::string_view text) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (!ReadDigits(text, 0, 4, year) || text.size() < 10 || text[4] != '-' || !ReadDigits(text, 5, 2, month) ||
        text[7] != '-' || !ReadDigits(text, 8, 2, day))
        return std::nullopt;
    if (text.size() > 10) {
        const bool separator = text[10] == 'T' || text[10] == ' ';
        const bool hm = separator && ReadDigits(text, 11, 2, hour) && text.size() >= 16 && text[13] == ':' &&
                        ReadDigits(text, 14, 2, minute);
        const bool hms = text.size() == 19 && text[16] == ':' && ReadDigits(text, 17, 2, second);
        if (!hm || (text.size() != 16 && !hms) || hour > 23 || minute > 59 || second > 59) return std::nullopt;
    }
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (month < 1 || month > 12 || day < 1 || day > kDays[month - 1] || (month == 2 && day == 29 && !leap))
        return std::nullopt;
    const long long days =
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - DaysFromCivil(1899, 12, 30);
    return static_cast<double>(days) + (hour * 3600 + minute * 60 + second) / 86400.0;
}

int OleYear(double oleDate) {
    int year = 0;
    unsigned month = 0, day = 0;
    return CivilDate(oleDate, year, month, day) ? year : 0;
}

std::string FormatIsoDate(double oleDate) {
    int year = 0;
    unsigned month = 0, dayOfMonth = 0;
    if (!CivilDate(oleDate, year, month, dayOfMonth)) return {};
    // By hand: a report may date half a million rows, and snprintf is slow at it.
    std::string text = "0000-00-00";
    for (int at = 3, rest = year; at >= 0; --at, rest /= 10)
        text[static_cast<std::size_t>(at)] = static_cast<char>('0' + rest % 10);
    text[5] = static_cast<char>('0' + month / 10);
    text[6] = static_cast<char>('0' + month % 10);
    text[8] = static_cast<char>('0' + dayOfMonth / 10);
    text[9] = static_cast<char>('0' + dayOfMonth % 10);
    return text;
}

}  // namespace dralmoft
