// The move history: recorded piece moves and the current position in them.
#pragma once

#include "engine/grid/point.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace kumoji {

// One recorded move of a piece; -1 in a column or row means the tray.
struct THistory {
    std::int8_t Digit = 0;
    std::int8_t PieceIndex = 0;
    std::int8_t ToCol = -1;
    std::int8_t ToRow = -1;
    std::int8_t FromCol = -1;
    std::int8_t FromRow = -1;
    std::int8_t Method = 0;
};

// The board's moves with a current position: entries 0..Floater are applied,
// the ones after it are the redo tail that the next new move drops.
class THistories {
public:
    using TNotifyEvent = std::function<void(THistories&)>;

    int Count() const { return static_cast<int>(FItems.size()); }
    // Throws EListError for an index outside 0..Count() - 1.
    const THistory& Items(int Index) const;
    int Floater() const { return FFloater; }

    void SetFloater(int Value);
    void Add(int PieceIndex, TPoint From, std::uint8_t Technique, TPoint To);
    void DeleteFrom(int Index);
    void Clear() { DeleteFrom(0); }

    // Raised whenever Floater changes.
    TNotifyEvent OnChange;

private:
    int FFloater = -1;
    std::vector<THistory> FItems;
};

} // namespace kumoji
