#include "game/platform/tick_clock.h"

#include <QElapsedTimer>
#include <utility>

namespace kumoji {

namespace {

TTickSource& Source() {
    static TTickSource Current;
    return Current;
}

} // namespace

std::uint32_t GetTickCount() {
    if (Source())
        return Source()();
    static QElapsedTimer Timer = [] {
        QElapsedTimer T;
        T.start();
        return T;
    }();
    return static_cast<std::uint32_t>(Timer.elapsed());
}

void SetTickSource(TTickSource NewSource) {
    Source() = std::move(NewSource);
}

} // namespace kumoji
