// The move history: recorded piece moves and the current position in them.
#include "board/history.h"

#include "engine/lists/intlist.h"

#include <algorithm>

namespace kumoji {

const THistory& THistories::Items(int Index) const {
    if (Index < 0 || Index >= Count()) {
        throw EListError(Index);
    }
    return FItems[static_cast<std::size_t>(Index)];
}

void THistories::SetFloater(int Value) {
    if (Value == FFloater) {
        return;
    }
    FFloater = Value;
    if (OnChange) {
        OnChange(*this);
    }
}

void THistories::Add(int PieceIndex, TPoint From, std::uint8_t Technique, TPoint To) {
    if (From == To) {
        return;
    }
    if (Count() > FFloater + 1) {
        FItems.resize(static_cast<std::size_t>(std::max(0, FFloater + 1)));
    }
    THistory Entry;
    Entry.Digit = static_cast<std::int8_t>(PieceIndex / 9 + 1);
    Entry.PieceIndex = static_cast<std::int8_t>(PieceIndex);
    Entry.ToCol = static_cast<std::int8_t>(To.X);
    Entry.ToRow = static_cast<std::int8_t>(To.Y);
    Entry.FromCol = static_cast<std::int8_t>(From.X);
    Entry.FromRow = static_cast<std::int8_t>(From.Y);
    Entry.Method = static_cast<std::int8_t>(Technique);
    FItems.push_back(Entry);
    SetFloater(Count() - 1);
}

void THistories::DeleteFrom(int Index) {
    const int First = std::max(0, Index);
    if (First < Count()) {
        FItems.resize(static_cast<std::size_t>(First));
    }
    if (FFloater >= Count()) {
        SetFloater(Count() - 1);
    }
}

} // namespace kumoji
