// A plain check of an explanation, written from the rules alone: it works the
// candidates out from the givens by brute force and replays only what the
// explanation lists, without the explainer's own helpers.
#pragma once

#include "engine/explain/explanation.h"

#include <algorithm>
#include <array>
#include <set>
#include <string>
#include <vector>

namespace kumoji::test {

struct TPlainGrid {
    std::array<int, 81> Values{};
    // Cand[cell][digit], digit 1..9.
    std::array<std::array<bool, 10>, 81> Cand{};
};

inline int RowOf(int Cell) {
    return Cell / 9;
}
inline int ColOf(int Cell) {
    return Cell % 9;
}
inline int BoxOf(int Cell) {
    return Cell / 27 * 3 + Cell % 9 / 3;
}

// Unit numbers as units.h: rows 0..8, columns 9..17, boxes 18..26.
inline bool InPlainUnit(int Unit, int Cell) {
    return Unit < 9    ? RowOf(Cell) == Unit
           : Unit < 18 ? ColOf(Cell) == Unit - 9
                       : BoxOf(Cell) == Unit - 18;
}

inline std::vector<int> PlainUnitCells(int Unit) {
    std::vector<int> Cells;
    for (int I = 0; I < 81; ++I) {
        if (InPlainUnit(Unit, I)) {
            Cells.push_back(I);
        }
    }
    return Cells;
}

inline bool PlainSees(int A, int B) {
    return RowOf(A) == RowOf(B) || ColOf(A) == ColOf(B) || BoxOf(A) == BoxOf(B);
}

// Candidates from the givens: a digit is out wherever a given of it is seen.
inline TPlainGrid PlainGrid(const std::string& Text) {
    TPlainGrid Grid;
    for (int I = 0; I < 81; ++I) {
        Grid.Values[I] = Text[I] - '0';
    }
    for (int I = 0; I < 81; ++I) {
        for (int D = 1; D <= 9; ++D) {
            bool Seen = false;
            for (int J = 0; J < 81; ++J) {
                Seen = Seen || (J != I && Grid.Values[J] == D && PlainSees(I, J));
            }
            Grid.Cand[I][D] = Grid.Values[I] == 0 && !Seen;
        }
    }
    return Grid;
}

inline bool PlacedInUnit(const TPlainGrid& Grid, int Unit, int Digit) {
    for (int I : PlainUnitCells(Unit)) {
        if (Grid.Values[I] == Digit) {
            return true;
        }
    }
    return false;
}

inline std::vector<int> PlainPlaces(const TPlainGrid& Grid, int Unit, int Digit) {
    std::vector<int> Places;
    for (int I : PlainUnitCells(Unit)) {
        if (Grid.Cand[I][Digit]) {
            Places.push_back(I);
        }
    }
    return Places;
}

inline bool Has(const std::vector<int>& Items, int Item) {
    return std::find(Items.begin(), Items.end(), Item) != Items.end();
}

// Why a step's pattern fails on the grid, or empty when it holds and every
// listed removal is present and one the pattern allows.
inline std::string PlainStepFault(const TPlainGrid& Grid, const TExplainStep& Step) {
    if (!std::is_sorted(Step.Digits.begin(), Step.Digits.end()) ||
        !std::is_sorted(Step.Cells.begin(), Step.Cells.end())) {
        return "digits or cells not ascending";
    }
    if (Step.Removes.empty()) {
        return "removes nothing";
    }
    for (const TCandidate& Item : Step.Removes) {
        if (Item.Cell < 0 || Item.Cell > 80 || Item.Digit < 1 || Item.Digit > 9 ||
            !Grid.Cand[Item.Cell][Item.Digit]) {
            return "removal not present";
        }
    }
    std::set<int> Allowed; // cell * 10 + digit
    if (Step.Technique == smMyReserved) {
        if (Step.Digits.size() != 1 || Step.Units.size() != 2) {
            return "locked: shape";
        }
        const int U1 = Step.Units[0];
        const int U2 = Step.Units[1];
        const int D = Step.Digits[0];
        if ((U1 >= 18) == (U2 >= 18) || U1 < 0 || U2 < 0 || U1 > 26 || U2 > 26) {
            return "locked: not a box and a line";
        }
        if (PlacedInUnit(Grid, U1, D) || PlainPlaces(Grid, U1, D) != Step.Cells ||
            Step.Cells.empty()) {
            return "locked: cells are not the digit's places in the first unit";
        }
        for (int I : Step.Cells) {
            if (!InPlainUnit(U2, I)) {
                return "locked: a place outside the second unit";
            }
        }
        for (int I : PlainUnitCells(U2)) {
            if (!InPlainUnit(U1, I)) {
                Allowed.insert(I * 10 + D);
            }
        }
    } else if (Step.Technique == smYourReserved) {
        if (Step.Units.size() != 1 || Step.Cells.size() < 2 || Step.Cells.size() > 8 ||
            Step.Digits.size() != Step.Cells.size()) {
            return "naked: shape";
        }
        const int U = Step.Units[0];
        std::set<int> Union;
        for (int I : Step.Cells) {
            if (!InPlainUnit(U, I) || Grid.Values[I] != 0) {
                return "naked: a cell not open in the unit";
            }
            for (int D = 1; D <= 9; ++D) {
                if (Grid.Cand[I][D]) {
                    Union.insert(D);
                }
            }
        }
        if (std::vector<int>(Union.begin(), Union.end()) != Step.Digits) {
            return "naked: the cells' candidates are not the digits";
        }
        for (int I : PlainUnitCells(U)) {
            for (int D : Step.Digits) {
                if (!Has(Step.Cells, I)) {
                    Allowed.insert(I * 10 + D);
                }
            }
        }
    } else if (Step.Technique == smOurReserved) {
        if (Step.Units.size() != 1 || Step.Digits.size() < 2 || Step.Digits.size() > 8 ||
            Step.Digits.size() != Step.Cells.size()) {
            return "hidden: shape";
        }
        const int U = Step.Units[0];
        std::set<int> Union;
        for (int D : Step.Digits) {
            const std::vector<int> Places = PlainPlaces(Grid, U, D);
            if (PlacedInUnit(Grid, U, D) || Places.empty()) {
                return "hidden: a digit placed in the unit or without a place";
            }
            Union.insert(Places.begin(), Places.end());
        }
        if (std::vector<int>(Union.begin(), Union.end()) != Step.Cells) {
            return "hidden: the digits' places are not the cells";
        }
        for (int I : Step.Cells) {
            for (int D = 1; D <= 9; ++D) {
                if (!Has(Step.Digits, D)) {
                    Allowed.insert(I * 10 + D);
                }
            }
        }
    } else {
        return "not a reservation technique";
    }
    for (const TCandidate& Item : Step.Removes) {
        if (Allowed.count(Item.Cell * 10 + Item.Digit) == 0) {
            return "removal not allowed by the pattern";
        }
    }
    return {};
}

inline bool PlainSingleHolds(const TPlainGrid& Grid, const TExplainSingle& Single) {
    const int Cell = Single.Cell;
    if (Cell < 0 || Cell > 80 || Grid.Values[Cell] != 0 || !Grid.Cand[Cell][Single.Digit]) {
        return false;
    }
    if (Single.Kind == smMissingNumber) {
        int Count = 0;
        for (int D = 1; D <= 9; ++D) {
            Count += Grid.Cand[Cell][D];
        }
        return Single.Unit == -1 && Count == 1;
    }
    if (Single.Unit < 0 || Single.Unit > 26 || !InPlainUnit(Single.Unit, Cell)) {
        return false;
    }
    if (Single.Kind == smLeftPlace) {
        return !PlacedInUnit(Grid, Single.Unit, Single.Digit) &&
               PlainPlaces(Grid, Single.Unit, Single.Digit) == std::vector<int>{Cell};
    }
    if (Single.Kind == smEmptyCell) {
        std::set<int> Held;
        for (int I : PlainUnitCells(Single.Unit)) {
            if (I != Cell) {
                if (Grid.Values[I] == 0) {
                    return false;
                }
                Held.insert(Grid.Values[I]);
            }
        }
        return Held.size() == 8 && Held.count(Single.Digit) == 0;
    }
    return false;
}

// Replays the listed removals of Steps; empty when every step holds and the
// single holds at the end, else why not.
inline std::string PlainReplayFault(const std::string& Text, const std::vector<TExplainStep>& Steps,
                                    const TExplainSingle& Single) {
    TPlainGrid Grid = PlainGrid(Text);
    for (std::size_t K = 0; K < Steps.size(); ++K) {
        const std::string Fault = PlainStepFault(Grid, Steps[K]);
        if (!Fault.empty()) {
            return "step " + std::to_string(K + 1) + ": " + Fault;
        }
        for (const TCandidate& Item : Steps[K].Removes) {
            Grid.Cand[Item.Cell][Item.Digit] = false;
        }
    }
    return PlainSingleHolds(Grid, Single) ? "" : "the single does not hold";
}

// Every fault of an explanation of a question of technique Technique, one a
// line; empty when it passes.
inline std::string PlainExplanationFaults(const std::string& Text, const TExplanation& E,
                                          TSolveMethod Technique) {
    std::string Faults;
    const auto Fault = [&](const std::string& Line) { Faults += Line + "\n"; };
    if (E.Technique != Technique) {
        Fault("technique " + std::to_string(E.Technique));
    }
    if (Technique <= smMissingNumber) {
        if (!E.Steps.empty()) {
            Fault("steps for a single technique");
        }
        if (E.Single.Kind != Technique) {
            Fault("single kind is not the technique");
        }
    } else {
        bool Own = false;
        for (const TExplainStep& Step : E.Steps) {
            Own = Own || Step.Technique == Technique;
            if (Step.Technique > Technique || Step.Technique < smMyReserved) {
                Fault("a step harder than the technique");
            }
        }
        if (!Own) {
            Fault("no step of the technique");
        }
    }
    if (const std::string Replay = PlainReplayFault(Text, E.Steps, E.Single); !Replay.empty()) {
        Fault(Replay);
    }
    for (std::size_t K = 0; K < E.Steps.size(); ++K) {
        std::vector<TExplainStep> Fewer = E.Steps;
        Fewer.erase(Fewer.begin() + static_cast<long>(K));
        if (PlainReplayFault(Text, Fewer, E.Single).empty()) {
            Fault("step " + std::to_string(K + 1) + " can be left out");
        }
    }
    if (E.Text.size() != E.Steps.size() + 1) {
        Fault("text lines");
    }
    for (const std::string& Line : E.Text) {
        if (Line.find("  ") == std::string::npos || Line.find("  ") == 0) {
            Fault("a line without its Japanese and English halves: " + Line);
        }
    }
    // Witnesses: filled cells that make the single.
    const TPlainGrid Given = PlainGrid(Text);
    const TExplainSingle& S = E.Single;
    for (int W : S.Witnesses) {
        if (W < 0 || W > 80 || Given.Values[W] == 0) {
            Fault("a witness that is not a given");
            return Faults;
        }
    }
    if (S.Kind == smEmptyCell && S.Witnesses.size() != 8) {
        Fault("empty cell witnesses");
    }
    if (S.Kind == smLeftPlace && S.Unit >= 0 && S.Unit <= 26) {
        for (int I : PlainUnitCells(S.Unit)) {
            if (I == S.Cell || Given.Values[I] != 0 || Given.Cand[I][S.Digit]) {
                continue;
            }
            bool Covered = false;
            for (int W : S.Witnesses) {
                Covered = Covered || (Given.Values[W] == S.Digit && PlainSees(W, I));
            }
            if (!Covered) {
                Fault("left place: a closed cell no witness sees");
            }
        }
    }
    if (S.Kind == smMissingNumber) {
        for (int D = 1; D <= 9; ++D) {
            if (D == S.Digit || Given.Cand[S.Cell][D]) {
                continue;
            }
            bool Seen = false;
            for (int W : S.Witnesses) {
                Seen = Seen || (Given.Values[W] == D && PlainSees(W, S.Cell));
            }
            if (!Seen) {
                Fault("missing number: digit " + std::to_string(D) + " has no witness");
            }
        }
    }
    return Faults;
}

} // namespace kumoji::test
