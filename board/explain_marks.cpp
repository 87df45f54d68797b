// What an explanation marks on the board, cell by cell: counting only, no drawing.
#include "board/explain_marks.h"

#include "engine/explain/explanation.h"

#include <algorithm>

namespace kumoji {

namespace {

bool Contains(const std::vector<int>& List, int Value) {
    return std::find(List.begin(), List.end(), Value) != List.end();
}

bool ValidCell(int Cell) {
    return Cell >= 0 && Cell < 81;
}

} // namespace

TExplainMarks ExplainMarks(const TExplanation& Explanation, const TMatrix& Position) {
    TExplainMarks Marks;
    std::vector<int> Touched;
    for (const TExplainStep& Step : Explanation.Steps) {
        for (const int Unit : Step.Units) {
            if (Unit >= 0 && Unit < UnitCount && !Contains(Marks.Units, Unit)) {
                Marks.Units.push_back(Unit);
            }
        }
        for (const int Cell : Step.Cells) {
            if (ValidCell(Cell) && !Contains(Marks.PatternCells, Cell)) {
                Marks.PatternCells.push_back(Cell);
            }
        }
        for (const TCandidate& Remove : Step.Removes) {
            if (ValidCell(Remove.Cell)) {
                Touched.push_back(Remove.Cell);
            }
        }
    }
    std::sort(Marks.PatternCells.begin(), Marks.PatternCells.end());
    Touched.insert(Touched.end(), Marks.PatternCells.begin(), Marks.PatternCells.end());
    std::sort(Touched.begin(), Touched.end());
    Touched.erase(std::unique(Touched.begin(), Touched.end()), Touched.end());

    const TMatrix Given = GivenCandidates(Position);
    for (const int Cell : Touched) {
        if (Position.Values[static_cast<std::size_t>(Cell)] != 0) {
            continue;
        }
        for (int Digit = 1; Digit <= 9; ++Digit) {
            if (!Given.HasCandidate(Cell % 9, Cell / 9, Digit)) {
                continue;
            }
            TExplainDigit Mark{Cell, Digit};
            for (const TExplainStep& Step : Explanation.Steps) {
                Mark.Pattern =
                    Mark.Pattern || (Contains(Step.Digits, Digit) && Contains(Step.Cells, Cell));
                Mark.Removed =
                    Mark.Removed || std::find(Step.Removes.begin(), Step.Removes.end(),
                                              TCandidate{Cell, Digit}) != Step.Removes.end();
            }
            Marks.Digits.push_back(Mark);
        }
    }

    const TExplainSingle& Single = Explanation.Single;
    // Steps that lead to no single on the grid explain nothing.
    if (!ValidCell(Single.Cell) || Single.Digit < 1 || Single.Digit > 9) {
        return {};
    }
    Marks.SingleUnit = Single.Unit >= 0 && Single.Unit < UnitCount ? Single.Unit : -1;
    for (const int Cell : Single.Witnesses) {
        if (ValidCell(Cell)) {
            Marks.Witnesses.push_back(Cell);
        }
    }
    Marks.Target = Single.Cell;
    Marks.TargetDigit = Single.Digit;
    if (Single.Kind == smLeftPlace && Marks.SingleUnit >= 0) {
        for (const unsigned char Cell : UnitCells[static_cast<std::size_t>(Marks.SingleUnit)]) {
            if (Cell != Single.Cell && Position.Values[Cell] == 0 &&
                !std::binary_search(Touched.begin(), Touched.end(), Cell)) {
                Marks.Covered.push_back(Cell);
            }
        }
    }
    return Marks;
}

TExplainMarks LookMarks(const TExplanation& Explanation) {
    TExplainMarks Look;
    if (!Explanation.Steps.empty()) {
        const TExplainMarks All = ExplainMarks(Explanation, TMatrix());
        Look.Units = All.Units;
        Look.PatternCells = All.PatternCells;
        return Look;
    }
    const TExplainSingle& Single = Explanation.Single;
    if (Single.Unit >= 0 && Single.Unit < UnitCount) {
        Look.Units.push_back(Single.Unit);
    } else if (ValidCell(Single.Cell)) {
        const TCellUnits& Units = CellUnits[static_cast<std::size_t>(Single.Cell)];
        Look.Units = {Units.Row, Units.Col, Units.Box};
    }
    return Look;
}

} // namespace kumoji
