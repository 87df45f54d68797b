// The answer step: one forced move found and offered for placement.
#include "engine/question/answer_step.h"

#include "engine/lanes/unit_tally.h"
#include "engine/techniques/locked_candidates.h"
#include "engine/techniques/single_place.h"

#include <array>
#include <cstdint>

namespace kumoji {

namespace {

// One answer step on the caller's grid. Grid is the live grid: an accepted
// placement changes it, so every step reads it afresh.
class TAnswerStep {
public:
    TAnswerStep(const TMatrix& Grid, const TPlaceMove& Place)
        : Grid(Grid), Place(Place), Tally(Grid) {}

    int SolveStep(bool Deep) {
        const int State = Tally.State();
        if (State == StepSolved || State == StepContradiction) {
            return State;
        }
        if (SolveBySimpleTechniques()) {
            return StepPlaced;
        }
        if (SolveByAdvancedTechniques(Deep)) {
            return Grid.CheckState();
        }
        return StepNoMove;
    }

private:
    const TMatrix& Grid;
    const TPlaceMove& Place;
    // The grid as the step found it, valid until the first offer.
    const TGridTally Tally;

    // The levels ask the same single searches again and again. Until a move
    // is offered the grid cannot have changed, so a search that offered
    // nothing need not run again before the next offer.
    int Offers = 0;
    static constexpr int Unknown = -1;
    int EmptyCellIdle = Unknown;
    int MissingNumberIdle = Unknown;
    int LeftPlaceScan = Unknown;
    int LeftPlaceFound = 0;
    // Set whenever LeftPlaceScan is, so left unset here.
    std::array<int, UnitCount> LeftPlaces;
    int LockedScan = Unknown;
    int LockedFound = 0;
    std::array<int, 10> LeftPlaceIdle{Unknown, Unknown, Unknown, Unknown, Unknown,
                                      Unknown, Unknown, Unknown, Unknown, Unknown};

    bool Put(int Col, int Row, int Digit, TSolveMethod Technique) {
        ++Offers;
        return Place && Place(Col, Row, Digit, Technique);
    }

    // Runs Search unless it offered nothing since the last offer anywhere.
    template <typename F> bool Cached(int& Idle, F Search) {
        if (Idle == Offers) {
            return false;
        }
        const int Before = Offers;
        if (Search()) {
            return true;
        }
        if (Offers == Before) {
            Idle = Offers;
        }
        return false;
    }

    bool SolveBySimpleTechniques() { return TryLevel(1) || TryLevel(2) || TryLevel(4); }

    bool TryLevel(int Level) {
        for (int Digit = 1; Digit <= 9; ++Digit) {
            if (TryDigit(Digit, Level)) {
                return true;
            }
        }
        return false;
    }

    bool TryDigit(int Digit, int Level) {
        if (Cached(EmptyCellIdle, [&] { return PlaceEmptyCell(); })) {
            return true;
        }
        if (Level == 1) {
            return false;
        }
        if (Cached(LeftPlaceIdle[Digit], [&] { return PlaceLeftPlace(Digit); })) {
            return true;
        }
        if (Level == 2) {
            return false;
        }
        if (Cached(MissingNumberIdle, [&] { return PlaceMissingNumber(); })) {
            return true;
        }
        int Col = -1;
        int Row = -1;
        int Found = 0;
        if (LockedScan != Offers) {
            LockedScan = Offers;
            LockedFound = LockedCandidateDigits(Grid);
        }
        if ((LockedFound & DigitBit(Digit)) == 0) {
            return false;
        }
        return Grid.FindMyReservedMove(Digit, Col, Row, Found) &&
               Put(Col, Row, Found, smMyReserved);
    }

    // A unit with eight values: its empty cell takes its single candidate. A
    // cell whose units leave it no candidate, or more than one, offers nothing.
    bool PlaceEmptyCell() {
        const std::uint32_t Single =
            Offers == 0 ? Tally.UnitsWithOneEmptyCell() : UnitsWithOneEmptyCell(Grid);
        if (Single == 0) {
            return false;
        }
        // A refused offer leaves the grid as it was, so the counts still hold.
        for (const int Unit : UnitOrder::RowsColsBoxesByColumn) {
            if ((Single >> Unit & 1) == 0) {
                continue;
            }
            int Empty = 0;
            for (const int Index : UnitCells[Unit]) {
                if (Grid.Values[Index] == 0) {
                    Empty = Index;
                }
            }
            if (!IsSingleDigitMask(Grid.Candidates[Empty])) {
                continue;
            }
            if (Put(Empty % 9, Empty / 9, LowestDigit(Grid.Candidates[Empty]), smEmptyCell)) {
                return true;
            }
        }
        return false;
    }

    bool PlaceLeftPlace(int Digit) {
        if (LeftPlaceScan != Offers) {
            LeftPlaceScan = Offers;
            LeftPlaces = Offers == 0 ? Tally.SinglePlaces() : SinglePlacesByUnit(Grid);
            // A local, since a member could alias the array and be stored each time.
            int Found = 0;
            for (const int Digits : LeftPlaces) {
                Found |= Digits;
            }
            LeftPlaceFound = Found;
        }
        const int Bit = DigitBit(Digit);
        if ((LeftPlaceFound & Bit) == 0) {
            return false;
        }
        for (const int Unit : UnitOrder::RowsColsBoxes) {
            // Until an offer, the units found above are the only ones to look at.
            if (LeftPlaceScan == Offers && (LeftPlaces[Unit] & Bit) == 0) {
                continue;
            }
            const int Place = SinglePlace(Grid, Unit, Digit);
            if (Place >= 0 && Put(Place % 9, Place / 9, Digit, smLeftPlace)) {
                return true;
            }
        }
        return false;
    }

    // Counts placed values only, not candidate masks.
    bool PlaceMissingNumber() {
        std::array<int, UnitCount> Held;
        auto Collect = [&] {
            Held.fill(0);
            for (int Index = 0; Index < 81; ++Index) {
                const TCellUnits& Units = CellUnits[Index];
                const int Bit = ValueBit(Grid.Values[Index]);
                Held[Units.Row] |= Bit;
                Held[Units.Col] |= Bit;
                Held[Units.Box] |= Bit;
            }
        };
        // Until an offer, the step's tally knows what every unit holds.
        if (Offers == 0) {
            Held = Tally.HeldDigits();
        } else {
            Collect();
        }
        for (int Index = 0; Index < 81; ++Index) {
            if (Grid.Values[Index] != 0) {
                continue;
            }
            const TCellUnits& Units = CellUnits[Index];
            const int Missing = AllDigits & ~(Held[Units.Row] | Held[Units.Col] | Held[Units.Box]);
            if (!IsSingleDigitMask(Missing)) {
                continue;
            }
            if (Put(Index % 9, Index / 9, LowestDigit(Missing), smMissingNumber)) {
                return true;
            }
            Collect();
        }
        return false;
    }

    bool SolveByAdvancedTechniques(bool Deep) {
        TMatrix Work;
        Work.CopyFrom(Grid);
        TSolveMethod Technique = smNone;
        int Col = -1;
        int Row = -1;
        int Digit = 0;
        bool Found = false;
        for (int Step = 0;;) {
            TSolveMethod Used;
            if (Work.ApplyMyReserved()) {
                Used = smMyReserved;
            } else if (Work.ApplyYourReserved()) {
                Used = smYourReserved;
            } else if (Work.ApplyOurReserved()) {
                Used = smOurReserved;
            } else {
                break;
            }
            if (Used > Technique) {
                Technique = Used;
            }
            if (Work.FindSingle(Col, Row, Digit)) {
                Found = true;
                break;
            }
            if (++Step > 10) {
                break;
            }
        }
        if (Found && Put(Col, Row, Digit, Technique)) {
            return true;
        }
        return Deep && SolveByDeepPhase();
    }

    // Starts again from the grid as it is now, without the eliminations above.
    bool SolveByDeepPhase() {
        TMatrix Work;
        Work.CopyFrom(Grid);
        int Col = -1;
        int Row = -1;
        int Digit = 0;
        if (Work.FindKeepOffMove(Col, Row, Digit) && Put(Col, Row, Digit, smKeepOff)) {
            return true;
        }
        if (Work.FindGetOutMove(Col, Row, Digit) && Put(Col, Row, Digit, smGetOut)) {
            return true;
        }
        // At most 11 trial cycles; each refuted trial value may open a single
        // at once or after one more reservation pass.
        bool Found = false;
        for (int Step = 0; Step <= 10 && !Found; ++Step) {
            if (!Work.ApplyPuzzled()) {
                break;
            }
            Found = Work.FindSingle(Col, Row, Digit) ||
                    (Work.ApplyMyReserved() && Work.FindSingle(Col, Row, Digit)) ||
                    (Work.ApplyYourReserved() && Work.FindSingle(Col, Row, Digit)) ||
                    (Work.ApplyOurReserved() && Work.FindSingle(Col, Row, Digit));
        }
        return Found && Put(Col, Row, Digit, smPuzzled);
    }
};

} // namespace

int SolveStep(const TMatrix& Grid, bool Deep, const TPlaceMove& Place) {
    return TAnswerStep(Grid, Place).SolveStep(Deep);
}

bool CanPlace(const TMatrix& Grid, int Col, int Row, int Digit) {
    if (Col < 0 || Col > 8 || Row < 0 || Row > 8 || Digit < 1 || Digit > 9) {
        return false;
    }
    return !Grid.RowHas(Row, Digit) && !Grid.ColHas(Col, Digit) && !Grid.BoxHas(Col, Row, Digit);
}

TPlaceMove GridPlacement(TMatrix& Grid) {
    return [&Grid](int Col, int Row, int Digit, TSolveMethod) {
        if (!CanPlace(Grid, Col, Row, Digit) || Grid.GetValue(Col, Row) != 0) {
            return false;
        }
        Grid.SetValue(Col, Row, Digit);
        return true;
    };
}

} // namespace kumoji
