// The comma-separated values of the record's sections: splitting, numbers in range, puzzles.
#pragma once

#include <algorithm>
#include <charconv>
#include <string_view>
#include <vector>

namespace kumoji {

// The values between the commas, empty ones included.
inline std::vector<std::string_view> SplitCommas(std::string_view Text) {
    std::vector<std::string_view> Values;
    std::size_t Start = 0;
    for (;;) {
        const std::size_t Comma = Text.find(',', Start);
        Values.push_back(Text.substr(Start, Comma - Start));
        if (Comma == std::string_view::npos)
            return Values;
        Start = Comma + 1;
    }
}

// A plain decimal number from Min to Max, the whole of Text; Value unchanged otherwise.
template <typename T> bool ReadNumber(std::string_view Text, T& Value, T Min, T Max) {
    T N{};
    const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), N);
    if (Error != std::errc() || End != Text.data() + Text.size() || Text.empty() || N < Min ||
        N > Max)
        return false;
    Value = N;
    return true;
}

// 81 digits 0-9.
inline bool IsPuzzle(std::string_view Text) {
    return Text.size() == 81 &&
           std::all_of(Text.begin(), Text.end(), [](char C) { return C >= '0' && C <= '9'; });
}

} // namespace kumoji
