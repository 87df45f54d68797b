// What an explanation marks on the board, cell by cell: counting only, no drawing.
#include "board/explain_marks.h"

#include "engine/explain/explanation.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace kumoji {

namespace {

bool Contains(const std::vector<int>& List, int Value) {
    return std::find(List.begin(), List.end(), Value) != List.end();
}

bool ValidCell(int Cell) {
    return Cell >= 0 && Cell < 81;
}

bool ValidUnit(int Unit) {
    return Unit >= 0 && Unit < UnitCount;
}

bool SameUnit(int A, int B) {
    const TCellUnits& U = CellUnits[static_cast<std::size_t>(A)];
    const TCellUnits& V = CellUnits[static_cast<std::size_t>(B)];
    return U.Row == V.Row || U.Col == V.Col || U.Box == V.Box;
}

// What the step's own shape adds to the tints: lines, colours, the pivot, the order.
void AddShape(const TExplainStep& Step, TExplainMarks& Marks) {
    const std::vector<int>& C = Step.Cells;
    const auto Valid = [&C](std::initializer_list<std::size_t> Indexes) {
        for (const std::size_t I : Indexes) {
            if (I >= C.size() || !ValidCell(C[I])) {
                return false;
            }
        }
        return true;
    };
    const auto Link = [&Marks](int From, int To, bool Strong) {
        if (From != To) {
            Marks.Links.push_back({From, To, Strong});
        }
    };
    switch (Step.Technique) {
    case smXWing:
    case smSwordfish:
        for (const int Unit : Step.Cover) {
            if (ValidUnit(Unit) && !Contains(Marks.CoverUnits, Unit)) {
                Marks.CoverUnits.push_back(Unit);
            }
        }
        break;
    case smSkyscraper:
    case sm2StringKite:
    case smWWing:
        // Two strong links joined by a weak one, or for the wing two cells that share a digit
        // joined through the strong link between them.
        if (C.size() == 4 && Valid({0, 1, 2, 3})) {
            const bool Wing = Step.Technique == smWWing;
            Link(C[0], C[1], !Wing);
            Link(C[1], C[2], Wing);
            Link(C[2], C[3], !Wing);
        }
        break;
    case smXYWing:
    case smXYZWing:
        if (C.size() == 3 && Valid({0, 1, 2})) {
            Marks.Pivot = C[0];
            Link(C[0], C[1], false);
            Link(C[0], C[2], false);
        }
        break;
    case smSimpleColouring:
        for (std::size_t I = 0; I < C.size() && I < Step.Colours.size(); ++I) {
            if (ValidCell(C[I])) {
                Marks.Colours.emplace_back(C[I], Step.Colours[I] != 0 ? 1 : 0);
            }
        }
        for (const std::array<int, 3>& L : Step.Links) {
            const auto From = static_cast<std::size_t>(L[0]);
            const auto To = static_cast<std::size_t>(L[1]);
            if (L[0] >= 0 && L[1] >= 0 && Valid({From, To})) {
                Link(C[From], C[To], true);
            }
        }
        break;
    case smKeepOff:
    case smGetOut:
        for (const int Cell : C) {
            if (ValidCell(Cell)) {
                Marks.Chain.push_back(Cell);
            }
        }
        // Each forced place follows from the one before where they see each other.
        for (std::size_t I = 1; I < Marks.Chain.size(); ++I) {
            if (SameUnit(Marks.Chain[I - 1], Marks.Chain[I])) {
                Link(Marks.Chain[I - 1], Marks.Chain[I], false);
            }
        }
        break;
    default:
        break;
    }
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
        AddShape(Step, Marks);
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
        TExplainMarks All = ExplainMarks(Explanation, TMatrix());
        Look.Units = std::move(All.Units);
        Look.PatternCells = std::move(All.PatternCells);
        Look.CoverUnits = std::move(All.CoverUnits);
        Look.Pivot = All.Pivot;
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
