// The pattern search: every locked candidate, naked subset and hidden subset
// of a candidate grid that takes something.
#include "engine/explain/explain_detail.h"
#include "engine/explain/step_check.h"
#include "engine/grid/units.h"

#include <algorithm>
#include <array>
#include <functional>
#include <utility>

namespace kumoji::explain {

namespace {

// Calls Visit with each Size-item choice of Items, in ascending order; stops
// when Visit returns true.
bool ForEachChoice(const std::vector<int>& Items, int Size,
                   const std::function<bool(const std::vector<int>&)>& Visit) {
    std::vector<int> Chosen;
    const std::function<bool(std::size_t)> Walk = [&](std::size_t From) {
        if (static_cast<int>(Chosen.size()) == Size) {
            return Visit(Chosen);
        }
        for (std::size_t K = From; K < Items.size(); ++K) {
            Chosen.push_back(Items[K]);
            if (Walk(K + 1)) {
                return true;
            }
            Chosen.pop_back();
        }
        return false;
    };
    return Walk(0);
}

// Adds the step when it takes something; true when the search may stop.
bool Offer(const TMatrix& Grid, TExplainStep Step, bool First, std::vector<TExplainStep>& Found) {
    Step.Removes = PatternRemovals(Grid, Step);
    if (Step.Removes.empty()) {
        return false;
    }
    Found.push_back(std::move(Step));
    return First;
}

void FindLocked(const TMatrix& Grid, bool First, std::vector<TExplainStep>& Found) {
    for (int Digit = 1; Digit <= 9; ++Digit) {
        for (int Box = 18; Box < UnitCount; ++Box) {
            const int Band = (Box - 18) / 3;
            const int Stack = (Box - 18) % 3;
            for (int K = 0; K < 6; ++K) {
                const int Line = K < 3 ? RowUnit(3 * Band + K) : ColUnit(3 * Stack + K - 3);
                for (const auto& [Inner, Outer] : {std::pair{Box, Line}, std::pair{Line, Box}}) {
                    std::vector<int> Places;
                    bool Inside = true;
                    bool Placed = false;
                    for (int I : UnitCells[Inner]) {
                        Placed = Placed || Grid.Values[I] == Digit;
                        if (Grid.Candidates[I] & DigitBit(Digit)) {
                            Places.push_back(I);
                            const TCellUnits& Units = CellUnits[I];
                            Inside = Inside && (Units.Row == Outer || Units.Col == Outer ||
                                                Units.Box == Outer);
                        }
                    }
                    if (Placed || !Inside || Places.empty()) {
                        continue;
                    }
                    std::sort(Places.begin(), Places.end());
                    if (Offer(Grid, {smMyReserved, {Digit}, Places, {Inner, Outer}, {}}, First,
                              Found)) {
                        return;
                    }
                }
            }
        }
    }
}

std::vector<int> DigitsOf(int Mask) {
    std::vector<int> Digits;
    for (int D = 1; D <= 9; ++D) {
        if (Mask & DigitBit(D)) {
            Digits.push_back(D);
        }
    }
    return Digits;
}

void FindNaked(const TMatrix& Grid, int Size, TPatternForm Form, bool First,
               std::vector<TExplainStep>& Found) {
    for (int Unit = 0; Unit < UnitCount; ++Unit) {
        // Cells with a single candidate are singles of their own, not part of a subset.
        std::vector<int> Open;
        for (int I : UnitCells[Unit]) {
            const int Count = Grid.Values[I] == 0 ? DigitCount(Grid.Candidates[I]) : 0;
            if (Count >= 2 && Count <= Size) {
                Open.push_back(I);
            }
        }
        std::sort(Open.begin(), Open.end());
        const bool Stop = ForEachChoice(Open, Size, [&](const std::vector<int>& Cells) {
            int Union = 0;
            bool Same = true;
            for (int I : Cells) {
                Union |= Grid.Candidates[I];
                Same = Same && Grid.Candidates[I] == Grid.Candidates[Cells[0]];
            }
            if (DigitCount(Union) != Size || (Form == TPatternForm::Engine && !Same)) {
                return false;
            }
            return Offer(Grid, {smYourReserved, DigitsOf(Union), Cells, {Unit}, {}}, First, Found);
        });
        if (Stop) {
            return;
        }
    }
}

void FindHidden(const TMatrix& Grid, int Size, TPatternForm Form, bool First,
                std::vector<TExplainStep>& Found) {
    for (int Unit = 0; Unit < UnitCount; ++Unit) {
        // Places as bits of cell indexes would not fit; positions in the unit do.
        std::array<int, 10> Places{};
        int Placed = 0;
        for (int P = 0; P < 9; ++P) {
            const int I = UnitCells[Unit][P];
            Placed |= DigitBit(Grid.Values[I]);
            for (int D = 1; D <= 9; ++D) {
                if (Grid.Values[I] == 0 && (Grid.Candidates[I] & DigitBit(D))) {
                    Places[D] |= 1 << P;
                }
            }
        }
        // A digit with one place is a single of its own, not part of a subset.
        std::vector<int> Open;
        for (int D = 1; D <= 9; ++D) {
            const int Count = DigitCount(Places[D]);
            if ((Placed & DigitBit(D)) == 0 && Count >= 2 && Count <= Size) {
                Open.push_back(D);
            }
        }
        const bool Stop = ForEachChoice(Open, Size, [&](const std::vector<int>& Digits) {
            int Union = 0;
            bool Same = true;
            for (int D : Digits) {
                Union |= Places[D];
                Same = Same && Places[D] == Places[Digits[0]];
            }
            if (DigitCount(Union) != Size || (Form == TPatternForm::Engine && !Same)) {
                return false;
            }
            std::vector<int> Cells;
            for (int P = 0; P < 9; ++P) {
                if (Union & (1 << P)) {
                    Cells.push_back(UnitCells[Unit][P]);
                }
            }
            std::sort(Cells.begin(), Cells.end());
            return Offer(Grid, {smOurReserved, Digits, Cells, {Unit}, {}}, First, Found);
        });
        if (Stop) {
            return;
        }
    }
}

} // namespace

TExplainStep StepOf(const TPattern& Pattern) {
    TExplainStep Step{Pattern.Technique, Pattern.Digits, Pattern.Cells, Pattern.Units,
                      Pattern.Removes};
    Step.Cover = Pattern.Cover;
    Step.Colours = Pattern.Colours;
    Step.Links = Pattern.Links;
    return Step;
}

std::vector<TSolveMethod> TechniquesUpTo(TSolveMethod Technique) {
    std::vector<TSolveMethod> Techniques{smMyReserved, smYourReserved, smOurReserved};
    Techniques.resize(Technique <= smOurReserved ? std::max(0, Technique - 3) : 3);
    for (int T = smXWing; T <= Technique; ++T) {
        Techniques.push_back(static_cast<TSolveMethod>(T));
    }
    return Techniques;
}

std::vector<TExplainStep> FindPatterns(const TMatrix& Candidates, TSolveMethod Technique, int Size,
                                       TPatternForm Form, bool First) {
    std::vector<TExplainStep> Found;
    // The engine's own finders serve the techniques beyond subsets: they
    // have no size and no separate engine form.
    if (PatternFinder(Technique) != nullptr) {
        PatternFinder(Technique)(Candidates, [&](TPattern& Pattern) {
            Found.push_back(StepOf(Pattern));
            return First;
        });
        return Found;
    }
    if (Technique == smMyReserved) {
        FindLocked(Candidates, First, Found);
    } else if (Technique == smYourReserved) {
        FindNaked(Candidates, Size, Form, First, Found);
    } else if (Technique == smOurReserved) {
        FindHidden(Candidates, Size, Form, First, Found);
    }
    return Found;
}

} // namespace kumoji::explain
