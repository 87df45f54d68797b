// The units where a digit has a single place: one digit at a time, or all nine at once.
#include "engine/techniques/single_place.h"

#include "engine/grid/digit_board.h"
#include "engine/lanes/lanes.h"
#include "engine/lanes/unit_tally.h"

namespace kumoji {

namespace {

// The digits that the cells of a unit hold.
int HeldDigits(const TMatrix& Grid, const TUnitCells& Cells) {
    int Held = 0;
#pragma GCC unroll 9
    for (const int I : Cells) {
        Held |= ValueBit(Grid.Values[I]);
    }
    return Held;
}

// Per unit, the digits admitted once, held or not: a digit admitted once by a
// unit that does not hold it has its single place there.
std::array<int, UnitCount> AdmittedOnce(const TMatrix& Grid) {
    TUnitTally Units;
    TallyUnits(Grid.Candidates, Units);
    std::array<int, UnitCount> Singles;
    for (int U = 0; U < UnitCount; ++U) {
        Singles[U] = Units.Once[U] & ~Units.Twice[U] & AllDigits;
    }
    return Singles;
}

// The cells that admit Digit, four at a time: its candidate bit moved to
// each lane's sign.
TCellSet AdmittingCells(const TMatrix& Grid, int Digit) {
    const int ToSign = 32 - Digit;
    TCellSet Cells;
#pragma GCC unroll 20
    for (int I = 0; I < 80; I += 4) {
        const int Admit = LaneSigns(LoadLanes(&Grid.Candidates[I]) << ToSign);
        Cells.AddFrom(I, static_cast<unsigned>(Admit));
    }
    Cells.High |= std::uint64_t((Grid.Candidates[80] & DigitBit(Digit)) != 0) << 16;
    return Cells;
}

// The units whose held digits include Digit, as bits of the unit numbers.
std::uint32_t HoldingUnits(const std::array<int, UnitCount>& Held, int Digit) {
    const int ToSign = 32 - Digit;
    std::uint32_t Units = 0;
#pragma GCC unroll 6
    for (int U = 0; U < 24; U += 4) {
        Units |= static_cast<std::uint32_t>(LaneSigns(LoadLanes(&Held[U]) << ToSign)) << U;
    }
    for (int U = 24; U < UnitCount; ++U) {
        Units |= std::uint32_t((Held[U] & DigitBit(Digit)) != 0) << U;
    }
    return Units;
}

// The nine cells of row R as bits 0..8.
int RowBits(TCellSet Cells, int R) {
    if (R < 7) {
        return static_cast<int>(Cells.Low >> (9 * R)) & AllDigits;
    }
    if (R == 7) {
        return static_cast<int>(Cells.Low >> 63 | Cells.High << 1) & AllDigits;
    }
    return static_cast<int>(Cells.High >> 8) & AllDigits;
}

// Per nine bits read as three groups of three (a band's boxes), the groups
// with exactly one bit and those with any.
inline constexpr auto GroupsWithOneBit = [] {
    std::array<unsigned char, 512> Table{};
    for (int Bits = 0; Bits < 512; ++Bits) {
        for (int G = 0; G < 3; ++G) {
            const int Group = Bits >> (3 * G) & 7;
            Table[Bits] |=
                static_cast<unsigned char>((Group != 0 && (Group & (Group - 1)) == 0) << G);
        }
    }
    return Table;
}();
inline constexpr auto GroupsWithAny = [] {
    std::array<unsigned char, 512> Table{};
    for (int Bits = 0; Bits < 512; ++Bits) {
        for (int G = 0; G < 3; ++G) {
            Table[Bits] |= static_cast<unsigned char>(((Bits >> (3 * G) & 7) != 0) << G);
        }
    }
    return Table;
}();

} // namespace

// The rows are read off the bit set; columns and boxes count their cells
// row by row as set once and set again, per column.
std::uint32_t SinglePlaceUnits(const TMatrix& Grid, const std::array<int, UnitCount>& Held,
                               int Digit) {
    if (DigitBit(Digit) == 0) {
        return 0;
    }
    const TCellSet Cells = AdmittingCells(Grid, Digit);
    std::uint32_t Rows = 0;
    std::uint32_t Boxes = 0;
    int Once = 0;
    int Twice = 0;
#pragma GCC unroll 3
    for (int Band = 0; Band < 3; ++Band) {
        int BandOnce = 0;
        int BandTwice = 0;
#pragma GCC unroll 3
        for (int R = 3 * Band; R < 3 * Band + 3; ++R) {
            const int Admit = RowBits(Cells, R);
            Rows |= std::uint32_t{Admit != 0 && (Admit & (Admit - 1)) == 0} << R;
            BandTwice |= BandOnce & Admit;
            BandOnce |= Admit;
        }
        Twice |= BandTwice | (Once & BandOnce);
        Once |= BandOnce;
        // A box has one place when one of its columns has one and the
        // others none.
        Boxes |= std::uint32_t(GroupsWithOneBit[BandOnce] & ~GroupsWithAny[BandTwice])
                 << (3 * Band);
    }
    const std::uint32_t Cols = static_cast<std::uint32_t>(Once & ~Twice);
    return (Rows << RowUnit(0) | Cols << ColUnit(0) | Boxes << BoxUnit(0, 0)) &
           ~HoldingUnits(Held, Digit);
}

// Most units admit no digit once, so the held digits are looked up only for
// those that do.
std::array<int, UnitCount> SinglePlacesByUnit(const TMatrix& Grid) {
    std::array<int, UnitCount> Singles = AdmittedOnce(Grid);
    for (int U = 0; U < UnitCount; ++U) {
        if (Singles[U] != 0) {
            Singles[U] &= ~HeldDigits(Grid, UnitCells[U]);
        }
    }
    return Singles;
}

// A digit already found needs no second look at another unit's held digits.
int SinglePlaceDigits(const TMatrix& Grid) {
    const std::array<int, UnitCount> Singles = AdmittedOnce(Grid);
    int Digits = 0;
    for (int U = 0; U < UnitCount; ++U) {
        const int Single = Singles[U] & ~Digits;
        if (Single != 0) {
            Digits |= Single & ~HeldDigits(Grid, UnitCells[U]);
        }
    }
    return Digits;
}

} // namespace kumoji
