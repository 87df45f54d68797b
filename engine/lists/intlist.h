// A list of integer pairs (grid cells), with change events and shuffles.
#pragma once

#include "engine/grid/point.h"

#include <array>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace kumoji {

// Raised for a list index out of range; the list is left as it was.
class EListError : public std::out_of_range {
public:
    explicit EListError(int Index);
    int Index() const { return FIndex; }

private:
    int FIndex;
};

// Abstract list of integer pairs (in this system: grid cells).
class TD2Integers {
public:
    TD2Integers() = default;
    TD2Integers(const TD2Integers&) = delete;
    TD2Integers& operator=(const TD2Integers&) = delete;
    virtual ~TD2Integers() = default;

    virtual void Assign(const TD2Integers& Source);
    virtual void Get(int Index, TPoint& Item) const = 0;
    virtual int GetCapacity() const { return GetCount(); }
    virtual int GetCount() const = 0;
    virtual void Put(int Index, const TPoint& Item);
    virtual void SetCapacity(int NewCapacity);
    virtual int Add(int X, int Y);
    virtual void AddList(const TD2Integers& Source);
    virtual void Clear() = 0;
    virtual void Delete(int Index) = 0;
    virtual void Insert(int Index, int X, int Y) = 0;

    void BeginUpdate();
    void EndUpdate();

    int UpdateCount = 0;

protected:
    virtual void SetUpdateState(bool Updating);
    [[noreturn]] static void Error(int Index);
};

// Array-backed list. Growth follows 4, 8, 12, 28, 44, 60, 76, 95, ... items.
// Capacities up to InlineCapacity live inside the object, so the grid scans
// (at most nine cells) never touch the heap; the reported capacity is the
// same either way.
class TD2IntegerList final : public TD2Integers {
public:
    using TNotifyEvent = std::function<void(TD2Integers&)>;

    TD2IntegerList() = default;
    ~TD2IntegerList() override;

    void Get(int Index, TPoint& Item) const override;
    int GetCapacity() const override { return FCapacity; }
    int GetCount() const override { return FCount; }
    void Put(int Index, const TPoint& Item) override;
    void SetCapacity(int NewCapacity) override;
    int Add(int X, int Y) override;
    void Clear() override;
    void Delete(int Index) override;
    void Insert(int Index, int X, int Y) override;

    // Unchecked read for loops that stay below GetCount().
    const TPoint& operator[](int Index) const { return FItems[Index]; }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    void SetUpdateState(bool Updating) override;
    virtual void Changed();
    virtual void Changing();

private:
    static constexpr int InlineCapacity = 12;

    void Grow();
    void InsertItem(int Index, int X, int Y);

    std::array<TPoint, InlineCapacity> FInline{};
    std::unique_ptr<TPoint[]> FHeap;
    TPoint* FItems = FInline.data();
    int FCount = 0;
    int FCapacity = 0;
};

// Same count and equal pairs at every index.
bool SameIntegers(const TD2Integers& A, const TD2Integers& B);

// Fisher-Yates shuffle over whole blocks of BlockSize entries, drawing from
// Random(); entries after the last whole block stay where they are.
void ShuffleBlocks(std::vector<int>* List, int BlockSize);

// The same shuffle over a string list, each string kept with its object.
void ShuffleStrings(std::vector<std::pair<std::string, int>>* List, int BlockSize);

} // namespace kumoji
