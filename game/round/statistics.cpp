// What a player's answer record says: per technique, per day, and the series for the charts.
#include "game/round/statistics.h"

#include <algorithm>
#include <map>

namespace kumoji {

namespace {

// The right answers' times of each technique, to take medians from.
using TTimes = std::array<std::vector<int>, HighestTechnique + 1>;

void Count(TTechniqueFigures& F, std::vector<int>& Times, const TAnswer& E) {
    ++F.Asked;
    if (!E.Right())
        return;
    ++F.Right;
    Times.push_back(E.UsedMs);
    if (F.BestMs == 0 || E.UsedMs < F.BestMs)
        F.BestMs = E.UsedMs;
}

void TakeMedians(TTechniqueTable& Figures, TTimes& Times) {
    for (std::size_t T = 0; T < Figures.size(); ++T) {
        std::vector<int>& V = Times[T];
        if (V.empty())
            continue;
        const std::size_t Mid = V.size() / 2;
        std::nth_element(V.begin(), V.begin() + static_cast<std::ptrdiff_t>(Mid), V.end());
        int Median = V[Mid];
        if (V.size() % 2 == 0) {
            const int Below =
                *std::max_element(V.begin(), V.begin() + static_cast<std::ptrdiff_t>(Mid));
            Median = (Below + Median) / 2;
        }
        Figures[T].MedianMs = Median;
    }
}

} // namespace

TPlayerStatistics PlayerStatistics(const TAnswerRecord& Record, const std::string& Player,
                                   double Now, int RecentDays) {
    TPlayerStatistics S;
    TTimes AllTimes;
    TTimes RecentTimes;
    std::map<std::string, TDayFigures> Days;
    for (const TAnswerTotal& T : Record.Totals()) {
        if (T.Player != Player || T.Technique < 1 || T.Technique > HighestTechnique)
            continue;
        TTechniqueFigures& F = S.AllTime[static_cast<std::size_t>(T.Technique)];
        F.Asked += T.Asked;
        F.Right += T.Right;
        if (T.BestMs > 0 && (F.BestMs == 0 || T.BestMs < F.BestMs))
            F.BestMs = T.BestMs;
        S.Total += T.Asked;
    }
    for (const TAnswer& E : Record.Entries()) {
        if (E.Player != Player || E.Technique < 1 || E.Technique > HighestTechnique)
            continue;
        const auto T = static_cast<std::size_t>(E.Technique);
        ++S.Total;
        Count(S.AllTime[T], AllTimes[T], E);
        if (E.When > Now - RecentDays && E.When <= Now + 1)
            Count(S.Recent[T], RecentTimes[T], E);
        const std::string Day = IsoDateTimeText(E.When).substr(0, 10);
        TDayFigures& D = Days[Day];
        D.Day = Day;
        ++D.Asked;
        if (!E.Practice)
            ++(E.Right() ? D.Climbed : D.Lost);
        S.Points.push_back(
            {E.When, E.Technique, E.UsedMs, E.LimitMs, E.Position, E.Route, E.Practice, E.Right()});
    }
    TakeMedians(S.AllTime, AllTimes);
    TakeMedians(S.Recent, RecentTimes);
    for (auto& [Day, D] : Days)
        S.Days.push_back(std::move(D));
    std::stable_sort(S.Points.begin(), S.Points.end(),
                     [](const TAnswerPoint& A, const TAnswerPoint& B) { return A.When < B.When; });
    return S;
}

} // namespace kumoji
