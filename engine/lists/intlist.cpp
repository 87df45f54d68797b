// The list of integer pairs: storage, growth, events and the shuffles.
#include "engine/lists/intlist.h"

#include "engine/grid/random.h"

#include <algorithm>

namespace kumoji {

namespace {

std::string IndexMessage(int Index) {
    return "リストのインデックスが範囲を超えています (" + std::to_string(Index) + ")";
}

// Ends an update bracket also when an exception leaves it.
class TUpdateGuard {
public:
    explicit TUpdateGuard(TD2Integers& List) : FList(List) { FList.BeginUpdate(); }
    ~TUpdateGuard() { FList.EndUpdate(); }
    TUpdateGuard(const TUpdateGuard&) = delete;
    TUpdateGuard& operator=(const TUpdateGuard&) = delete;

private:
    TD2Integers& FList;
};

} // namespace

EListError::EListError(int Index) : std::out_of_range(IndexMessage(Index)), FIndex(Index) {
}

void TD2Integers::Error(int Index) {
    throw EListError(Index);
}

void TD2Integers::Assign(const TD2Integers& Source) {
    // Clearing first would empty a list assigned to itself.
    if (&Source == this) {
        return;
    }
    TUpdateGuard Guard(*this);
    Clear();
    AddList(Source);
}

void TD2Integers::Put(int Index, const TPoint& Item) {
    Delete(Index);
    Insert(Index, Item.X, Item.Y);
}

void TD2Integers::SetCapacity(int) {
}

int TD2Integers::Add(int X, int Y) {
    const int Index = GetCount();
    Insert(Index, X, Y);
    return Index;
}

void TD2Integers::AddList(const TD2Integers& Source) {
    TUpdateGuard Guard(*this);
    // The count is taken once, so a list added to itself doubles instead of
    // growing for ever.
    const int Count = Source.GetCount();
    TPoint Item;
    for (int I = 0; I < Count; ++I) {
        Source.Get(I, Item);
        Add(Item.X, Item.Y);
    }
}

void TD2Integers::BeginUpdate() {
    if (UpdateCount == 0) {
        SetUpdateState(true);
    }
    ++UpdateCount;
}

void TD2Integers::EndUpdate() {
    // An unmatched EndUpdate would leave the count negative and silence the
    // events for good.
    if (UpdateCount <= 0) {
        return;
    }
    --UpdateCount;
    if (UpdateCount == 0) {
        SetUpdateState(false);
    }
}

void TD2Integers::SetUpdateState(bool) {
}

TD2IntegerList::~TD2IntegerList() {
    OnChange = nullptr;
    OnChanging = nullptr;
}

void TD2IntegerList::Get(int Index, TPoint& Item) const {
    if (Index < 0 || Index >= FCount) {
        Error(Index);
    }
    Item = FItems[Index];
}

void TD2IntegerList::Put(int Index, const TPoint& Item) {
    if (Index < 0 || Index >= FCount) {
        Error(Index);
    }
    Changing();
    FItems[Index] = Item;
    Changed();
}

void TD2IntegerList::SetCapacity(int NewCapacity) {
    // Below the count the items would be lost.
    if (NewCapacity < FCount) {
        Error(NewCapacity);
    }
    if (NewCapacity <= InlineCapacity) {
        if (FHeap) {
            std::copy_n(FHeap.get(), FCount, FInline.data());
            FHeap.reset();
            FItems = FInline.data();
        }
    } else {
        auto Items = std::make_unique<TPoint[]>(static_cast<std::size_t>(NewCapacity));
        std::copy_n(FItems, FCount, Items.get());
        FHeap = std::move(Items);
        FItems = FHeap.get();
    }
    FCapacity = NewCapacity;
}

void TD2IntegerList::Grow() {
    int Delta = 4;
    if (FCapacity > 64) {
        Delta = FCapacity / 4;
    } else if (FCapacity > 8) {
        Delta = 16;
    }
    SetCapacity(FCapacity + Delta);
}

void TD2IntegerList::InsertItem(int Index, int X, int Y) {
    Changing();
    if (FCount == FCapacity) {
        Grow();
    }
    if (Index < FCount) {
        std::copy_backward(FItems + Index, FItems + FCount, FItems + FCount + 1);
    }
    FItems[Index] = TPoint{X, Y};
    ++FCount;
    Changed();
}

int TD2IntegerList::Add(int X, int Y) {
    const int Index = FCount;
    InsertItem(Index, X, Y);
    return Index;
}

void TD2IntegerList::Insert(int Index, int X, int Y) {
    if (Index < 0 || Index > FCount) {
        Error(Index);
    }
    InsertItem(Index, X, Y);
}

void TD2IntegerList::Delete(int Index) {
    if (Index < 0 || Index >= FCount) {
        Error(Index);
    }
    Changing();
    --FCount;
    if (Index < FCount) {
        std::copy(FItems + Index + 1, FItems + FCount + 1, FItems + Index);
    }
    Changed();
}

void TD2IntegerList::Clear() {
    if (FCount == 0) {
        return;
    }
    Changing();
    FCount = 0;
    SetCapacity(0);
    Changed();
}

void TD2IntegerList::SetUpdateState(bool Updating) {
    if (Updating) {
        Changing();
    } else {
        Changed();
    }
}

void TD2IntegerList::Changed() {
    if (UpdateCount == 0 && OnChange) {
        OnChange(*this);
    }
}

void TD2IntegerList::Changing() {
    if (UpdateCount == 0 && OnChanging) {
        OnChanging(*this);
    }
}

bool SameIntegers(const TD2Integers& A, const TD2Integers& B) {
    const int Count = A.GetCount();
    if (Count != B.GetCount()) {
        return false;
    }
    TPoint ItemA;
    TPoint ItemB;
    for (int I = 0; I < Count; ++I) {
        A.Get(I, ItemA);
        B.Get(I, ItemB);
        if (!(ItemA == ItemB)) {
            return false;
        }
    }
    return true;
}

void ShuffleBlocks(std::vector<int>* List, int BlockSize) {
    if (List == nullptr || BlockSize < 1) {
        return;
    }
    const int Blocks = static_cast<int>(List->size()) / BlockSize;
    for (int I = Blocks - 1; I >= 1; --I) {
        const int J = Random(I + 1);
        if (J != I) {
            std::swap_ranges(List->begin() + I * BlockSize, List->begin() + (I + 1) * BlockSize,
                             List->begin() + J * BlockSize);
        }
    }
}

void ShuffleStrings(std::vector<std::pair<std::string, int>>* List, int BlockSize) {
    if (List == nullptr || BlockSize < 1) {
        return;
    }
    std::vector<std::pair<std::string, int>> Copy = *List;
    std::vector<int> Order(Copy.size());
    for (std::size_t I = 0; I < Order.size(); ++I) {
        Order[I] = static_cast<int>(I);
    }
    ShuffleBlocks(&Order, BlockSize);
    List->clear();
    for (const int P : Order) {
        List->push_back(std::move(Copy[static_cast<std::size_t>(P)]));
    }
}

} // namespace kumoji
