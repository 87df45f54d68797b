// How long a question may take, and how the time left reads on the timer panel.
#include "game/round/time_limit.h"

#include <algorithm>
#include <cstdio>

namespace kumoji {

int TimeLimit(int Technique, int Position) {
    const long long Base = 8000LL << (Technique + 1);
    return static_cast<int>(((Base * 51) / std::max(1, Position)) / 9);
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
