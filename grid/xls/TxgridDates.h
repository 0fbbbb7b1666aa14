#pragma once
// Dates in workbooks: which number formats show a number as a date or a time, and a serial
// number as the text the grid gets, the same for .xlsx and .xls files. Plain C++, for the .xls
// helper as well as the library.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace grid::xls {

// A date, a time or both; with dkDayFirst the date shows its day first (as 15.03.2024), with
// dkNoSeconds the time shows no seconds (as 13:45).
// Elapsed times ([h]:mm, [mm]:ss, [s]) are kinds of their own, from dkElapsed on: the bracketed
// unit counts the whole time, days included, and the units after it down to the last one shown
// go as on a clock. dkElapsed + 3 x the bracketed unit + the last unit (0 hours, 1 minutes, 2
// seconds); they carry none of the flags.
enum TDateKind : unsigned char { dkNone, dkDate, dkTime, dkDateTime, dkDayFirst = 4, dkNoSeconds = 8, dkElapsed = 16 };
constexpr TDateKind operator|(TDateKind A, TDateKind B) { return TDateKind(unsigned(A) | unsigned(B)); }

inline TDateKind ElapsedKind(unsigned Lead, unsigned Last) { return TDateKind(dkElapsed + 3 * Lead + Last); }

// The kind of a built-in number format, by its number.
inline TDateKind BuiltinDateKind(unsigned Id)
{
    if ((Id >= 14 && Id <= 17) || (Id >= 27 && Id <= 36) || (Id >= 50 && Id <= 58))
        return dkDate;
    if (Id == 46) // [h]:mm:ss
        return ElapsedKind(0, 2);
    if (Id == 18 || Id == 20)
        return dkTime | dkNoSeconds;
    if ((Id >= 18 && Id <= 21) || Id == 45 || Id == 47)
        return dkTime;
    return Id == 22 ? dkDateTime | dkNoSeconds : dkNone;
}

// The kind of a format code (UTF-8): its first section, quoted text, escapes, colours and
// locales left out; d or y is a date, h or s a time; m alone a date, m after an h the minutes.
// The first of d, m and y tells the date's order; no s, no seconds. [h], [m] or [s] without a
// date is an elapsed time, shown down to the last of h, m and s after it.
inline TDateKind FormatDateKind(std::string_view Code)
{
    std::string code(Code.substr(0, Code.find(';')));
    for (char& c : code)
        if (c >= 'A' && c <= 'Z')
            c = char(c + 32);
    if (code == "general")
        return dkNone;
    bool date = false, time = false, month = false, seconds = false, afterHour = false;
    char first = 0;           // the first of d, m (a month) and y
    int lead = -1, last = -1; // the bracketed unit of an elapsed time, the last unit after it
    auto unit = [](char C) { return C == 'h' ? 0 : C == 'm' ? 1 : 2; };
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (c == '"') {
            i = code.find('"', i + 1);
            if (i == std::string::npos)
                break;
        } else if (c == '\\' || c == '_' || c == '*') {
            ++i;
        } else if (c == '[') {
            const std::size_t close = code.find(']', i);
            const std::string inner =
                code.substr(i + 1, close == std::string::npos ? std::string::npos : close - i - 1);
            if (!inner.empty() && (inner[0] == 'h' || inner[0] == 's' || inner[0] == 'm')
                && inner.find_first_not_of(inner[0]) == std::string::npos) {
                time = true;
                seconds = seconds || inner[0] == 's';
                afterHour = inner[0] == 'h';
                if (lead < 0)
                    lead = last = unit(inner[0]);
            }
            if (close == std::string::npos)
                break;
            i = close;
        } else if (c == 'd' || c == 'y') {
            date = true;
            afterHour = false;
            first = first ? first : c;
        } else if (c == 'h' || c == 's') {
            time = true;
            seconds = seconds || c == 's';
            afterHour = c == 'h';
            if (lead >= 0)
                last = std::max(last, unit(c));
        } else if (c == 'm') {
            month = true;
            if (!afterHour && !first)
                first = 'm';
            if (lead >= 0)
                last = std::max(last, unit(c));
        }
    }
    if (lead >= 0 && !date)
        return ElapsedKind(unsigned(lead), unsigned(last));
    if (month && !time)
        date = true;
    TDateKind kind = date && time ? dkDateTime : date ? dkDate : time ? dkTime : dkNone;
    if (date && first == 'd')
        kind = kind | dkDayFirst;
    if (time && !seconds)
        kind = kind | dkNoSeconds;
    return kind;
}

// Days since 1970-01-01 of a civil date, and back (the proleptic Gregorian calendar).
inline std::int64_t daysFromCivil(std::int64_t Y, unsigned M, unsigned D)
{
    Y -= M <= 2;
    const std::int64_t era = (Y >= 0 ? Y : Y - 399) / 400;
    const unsigned yoe = unsigned(Y - era * 400);
    const unsigned doy = (153 * (M + (M > 2 ? -3 : 9)) + 2) / 5 + D - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + std::int64_t(doe) - 719468;
}

inline void civilFromDays(std::int64_t Z, int& Y, unsigned& M, unsigned& D)
{
    Z += 719468;
    const std::int64_t era = (Z >= 0 ? Z : Z - 146096) / 146097;
    const unsigned doe = unsigned(Z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    D = doy - (153 * mp + 2) / 5 + 1;
    M = mp < 10 ? mp + 3 : mp - 9;
    Y = int(yoe + era * 400 + (M <= 2));
}

// A serial as text: "YYYY-MM-DD", "HH:MM:SS" or both, the date as "DD.MM.YYYY" where its
// format shows the day first, and the time as "HH:MM" where its format shows no seconds and
// they are 0 (but after a "YYYY-MM-DD", which always has them); an elapsed time as its count of
// the bracketed unit and two digits for each unit after it ("60:00" for 2.5 as [h]:mm, units
// below the last shown cut off); false when out of range (0 up to 9999-12-31). The 1900 system
// counts a 29 February 1900 that never was: serial 60 shows as that day, as spreadsheets show
// it, and serials before it are one day later than their count from 30 December 1899.
inline bool SerialDateText(double Serial, TDateKind Kind, bool From1904, std::string& Out)
{
    if (!(Serial >= 0 && Serial < 2958466)) // up to 9999-12-31
        return false;
    std::int64_t seconds = std::llround(Serial * 86400.0);
    if (Kind >= dkElapsed) {
        const unsigned lead = (Kind - dkElapsed) / 3, last = (Kind - dkElapsed) % 3;
        const std::int64_t per[3] = {3600, 60, 1}, within[3] = {24, 60, 60};
        Out = std::to_string(seconds / per[lead]);
        for (unsigned u = lead + 1; u <= last && u < 3; ++u) {
            char two[8];
            std::snprintf(two, sizeof two, ":%02d", int(seconds / per[u] % within[u]));
            Out += two;
        }
        return true;
    }
    const std::int64_t days = seconds / 86400;
    seconds %= 86400;
    const std::int64_t base = From1904 ? daysFromCivil(1904, 1, 1)
        : days < 61                    ? daysFromCivil(1899, 12, 31)
                                       : daysFromCivil(1899, 12, 30);
    int y;
    unsigned m, d;
    civilFromDays(base + days, y, m, d);
    if (!From1904 && days == 60) { // the day the 1900 system counts and spreadsheets show
        y = 1900;
        m = 2;
        d = 29;
    }
    const bool hasDate = Kind & dkDate, hasTime = Kind & dkTime, dayFirst = hasDate && (Kind & dkDayFirst);
    char date[40], time[40];
    if (dayFirst)
        std::snprintf(date, sizeof date, "%02u.%02u.%04d", d, m, y);
    else
        std::snprintf(date, sizeof date, "%04d-%02u-%02u", y, m, d);
    if ((Kind & dkNoSeconds) && seconds % 60 == 0 && (dayFirst || !hasDate))
        std::snprintf(time, sizeof time, "%02d:%02d", int(seconds / 3600), int(seconds / 60 % 60));
    else
        std::snprintf(time, sizeof time, "%02d:%02d:%02d", int(seconds / 3600), int(seconds / 60 % 60),
                      int(seconds % 60));
    Out = !hasTime ? std::string(date) : !hasDate ? std::string(time) : std::string(date) + ' ' + time;
    return true;
}

} // namespace grid::xls
