#include "engine/grid/random.h"
#include "engine/question/transform.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace kumoji {
namespace {

// A complete valid grid, so that every cell is traceable through a transform.
const std::string Solution =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

// Draw numbers within one transform: 6 for the columns in the stacks, 6 for
// the rows in the bands, 2 for the stacks, 2 for the bands, the turns, then 8
// for the digits.
constexpr int TurnsDraw = 16;
constexpr int RelabelDraw = 17;
constexpr int DrawsPerTransform = 25;

// Scripts the process-wide generator: draw I of each transform answers
// Overrides[I]; the default answer N - 1 makes every shuffle the identity.
class ScriptedRandom {
public:
    ScriptedRandom(const ScriptedRandom&) = delete;
    explicit ScriptedRandom(std::initializer_list<std::pair<const int, int>> Answers = {})
        : Overrides(Answers) {
        SetRandomSource([this](int N) {
            Ranges.push_back(N);
            const int Draw = static_cast<int>(Ranges.size() - 1) % DrawsPerTransform;
            auto It = this->Overrides.find(Draw);
            return It == this->Overrides.end() ? N - 1 : It->second;
        });
    }
    ~ScriptedRandom() { SetRandomSource({}); }

    std::map<int, int> Overrides;
    std::vector<int> Ranges;
};

std::string Mirrored(const std::string& Text) {
    std::string Out = Text;
    for (int Row = 0; Row < 9; ++Row) {
        std::reverse(Out.begin() + Row * 9, Out.begin() + Row * 9 + 9);
    }
    return Out;
}

char At(const std::string& Text, int Col, int Row) {
    return Text[Row * 9 + Col];
}

TEST(TransformPuzzle, IdentityShufflesLeaveOnlyTheMirror) {
    ScriptedRandom Script({{TurnsDraw, 0}});
    std::string Text = Solution;
    TransformPuzzle(Text);
    EXPECT_EQ(Text, Mirrored(Solution));
}

TEST(TransformPuzzle, DrawsInStepOrderWithTheirBlockSizes) {
    ScriptedRandom Script;
    std::string Text = Solution;
    TransformPuzzle(Text);
    const std::vector<int> Expected = {3, 2, 3, 2, 3, 2, 3, 2, 3, 2, 3, 2, 3,
                                       2, 3, 2, 4, 9, 8, 7, 6, 5, 4, 3, 2};
    EXPECT_EQ(Script.Ranges, Expected);
}

TEST(TransformPuzzle, NewColumnTakesTheListedOldColumn) {
    // Stack 0 becomes [3, 2, 1] then [2, 3, 1]: new columns 0, 1, 2 take old
    // columns 1, 2, 0 (before the mirror).
    ScriptedRandom Script({{0, 0}, {1, 0}, {TurnsDraw, 0}});
    std::string Text = Solution;
    TransformPuzzle(Text);
    for (int Row = 0; Row < 9; ++Row) {
        EXPECT_EQ(At(Text, 8, Row), At(Solution, 1, Row));
        EXPECT_EQ(At(Text, 7, Row), At(Solution, 2, Row));
        EXPECT_EQ(At(Text, 6, Row), At(Solution, 0, Row));
        EXPECT_EQ(At(Text, 0, Row), At(Solution, 8, Row));
    }
}

TEST(TransformPuzzle, BandsMoveAsWholes) {
    // Bands [1, 10, .., 73] with block 2 drawn onto block 0: bands 0 and 2 swap.
    ScriptedRandom Script({{14, 0}, {TurnsDraw, 0}});
    std::string Text = Solution;
    TransformPuzzle(Text);
    const std::string Mirror = Mirrored(Solution);
    EXPECT_EQ(Text.substr(0, 27), Mirror.substr(54, 27));
    EXPECT_EQ(Text.substr(27, 27), Mirror.substr(27, 27));
    EXPECT_EQ(Text.substr(54, 27), Mirror.substr(0, 27));
}

TEST(TransformPuzzle, QuarterTurnIsCounterClockwise) {
    // One turn takes old (0, 0) to (0, 8) and old (1, 0) to (0, 7); the
    // mirror then moves them to column 8.
    ScriptedRandom Script({{TurnsDraw, 1}});
    std::string Text = Solution;
    TransformPuzzle(Text);
    EXPECT_EQ(At(Text, 8, 8), At(Solution, 0, 0));
    EXPECT_EQ(At(Text, 8, 7), At(Solution, 1, 0));
    EXPECT_EQ(At(Text, 0, 8), At(Solution, 0, 8));
}

TEST(TransformPuzzle, RelabelMapsDigitThroughList) {
    // The first relabel draw swaps entries 8 and 0: 1 and 9 trade places.
    ScriptedRandom Script({{TurnsDraw, 0}, {RelabelDraw, 0}});
    std::string Text = "100000009" + std::string(72, '0');
    TransformPuzzle(Text);
    EXPECT_EQ(Text, "100000009" + std::string(72, '0'));
    Text = "120000000" + std::string(72, '0');
    TransformPuzzle(Text);
    EXPECT_EQ(Text, "000000029" + std::string(72, '0'));
}

// With the real generator: the result is the same puzzle up to symmetry.
TEST(TransformPuzzle, KeepsEmptyCellsAndTheSudokuStructure) {
    const std::string Puzzle =
        "000000400000000000000000200000000800000000600000000700000000500000000300000000900";
    for (int Round = 0; Round < 200; ++Round) {
        std::string Text = Puzzle;
        TransformPuzzle(Text);
        EXPECT_EQ(std::count(Text.begin(), Text.end(), '0'), 73);

        std::string Grid = Solution;
        TransformPuzzle(Grid);
        // Still a valid solution: every row, column and box holds 1..9.
        for (int Unit = 0; Unit < 9; ++Unit) {
            std::string RowDigits, ColDigits, BoxDigits;
            for (int K = 0; K < 9; ++K) {
                RowDigits += At(Grid, K, Unit);
                ColDigits += At(Grid, Unit, K);
                BoxDigits += At(Grid, Unit % 3 * 3 + K % 3, Unit / 3 * 3 + K / 3);
            }
            for (std::string* Digits : {&RowDigits, &ColDigits, &BoxDigits}) {
                std::sort(Digits->begin(), Digits->end());
                EXPECT_EQ(*Digits, "123456789");
            }
        }
    }
}

// Whether the lines (rows, or columns) of Text hold 0, 1, .., 8 givens whose
// digit lists are nested, as the rows of NestedPuzzle below are.
bool NestedLines(const std::string& Text, bool AsColumns) {
    std::vector<std::string> Lines(9);
    for (int Line = 0; Line < 9; ++Line) {
        for (int K = 0; K < 9; ++K) {
            const char Ch = AsColumns ? At(Text, Line, K) : At(Text, K, Line);
            if (Ch != '0') {
                Lines[Line] += Ch;
            }
        }
        std::sort(Lines[Line].begin(), Lines[Line].end());
    }
    std::sort(Lines.begin(), Lines.end(),
              [](const auto& A, const auto& B) { return A.size() < B.size(); });
    for (std::size_t K = 0; K < 9; ++K) {
        if (Lines[K].size() != K) {
            return false;
        }
        if (K > 0 && !std::includes(Lines[K].begin(), Lines[K].end(), Lines[K - 1].begin(),
                                    Lines[K - 1].end())) {
            return false;
        }
    }
    return true;
}

TEST(TransformPuzzle, RowsReappearRelabelledAsRowsOrColumns) {
    // Row r holds the digits 1..r; its columns hold one digit repeated.
    std::string NestedPuzzle;
    for (int Row = 0; Row < 9; ++Row) {
        for (int Col = 0; Col < 9; ++Col) {
            NestedPuzzle += Col < Row ? static_cast<char>('1' + Col) : '0';
        }
    }
    ASSERT_TRUE(NestedLines(NestedPuzzle, false));
    ASSERT_FALSE(NestedLines(NestedPuzzle, true));
    for (int Round = 0; Round < 100; ++Round) {
        std::string Text = NestedPuzzle;
        TransformPuzzle(Text);
        EXPECT_NE(NestedLines(Text, false), NestedLines(Text, true)) << Text;
    }
}

TEST(TransformPuzzle, LeavesANonPuzzleTextAlone) {
    ScriptedRandom Script;
    for (std::string Text :
         {std::string(80, '1'), std::string(82, '0'), std::string(), std::string(80, '0') + "x"}) {
        const std::string Before = Text;
        TransformPuzzle(Text);
        EXPECT_EQ(Text, Before);
    }
    EXPECT_TRUE(Script.Ranges.empty());
}

} // namespace
} // namespace kumoji
