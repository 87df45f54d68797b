// The layouts around one pattern: only givens of the solution, the target
// left open, and the pattern they lay out found by its technique where the
// givens alone leave the candidates.
#include "engine/explain/explanation.h"
#include "engine/question/pattern_layout.h"
#include "engine/techniques/pattern_techniques.h"

#include <gtest/gtest.h>
#include <random>

namespace kumoji {
namespace {

TMatrix GridOf(const TGridValues& Givens) {
    TMatrix Grid;
    for (int I = 0; I < 81; ++I) {
        if (Givens[I] != 0) {
            Grid.SetValue(I % 9, I / 9, Givens[I]);
        }
    }
    return Grid;
}

class Layouts : public testing::TestWithParam<int> {};

TEST_P(Layouts, LayOutTheirPatternAroundTheTarget) {
    const auto Technique = static_cast<TSolveMethod>(GetParam());
    std::mt19937 Engine(60 + GetParam());
    const TRandomDraw Draw = [&Engine](int N) {
        return static_cast<int>(Engine() % static_cast<unsigned>(N));
    };
    int Laid = 0;
    int Found = 0;
    TGridValues Solution{};
    // Most draws lay out nothing, so each grid serves many, as in the generator.
    for (int K = 0; K < 20000 && Laid < 40; ++K) {
        if (K % 64 == 0) {
            Solution = RandomSolution(Draw);
        }
        TGridValues Givens{};
        int Target = -1;
        if (!LayOutPattern(Technique, Solution, Draw, Givens, Target)) {
            continue;
        }
        ++Laid;
        ASSERT_GE(Target, 0);
        ASSERT_LT(Target, 81);
        ASSERT_EQ(Givens[Target], 0);
        for (int I = 0; I < 81; ++I) {
            ASSERT_TRUE(Givens[I] == 0 || Givens[I] == Solution[I]) << "cell " << I;
        }
        const TMatrix Grid = GridOf(Givens);
        const int Own = DigitBit(Solution[Target]);
        // The target keeps its own digit and exactly one other.
        ASSERT_EQ(DigitCount(Grid.Candidates[Target]), 2);
        ASSERT_NE(Grid.Candidates[Target] & Own, 0);
        const int Other = LowestDigit(Grid.Candidates[Target] & ~Own);
        if (Technique == smKeepOff || Technique == smGetOut) {
            // Assuming the other digit is refuted, watching it (keep off) or
            // the target's own digit (get out).
            const int Watched = Technique == smKeepOff ? Other : Solution[Target];
            Found += Grid.TestAssumption(Other, Target % 9, Target / 9, Watched);
            continue;
        }
        // The technique finds a pattern that takes the other digit from the
        // target, unless an easier pass got there first.
        for (const TPattern& Pattern : EveryPattern(Grid, Technique)) {
            const TCandidate Taken{Target, Other};
            if (std::find(Pattern.Removes.begin(), Pattern.Removes.end(), Taken) !=
                Pattern.Removes.end()) {
                ++Found;
                break;
            }
        }
    }
    EXPECT_GE(Laid, 20) << SolveMethodNames[Technique];
    // A few layouts meet their exclusions in ways that spoil the pattern
    // (a given taking a second place, say); the judgement drops those.
    EXPECT_GE(Found * 10, Laid * 7) << SolveMethodNames[Technique] << " " << Found << "/" << Laid;
}

INSTANTIATE_TEST_SUITE_P(Generator, Layouts,
                         testing::Values(smKeepOff, smGetOut, smXWing, smSkyscraper, sm2StringKite,
                                         smSwordfish, smXYWing, smXYZWing, smWWing,
                                         smSimpleColouring));

TEST(Layouts, OtherTechniquesHaveNone) {
    std::mt19937 Engine(3);
    const TRandomDraw Draw = [&Engine](int N) {
        return static_cast<int>(Engine() % static_cast<unsigned>(N));
    };
    const TGridValues Solution = RandomSolution(Draw);
    for (const TSolveMethod Technique : {smNone, smLeftPlace, smOurReserved, smPuzzled}) {
        TGridValues Givens{};
        int Target = -1;
        EXPECT_FALSE(LayOutPattern(Technique, Solution, Draw, Givens, Target));
    }
}

} // namespace
} // namespace kumoji
