// Where each digit may still go in each unit, as position masks, and who sees whom.
#pragma once

#include "engine/grid/matrix.h"
#include "engine/grid/units.h"
#include "engine/techniques/pattern.h"

#include <array>
#include <initializer_list>
#include <vector>

namespace kumoji {

// The cells of a unit's position mask, ascending by position.
inline std::vector<int> CellsAt(int Unit, int Positions) {
    std::vector<int> Cells;
    for (int P = 0; P < 9; ++P) {
        if (Positions & (1 << P)) {
            Cells.push_back(UnitCells[Unit][P]);
        }
    }
    return Cells;
}

// Read once per search: every pattern finder asks these again and again.
struct TDigitPlaces {
    explicit TDigitPlaces(const TMatrix& Grid) {
        for (int I = 0; I < 81; ++I) {
            const TCellUnits& Of = CellUnits[I];
            const int Value = Grid.Values[I];
            if (Value != 0) {
                Held[Of.Row] |= DigitBit(Value);
                Held[Of.Col] |= DigitBit(Value);
                Held[Of.Box] |= DigitBit(Value);
                continue;
            }
            for (int Mask = Grid.Candidates[I] & AllDigits; Mask != 0; Mask &= Mask - 1) {
                const int D = LowestDigit(Mask);
                Places[D][Of.Row] |= 1 << Of.RowPosition;
                Places[D][Of.Col] |= 1 << Of.ColPosition;
                Places[D][Of.Box] |= 1 << Of.BoxPosition;
            }
        }
    }

    // The digit is not held in the unit and has exactly two places there.
    bool Conjugate(int Digit, int Unit) const {
        return (Held[Unit] & DigitBit(Digit)) == 0 && DigitCount(Places[Digit][Unit]) == 2;
    }

    // Places[D][U]: positions of unit U whose empty cell admits D.
    std::array<std::array<int, UnitCount>, 10> Places{};
    // The digits each unit holds.
    std::array<int, UnitCount> Held{};
};

// An empty cell that admits the digit.
inline bool Admits(const TMatrix& Grid, int Cell, int Digit) {
    return Grid.Values[Cell] == 0 && (Grid.Candidates[Cell] & DigitBit(Digit)) != 0;
}

// Digit taken from every cell marked in Taken that admits it, by cell.
inline std::vector<TCandidate> RemovalsOf(const TMatrix& Grid, const std::array<bool, 81>& Taken,
                                          int Digit) {
    std::vector<TCandidate> Removes;
    for (int I = 0; I < 81; ++I) {
        if (Taken[I] && Admits(Grid, I, Digit)) {
            Removes.push_back({I, Digit});
        }
    }
    return Removes;
}

// Digit taken from every cell that sees all of Seen and is none of Pattern.
inline std::vector<TCandidate> RemovalsSeenBy(const TMatrix& Grid, int Digit,
                                              std::initializer_list<int> Seen,
                                              std::initializer_list<int> Pattern) {
    std::array<bool, 81> Taken{};
    for (int I = 0; I < 81; ++I) {
        bool All = true;
        for (int S : Seen) {
            All = All && Sees(I, S);
        }
        for (int P : Pattern) {
            All = All && I != P;
        }
        Taken[I] = All;
    }
    return RemovalsOf(Grid, Taken, Digit);
}

} // namespace kumoji
