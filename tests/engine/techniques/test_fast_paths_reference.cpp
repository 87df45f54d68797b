// The hot searches work on unit position masks and flat sweeps. This checks
// each against a plain reading of the rules on real and arbitrary grids, and
// pins the outcome of whole deep solves and question checks, so that a faster
// formulation cannot drift from the results players have seen.
#include "engine/grid/matrix.h"
#include "engine/lanes/unit_tally.h"
#include "engine/question/answer_step.h"
#include "engine/question/question.h"
#include "engine/techniques/locked_candidates.h"
#include "engine/techniques/single_place.h"
#include "grid_helpers.h"

#include <array>
#include <climits>
#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace kumoji {
namespace {

int ReferenceCheckState(const TMatrix& Grid) {
    int RowUnion[9] = {};
    int ColUnion[9] = {};
    int BoxUnion[9] = {};
    int AllMasks = 0;
    for (int R = 0; R < 9; ++R) {
        for (int C = 0; C < 9; ++C) {
            const int I = CellIndex(C, R);
            const int Contribution =
                Grid.Values[I] > 0 ? DigitBit(Grid.Values[I]) : Grid.Candidates[I];
            RowUnion[R] |= Contribution;
            ColUnion[C] |= Contribution;
            BoxUnion[R / 3 * 3 + C / 3] |= Contribution;
            AllMasks |= Grid.Candidates[I];
        }
    }
    for (int U = 0; U < 9; ++U) {
        if (RowUnion[U] != AllDigits || ColUnion[U] != AllDigits || BoxUnion[U] != AllDigits) {
            return 3;
        }
    }
    return AllMasks == 0 ? 1 : 0;
}

// The first unit, boxes by box column, with one empty cell and one digit
// that its other cells do not hold.
bool ReferenceFindEmptyCell(const TMatrix& Grid, int& Col, int& Row, int& Digit) {
    for (const int U : UnitOrder::RowsColsBoxesByColumn) {
        int Empty = 0;
        int Held = 0;
        int Target = -1;
        for (const int I : UnitCells[U]) {
            if (Grid.Values[I] == 0) {
                ++Empty;
                Target = I;
            } else {
                Held |= DigitBit(Grid.Values[I]);
            }
        }
        if (Empty == 1 && DigitCount(AllDigits & ~Held) == 1) {
            Col = Target % 9;
            Row = Target / 9;
            Digit = LowestDigit(AllDigits & ~Held);
            return true;
        }
    }
    return false;
}

// Rows, columns, then boxes with the box row outer, each cell by cell.
bool ReferenceFindLeftPlace(const TMatrix& Grid, int Digit, int& Col, int& Row) {
    auto Unit = [&](auto CellAt) {
        int Count = 0;
        int Place = -1;
        for (int K = 0; K < 9; ++K) {
            const int I = CellAt(K);
            if (Grid.Values[I] == Digit) {
                return false;
            }
            if (Grid.Candidates[I] & DigitBit(Digit)) {
                ++Count;
                Place = I;
            }
        }
        if (Count != 1) {
            return false;
        }
        Col = Place % 9;
        Row = Place / 9;
        return true;
    };
    for (int R = 0; R < 9; ++R) {
        if (Unit([R](int K) { return CellIndex(K, R); })) {
            return true;
        }
    }
    for (int C = 0; C < 9; ++C) {
        if (Unit([C](int K) { return CellIndex(C, K); })) {
            return true;
        }
    }
    for (int B = 0; B < 9; ++B) {
        if (Unit([B](int K) { return CellIndex(B % 3 * 3 + K % 3, B / 3 * 3 + K / 3); })) {
            return true;
        }
    }
    return false;
}

bool ReferenceFindMissingNumber(const TMatrix& Grid, int& Digit, int& Col, int& Row) {
    for (int Index = 0; Index < 81; ++Index) {
        if (Grid.Values[Index] == 0 && IsSingleDigitMask(Grid.Candidates[Index])) {
            Digit = LowestDigit(Grid.Candidates[Index]);
            Col = Index % 9;
            Row = Index / 9;
            return true;
        }
    }
    return false;
}

bool ReferenceFindSingle(const TMatrix& Grid, int& Col, int& Row, int& Digit) {
    if (ReferenceFindMissingNumber(Grid, Digit, Col, Row) ||
        ReferenceFindEmptyCell(Grid, Col, Row, Digit)) {
        return true;
    }
    for (int D = 1; D <= 9; ++D) {
        if (ReferenceFindLeftPlace(Grid, D, Col, Row)) {
            Digit = D;
            return true;
        }
    }
    return false;
}

// The locked-candidate pass reading every segment afresh: rows, then
// columns, line by line and segment by segment, each segment's pointing and
// claiming digits read before either is cleared.
bool ReferenceMyReserved(TMatrix& Grid) {
    bool Changed = false;
    for (const bool Rows : {true, false}) {
        auto Cell = [Rows](int L, int K) { return Rows ? CellIndex(K, L) : CellIndex(L, K); };
        auto Segment = [&](int L, int S) {
            return Grid.Candidates[Cell(L, 3 * S)] | Grid.Candidates[Cell(L, 3 * S + 1)] |
                   Grid.Candidates[Cell(L, 3 * S + 2)];
        };
        auto Clear = [&](int I, int Bits) {
            Changed = Changed || (Grid.Candidates[I] & Bits) != 0;
            Grid.Candidates[I] &= AllDigits ^ Bits;
        };
        for (int L = 0; L < 9; ++L) {
            for (int S = 0; S < 3; ++S) {
                const int Line = Segment(L, (S + 1) % 3) | Segment(L, (S + 2) % 3);
                int Box = 0;
                for (int Other = L / 3 * 3; Other < L / 3 * 3 + 3; ++Other) {
                    Box |= Other != L ? Segment(Other, S) : 0;
                }
                const int Pointing = Segment(L, S) & Line & ~Box & AllDigits;
                const int Claiming = Segment(L, S) & Box & ~Line & AllDigits;
                for (int K = 0; K < 9 && Pointing != 0; ++K) {
                    if (K / 3 != S) {
                        Clear(Cell(L, K), Pointing);
                    }
                }
                for (int Other = L / 3 * 3; Other < L / 3 * 3 + 3 && Claiming != 0; ++Other) {
                    for (int K = 3 * S; K < 3 * S + 3 && Other != L; ++K) {
                        Clear(Cell(Other, K), Claiming);
                    }
                }
            }
        }
    }
    return Changed;
}

// One digit's locked candidates along rows or columns, cell by cell: each box
// whose segments leave the digit in one line clears it from the rest of that
// line, then each line (holding no such digit) with two or more places, all
// in one box, clears it from the rest of that box.
bool ReferenceLockedDigit(TMatrix& Grid, int Digit, bool Rows) {
    auto Cell = [Rows](int L, int K) { return Rows ? CellIndex(K, L) : CellIndex(L, K); };
    auto Admits = [&](int I) { return (Grid.Candidates[I] & DigitBit(Digit)) != 0; };
    bool Changed = false;
    auto Clear = [&](int I) {
        Changed = Changed || Admits(I);
        Grid.Candidates[I] &= Admits(I) ? AllDigits ^ DigitBit(Digit) : Grid.Candidates[I];
    };
    for (int B = 0; B < 9; ++B) {
        const int First = (Rows ? B / 3 : B % 3) * 3;
        const int S = Rows ? B % 3 : B / 3;
        std::vector<int> Lines;
        for (int L = First; L < First + 3; ++L) {
            for (int K = 3 * S; K < 3 * S + 3; ++K) {
                if (Admits(Cell(L, K)) && (Lines.empty() || Lines.back() != L)) {
                    Lines.push_back(L);
                }
            }
        }
        for (int K = 0; K < 9 && Lines.size() == 1; ++K) {
            if (K / 3 != S) {
                Clear(Cell(Lines[0], K));
            }
        }
    }
    for (int L = 0; L < 9; ++L) {
        std::vector<int> Places;
        bool Held = false;
        for (int K = 0; K < 9; ++K) {
            Held = Held || Grid.Values[Cell(L, K)] == Digit;
            if (Admits(Cell(L, K))) {
                Places.push_back(K);
            }
        }
        if (Held || Places.size() < 2 || Places.front() / 3 != Places.back() / 3) {
            continue;
        }
        const int S = Places.front() / 3;
        for (int Other = L / 3 * 3; Other < L / 3 * 3 + 3; ++Other) {
            for (int K = 3 * S; K < 3 * S + 3 && Other != L; ++K) {
                Clear(Cell(Other, K));
            }
        }
    }
    return Changed;
}

// The one-digit locked-candidate search: rows and columns in turn until
// nothing changes, then the singles on the cleared copy.
bool ReferenceMyReservedMove(const TMatrix& Grid, int Digit, int& Col, int& Row, int& Found) {
    TMatrix Work = Grid;
    bool Changed = ReferenceLockedDigit(Work, Digit, true);
    while (ReferenceLockedDigit(Work, Digit, false)) {
        Changed = true;
        if (!ReferenceLockedDigit(Work, Digit, true)) {
            break;
        }
    }
    if (!Changed) {
        return false;
    }
    if (ReferenceFindEmptyCell(Work, Col, Row, Found)) {
        return true;
    }
    if (ReferenceFindLeftPlace(Work, Digit, Col, Row)) {
        Found = Digit;
        return true;
    }
    return Work.FindMissingNumber(Found, Col, Row);
}

// The naked-subset pass reading a full copy of the grid taken at the start.
bool ReferenceYourReserved(TMatrix& Grid) {
    const TMatrix Snapshot = Grid;
    bool Changed = false;
    auto Unit = [&](auto CellAt) {
        int Empty = 0;
        for (int K = 0; K < 9; ++K) {
            Empty += Snapshot.Values[CellAt(K)] == 0;
        }
        if (Empty <= 2) {
            return;
        }
        int Remaining = Empty;
        for (int P = 0; P < 9; ++P) {
            const int Mask = Snapshot.Candidates[CellAt(P)];
            const int N = DigitCount(Mask);
            if (N <= 1) {
                continue;
            }
            if (N <= Remaining && N < Empty) {
                int Group = 1;
                for (int Q = P + 1; Q < 9; ++Q) {
                    Group += Snapshot.Candidates[CellAt(Q)] == Mask;
                }
                if (Group == N) {
                    for (int Q = 0; Q < 9; ++Q) {
                        const int I = CellAt(Q);
                        const bool Other = Q != P && Snapshot.Values[I] == 0 &&
                                           (Q < P || Snapshot.Candidates[I] != Mask);
                        if (Other && Grid.Candidates[I] != 0) {
                            const int Old = Grid.Candidates[I];
                            Grid.Candidates[I] = Old & ~Mask;
                            Changed = Changed || Grid.Candidates[I] != Old;
                        }
                    }
                }
            }
            --Remaining;
        }
    };
    for (int R = 0; R < 9; ++R) {
        Unit([R](int K) { return CellIndex(K, R); });
    }
    for (int C = 0; C < 9; ++C) {
        Unit([C](int K) { return CellIndex(C, K); });
    }
    for (int B = 0; B < 9; ++B) {
        Unit([B](int K) { return CellIndex(B % 3 * 3 + K % 3, B / 3 * 3 + K / 3); });
    }
    return Changed;
}

// Per unit, the digits admitted by exactly one of its cells and held by none.
std::array<int, UnitCount> ReferenceSinglePlaces(const TMatrix& Grid) {
    std::array<int, UnitCount> Digits{};
    for (int U = 0; U < UnitCount; ++U) {
        const TUnitCells& Cells = UnitCells[U];
        for (int D = 1; D <= 9; ++D) {
            bool Held = false;
            int Places = 0;
            for (const int I : Cells) {
                Held = Held || Grid.Values[I] == D;
                Places += (Grid.Candidates[I] & DigitBit(D)) != 0 ? 1 : 0;
            }
            if (!Held && Places == 1) {
                Digits[U] |= DigitBit(D);
            }
        }
    }
    return Digits;
}

int ReferenceSinglePlaceDigits(const TMatrix& Grid) {
    int Digits = 0;
    for (const int UnitDigits : ReferenceSinglePlaces(Grid)) {
        Digits |= UnitDigits;
    }
    return Digits;
}

// The answer step's whole-grid tally, on the grid and, so that a plain grid
// with contradictions turns up too, on the grid with its filled cells' masks
// cleared.
void ExpectTallyAsReference(const TMatrix& Grid, const std::string& What) {
    TMatrix Cleared = Grid;
    for (int I = 0; I < 81; ++I) {
        Cleared.Candidates[I] = Grid.Values[I] != 0 ? 0 : Grid.Candidates[I];
    }
    for (const TMatrix* Each : {&Grid, static_cast<const TMatrix*>(&Cleared)}) {
        const TGridTally Tally(*Each);
        EXPECT_EQ(Tally.State(), ReferenceCheckState(*Each)) << What;
        EXPECT_EQ(Tally.SinglePlaces(), ReferenceSinglePlaces(*Each)) << What;
        std::uint32_t OneEmpty = 0;
        std::array<int, UnitCount> Held{};
        for (int U = 0; U < UnitCount; ++U) {
            int Empty = 0;
            for (const int I : UnitCells[U]) {
                Empty += Each->Values[I] == 0;
                Held[U] |= DigitBit(Each->Values[I]);
            }
            OneEmpty |= std::uint32_t{Empty == 1} << U;
        }
        EXPECT_EQ(Tally.UnitsWithOneEmptyCell(), OneEmpty) << What;
        EXPECT_EQ(Tally.HeldDigits(), Held) << What;
    }
}

// The assumption test on a full copy of the grid, placement by placement.
bool ReferenceTestAssumption(const TMatrix& Grid, int Assumed, int Col, int Row, int Watched) {
    TMatrix Copy = Grid;
    Copy.SetValue(Col, Row, Assumed);
    int Placements = 0;
    TPoint Cell;
    while (Copy.FindForcedPlace(Watched, Cell)) {
        Copy.SetValue(Cell.X, Cell.Y, Watched);
        ++Placements;
    }
    return Placements > 0 && Copy.DigitBlocked(Watched);
}

void ExpectSameAsReference(const TMatrix& Grid, const std::string& What) {
    EXPECT_EQ(Grid.CheckState(), ReferenceCheckState(Grid)) << What;
    EXPECT_EQ(SinglePlaceDigits(Grid), ReferenceSinglePlaceDigits(Grid)) << What;
    const TValueFacts Facts(Grid);
    for (int D = 0; D <= 10; ++D) {
        std::uint32_t Plain = 0;
        for (int U = 0; U < UnitCount; ++U) {
            Plain |= std::uint32_t{SinglePlace(Grid, U, D) >= 0} << U;
        }
        EXPECT_EQ(SinglePlaceUnits(Grid, Facts.Held, D), Plain) << What << " digit " << D;
    }
    ExpectTallyAsReference(Grid, What);
    for (int D = 0; D <= 10; ++D) {
        int FastCol = -7;
        int FastRow = -7;
        int SlowCol = -7;
        int SlowRow = -7;
        EXPECT_EQ(Grid.FindLeftPlace(D, FastCol, FastRow),
                  ReferenceFindLeftPlace(Grid, D, SlowCol, SlowRow))
            << What << " digit " << D;
        EXPECT_EQ(FastCol, SlowCol) << What << " digit " << D;
        EXPECT_EQ(FastRow, SlowRow) << What << " digit " << D;
    }
    int Fast[3] = {-7, -7, -7};
    int Slow[3] = {-7, -7, -7};
    EXPECT_EQ(Grid.FindEmptyCell(Fast[0], Fast[1], Fast[2]),
              ReferenceFindEmptyCell(Grid, Slow[0], Slow[1], Slow[2]))
        << What;
    EXPECT_EQ(std::vector<int>(Fast, Fast + 3), std::vector<int>(Slow, Slow + 3)) << What;
    EXPECT_EQ(Grid.FindSingle(Fast[0], Fast[1], Fast[2]),
              ReferenceFindSingle(Grid, Slow[0], Slow[1], Slow[2]))
        << What;
    EXPECT_EQ(std::vector<int>(Fast, Fast + 3), std::vector<int>(Slow, Slow + 3)) << What;
    for (int I = 0; I < 81; I += 4) {
        for (const int Assumed : {1, 5, 9}) {
            for (const int Watched : {1, 2, 5, 9}) {
                EXPECT_EQ(Grid.TestAssumption(Assumed, I % 9, I / 9, Watched),
                          ReferenceTestAssumption(Grid, Assumed, I % 9, I / 9, Watched))
                    << What << " cell " << I << " assumed " << Assumed << " watched " << Watched;
            }
        }
    }
    // The answer step skips the one-digit locked-candidate search for digits
    // outside this set, so the search must find nothing for them.
    const int Locked = LockedCandidateDigits(Grid);
    for (int D = 1; D <= 9; ++D) {
        int Move[3] = {-7, -7, -7};
        int Plain[3] = {-7, -7, -7};
        const bool Found = Grid.FindMyReservedMove(D, Move[0], Move[1], Move[2]);
        if ((Locked & DigitBit(D)) == 0) {
            EXPECT_FALSE(Found) << What << " digit " << D;
        }
        EXPECT_EQ(Found, ReferenceMyReservedMove(Grid, D, Plain[0], Plain[1], Plain[2]))
            << What << " digit " << D;
        EXPECT_EQ(std::vector<int>(Move, Move + 3), std::vector<int>(Plain, Plain + 3))
            << What << " digit " << D;
    }
    TMatrix FastGrid = Grid;
    TMatrix SlowGrid = Grid;
    EXPECT_EQ(FastGrid.ApplyYourReserved(), ReferenceYourReserved(SlowGrid)) << What;
    EXPECT_EQ(FastGrid.Candidates, SlowGrid.Candidates) << What;
    FastGrid = Grid;
    SlowGrid = Grid;
    EXPECT_EQ(FastGrid.ApplyMyReserved(), ReferenceMyReserved(SlowGrid)) << What;
    EXPECT_EQ(FastGrid.Candidates, SlowGrid.Candidates) << What;
}

TEST(FastPathsReference, AgreeOnPuzzlesAtEveryStage) {
    for (const auto& Item : test::LoadSolvedPuzzles()) {
        TMatrix Grid = test::Position(Item.Puzzle);
        for (int Stage = 0; Stage < 12 && !HasFailure(); ++Stage) {
            ExpectSameAsReference(Grid, Item.Puzzle + " stage " + std::to_string(Stage));
            Grid.ApplyReservations();
            int Col;
            int Row;
            int Digit;
            if (Grid.FindSingle(Col, Row, Digit)) {
                Grid.SetValue(Col, Row, Digit);
            }
        }
        // A solved grid and a broken one end every trial.
        TMatrix Solved = test::Position(Item.Solution);
        ExpectSameAsReference(Solved, Item.Solution);
        Solved.Candidates[40] = DigitBit(1);
        ExpectSameAsReference(Solved, Item.Solution + " with a stray mask");
    }
}

TEST(FastPathsReference, AgreeOnArbitraryMasksAndValues) {
    std::mt19937 Random(20261208);
    for (int Round = 0; Round < 3000 && !HasFailure(); ++Round) {
        TMatrix Grid;
        const int Density = static_cast<int>(Random() % 90);
        const int Narrow = static_cast<int>(Random() % 8);
        for (int I = 0; I < 81; ++I) {
            Grid.Values[I] =
                static_cast<int>(Random() % 100) < Density ? static_cast<int>(Random() % 9) + 1 : 0;
            // From wide masks to nearly empty ones, so that singles, equal
            // masks and contradictions all turn up.
            int Mask = Grid.Values[I] != 0 && Random() % 4 != 0 ? 0 : AllDigits;
            for (int K = static_cast<int>(Random() % (Narrow + 1)); K > 0; --K) {
                Mask &= ~DigitBit(static_cast<int>(Random() % 9) + 1);
            }
            Grid.Candidates[I] = Random() % 10 == 0 ? static_cast<int>(Random() % 512) : Mask;
        }
        ExpectSameAsReference(Grid, "round " + std::to_string(Round));
    }
}

// The naked-subset pass picks the units to search from masks cut to the nine
// digits. Masks drawn from a small pool make whole groups, groups one cell
// short or long, and groups that fill a unit common; values at random test
// the room each unit leaves; stray bits make digit-equal masks differ.
TEST(FastPathsReference, NakedPassAgreesOnPooledAndStrayMasks) {
    std::mt19937 Random(20261209);
    int Changed = 0;
    for (int Round = 0; Round < 4000 && !HasFailure(); ++Round) {
        int Pool[4];
        for (int& Mask : Pool) {
            Mask = 0;
            for (int K = 2 + static_cast<int>(Random() % 3); K > 0; --K) {
                Mask |= DigitBit(static_cast<int>(Random() % 9) + 1);
            }
        }
        const bool Stray = Round % 4 == 0;
        TMatrix Grid;
        for (int I = 0; I < 81; ++I) {
            Grid.Values[I] = Random() % 3 == 0 ? static_cast<int>(Random() % 10) : 0;
            int Mask = Random() % 5 != 0 ? Pool[Random() % 4] : static_cast<int>(Random() % 512);
            if (Stray && Random() % 16 == 0) {
                Mask |= Random() % 2 == 0 ? 1 << (9 + Random() % 22) : INT_MIN;
            }
            Grid.Candidates[I] = Mask;
        }
        TMatrix Plain = Grid;
        TMatrix Shared = Grid;
        const bool Fast = Grid.ApplyYourReserved();
        ASSERT_EQ(Fast, ReferenceYourReserved(Plain)) << "round " << Round;
        ASSERT_EQ(Grid.Candidates, Plain.Candidates) << "round " << Round;
        Changed += Fast;
        // The reservation loop hands the pass's lanes on to the hidden pass:
        // they must hold the masks the pass left, and serve as its own would.
        const TValueFacts Facts(Shared);
        TUnitLanes Lanes;
        bool Known = false;
        ASSERT_EQ(Shared.ApplyYourReserved(Facts, Lanes, Known), Fast) << "round " << Round;
        ASSERT_TRUE(Known || Stray) << "round " << Round;
        if (Known) {
            const TUnitLanes Spread = SpreadOverUnits(Shared.Candidates);
            for (int G = 0; G < LaneGroups; ++G) {
                for (int P = 0; P < 9; ++P) {
                    ASSERT_EQ(LaneBits(Lanes.Cells[G][P] != Spread.Cells[G][P]), 0)
                        << "round " << Round << " group " << G << " position " << P;
                }
            }
        }
        ASSERT_EQ(Shared.ApplyOurReserved(Facts, Known ? &Lanes : nullptr),
                  Grid.ApplyOurReserved(Facts))
            << "round " << Round;
        ASSERT_EQ(Shared.Candidates, Grid.Candidates) << "round " << Round;
    }
    EXPECT_GT(Changed, 1000); // the rounds exercise groups, not only their absence
}

// The naked-single sweep reads four cells at a time and the last alone, with
// one arithmetic test: stray masks and values must read as the plain rule.
TEST(FastPathsReference, NakedSinglesReadStrayMasksAsThePlainRule) {
    const int Strays[] = {0,       3,          257,     512,         0x10001, 0x40000,
                          0x10100, 0x7FFFFFFF, INT_MIN, INT_MIN + 1, -1,      -256};
    std::mt19937 Random(81);
    for (int Round = 0; Round < 2000 && !HasFailure(); ++Round) {
        TMatrix Grid;
        for (int I = 0; I < 81; ++I) {
            Grid.Values[I] = Random() % 3 == 0 ? static_cast<int>(Random() % 12) - 1 : 0;
            // Singles are rare, so that the first one falls anywhere.
            Grid.Candidates[I] = Random() % 60 == 0 ? DigitBit(static_cast<int>(Random() % 9) + 1)
                                                    : Strays[Random() % std::size(Strays)];
        }
        int Fast[3] = {-7, -7, -7};
        int Slow[3] = {-7, -7, -7};
        EXPECT_EQ(Grid.FindMissingNumber(Fast[0], Fast[1], Fast[2]),
                  ReferenceFindMissingNumber(Grid, Slow[0], Slow[1], Slow[2]));
        EXPECT_EQ(std::vector<int>(Fast, Fast + 3), std::vector<int>(Slow, Slow + 3));
    }
}

// The state check works four cells at a time and the last cell alone, so a
// stray value goes into every cell: it stands for no digit, and a negative one
// reads as empty, exactly as the plain rule reads them.
TEST(FastPathsReference, StateCheckReadsStrayValuesAsThePlainRule) {
    const auto Puzzles = test::LoadSolvedPuzzles();
    ASSERT_FALSE(Puzzles.empty());
    const TMatrix Solved = test::Position(Puzzles.front().Solution);
    const TMatrix Open = test::Position(Puzzles.front().Puzzle);
    for (const TMatrix& Start : {Solved, Open}) {
        for (int I = 0; I < 81; ++I) {
            for (const int Stray : {-1, 10, 1 << 30, std::numeric_limits<int>::min(),
                                    std::numeric_limits<int>::max()}) {
                TMatrix Grid = Start;
                Grid.Values[I] = Stray;
                EXPECT_EQ(Grid.CheckState(), ReferenceCheckState(Grid))
                    << "cell " << I << " value " << Stray;
                EXPECT_EQ(TGridTally(Grid).State(), ReferenceCheckState(Grid))
                    << "cell " << I << " value " << Stray;
                // A stray value over a cell that still admits its own digit.
                Grid.Candidates[I] = DigitBit(Start.Values[I]) | Start.Candidates[I];
                EXPECT_EQ(Grid.CheckState(), ReferenceCheckState(Grid))
                    << "cell " << I << " value " << Stray << " with its mask";
            }
        }
    }
}

// FNV-1a over a stream of small integers.
struct TDigest {
    std::uint64_t Value = 14695981039346656037ull;
    void Add(int Item) {
        Value ^= static_cast<std::uint64_t>(static_cast<unsigned>(Item));
        Value *= 1099511628211ull;
    }
};

TEST(FastPathsReference, DeepSolvesAndQuestionsArePinned) {
    const std::string Path = std::string(KUMOJI_ENGINE_TEST_DATA) + "/digest_positions.txt";
    std::ifstream File(Path);
    ASSERT_TRUE(File.is_open()) << Path;
    TDigest Digest;
    int Positions = 0;
    std::string Line;
    while (std::getline(File, Line)) {
        if (Line.empty() || Line[0] == '#') {
            continue;
        }
        ASSERT_TRUE(IsPuzzleText(Line)) << Line;
        ++Positions;
        TMatrix Grid = test::Position(Line);
        for (const bool Strict : {true, false}) {
            TPoint Cell;
            int Digit = 0;
            Digest.Add(FindQuestion(Grid, Cell, Digit, Strict));
            Digest.Add(Cell.X);
            Digest.Add(Cell.Y);
            Digest.Add(Digit);
        }
        const TPlaceMove Placement = GridPlacement(Grid);
        const TPlaceMove Record = [&](int Col, int Row, int Digit, TSolveMethod Technique) {
            const bool Accepted = Placement(Col, Row, Digit, Technique);
            for (const int Item : {Col, Row, Digit, static_cast<int>(Technique), int{Accepted}}) {
                Digest.Add(Item);
            }
            return Accepted;
        };
        int Result = 0;
        for (int Count = 0; Count <= 81 && Result == 0; ++Count) {
            Result = SolveStep(Grid, true, Record);
        }
        Digest.Add(Result);
        for (const int Value : Grid.Values) {
            Digest.Add(Value);
        }
    }
    EXPECT_EQ(Positions, 200);
    EXPECT_EQ(Digest.Value, 0x40099b7f0dadafa9u) << std::hex << Digest.Value;
}

} // namespace
} // namespace kumoji
