#include "storage/date_text.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <utility>

namespace kumoji {

namespace {

constexpr long long MsPerDay = 86400000;

// Days from 1970-01-01 of a proleptic Gregorian date.
long long DaysFromCivil(long long Y, unsigned M, unsigned D) {
    Y -= M <= 2;
    const long long Era = (Y >= 0 ? Y : Y - 399) / 400;
    const unsigned Yoe = static_cast<unsigned>(Y - Era * 400);
    const unsigned Doy = (153 * (M + (M > 2 ? -3 : 9)) + 2) / 5 + D - 1;
    const unsigned Doe = Yoe * 365 + Yoe / 4 - Yoe / 100 + Doy;
    return Era * 146097 + static_cast<long long>(Doe) - 719468;
}

void CivilFromDays(long long Z, int& Year, int& Month, int& Day) {
    Z += 719468;
    const long long Era = (Z >= 0 ? Z : Z - 146096) / 146097;
    const unsigned Doe = static_cast<unsigned>(Z - Era * 146097);
    const unsigned Yoe = (Doe - Doe / 1460 + Doe / 36524 - Doe / 146096) / 365;
    const unsigned Doy = Doe - (365 * Yoe + Yoe / 4 - Yoe / 100);
    const unsigned Mp = (5 * Doy + 2) / 153;
    Day = static_cast<int>(Doy - (153 * Mp + 2) / 5 + 1);
    Month = static_cast<int>(Mp < 10 ? Mp + 3 : Mp - 9);
    Year = static_cast<int>(static_cast<long long>(Yoe) + Era * 400 + (Month <= 2));
}

constexpr long long ZeroDay = -25569; // 1899-12-30 counted from 1970-01-01

bool IsLeap(int Y) {
    return (Y % 4 == 0 && Y % 100 != 0) || Y % 400 == 0;
}

int DaysInMonth(int Y, int M) {
    static const int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return M == 2 && IsLeap(Y) ? 29 : Days[M - 1];
}

// Reads MinDigits..MaxDigits decimal digits.
bool ReadNumber(std::string_view Text, std::size_t& Pos, int MinDigits, int MaxDigits, int& N) {
    int Digits = 0;
    N = 0;
    while (Pos < Text.size() && Text[Pos] >= '0' && Text[Pos] <= '9' && Digits < MaxDigits) {
        N = N * 10 + (Text[Pos] - '0');
        ++Pos;
        ++Digits;
    }
    return Digits >= MinDigits && (Pos >= Text.size() || Text[Pos] < '0' || Text[Pos] > '9');
}

bool Expect(std::string_view Text, std::size_t& Pos, char C) {
    if (Pos < Text.size() && Text[Pos] == C) {
        ++Pos;
        return true;
    }
    return false;
}

std::function<double()>& ClockFunction() {
    static std::function<double()> Clock;
    return Clock;
}

} // namespace

double EncodeDateTime(int Year, int Month, int Day, int Hour, int Minute, int Second) {
    const long long Days =
        DaysFromCivil(Year, static_cast<unsigned>(Month), static_cast<unsigned>(Day)) - ZeroDay;
    const double Time = (Hour * 3600 + Minute * 60 + Second) / 86400.0;
    // Before the zero date the time still counts away from the day, as the whole part is the day.
    return Days < 0 ? static_cast<double>(Days) - Time : static_cast<double>(Days) + Time;
}

std::string DateTimeText(double Value) {
    if (!std::isfinite(Value) || Value < -693593.0 || Value >= 2958466.0)
        Value = 0;
    // The day is the whole part and the time the fraction's size, also before 1899-12-30.
    long long Day = static_cast<long long>(std::trunc(Value));
    long long Ms = std::llround(std::fabs(Value - std::trunc(Value)) * MsPerDay);
    if (Ms >= MsPerDay) {
        Ms -= MsPerDay;
        Day += Value < 0 ? -1 : 1;
    }
    int Y;
    int M;
    int D;
    CivilFromDays(Day + ZeroDay, Y, M, D);
    if (Y < 1 || Y > 9999)
        CivilFromDays(ZeroDay, Y, M, D);
    const long long Seconds = Ms / 1000;
    char Text[64];
    if (Seconds == 0)
        std::snprintf(Text, sizeof Text, "%04d/%02d/%02d", Y, M, D);
    else
        std::snprintf(Text, sizeof Text, "%04d/%02d/%02d %02lld:%02lld:%02lld", Y, M, D,
                      Seconds / 3600, Seconds / 60 % 60, Seconds % 60);
    return Text;
}

bool ReadDateTime(std::string_view Text, double& Value) {
    Value = 0;
    std::size_t Pos = 0;
    auto SkipBlanks = [&] {
        while (Pos < Text.size() && (Text[Pos] == ' ' || Text[Pos] == '\t'))
            ++Pos;
    };
    SkipBlanks();
    int Y;
    int Mo;
    int D;
    if (!ReadNumber(Text, Pos, 4, 4, Y) || !Expect(Text, Pos, '/') ||
        !ReadNumber(Text, Pos, 1, 2, Mo) || !Expect(Text, Pos, '/') ||
        !ReadNumber(Text, Pos, 1, 2, D))
        return false;
    if (Y < 1 || Mo < 1 || Mo > 12 || D < 1 || D > DaysInMonth(Y, Mo))
        return false;
    int H = 0;
    int Mi = 0;
    int S = 0;
    SkipBlanks();
    if (Pos < Text.size()) {
        if (!ReadNumber(Text, Pos, 1, 2, H) || !Expect(Text, Pos, ':') ||
            !ReadNumber(Text, Pos, 1, 2, Mi))
            return false;
        if (Expect(Text, Pos, ':') && !ReadNumber(Text, Pos, 1, 2, S))
            return false;
        SkipBlanks();
        if (Pos != Text.size() || H > 23 || Mi > 59 || S > 59)
            return false;
    }
    Value = EncodeDateTime(Y, Mo, D, H, Mi, S);
    return true;
}

double Now() {
    if (ClockFunction())
        return ClockFunction()();
    const auto Point = std::chrono::system_clock::now();
    const std::time_t T = std::chrono::system_clock::to_time_t(Point);
    std::tm Local{};
    localtime_r(&T, &Local);
    const auto Ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(Point.time_since_epoch()).count() %
        1000;
    return EncodeDateTime(Local.tm_year + 1900, Local.tm_mon + 1, Local.tm_mday, Local.tm_hour,
                          Local.tm_min, Local.tm_sec) +
           static_cast<double>(Ms) / MsPerDay;
}

void SetClock(std::function<double()> Clock) {
    ClockFunction() = std::move(Clock);
}

} // namespace kumoji
