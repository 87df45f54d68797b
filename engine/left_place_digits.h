#pragma once

#include "engine/matrix.h"

namespace kumoji::detail {

// The bit of a cell's value, 0 for an empty cell or a stray value.
inline int ValueBit(int Value) {
    return static_cast<unsigned>(Value) <= 9u ? (1 << Value) >> 1 : 0;
}

// The digits that some row, column or box admits in exactly one cell and
// holds in none: those for which the left-place search succeeds. One sweep
// row by row keeps the tallies of the columns and of the current band's boxes.
inline int LeftPlaceDigits(const TMatrix& Grid) {
    int ColOnce[9] = {};
    int ColTwice[9] = {};
    int ColHeld[9] = {};
    int Digits = 0;
    for (int Band = 0; Band < 3; ++Band) {
        int BoxOnce[3] = {};
        int BoxTwice[3] = {};
        int BoxHeld[3] = {};
        for (int R = Band * 3; R < Band * 3 + 3; ++R) {
            int RowOnce = 0;
            int RowTwice = 0;
            int RowHeld = 0;
            for (int S = 0; S < 3; ++S) {
                for (int C = S * 3; C < S * 3 + 3; ++C) {
                    const int I = R * 9 + C;
                    const int Mask = Grid.Candidates[I];
                    const int Held = ValueBit(Grid.Values[I]);
                    RowTwice |= RowOnce & Mask;
                    RowOnce |= Mask;
                    RowHeld |= Held;
                    ColTwice[C] |= ColOnce[C] & Mask;
                    ColOnce[C] |= Mask;
                    ColHeld[C] |= Held;
                    BoxTwice[S] |= BoxOnce[S] & Mask;
                    BoxOnce[S] |= Mask;
                    BoxHeld[S] |= Held;
                }
            }
            Digits |= RowOnce & ~RowTwice & ~RowHeld;
        }
        for (int S = 0; S < 3; ++S) {
            Digits |= BoxOnce[S] & ~BoxTwice[S] & ~BoxHeld[S];
        }
    }
    for (int C = 0; C < 9; ++C) {
        Digits |= ColOnce[C] & ~ColTwice[C] & ~ColHeld[C];
    }
    return Digits & AllDigits;
}

} // namespace kumoji::detail
