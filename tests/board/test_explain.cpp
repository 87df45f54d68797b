// The explanation on the board: what it marks, how it is drawn over the pieces, and its text panel.
#include "board/explain_marks.h"
#include "board/explain_overlay.h"
#include "board/explain_panel.h"
#include "board/key_cursor.h"
#include "board_fixture.h"
#include "engine/explain/explanation.h"

#include <QTest>
#include <functional>

namespace kumoji::test {
namespace {

// Row 2 holds 4 and 9 only in D2 and E2 (a hidden pair); once the pair's
// other digits are gone, 5 has one place left in row 2: G2. The 5s of C1,
// H8 and I6 keep it out of the row's other open cells.
const std::string HiddenPair = Rows({
    "..5...946",
    ".....1...",
    "49.......",
    ".........",
    ".........",
    "........5",
    ".........",
    ".......5.",
    ".........",
});

constexpr int C1 = 2, A2 = 9, D2 = 12, E2 = 13, F2 = 14, G2 = 15, A3 = 18, I6 = 53, H8 = 70;

TExplanation HiddenPairExplanation() {
    TExplanation Explanation;
    Explanation.Technique = smOurReserved;
    TExplainStep Step{smOurReserved, {4, 9}, {D2, E2}, {RowUnit(1)}, {}};
    for (const int Cell : {D2, E2}) {
        for (const int Digit : {2, 3, 5, 6, 7, 8}) {
            Step.Removes.push_back({Cell, Digit});
        }
    }
    Explanation.Steps.push_back(Step);
    Explanation.Single = {smLeftPlace, RowUnit(1), G2, 5, {C1, I6, H8}};
    Explanation.Text = {
        "2行目では 4 と 9 が入るのは D2・E2 だけ  row 2: 4 and 9 fit only in D2 and E2",
        "2行目で 5 が入るのは G2 だけ  row 2: 5 fits only in G2"};
    return Explanation;
}

TMatrix Position(const std::string& Text) {
    TMatrix Grid;
    for (int I = 0; I < 81; ++I) {
        Grid.SetValue(I % 9, I / 9, Text[static_cast<std::size_t>(I)] - '0');
    }
    return Grid;
}

TEST(ExplainMarks, NameThePatternItsCandidatesAndWhatMakesTheSingle) {
    const TExplainMarks Marks = ExplainMarks(HiddenPairExplanation(), Position(HiddenPair));
    EXPECT_EQ(Marks.Units, std::vector<int>{RowUnit(1)});
    EXPECT_EQ(Marks.PatternCells, (std::vector<int>{D2, E2}));
    // D2 and E2 see only the 1 of F2: eight candidates each, the pair's two
    // kept, the other six struck.
    std::vector<TExplainDigit> Expected;
    for (const int Cell : {D2, E2}) {
        for (int Digit = 2; Digit <= 9; ++Digit) {
            const bool Pair = Digit == 4 || Digit == 9;
            Expected.push_back({Cell, Digit, Pair, !Pair});
        }
    }
    EXPECT_EQ(Marks.Digits, Expected);
    EXPECT_EQ(Marks.SingleUnit, RowUnit(1));
    EXPECT_EQ(Marks.Witnesses, (std::vector<int>{C1, I6, H8}));
    EXPECT_EQ(Marks.Target, G2);
    EXPECT_EQ(Marks.TargetDigit, 5);
    // The row's other open cells; F2 is filled, D2 and E2 show their own digits.
    EXPECT_EQ(Marks.Covered, (std::vector<int>{A2, A2 + 1, A2 + 2, G2 + 1, G2 + 2}));
}

TEST(ExplainMarks, OnlyOpenCellsShowCandidatesAndOnlyAnOnlyPlaceCoversCells) {
    TExplanation Explanation = HiddenPairExplanation();
    // A removal named on a given's cell draws nothing there.
    Explanation.Steps[0].Removes.push_back({C1, 3});
    Explanation.Single.Kind = smMissingNumber;
    Explanation.Single.Unit = -1;
    const TExplainMarks Marks = ExplainMarks(Explanation, Position(HiddenPair));
    for (const TExplainDigit& Mark : Marks.Digits) {
        EXPECT_NE(Mark.Cell, C1);
    }
    EXPECT_EQ(Marks.SingleUnit, -1);
    EXPECT_TRUE(Marks.Covered.empty());
}

TEST(LookMarks, ShowWhereToLookAndNothingOfTheMove) {
    const TExplainMarks Look = LookMarks(HiddenPairExplanation());
    EXPECT_EQ(Look.Units, std::vector<int>{RowUnit(1)});
    EXPECT_EQ(Look.PatternCells, (std::vector<int>{D2, E2}));
    EXPECT_TRUE(Look.Digits.empty());
    EXPECT_TRUE(Look.Witnesses.empty());
    EXPECT_LT(Look.Target, 0);
    EXPECT_FALSE(Look.Empty()) << "drawn, though it has no target";

    // Without steps: the single's unit, or for the only number the cell's three units.
    TExplanation Single = HiddenPairExplanation();
    Single.Steps.clear();
    EXPECT_EQ(LookMarks(Single).Units, std::vector<int>{RowUnit(1)});
    Single.Single.Kind = smMissingNumber;
    Single.Single.Unit = -1;
    EXPECT_EQ(LookMarks(Single).Units, (std::vector<int>{RowUnit(1), ColUnit(6), BoxUnit(2, 0)}));
    EXPECT_TRUE(LookMarks(Single).PatternCells.empty());
    Single.Single.Cell = 81;
    EXPECT_TRUE(LookMarks(Single).Empty());
}

TEST(ExplainMarks, IgnoreCellsUnitsAndDigitsOffTheGrid) {
    TExplanation Explanation;
    Explanation.Steps.push_back(
        {smYourReserved, {0, 10}, {-1, 81, D2}, {-1, 27}, {{-5, 3}, {90, 1}}});
    Explanation.Single = {smLeftPlace, 40, G2, 5, {-1, 200, C1}};
    TExplainMarks Marks = ExplainMarks(Explanation, Position(HiddenPair));
    EXPECT_TRUE(Marks.Units.empty());
    EXPECT_EQ(Marks.PatternCells, std::vector<int>{D2});
    EXPECT_EQ(Marks.SingleUnit, -1);
    EXPECT_EQ(Marks.Witnesses, std::vector<int>{C1});
    EXPECT_EQ(Marks.Target, G2);

    // A single off the grid leaves nothing to point at.
    Explanation.Single = {smMissingNumber, -1, 81, 5, {}};
    EXPECT_TRUE(ExplainMarks(Explanation, Position(HiddenPair)).Empty());
    Explanation.Single = {smMissingNumber, -1, G2, 0, {}};
    EXPECT_TRUE(ExplainMarks(Explanation, Position(HiddenPair)).Empty());
}

class ExplainOverlayTest : public BoardTest {
protected:
    void Show() {
        ASSERT_TRUE(Board->LoadPuzzleAsGiven(HiddenPair));
        Board->Fix();
        Board->ShowExplanation(HiddenPairExplanation(), Position(HiddenPair));
        QCoreApplication::processEvents();
    }
    QImage Shot() const { return Board->grab().toImage(); }
    QRect CellArea(int Cell) const {
        return {Board->GridLeft + Cell % 9 * Board->CellWidth,
                Board->GridTop + Cell / 9 * Board->CellHeight, Board->CellWidth, Board->CellHeight};
    }
    static int Count(const QImage& Image, const QRect& Area,
                     const std::function<bool(const QColor&)>& Match) {
        int Found = 0;
        for (int Y = Area.top(); Y <= Area.bottom(); ++Y) {
            for (int X = Area.left(); X <= Area.right(); ++X) {
                Found += Match(Image.pixelColor(X, Y));
            }
        }
        return Found;
    }
    static bool Red(const QColor& C) { return C.red() > 150 && C.green() < 120 && C.blue() < 120; }
    static bool Teal(const QColor& C) {
        return C.green() > C.red() + 40 && C.blue() > C.red() + 30;
    }
    static bool Violet(const QColor& C) {
        return C.blue() > C.green() + 60 && C.red() > C.green() + 30;
    }
};

TEST_F(ExplainOverlayTest, LiesAbovePiecesBelowTheCursorAndDrawsOnTheNamedCells) {
    Show();
    const TExplainOverlay& Overlay = *Board->ExplainOverlay();
    ASSERT_TRUE(Overlay.isVisible());
    EXPECT_EQ(Overlay.geometry(), Board->rect());
    EXPECT_TRUE(Overlay.testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(Overlay.Marks().Target, G2);
    const QObjectList Layers = Board->children();
    const qsizetype Above = Layers.indexOf(const_cast<TExplainOverlay*>(&Overlay));
    for (int I = 0; I < Board->PieceCount(); ++I) {
        EXPECT_LT(Layers.indexOf(Board->Pieces(I)), Above) << "piece " << I;
    }
    EXPECT_GT(Layers.indexOf(Board->KeyCursorFrame()), Above);

    const QImage Image = Shot();
    const QColor Face = Board->palette().color(QPalette::Window);
    // The pattern cell's tint and its kept digits, the struck ones in red.
    EXPECT_TRUE(Teal(Image.pixelColor(CellArea(D2).topLeft() + QPoint(16, 18))));
    QRect Slot(Board->HintSlot(D2 % 9, D2 / 9, 4), QSize(12, 14));
    EXPECT_GT(Count(Image, Slot, [](const QColor& C) { return C.green() < 140 && C.red() < 60; }),
              4);
    Slot.moveTopLeft(Board->HintSlot(D2 % 9, D2 / 9, 2));
    EXPECT_GT(Count(Image, Slot, Red), 6);
    // The unit's tint shows on the given piece of F2 too; the piece of A3,
    // outside every marked unit, keeps the face.
    const QColor Given = Image.pixelColor(CellArea(F2).topLeft() + QPoint(8, 44));
    EXPECT_NE(Given, Face);
    EXPECT_GT(Given.red(), Given.blue() + 20);
    EXPECT_EQ(Image.pixelColor(CellArea(A3).topLeft() + QPoint(8, 44)), Face);
    // The witness is ringed, the target framed, a covered cell struck.
    EXPECT_GT(Count(Image, CellArea(C1), Violet), 40);
    EXPECT_GT(Count(Image, CellArea(G2), Violet), 150);
    EXPECT_GT(Count(Image, CellArea(A2).adjusted(12, 12, -12, -12), Violet), 6);
}

TEST_F(ExplainOverlayTest, LeavesCellsThatHoldAPieceToThePiece) {
    ASSERT_TRUE(Board->LoadPuzzleAsGiven(HiddenPair));
    TNumberPiece* Four = Board->FindFreePiece(4);
    ASSERT_TRUE(Board->PutPiece(Four->Index, D2 % 9, D2 / 9, false));
    Board->ShowExplanation(HiddenPairExplanation(), Position(HiddenPair));
    QCoreApplication::processEvents();
    const QImage Image = Shot();
    // D2 is tinted but shows its piece, not the struck candidates; E2 still does.
    EXPECT_TRUE(Teal(Image.pixelColor(CellArea(D2).topLeft() + QPoint(16, 18))));
    EXPECT_EQ(Count(Image, CellArea(D2), Red), 0);
    EXPECT_GT(Count(Image, CellArea(E2), Red), 30);
}

TEST_F(ExplainOverlayTest, GoesWithClearLoadingAndANewStart) {
    const auto Gone = [this] {
        EXPECT_FALSE(Board->ExplainOverlay()->isVisible());
        EXPECT_TRUE(Board->ExplainOverlay()->Marks().Empty());
    };
    Show();
    Board->ClearExplanation();
    Gone();
    Show();
    Board->Clear();
    Gone();
    Show();
    std::string Text = Puzzle;
    ASSERT_TRUE(Board->LoadPuzzle(Text));
    Gone();
    Show();
    Board->Start();
    Gone();
}

TEST_F(ExplainOverlayTest, LetsTheMouseThroughAndFollowsTheBoardsSize) {
    Show();
    Changes = 0;
    // A drag through the overlay still moves a piece: A1 takes a 1.
    TNumberPiece* One = Board->FindFreePiece(1);
    ASSERT_NE(One, nullptr);
    Drag(PieceCenter(*One), CellCenter(0, 0));
    EXPECT_EQ(Board->Matrix().GetValue(0, 0), 1);
    EXPECT_EQ(Changes, 1);

    Board->resize(700, 600);
    QCoreApplication::processEvents();
    EXPECT_EQ(Board->ExplainOverlay()->geometry(), Board->rect());
}

TEST_F(BoardTest, LoadPuzzleAsGivenPlacesTheTextAsWrittenOrRefusesIt) {
    ASSERT_TRUE(Board->LoadPuzzleAsGiven(Puzzle));
    for (int I = 0; I < 81; ++I) {
        EXPECT_EQ(Board->Matrix().GetValue(I % 9, I / 9),
                  Puzzle[static_cast<std::size_t>(I)] - '0');
    }
    ExpectConsistent(*Board);
    const int Entries = Board->Histories().Count();
    EXPECT_FALSE(Board->LoadPuzzleAsGiven("12x"));
    EXPECT_EQ(Board->Histories().Count(), Entries);
}

TEST(ExplainPanel, NumbersTheLinesSetsTheGlossUnderAndHidesWhenEmpty) {
    QWidget Window;
    Window.resize(600, 400);
    TExplainPanel Panel(&Window);
    Panel.SetArea(QRect(8, 8, 428, 232));
    Window.show();
    Panel.SetLines({"一つ目  first <line>", "二つ目"});
    EXPECT_TRUE(Panel.isVisible());
    EXPECT_EQ(Panel.geometry().topLeft(), QPoint(8, 8));
    EXPECT_EQ(Panel.width(), 428);
    const QString Html = Panel.text();
    EXPECT_LT(Html.indexOf(QStringLiteral(">1<")), Html.indexOf(QStringLiteral("一つ目")));
    EXPECT_LT(Html.indexOf(QStringLiteral("一つ目")), Html.indexOf(QStringLiteral("first")));
    EXPECT_TRUE(Html.contains(QStringLiteral("&lt;line&gt;")));
    EXPECT_LT(Html.indexOf(QStringLiteral(">2<")), Html.indexOf(QStringLiteral("二つ目")));

    // A text longer than the area takes a smaller face, never more room.
    const int Short = Panel.height();
    Panel.SetLines(std::vector<std::string>(
        7, "ブロック3の G2・I2・H3 から 4 が消える  so 4 leaves G2, I2 and H3 of box 3"));
    EXPECT_GT(Panel.height(), Short);
    EXPECT_LE(Panel.height(), 232);

    Panel.Clear();
    EXPECT_FALSE(Panel.isVisible());
    EXPECT_TRUE(Panel.Lines().empty());
}

} // namespace
} // namespace kumoji::test
