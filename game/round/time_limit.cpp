// How long a question may take, and how the time left reads on the timer panel.
#include "game/round/time_limit.h"

#include <algorithm>
#include <cstdio>

namespace kumoji {

namespace {

// The time at the first position, before the division by height. The first six techniques
// double it from one to the next; past them the doubling would give hours at the top of the
// route, so after one more doubling each further technique adds half of the sixth's.
long long TimeBase(int Technique) {
    const auto* Found =
        std::find(TechniquesByDifficulty.begin(), TechniquesByDifficulty.end(), Technique);
    if (Found == TechniquesByDifficulty.end())
        return 8000LL << (std::clamp(Technique, 0, 9) + 1);
    const long long Rank = Found - TechniquesByDifficulty.begin() + 1;
    if (Rank <= 6)
        return 8000LL << (Rank + 1);
    const long long Sixth = 8000LL << 7;
    return Sixth * (Rank - 3) / 2;
}

} // namespace

int TimeLimit(int Technique, int Position) {
    return static_cast<int>(((TimeBase(Technique) * 51) / std::max(1, Position)) / 9);
}

std::string FormatRemaining(int Milliseconds) {
    if (Milliseconds <= 0)
        return "0";
    const int S = Milliseconds / 1000;
    const int H = S / 3600;
    const int M = (S / 60) % 60;
    const int Sec = S % 60;
    char Text[32];
    if (H > 0)
        std::snprintf(Text, sizeof Text, "%d:%.2d:%.2d", H, M, Sec);
    else if (M > 0)
        std::snprintf(Text, sizeof Text, "%d:%.2d", M, Sec);
    else
        std::snprintf(Text, sizeof Text, "%d", Sec);
    return Text;
}

} // namespace kumoji
