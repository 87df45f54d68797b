#include "engine/grid/puzzle_text.h"
#include "engine/question/answer_step.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace kumoji {
namespace {

struct TOffer {
    int Col;
    int Row;
    int Digit;
    TSolveMethod Technique;
    bool operator==(const TOffer&) const = default;
};

std::ostream& operator<<(std::ostream& Out, const TOffer& Offer) {
    return Out << CellName(Offer.Col, Offer.Row) << "=" << Offer.Digit << " technique "
               << static_cast<int>(Offer.Technique);
}

TMatrix Position(std::string_view Text) {
    TMatrix Grid;
    EXPECT_TRUE(SetPuzzle(Grid, Text));
    return Grid;
}

std::string Put(std::string Text, int Col, int Row, int Digit) {
    Text.at(Row * 9 + Col) = static_cast<char>('0' + Digit);
    return Text;
}

const std::string Empty(81, '0');

// Text with the givens (Col, Row, Digit) written in.
std::string With(std::string Text, std::initializer_list<std::array<int, 3>> Givens) {
    for (auto [Col, Row, Digit] : Givens) {
        Text = Put(Text, Col, Row, Digit);
    }
    return Text;
}
const std::string Solution =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

// Records every move offered and passes it on to the grid placement unless
// the offer is in Refuse (by its number, from 0).
class TRecorder {
public:
    explicit TRecorder(TMatrix& Grid, std::vector<int> Refuse = {})
        : Refuse(std::move(Refuse)), Placement(GridPlacement(Grid)) {}

    TPlaceMove Move() {
        return [this](int Col, int Row, int Digit, TSolveMethod Technique) {
            const int Number = static_cast<int>(Offers.size());
            Offers.push_back({Col, Row, Digit, Technique});
            if (std::find(Refuse.begin(), Refuse.end(), Number) != Refuse.end()) {
                return false;
            }
            return Placement(Col, Row, Digit, Technique);
        };
    }

    std::vector<TOffer> Offers;

private:
    std::vector<int> Refuse;
    TPlaceMove Placement;
};

TEST(SolveStep, SolvedAndContradictoryGridsAreNotTouched) {
    TMatrix Grid = Position(Solution);
    TRecorder Recorder(Grid);
    EXPECT_EQ(SolveStep(Grid, true, Recorder.Move()), StepSolved);

    // The second 5 in row 0 leaves 4 without a place in box (0, 0).
    TMatrix Broken = Position(Put(Put(Solution, 1, 0, 0), 2, 0, 0).replace(0, 3, "505"));
    TRecorder Second(Broken);
    EXPECT_EQ(SolveStep(Broken, true, Second.Move()), StepContradiction);
    EXPECT_TRUE(Recorder.Offers.empty());
    EXPECT_TRUE(Second.Offers.empty());
}

TEST(SolveStep, UnitWithOneEmptyCell) {
    TMatrix Grid = Position(std::string(36, '0') + "123456780" + std::string(36, '0'));
    TRecorder Recorder(Grid);
    EXPECT_EQ(SolveStep(Grid, false, Recorder.Move()), StepPlaced);
    ASSERT_EQ(Recorder.Offers.size(), 1u);
    EXPECT_EQ(Recorder.Offers[0], (TOffer{8, 4, 9, smEmptyCell}));
    EXPECT_EQ(Grid.GetValue(8, 4), 9);
}

TEST(SolveStep, EmptyCellUnitsRowsThenColumnsThenBoxesByColumn) {
    // Box (0, 1) and box (1, 0) each have one empty cell; no row or column
    // does. Boxes go box column first, so box (0, 1) comes first.
    std::string Text = Empty;
    const std::string Box = "123456789";
    for (int K = 0; K < 9; ++K) {
        Text[(3 + K / 3) * 9 + K % 3] = Box[K];     // box (0, 1)
        Text[(K / 3) * 9 + 3 + K % 3] = Box[8 - K]; // box (1, 0)
    }
    Text = Put(Put(Text, 1, 4, 0), 4, 1, 0);
    TMatrix Grid = Position(Text);
    TRecorder Recorder(Grid, {0});
    EXPECT_EQ(SolveStep(Grid, false, Recorder.Move()), StepPlaced);
    ASSERT_EQ(Recorder.Offers.size(), 2u);
    EXPECT_EQ(Recorder.Offers[0], (TOffer{1, 4, 5, smEmptyCell}));
    // A refused offer lets the search go on to the next unit.
    EXPECT_EQ(Recorder.Offers[1], (TOffer{4, 1, 5, smEmptyCell}));
    EXPECT_EQ(Grid.GetValue(4, 1), 5);
    EXPECT_EQ(Grid.GetValue(1, 4), 0);
}

// 6 is placed in rows 0 and 1 and columns 1 and 2 outside box (0, 0), so the
// box, row 2 and column 0 all have A3 as their only place for 6.
const std::string HiddenSix = With(Empty, {{3, 0, 6}, {6, 1, 6}, {1, 3, 6}, {2, 6, 6}});

TEST(SolveStep, HiddenSingle) {
    TMatrix Grid = Position(HiddenSix);
    TRecorder Recorder(Grid);
    EXPECT_EQ(SolveStep(Grid, false, Recorder.Move()), StepPlaced);
    ASSERT_EQ(Recorder.Offers.size(), 1u);
    EXPECT_EQ(Recorder.Offers[0], (TOffer{0, 2, 6, smLeftPlace}));
}

TEST(SolveStep, HiddenSingleBoxesByRowAfterRowsAndColumns) {
    // The 1 at E5 and seven givens in each of boxes (1, 0) and (0, 1) leave 1
    // a single place in both boxes but in no row or column. Boxes go box row
    // first here, so box (1, 0) comes first; a refusal moves on to box (0, 1).
    const std::string Text = With(Empty, {{4, 4, 1},
                                          {3, 0, 2},
                                          {4, 0, 3},
                                          {5, 0, 4},
                                          {3, 1, 5},
                                          {4, 1, 6},
                                          {5, 1, 7},
                                          {3, 2, 8},
                                          {0, 3, 2},
                                          {1, 3, 3},
                                          {2, 3, 4},
                                          {0, 4, 5},
                                          {1, 4, 6},
                                          {0, 5, 7},
                                          {1, 5, 8}});
    TMatrix Grid = Position(Text);
    TRecorder Recorder(Grid, {0});
    EXPECT_EQ(SolveStep(Grid, false, Recorder.Move()), StepPlaced);
    ASSERT_EQ(Recorder.Offers.size(), 2u);
    EXPECT_EQ(Recorder.Offers[0], (TOffer{5, 2, 1, smLeftPlace}));
    EXPECT_EQ(Recorder.Offers[1], (TOffer{2, 5, 1, smLeftPlace}));
}

TEST(SolveStep, EmptyCellComesFirst) {
    // Row 8 misses only its 6; the hidden 6 of box (0, 0) is still open.
    std::string Text = HiddenSix;
    Text.replace(72, 9, "123457890");
    TMatrix Grid = Position(Text);
    TRecorder Recorder(Grid);
    EXPECT_EQ(SolveStep(Grid, false, Recorder.Move()), StepPlaced);
    ASSERT_EQ(Recorder.Offers.size(), 1u);
    EXPECT_EQ(Recorder.Offers[0], (TOffer{8, 8, 6, smEmptyCell}));
}

TEST(SolveStep, HiddenSinglesOfAllDigitsComeBeforeMissingNumbers) {
    // H8 sees 1, 2, 3 in its row, 4, 5, 7 in its column and 8, 9 in its box,
    // so 6 is its only digit; the hidden 6 at A3 must still be found first.
    const std::string Text = With(
        HiddenSix,
        {{0, 7, 1}, {1, 7, 2}, {2, 7, 3}, {7, 0, 4}, {7, 1, 5}, {7, 2, 7}, {6, 6, 8}, {8, 8, 9}});
    TMatrix Grid = Position(Text);
    TRecorder Recorder(Grid);
    EXPECT_EQ(SolveStep(Grid, false, Recorder.Move()), StepPlaced);
    ASSERT_EQ(Recorder.Offers.size(), 1u);
    EXPECT_EQ(Recorder.Offers[0], (TOffer{0, 2, 6, smLeftPlace}));
}

TEST(SolveStep, MissingNumberCountsPlacedValues) {
    // E5 sees 1, 2, 3 in its row, 5, 6, 7 in its column and 8, 9 in its box:
    // only 4 is left for it, yet no unit has a single place for any digit.
    TMatrix Grid = Position(With(
        Empty,
        {{0, 4, 1}, {1, 4, 2}, {2, 4, 3}, {4, 0, 5}, {4, 1, 6}, {4, 2, 7}, {3, 3, 8}, {5, 5, 9}}));
    TRecorder Recorder(Grid);
    EXPECT_EQ(SolveStep(Grid, false, Recorder.Move()), StepPlaced);
    ASSERT_EQ(Recorder.Offers.size(), 1u);
    EXPECT_EQ(Recorder.Offers[0], (TOffer{4, 4, 4, smMissingNumber}));
}

TEST(SolveStep, EveryOfferRefusedMeansNoMove) {
    TMatrix Grid = Position(std::string(36, '0') + "123456780" + std::string(36, '0'));
    const TMatrix Before = Grid;
    int Offers = 0;
    const TPlaceMove Refuse = [&](int, int, int, TSolveMethod) {
        ++Offers;
        return false;
    };
    EXPECT_EQ(SolveStep(Grid, true, Refuse), StepNoMove);
    // The empty cell is offered again by each step that finds it.
    EXPECT_GE(Offers, 9);
    EXPECT_EQ(Grid.Values, Before.Values);
    EXPECT_EQ(SolveStep(Grid, true, TPlaceMove()), StepNoMove);
}

TEST(SolveStep, SparsePositionWithoutSingleHasNoMove) {
    TMatrix Grid = Position(Put(Put(Empty, 4, 4, 5), 0, 0, 1));
    TRecorder Recorder(Grid);
    EXPECT_EQ(SolveStep(Grid, true, Recorder.Move()), StepNoMove);
    EXPECT_TRUE(Recorder.Offers.empty());
}

TEST(GridPlacement, WritesOnlyIntoAnEmptyCellThatNoPeerBlocks) {
    TMatrix Grid = Position(Put(Empty, 4, 4, 5));
    const TPlaceMove Place = GridPlacement(Grid);
    EXPECT_FALSE(Place(4, 4, 3, smNone)); // occupied
    EXPECT_FALSE(Place(4, 0, 5, smNone)); // column holds 5
    EXPECT_FALSE(Place(0, 4, 5, smNone)); // row holds 5
    EXPECT_FALSE(Place(3, 3, 5, smNone)); // box holds 5
    EXPECT_FALSE(Place(9, 0, 1, smNone));
    EXPECT_FALSE(Place(0, -1, 1, smNone));
    EXPECT_FALSE(Place(0, 0, 0, smNone));
    EXPECT_FALSE(Place(0, 0, 10, smNone));
    EXPECT_EQ(Grid.EmptyCount(), 80);
    EXPECT_TRUE(Place(0, 0, 5, smNone));
    EXPECT_EQ(Grid.GetValue(0, 0), 5);
    EXPECT_EQ(Grid.Candidates[1], 511 ^ 16);
}

// Case lines of a data file beside this source; comments and blank lines are
// skipped. A missing file fails the test rather than passing it empty.
std::vector<std::string> CaseLines(const char* Name) {
    std::ifstream In(std::filesystem::path(KUMOJI_ENGINE_TEST_DATA) / Name);
    EXPECT_TRUE(In.good()) << "missing test data " << Name;
    std::vector<std::string> Lines;
    for (std::string Line; std::getline(In, Line);) {
        if (!Line.empty() && Line[0] != '#') {
            Lines.push_back(Line);
        }
    }
    return Lines;
}

int SolutionDigit(const std::string& Solution, int Col, int Row) {
    return Solution[Row * 9 + Col] - '0';
}

// Each recorded position needs one technique beyond the singles; the step
// must place the solution's digit and give the board nothing else.
TEST(SolveStep, RecordedStepsOfTheHarderTechniques) {
    const auto Lines = CaseLines("answer_steps.txt");
    ASSERT_GE(Lines.size(), 20u);
    for (const std::string& Line : Lines) {
        std::istringstream Fields(Line);
        std::string Text, Solution, Move, Technique;
        Fields >> Text >> Solution >> Move >> Technique;
        SCOPED_TRACE(Line);

        TMatrix Grid = Position(Text);
        TRecorder Recorder(Grid);
        const int Result = SolveStep(Grid, true, Recorder.Move());
        EXPECT_TRUE(Result == StepPlaced || Result == StepSolved);
        ASSERT_EQ(Recorder.Offers.size(), 1u);
        const TOffer& Offer = Recorder.Offers[0];
        EXPECT_EQ(CellName(Offer.Col, Offer.Row) + "=" + std::to_string(Offer.Digit), Move);
        EXPECT_EQ(SolveMethodNames[Offer.Technique], Technique);
        EXPECT_EQ(Offer.Digit, SolutionDigit(Solution, Offer.Col, Offer.Row));
        // None of the copy's eliminations reach the grid.
        const TMatrix Expected = Position(Put(Text, Offer.Col, Offer.Row, Offer.Digit));
        EXPECT_EQ(Grid.Candidates, Expected.Candidates);

        if (Offer.Technique >= smKeepOff) {
            TMatrix Shallow = Position(Text);
            TRecorder Second(Shallow);
            EXPECT_EQ(SolveStep(Shallow, false, Second.Move()), StepNoMove);
            EXPECT_TRUE(Second.Offers.empty());
        }
    }
}

// Repeated steps from generated puzzles: every move is the solution's digit,
// and the outcome with and without the deep phase is as recorded.
TEST(SolveStep, RepeatedStepsFollowTheSolution) {
    const auto Lines = CaseLines("answer_solves.txt");
    ASSERT_GE(Lines.size(), 50u);
    const std::array<std::string, 4> Outcomes = {"placed", "solved", "stuck", "contradiction"};
    for (const std::string& Line : Lines) {
        std::istringstream Fields(Line);
        std::string Text, Solution, DeepOutcome, SimpleOutcome;
        Fields >> Text >> Solution >> DeepOutcome >> SimpleOutcome;
        SCOPED_TRACE(Line);
        for (bool Deep : {true, false}) {
            TMatrix Grid = Position(Text);
            TRecorder Recorder(Grid);
            int Result = StepPlaced;
            for (int Step = 0; Step <= 81 && Result == StepPlaced; ++Step) {
                Result = SolveStep(Grid, Deep, Recorder.Move());
            }
            EXPECT_EQ(Outcomes[Result], Deep ? DeepOutcome : SimpleOutcome) << Deep;
            for (const TOffer& Offer : Recorder.Offers) {
                EXPECT_EQ(Offer.Digit, SolutionDigit(Solution, Offer.Col, Offer.Row)) << Offer;
            }
            if (Result == StepSolved) {
                EXPECT_EQ(PuzzleTextOf(Grid), Solution);
            }
        }
    }
}

} // namespace
} // namespace kumoji
