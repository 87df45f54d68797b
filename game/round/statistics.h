// What a player's answer record says: per technique, per day, and the series for the charts.
#pragma once

#include "storage/answer_record.h"

#include <array>
#include <string>
#include <vector>

namespace kumoji {

struct TTechniqueFigures {
    long long Asked = 0;
    long long Right = 0;
    // Of the right answers; 0 when none was right. The median is of the entries kept (the
    // totals of folded months give counts and the best time only).
    int MedianMs = 0;
    int BestMs = 0;
    double Share() const { return Asked > 0 ? double(Right) / double(Asked) : 0.0; }
};

struct TDayFigures {
    std::string Day; // YYYY-MM-DD
    int Asked = 0;
    int Climbed = 0; // right answers on the climb
    int Lost = 0;    // other answers on the climb
};

// One answer as a point of the charts.
struct TAnswerPoint {
    double When = 0; // days since 1899-12-30
    int Technique = 0;
    int UsedMs = 0;
    int LimitMs = 0;
    int Position = 0;
    int Route = 0;
    bool Practice = false;
    bool Right = false;
};

// Indexed by technique 1..HighestTechnique (0 unused).
using TTechniqueTable = std::array<TTechniqueFigures, HighestTechnique + 1>;

struct TPlayerStatistics {
    TTechniqueTable AllTime{};
    TTechniqueTable Recent{};
    std::vector<TDayFigures> Days;    // oldest first, days with answers only
    std::vector<TAnswerPoint> Points; // oldest first
    long long Total = 0;
};

// The figures of Player; Recent covers the RecentDays days up to Now.
TPlayerStatistics PlayerStatistics(const TAnswerRecord& Record, const std::string& Player,
                                   double Now, int RecentDays = 30);

} // namespace kumoji
