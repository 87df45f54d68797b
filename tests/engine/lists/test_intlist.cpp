#include "engine/grid/random.h"
#include "engine/lists/intlist.h"

#include <deque>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

namespace kumoji {
namespace {

std::vector<TPoint> Items(const TD2Integers& List) {
    std::vector<TPoint> Result;
    TPoint Item;
    for (int I = 0; I < List.GetCount(); ++I) {
        List.Get(I, Item);
        Result.push_back(Item);
    }
    return Result;
}

// Records the events as a string: '<' before a change, '>' after it.
struct TEventLog {
    std::string Text;
    void Attach(TD2IntegerList& List) {
        List.OnChanging = [this](TD2Integers&) { Text += '<'; };
        List.OnChange = [this](TD2Integers&) { Text += '>'; };
    }
};

// Replays a fixed sequence of draws and records the ranges asked for.
struct TScriptedRandom {
    std::deque<int> Draws;
    std::vector<int> Asked;
    TScriptedRandom(std::initializer_list<int> Values) : Draws(Values) {
        SetRandomSource([this](int N) {
            Asked.push_back(N);
            EXPECT_FALSE(Draws.empty()) << "more draws than scripted";
            if (Draws.empty()) {
                return 0;
            }
            const int Value = Draws.front();
            Draws.pop_front();
            return Value;
        });
    }
    ~TScriptedRandom() { SetRandomSource(nullptr); }
};

TEST(IntegerList, GrowsInTheFixedSteps) {
    TD2IntegerList List;
    EXPECT_EQ(List.GetCapacity(), 0);
    std::vector<int> Capacities;
    for (int I = 0; I < 96; ++I) {
        EXPECT_EQ(List.Add(I, -I), I);
        if (Capacities.empty() || Capacities.back() != List.GetCapacity()) {
            Capacities.push_back(List.GetCapacity());
        }
    }
    EXPECT_EQ(Capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118}));
    // Items survive the move from the inline buffer to the heap and back.
    TPoint Item;
    List.Get(95, Item);
    EXPECT_EQ(Item, (TPoint{95, -95}));
    for (int I = 95; I >= 3; --I) {
        List.Delete(I);
    }
    List.SetCapacity(3);
    EXPECT_EQ(Items(List), (std::vector<TPoint>{{0, 0}, {1, -1}, {2, -2}}));
}

TEST(IntegerList, InsertDeleteAndPutKeepOrder) {
    TD2IntegerList List;
    List.Add(1, 1);
    List.Add(3, 3);
    List.Insert(1, 2, 2);
    List.Insert(0, 0, 0);
    List.Insert(List.GetCount(), 4, 4);
    EXPECT_EQ(Items(List), (std::vector<TPoint>{{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}}));
    List.Delete(0);
    List.Delete(1);
    List.Put(2, TPoint{9, 8});
    EXPECT_EQ(Items(List), (std::vector<TPoint>{{1, 1}, {3, 3}, {9, 8}}));
}

TEST(IntegerList, BadIndexRaisesAndLeavesTheListAlone) {
    TD2IntegerList List;
    List.Add(3, 5);
    List.Add(6, 7);
    TEventLog Log;
    Log.Attach(List);
    const auto Before = Items(List);
    TPoint Item{42, 42};
    auto ExpectIndexError = [&](auto Operation, int Index) {
        try {
            Operation();
            ADD_FAILURE() << "no error for index " << Index;
        } catch (const EListError& Error) {
            EXPECT_EQ(Error.Index(), Index);
            EXPECT_EQ(std::string(Error.what()),
                      "リストのインデックスが範囲を超えています (" + std::to_string(Index) + ")");
        }
    };
    ExpectIndexError([&] { List.Get(2, Item); }, 2);
    ExpectIndexError([&] { List.Get(-1, Item); }, -1);
    ExpectIndexError([&] { List.Put(2, TPoint{0, 0}); }, 2);
    ExpectIndexError([&] { List.Delete(2); }, 2);
    ExpectIndexError([&] { List.Insert(3, 0, 0); }, 3);
    ExpectIndexError([&] { List.Insert(-1, 0, 0); }, -1);
    // Shrinking below the count would drop items.
    ExpectIndexError([&] { List.SetCapacity(1); }, 1);
    EXPECT_EQ(Items(List), Before);
    EXPECT_EQ(Item, (TPoint{42, 42}));
    EXPECT_EQ(List.GetCapacity(), 4);
    EXPECT_EQ(Log.Text, "");
    static_assert(std::is_base_of_v<std::out_of_range, EListError>);
}

TEST(IntegerList, EventsFireAroundChangesAndOnceAroundAnUpdate) {
    TD2IntegerList List;
    TEventLog Log;
    Log.Attach(List);
    List.Clear();
    EXPECT_EQ(Log.Text, "") << "clearing an empty list is no change";
    List.Add(1, 2);
    List.Put(0, TPoint{2, 3});
    List.Delete(0);
    EXPECT_EQ(Log.Text, "<><><>");

    Log.Text.clear();
    List.BeginUpdate();
    List.BeginUpdate();
    List.Add(1, 1);
    List.Add(2, 2);
    List.EndUpdate();
    EXPECT_EQ(Log.Text, "<");
    List.EndUpdate();
    EXPECT_EQ(Log.Text, "<>");
    // An unmatched EndUpdate must not silence the events for good.
    List.EndUpdate();
    Log.Text.clear();
    List.Clear();
    EXPECT_EQ(Log.Text, "<>");
    EXPECT_EQ(List.GetCapacity(), 0);
}

TEST(IntegerList, EventSeesTheListBeforeAndAfter) {
    TD2IntegerList List;
    std::vector<int> Counts;
    List.OnChanging = [&](TD2Integers& Sender) { Counts.push_back(Sender.GetCount()); };
    List.OnChange = [&](TD2Integers& Sender) { Counts.push_back(Sender.GetCount()); };
    List.Add(0, 0);
    EXPECT_EQ(Counts, (std::vector<int>{0, 1}));
}

TEST(IntegerList, AssignAndAddListCopyInOrder) {
    TD2IntegerList Source;
    Source.Add(1, 2);
    Source.Add(3, 4);
    TD2IntegerList Target;
    Target.Add(9, 9);
    TEventLog Log;
    Log.Attach(Target);
    Target.Assign(Source);
    EXPECT_EQ(Items(Target), Items(Source));
    EXPECT_EQ(Log.Text, "<>") << "one bracket around the whole copy";
    Target.AddList(Target);
    EXPECT_EQ(Items(Target), (std::vector<TPoint>{{1, 2}, {3, 4}, {1, 2}, {3, 4}}));
    Target.Assign(Target);
    EXPECT_EQ(Target.GetCount(), 4) << "assigning a list to itself keeps it";
}

TEST(IntegerList, SameIntegersComparesPairsInOrder) {
    TD2IntegerList A;
    TD2IntegerList B;
    EXPECT_TRUE(SameIntegers(A, B));
    A.Add(1, 2);
    A.Add(3, 4);
    B.Add(3, 4);
    B.Add(1, 2);
    EXPECT_FALSE(SameIntegers(A, B));
    B.Clear();
    B.Add(1, 2);
    EXPECT_FALSE(SameIntegers(A, B));
    B.Add(3, 5);
    EXPECT_FALSE(SameIntegers(A, B)) << "Y counts as well as X";
    B.Put(1, TPoint{3, 4});
    EXPECT_TRUE(SameIntegers(A, B));
}

TEST(Shuffle, BlocksMoveWholeAndDrawsRunFromTheLastBlockDown) {
    std::vector<int> List{1, 2, 3, 4, 5, 6, 7, 8, 9};
    {
        // I = 2 draws J from 0..2, then I = 1 from 0..1.
        TScriptedRandom Script{0, 1};
        ShuffleBlocks(&List, 3);
        EXPECT_EQ(Script.Asked, (std::vector<int>{3, 2}));
    }
    EXPECT_EQ(List, (std::vector<int>{7, 8, 9, 4, 5, 6, 1, 2, 3}));

    std::vector<int> Tail{1, 2, 3, 4, 5, 6, 7, 8, 9};
    {
        TScriptedRandom Script{0};
        ShuffleBlocks(&Tail, 4);
        EXPECT_EQ(Script.Asked, (std::vector<int>{2}));
    }
    EXPECT_EQ(Tail, (std::vector<int>{5, 6, 7, 8, 1, 2, 3, 4, 9}));
}

TEST(Shuffle, ListsTooShortToShuffleDrawNothing) {
    TScriptedRandom Script{};
    std::vector<int> List{1, 2, 3};
    ShuffleBlocks(&List, 3);
    ShuffleBlocks(&List, 0);
    ShuffleBlocks(&List, -1);
    ShuffleBlocks(nullptr, 1);
    ShuffleStrings(nullptr, 1);
    EXPECT_EQ(List, (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(Script.Asked.empty());
}

TEST(Shuffle, StringsKeepTheirObjects) {
    std::vector<std::pair<std::string, int>> List{{"a", 10}, {"b", 20}, {"c", 30}, {"d", 40}};
    {
        // Index list 0..3 shuffled: I = 3 <-> 1, I = 2 stays, I = 1 <-> 0.
        TScriptedRandom Script{1, 2, 0};
        ShuffleStrings(&List, 1);
    }
    EXPECT_EQ(List, (std::vector<std::pair<std::string, int>>{
                        {"d", 40}, {"a", 10}, {"c", 30}, {"b", 20}}));
}

TEST(Shuffle, DefaultGeneratorGivesEveryPermutation) {
    SetRandomSource(nullptr);
    std::set<std::vector<int>> Seen;
    for (int I = 0; I < 600; ++I) {
        std::vector<int> List{0, 1, 2};
        ShuffleBlocks(&List, 1);
        Seen.insert(List);
    }
    EXPECT_EQ(Seen.size(), 6u);
    for (int I = 0; I < 100; ++I) {
        const int Value = Random(7);
        EXPECT_GE(Value, 0);
        EXPECT_LT(Value, 7);
    }
    EXPECT_EQ(Random(0), 0);
}

} // namespace
} // namespace kumoji
