// The filled cells that make a single single, for the board's drawing.
#include "engine/explain/explain_detail.h"
#include "engine/grid/units.h"

#include <algorithm>

namespace kumoji::explain {

namespace {

// The unit's eight filled cells.
std::vector<int> EmptyCellWitnesses(const TMatrix& Given, const TExplainSingle& Single) {
    std::vector<int> Cells;
    for (int I : UnitCells[Single.Unit]) {
        if (I != Single.Cell && Given.Values[I] != 0) {
            Cells.push_back(I);
        }
    }
    std::sort(Cells.begin(), Cells.end());
    return Cells;
}

// Givens of the digit that see every other empty cell of the unit the givens
// already close to it, chosen greedily: the one that sees most still open first.
std::vector<int> LeftPlaceWitnesses(const TMatrix& Given, const TExplainSingle& Single) {
    const int Bit = DigitBit(Single.Digit);
    std::vector<int> Open;
    for (int I : UnitCells[Single.Unit]) {
        if (I != Single.Cell && Given.Values[I] == 0 && (Given.Candidates[I] & Bit) == 0) {
            Open.push_back(I);
        }
    }
    std::vector<int> Chosen;
    while (!Open.empty()) {
        int Best = -1;
        long Most = 0;
        for (int G = 0; G < 81; ++G) {
            if (Given.Values[G] != Single.Digit) {
                continue;
            }
            const long Seen =
                std::count_if(Open.begin(), Open.end(), [&](int I) { return Sees(G, I); });
            if (Seen > Most) {
                Best = G;
                Most = Seen;
            }
        }
        if (Best < 0) {
            break; // not reached with candidates the givens leave
        }
        Chosen.push_back(Best);
        std::erase_if(Open, [&](int I) { return Sees(Best, I); });
    }
    std::sort(Chosen.begin(), Chosen.end());
    return Chosen;
}

// For each other digit the givens keep from the cell, one given of it that the
// cell sees: in its row if any, else its column, else its box.
std::vector<int> MissingNumberWitnesses(const TMatrix& Given, const TExplainSingle& Single) {
    const TCellUnits& Units = CellUnits[Single.Cell];
    std::vector<int> Cells;
    for (int D = 1; D <= 9; ++D) {
        if (D == Single.Digit || (Given.Candidates[Single.Cell] & DigitBit(D)) != 0) {
            continue;
        }
        for (int Unit : {Units.Row, Units.Col, Units.Box}) {
            const auto& Unit9 = UnitCells[Unit];
            const auto Hit = std::find_if(Unit9.begin(), Unit9.end(),
                                          [&](int I) { return Given.Values[I] == D; });
            if (Hit != Unit9.end()) {
                Cells.push_back(*Hit);
                break;
            }
        }
    }
    return Cells;
}

} // namespace

std::vector<int> SingleWitnesses(const TMatrix& Given, const TExplainSingle& Single) {
    switch (Single.Kind) {
    case smEmptyCell:
        return EmptyCellWitnesses(Given, Single);
    case smLeftPlace:
        return LeftPlaceWitnesses(Given, Single);
    case smMissingNumber:
        return MissingNumberWitnesses(Given, Single);
    default:
        return {};
    }
}

} // namespace kumoji::explain
