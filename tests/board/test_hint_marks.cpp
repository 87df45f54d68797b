#include "board/hint_marks.h"
#include "board_fixture.h"
#include "engine/grid/matrix.h"
#include "engine/grid/puzzle_text.h"

#include <gtest/gtest.h>
#include <map>

namespace kumoji::test {
namespace {

// What a cell finally shows: a later mark of a cell replaces an earlier one.
std::map<std::pair<int, int>, THintKind> Shown(const TMatrix& Grid, int Digit) {
    std::map<std::pair<int, int>, THintKind> Kinds;
    for (const THintMark& Mark : HintMarks(Grid, Digit)) {
        Kinds[{Mark.Col, Mark.Row}] = Mark.Kind;
    }
    return Kinds;
}

TEST(HintMarks, ALineSingleOutranksTheTwoPlacesOfItsBox) {
    // Digit 1 has two places in the top-left box, A1 and C1; column C leaves
    // it only C1.
    TMatrix Grid;
    ASSERT_TRUE(
        SetPuzzle(Grid, Rows({".........", "...1.....", "......1..", ".1.......", ".........",
                              ".........", "..2......", "..3......", "..4......"})));
    auto Kinds = Shown(Grid, 1);
    EXPECT_EQ(Kinds.at({0, 0}), THintKind::TwoPlaces);
    EXPECT_EQ(Kinds.at({2, 0}), THintKind::Forced);
    EXPECT_FALSE(Kinds.count({1, 0}));
    EXPECT_EQ(Kinds.at({0, 8}), THintKind::ThreePlaces);
    EXPECT_EQ(Kinds.at({4, 4}), THintKind::Candidate);
    // Every mark lies on a candidate cell, and digits off the scale mark nothing.
    for (const THintMark& Mark : HintMarks(Grid, 1)) {
        EXPECT_TRUE(Grid.HasCandidate(Mark.Col, Mark.Row, 1)) << Mark.Col << "," << Mark.Row;
    }
    EXPECT_TRUE(HintMarks(Grid, 0).empty());
    EXPECT_TRUE(HintMarks(Grid, 10).empty());
}

} // namespace
} // namespace kumoji::test
