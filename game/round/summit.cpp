// Arriving at the summit: when it counts and what the player is told.
#include "game/round/summit.h"

#include <algorithm>

namespace kumoji {

bool AtSummit(int Position) {
    return Position >= 50;
}

std::string SummitMessage(int Route) {
    std::string Next;
    if (Route >= HighestRoute)
        Next = "数独ナンプレの頂点を極めました\n\nおめでとうございます";
    else
        Next = "次は " + std::string(Routes[static_cast<std::size_t>(PlayedRoute(Route + 1))]) +
               " で挑戦しましょう";
    return "山頂に到着です！\n\n" + Next;
}

int PlayedRoute(int Route) {
    return std::clamp(Route, 0, HighestRoute);
}

bool HasNextRoute(int Route) {
    return Route >= 0 && Route < HighestRoute;
}

std::string NextRouteQuestion() {
    return "次のルートに挑戦しますか？\n\nClimb the next route now?";
}

} // namespace kumoji
