#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace kumoji {

// Dates are days since 1899-12-30 as a double; the fraction is the time of day.
double EncodeDateTime(int Year, int Month, int Day, int Hour = 0, int Minute = 0, int Second = 0);

// "2003/02/10 21:05:33"; the time is left out when it is exactly midnight. A value outside
// the years 1..9999 is written as the zero date.
std::string DateTimeText(double Value);

// Reads year/month/day with one- or two-digit month and day, optionally followed by a space and
// h:mm or h:mm:ss; false (Value := 0, the zero date) for anything else.
bool ReadDateTime(std::string_view Text, double& Value);

// The current local date and time; tests may replace the clock (an empty function restores it).
double Now();
void SetClock(std::function<double()> Clock);

} // namespace kumoji
