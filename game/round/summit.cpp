// Arriving at the summit: when it counts and what the player is told.
#include "game/round/summit.h"

#include "game/tables.h"

#include <algorithm>

namespace kumoji {

bool AtSummit(int Position) {
    return Position >= 50;
}

std::string SummitMessage(int Route) {
    std::string Next;
    if (Route >= 3)
        Next = "数独ナンプレの頂点を極めました\n\nおめでとうございます";
    else
        Next = "次は " +
               std::string(Routes[static_cast<std::size_t>(std::clamp(Route + 1, 0, 3))]) +
               " で挑戦しましょう";
    return "山頂に到着です！\n\n" + Next;
}

bool HasNextRoute(int Route) {
    return Route >= 0 && Route < HighestRoute;
}

std::string NextRouteQuestion() {
    return "次のルートに挑戦しますか？\n\nClimb the next route now?";
}

} // namespace kumoji
