// The answer step's reading of the whole grid, from one tally of every unit.
#include "engine/lanes/unit_tally.h"

#include "engine/techniques/single_place.h"

#include <climits>
#include <cstring>

namespace kumoji {

namespace {

// Each cell's word: its candidates in bits 0-8 and its value v (0..9) as bit
// 9 + v, so an empty cell sets bit 9 and a digit d bit 9 + d.
constexpr int EmptyBit = 1 << 9;
constexpr int HeldShift = 10;

using TUInt4 = unsigned __attribute__((vector_size(16)));

// Bit 9 + v of four values of 0..9, built as a float's exponent like
// DigitBits4; any other value gives some other word.
inline TInt4 ValueWords4(TInt4 Value) {
    const TUInt4 Exponent = (reinterpret_cast<TUInt4>(Value) + (127 + 9)) << 23;
    return __builtin_convertvector(reinterpret_cast<TFloat4>(Exponent), TInt4);
}

// The digits a unit's words say it holds.
inline int HeldOf(int Once) {
    return Once >> HeldShift & AllDigits;
}

} // namespace

// The words are built four cells at a time, and the same lanes find whether
// the grid is plain, since this runs before every move.
TGridTally::TGridTally(const TMatrix& Grid) : Grid(Grid) {
    const TUInt4 AboveNine = {INT_MAX - 9, INT_MAX - 9, INT_MAX - 9, INT_MAX - 9};
    const TInt4 Empty = {};
    std::array<int, 81> Words;
    TUInt4 Values = {};
    TInt4 Masks = {};
    TInt4 FilledMasks = {};
#pragma GCC unroll 20
    for (int I = 0; I + 4 <= 81; I += 4) {
        const TInt4 Value = LoadLanes(&Grid.Values[I]);
        const TInt4 Mask = LoadLanes(&Grid.Candidates[I]);
        const TUInt4 Unsigned = reinterpret_cast<TUInt4>(Value);
        Values |= Unsigned | (Unsigned + AboveNine);
        Masks |= Mask;
        FilledMasks |= Mask & ~(Value == Empty);
        const TInt4 Word = Mask | ValueWords4(Value);
        std::memcpy(&Words[I], &Word, sizeof Word);
    }
    // A value is outside 0..9 when it, or it plus INT_MAX - 9, sets the top
    // bit; a mask is stray outside the nine digits or on a filled cell.
    const TInt4 Stray =
        (reinterpret_cast<TInt4>(Values) & INT_MIN) | (Masks & ~AllDigits) | FilledMasks;
    const int Value = Grid.Values[80];
    const int Mask = Grid.Candidates[80];
    Plain = (Stray[0] | Stray[1] | Stray[2] | Stray[3]) == 0 && Value >= 0 && Value <= 9 &&
            (Mask & ~(Value == 0 ? AllDigits : 0)) == 0;
    if (Plain) {
        Words[80] = Mask | 1 << (9 + Value);
        TallyUnits(Words, Units);
    }
}

// On a plain grid a unit offers the digits it holds and the candidates of its
// empty cells, and every other cell's mask is 0.
int TGridTally::State() const {
    if (!Plain) {
        return Grid.CheckState();
    }
    int Missing = 0;
    int Masks = 0;
    for (int U = 0; U < UnitCount; ++U) {
        const int Once = Units.Once[U];
        Missing |= ((Once | HeldOf(Once)) & AllDigits) ^ AllDigits;
        Masks |= Once;
    }
    if (Missing != 0) {
        return 3;
    }
    return (Masks & AllDigits) == 0 ? 1 : 0;
}

std::uint32_t TGridTally::UnitsWithOneEmptyCell() const {
    if (!Plain) {
        return kumoji::UnitsWithOneEmptyCell(Grid);
    }
    // Each unit's bit taken from a table, so that the loop runs four units a lane.
    static constexpr std::array<int, UnitCount> UnitBits = [] {
        std::array<int, UnitCount> Bits{};
        for (int U = 0; U < UnitCount; ++U) {
            Bits[U] = 1 << U;
        }
        return Bits;
    }();
    int Alone = 0;
    for (int U = 0; U < UnitCount; ++U) {
        Alone |= -((Units.Once[U] & ~Units.Twice[U]) >> 9 & 1) & UnitBits[U];
    }
    return static_cast<std::uint32_t>(Alone);
}

std::array<int, UnitCount> TGridTally::SinglePlaces() const {
    if (!Plain) {
        return SinglePlacesByUnit(Grid);
    }
    std::array<int, UnitCount> Singles;
    for (int U = 0; U < UnitCount; ++U) {
        const int Once = Units.Once[U];
        Singles[U] = Once & ~Units.Twice[U] & AllDigits & ~HeldOf(Once);
    }
    return Singles;
}

std::array<int, UnitCount> TGridTally::HeldDigits() const {
    std::array<int, UnitCount> Held{};
    if (!Plain) {
        for (int U = 0; U < UnitCount; ++U) {
            for (const int I : UnitCells[U]) {
                Held[U] |= ValueBit(Grid.Values[I]);
            }
        }
        return Held;
    }
    for (int U = 0; U < UnitCount; ++U) {
        Held[U] = HeldOf(Units.Once[U]);
    }
    return Held;
}

namespace {

// The units of each cell as bits of the unit numbering.
constexpr std::array<int, 81> CellUnitBits = [] {
    std::array<int, 81> Table{};
    for (int I = 0; I < 81; ++I) {
        const TCellUnits& Units = CellUnits[I];
        Table[I] = 1 << Units.Row | 1 << Units.Col | 1 << Units.Box;
    }
    return Table;
}();

} // namespace

// Set once and set twice over the empty cells, four cells a lane and the
// lanes merged after.
std::uint32_t UnitsWithOneEmptyCell(const TMatrix& Grid) {
    const TInt4 Empty = {};
    TInt4 Once4 = {};
    TInt4 Twice4 = {};
#pragma GCC unroll 20
    for (int I = 0; I + 4 <= 81; I += 4) {
        const TInt4 Units = (LoadLanes(&Grid.Values[I]) == Empty) & LoadLanes(&CellUnitBits[I]);
        Twice4 |= Once4 & Units;
        Once4 |= Units;
    }
    int Once = Grid.Values[80] == 0 ? CellUnitBits[80] : 0;
    int Twice = 0;
#pragma GCC unroll 4
    for (int Lane = 0; Lane < 4; ++Lane) {
        Twice |= Twice4[Lane] | (Once & Once4[Lane]);
        Once |= Once4[Lane];
    }
    return static_cast<std::uint32_t>(Once & ~Twice);
}

} // namespace kumoji
