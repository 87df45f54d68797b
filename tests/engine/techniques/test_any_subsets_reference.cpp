// The general subset passes work on position masks, unit by unit; the
// explainer lists the same subsets one by one from their definition, smaller
// ones first. On candidates that keep every solution digit both must keep
// every solution digit, and both end with a single or neither does; without
// one they end with the same candidates. (The order matters only once a digit
// is down to one place: a subset counts it in one order and not in another,
// and the single is there either way.)
#include "engine/explain/explain_detail.h"
#include "engine/explain/step_check.h"
#include "engine/grid/units.h"
#include "engine/question/completion_search.h"
#include "engine/techniques/any_subsets.h"

#include <gtest/gtest.h>
#include <random>
#include <set>
#include <utility>

namespace kumoji {
namespace {

// A grid of random masks around a solution, some cells given: each open
// cell keeps its solution digit and each other digit at the odds Keep/8.
TMatrix AroundSolution(std::mt19937& Engine, int Keep, TGridValues& Solution) {
    const TRandomDraw Draw = [&Engine](int N) {
        return static_cast<int>(Engine() % static_cast<unsigned>(N));
    };
    Solution = RandomSolution(Draw);
    TMatrix Grid;
    for (int I = 0; I < 81; ++I) {
        if (Draw(6) == 0) {
            Grid.Values[I] = Solution[I];
            Grid.Candidates[I] = 0;
            continue;
        }
        int Mask = DigitBit(Solution[I]);
        for (int D = 1; D <= 9; ++D) {
            if (Draw(8) < Keep) {
                Mask |= DigitBit(D);
            }
        }
        Grid.Candidates[I] = Mask;
    }
    return Grid;
}

// The explainer's patterns of one technique, the first each time, until none.
void ExhaustByReference(TMatrix& Grid, TSolveMethod Technique) {
    for (bool Found = true; Found;) {
        Found = false;
        for (int Size = 2; Size <= 4 && !Found; ++Size) {
            const auto Patterns =
                explain::FindPatterns(Grid, Technique, Size, explain::TPatternForm::General, true);
            if (!Patterns.empty()) {
                RemoveCandidates(Grid, Patterns.front().Removes);
                Found = true;
            }
        }
    }
}

// Every single as (cell, digit): a cell's one candidate, a digit's one place.
std::set<std::pair<int, int>> Singles(const TMatrix& Grid) {
    std::set<std::pair<int, int>> Found;
    for (int I = 0; I < 81; ++I) {
        if (Grid.Values[I] == 0 && IsSingleDigitMask(Grid.Candidates[I])) {
            Found.emplace(I, LowestDigit(Grid.Candidates[I]));
        }
    }
    for (const auto& Unit : UnitCells) {
        for (int D = 1; D <= 9; ++D) {
            int Places = 0, Last = -1;
            bool Held = false;
            for (int I : Unit) {
                Held = Held || Grid.Values[I] == D;
                if (Grid.Values[I] == 0 && (Grid.Candidates[I] & DigitBit(D))) {
                    ++Places;
                    Last = I;
                }
            }
            if (!Held && Places == 1) {
                Found.emplace(Last, D);
            }
        }
    }
    return Found;
}

bool KeepsSolution(const TMatrix& Grid, const TGridValues& Solution) {
    for (int I = 0; I < 81; ++I) {
        if (Grid.Values[I] == 0 && (Grid.Candidates[I] & DigitBit(Solution[I])) == 0) {
            return false;
        }
    }
    return true;
}

TEST(AnySubsetsReference, SameSinglesAsTheSubsetsListedOneByOne) {
    std::mt19937 Engine(8);
    int Changed = 0;
    int Open = 0;
    for (int K = 0; K < 600; ++K) {
        // Sparse masks give naked subsets, dense ones hidden subsets.
        TGridValues Solution{};
        const TMatrix Start = AroundSolution(Engine, 2 + K % 6, Solution);
        for (const TSolveMethod Technique : {smYourReserved, smOurReserved}) {
            TMatrix Fast = Start;
            const auto Pass = Technique == smYourReserved ? ApplyNakedSubsets : ApplyHiddenSubsets;
            bool Any = false;
            while (Pass(Fast, 4)) {
                Any = true;
            }
            TMatrix Reference = Start;
            ExhaustByReference(Reference, Technique);
            ASSERT_TRUE(KeepsSolution(Fast, Solution)) << SolveMethodNames[Technique] << K;
            ASSERT_TRUE(KeepsSolution(Reference, Solution)) << SolveMethodNames[Technique] << K;
            ASSERT_EQ(Singles(Fast).empty(), Singles(Reference).empty())
                << SolveMethodNames[Technique] << K;
            if (Singles(Fast).empty()) {
                ++Open;
                ASSERT_EQ(Fast.Candidates, Reference.Candidates)
                    << SolveMethodNames[Technique] << K;
            }
            EXPECT_EQ(Any, Fast.Candidates != Start.Candidates);
            Changed += Any;
        }
    }
    EXPECT_GT(Changed, 100);
    EXPECT_GT(Open, 50);
}

} // namespace
} // namespace kumoji
