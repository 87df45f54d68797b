// The shapes beyond subsets on the board: fish covers, chains' links, colours, a wing's pivot
// and an assumption's order, as marks and as drawn.
#include "board/explain_marks.h"
#include "board/explain_overlay.h"
#include "board_fixture.h"
#include "engine/explain/explanation.h"
#include "engine/grid/units.h"

#include <QDir>
#include <QTest>
#include <cstdlib>
#include <utility>
#include <vector>

namespace kumoji::test {
namespace {

constexpr int Cell(int Col, int Row) {
    return Row * 9 + Col;
}

// A step of these parts; the lists the shapes add are set where a test needs them.
TExplainStep Shape(TSolveMethod Technique, std::vector<int> Digits, std::vector<int> Cells,
                   std::vector<int> Units = {}) {
    TExplainStep Step;
    Step.Technique = Technique;
    Step.Digits = std::move(Digits);
    Step.Cells = std::move(Cells);
    Step.Units = std::move(Units);
    return Step;
}

// One step of Technique before a single on I9; the single itself is not what these test.
TExplanation WithStep(TExplainStep Step) {
    TExplanation Explanation;
    Explanation.Technique = Step.Technique;
    Explanation.Steps.push_back(std::move(Step));
    Explanation.Single = {smMissingNumber, -1, Cell(8, 8), 4, {}};
    return Explanation;
}

TExplainMarks MarksOf(TExplainStep Step) {
    return ExplainMarks(WithStep(std::move(Step)), TMatrix());
}

TEST(ExplainShapes, ChainsLinkTheirCellsStrongAndWeakInTheirOrder) {
    TExplainStep Sky =
        Shape(smSkyscraper, {5}, {Cell(0, 0), Cell(0, 4), Cell(3, 4), Cell(3, 1)}, {9, 12});
    EXPECT_EQ(MarksOf(Sky).Links, (std::vector<TExplainLink>{{Cell(0, 0), Cell(0, 4), true},
                                                             {Cell(0, 4), Cell(3, 4), false},
                                                             {Cell(3, 4), Cell(3, 1), true}}));
    Sky.Technique = sm2StringKite;
    EXPECT_EQ(MarksOf(Sky).Links.size(), 3U);

    // A W-wing's two ends reach the strong link through weak ones.
    TExplainStep W =
        Shape(smWWing, {1, 2}, {Cell(0, 0), Cell(0, 6), Cell(5, 6), Cell(5, 2)}, {RowUnit(6)});
    EXPECT_EQ(MarksOf(W).Links, (std::vector<TExplainLink>{{Cell(0, 0), Cell(0, 6), false},
                                                           {Cell(0, 6), Cell(5, 6), true},
                                                           {Cell(5, 6), Cell(5, 2), false}}));
    // A chain with a cell off the grid or missing draws no links at all.
    W.Cells[2] = 81;
    EXPECT_TRUE(MarksOf(W).Links.empty());
    W.Cells.pop_back();
    EXPECT_TRUE(MarksOf(W).Links.empty());
}

TEST(ExplainShapes, AWingHasItsPivotAndAFishItsCover) {
    const TExplainStep XY = Shape(smXYWing, {1, 2, 3}, {Cell(4, 4), Cell(4, 0), Cell(0, 4)}, {});
    const TExplainMarks Wing = MarksOf(XY);
    EXPECT_EQ(Wing.Pivot, Cell(4, 4));
    EXPECT_EQ(Wing.Links, (std::vector<TExplainLink>{{Cell(4, 4), Cell(4, 0), false},
                                                     {Cell(4, 4), Cell(0, 4), false}}));
    // Where to look keeps the pivot but not the links' lines.
    EXPECT_EQ(LookMarks(WithStep(XY)).Pivot, Cell(4, 4));

    TExplainStep Fish =
        Shape(smXWing, {7}, {Cell(1, 0), Cell(6, 0), Cell(1, 5), Cell(6, 5)}, {0, 5});
    Fish.Cover = {ColUnit(1), ColUnit(6), ColUnit(6), 27};
    const TExplainMarks Marks = MarksOf(Fish);
    EXPECT_EQ(Marks.CoverUnits, (std::vector<int>{ColUnit(1), ColUnit(6)}));
    EXPECT_EQ(Marks.Units, (std::vector<int>{RowUnit(0), RowUnit(5)}));
    EXPECT_EQ(LookMarks(WithStep(Fish)).CoverUnits, Marks.CoverUnits);
    EXPECT_EQ(Marks.Pivot, -1);
    EXPECT_TRUE(Marks.Links.empty());
}

TEST(ExplainShapes, AColouringGivesEachCellItsColourAndLinksByIndex) {
    TExplainStep Colouring =
        Shape(smSimpleColouring, {3}, {Cell(0, 0), Cell(0, 3), Cell(4, 3)}, {});
    Colouring.Colours = {0, 1, 0};
    Colouring.Links = {{0, 1, ColUnit(0)}, {1, 2, RowUnit(3)}, {2, 7, 0}, {-1, 0, 0}};
    const TExplainMarks Marks = MarksOf(Colouring);
    EXPECT_EQ(Marks.Colours, (std::vector<std::pair<int, int>>{
                                 {Cell(0, 0), 0}, {Cell(0, 3), 1}, {Cell(4, 3), 0}}));
    // Links out of range are left out.
    EXPECT_EQ(Marks.Links, (std::vector<TExplainLink>{{Cell(0, 0), Cell(0, 3), true},
                                                      {Cell(0, 3), Cell(4, 3), true}}));
}

TEST(ExplainShapes, AnAssumptionNumbersItsCellsAndLinksThoseThatFollow) {
    // Assumed in A1; then B5, which A1 does not see, then C5 and C2, each seeing the one
    // before it.
    TExplainStep KeepOff =
        Shape(smKeepOff, {6, 2}, {Cell(0, 0), Cell(1, 4), Cell(2, 4), Cell(2, 1)},
              {RowUnit(8), BoxUnit(0, 1), RowUnit(4), ColUnit(2)});
    KeepOff.Removes = {{Cell(0, 0), 6}};
    const TExplainMarks Marks = MarksOf(KeepOff);
    EXPECT_EQ(Marks.Chain, KeepOff.Cells);
    EXPECT_EQ(Marks.Links, (std::vector<TExplainLink>{{Cell(1, 4), Cell(2, 4), false},
                                                      {Cell(2, 4), Cell(2, 1), false}}));
}

class ExplainShapesDrawn : public BoardTest {
protected:
    QImage Draw(const TExplanation& Explanation) {
        Board->ShowExplanation(Explanation, TMatrix());
        QCoreApplication::processEvents();
        QImage Image = Board->grab().toImage();
        // Set KUMOJI_SHOT_DIR to look at the drawings.
        if (const char* Folder = std::getenv("KUMOJI_SHOT_DIR")) {
            const auto* Test = ::testing::UnitTest::GetInstance()->current_test_info();
            Image.save(QDir(QString::fromLocal8Bit(Folder))
                           .filePath(QString::fromLatin1(Test->name()) +
                                     QString::number(Explanation.Technique) + ".png"));
        }
        return Image;
    }
    QPoint Centre(int Index) const {
        return {Board->GridLeft + Index % 9 * Board->CellWidth + Board->CellWidth / 2,
                Board->GridTop + Index / 9 * Board->CellHeight + Board->CellHeight / 2};
    }
    // The link's colour somewhere on the straight line between two cells' centres.
    bool LinkBetween(const QImage& Image, int From, int To) const {
        const QPoint A = Centre(From), B = Centre(To);
        int Found = 0;
        for (int I = 35; I <= 65; ++I) {
            const QPoint P = A + (B - A) * I / 100;
            for (int Dx = -1; Dx <= 1; ++Dx) {
                const QColor C = Image.pixelColor(P + QPoint(Dx, Dx));
                Found += C.blue() > 150 && C.red() < 80 && C.green() < 130;
            }
        }
        return Found > 10;
    }
};

TEST_F(ExplainShapesDrawn, LinksPivotColoursAndNumbersShowWhereTheyBelong) {
    const QImage Wing =
        Draw(WithStep(Shape(smXYWing, {1, 2, 3}, {Cell(4, 4), Cell(4, 0), Cell(0, 4)})));
    EXPECT_TRUE(LinkBetween(Wing, Cell(4, 4), Cell(4, 0)));
    EXPECT_TRUE(LinkBetween(Wing, Cell(4, 4), Cell(0, 4)));
    EXPECT_FALSE(LinkBetween(Wing, Cell(4, 0), Cell(0, 4)));

    TExplainStep Colouring = Shape(smSimpleColouring, {3}, {Cell(0, 0), Cell(0, 3)}, {});
    Colouring.Colours = {0, 1};
    Colouring.Links = {{0, 1, ColUnit(0)}};
    const QImage Coloured = Draw(WithStep(Colouring));
    const QColor First = Coloured.pixelColor(Centre(Cell(0, 0)) + QPoint(-14, 14));
    const QColor Second = Coloured.pixelColor(Centre(Cell(0, 3)) + QPoint(-14, 14));
    EXPECT_GT(First.blue(), First.red() + 30) << "the first colour is blue";
    EXPECT_GT(Second.red(), Second.blue() + 30) << "the second is orange";
    EXPECT_TRUE(LinkBetween(Coloured, Cell(0, 0), Cell(0, 3)));

    TExplainStep KeepOff = Shape(smKeepOff, {6, 2}, {Cell(0, 0), Cell(2, 4), Cell(2, 1)},
                                 {RowUnit(8), RowUnit(4), ColUnit(2)});
    const QImage Chain = Draw(WithStep(KeepOff));
    // The badge of the first cell sits in its top-left corner.
    const QColor Badge = Chain.pixelColor(
        Centre(Cell(0, 0)) - QPoint(Board->CellWidth / 2 - 5, Board->CellHeight / 2 - 5));
    EXPECT_EQ(Badge, ExplainLinkColor());

    TExplainStep Fish =
        Shape(smXWing, {7}, {Cell(1, 0), Cell(6, 0), Cell(1, 5), Cell(6, 5)}, {0, 5});
    Fish.Cover = {ColUnit(1), ColUnit(6)};
    const QImage Fished = Draw(WithStep(Fish));
    // The cover's dashed frame runs down column B, inside its left edge.
    int Dashes = 0;
    for (int Row = 0; Row < 9; ++Row) {
        const QPoint Edge = Centre(Cell(1, Row)) - QPoint(Board->CellWidth / 2 - 3, 0);
        for (int Y = -20; Y <= 20; ++Y) {
            const QColor C = Fished.pixelColor(Edge + QPoint(0, Y));
            Dashes += C.green() > 90 && C.red() < 40;
        }
    }
    EXPECT_GT(Dashes, 60);
}

} // namespace
} // namespace kumoji::test
