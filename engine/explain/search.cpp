// The search for the steps. Forward runs apply one pattern after another
// until the move is a single: the cheapest first, in the general forms and in
// the engine's own, and once with the question's technique first. Each run is
// cut to the steps that matter and pruned until no step can go, keeping one
// of the technique; the shortest result wins. Where that took more than one
// step, every sequence of fewer patterns (up to three) is tried as well.
#include "engine/explain/explain_detail.h"
#include "engine/explain/step_check.h"
#include "engine/grid/units.h"

#include <algorithm>
#include <initializer_list>
#include <set>
#include <utility>

namespace kumoji::explain {

std::vector<TExplainSingle> MoveSingles(int Cell, int Digit) {
    const TCellUnits& Units = CellUnits[Cell];
    return {{smMissingNumber, -1, Cell, Digit, {}},
            {smLeftPlace, Units.Row, Cell, Digit, {}},
            {smLeftPlace, Units.Col, Cell, Digit, {}},
            {smLeftPlace, Units.Box, Cell, Digit, {}}};
}

namespace {

using TCandidateSet = std::set<std::pair<int, int>>;

bool AnyHolds(const TMatrix& Grid, const std::vector<TExplainSingle>& Singles) {
    return std::any_of(Singles.begin(), Singles.end(),
                       [&](const TExplainSingle& Single) { return SingleHolds(Grid, Single); });
}

// How a forward run picks its patterns.
struct TRunOrder {
    TPatternForm Form = TPatternForm::General;
    // The question's technique before the cheaper ones, so that it takes
    // part even where a cheaper pattern could do its work.
    bool TechniqueFirst = false;
    // The largest subset offered: 4, or up to 8 where the position needs one.
    int Largest = 4;
};

// The first pattern of a technique up to Highest that takes something:
// locked candidates, then naked subsets, then hidden subsets, each by size.
std::optional<TExplainStep> Cheapest(const TMatrix& Grid, TSolveMethod Highest,
                                     const TRunOrder& Order) {
    std::vector<int> Techniques;
    if (Order.TechniqueFirst) {
        Techniques.push_back(Highest);
    }
    for (const TSolveMethod Technique : TechniquesUpTo(Highest)) {
        if (!Order.TechniqueFirst || Technique != Highest) {
            Techniques.push_back(Technique);
        }
    }
    for (int Technique : Techniques) {
        const bool Sized = Technique == smYourReserved || Technique == smOurReserved;
        const int Smallest = Sized ? 2 : 1;
        const int Largest = Sized ? Order.Largest : 1;
        for (int Size = Smallest; Size <= Largest; ++Size) {
            auto Found =
                FindPatterns(Grid, static_cast<TSolveMethod>(Technique), Size, Order.Form, true);
            if (!Found.empty()) {
                return std::move(Found.front());
            }
        }
    }
    return std::nullopt;
}

// Patterns one after another, until one of the move's singles holds.
std::optional<std::vector<TExplainStep>> ForwardRun(const TMatrix& Given,
                                                    const std::vector<TExplainSingle>& Singles,
                                                    TSolveMethod Technique,
                                                    const TRunOrder& Order) {
    TMatrix Grid = Given;
    std::vector<TExplainStep> Steps;
    // Every step takes at least one of the 729 candidates.
    while (!AnyHolds(Grid, Singles) && Steps.size() < 729) {
        std::optional<TExplainStep> Step = Cheapest(Grid, Technique, Order);
        if (!Step) {
            return std::nullopt;
        }
        RemoveCandidates(Grid, Step->Removes);
        Steps.push_back(std::move(*Step));
    }
    return Steps;
}

// True when Steps replay from Given and leave Single holding; their Removes
// are set to the replay's.
bool Forces(const TMatrix& Given, std::vector<TExplainStep>& Steps, const TExplainSingle& Single) {
    TMatrix Grid = Given;
    return ReplaySteps(Grid, Steps) && SingleHolds(Grid, Single);
}

// The candidates, present in the givens' grid, that must be gone for the
// single or the step to hold.
void AddNeeds(const TMatrix& Given, const TExplainSingle& Single, TCandidateSet& Needed) {
    const auto Need = [&](int Cell, int Digit) {
        if (Given.Values[Cell] == 0 && (Given.Candidates[Cell] & DigitBit(Digit))) {
            Needed.emplace(Cell, Digit);
        }
    };
    if (Single.Kind == smMissingNumber) {
        for (int D = 1; D <= 9; ++D) {
            if (D != Single.Digit) {
                Need(Single.Cell, D);
            }
        }
    } else {
        for (int I : UnitCells[Single.Unit]) {
            if (I != Single.Cell) {
                Need(I, Single.Digit);
            }
        }
    }
}

// What a pattern beyond subsets stands on: the digit absent from the rest of
// its lines and links, the other digits absent from its two- and
// three-digit cells.
template <typename TNeed> void AddPatternNeeds(const TExplainStep& Step, const TNeed& Need) {
    const auto Listed = [&](int Cell) {
        return std::find(Step.Cells.begin(), Step.Cells.end(), Cell) != Step.Cells.end();
    };
    const auto Only = [&](int Cell, const std::vector<int>& Digits) {
        for (int D = 1; D <= 9; ++D) {
            if (std::find(Digits.begin(), Digits.end(), D) == Digits.end()) {
                Need(Cell, D);
            }
        }
    };
    const auto Confined = [&](int Unit, int Digit, std::initializer_list<int> Places) {
        for (int I : UnitCells[Unit]) {
            if (std::find(Places.begin(), Places.end(), I) == Places.end()) {
                Need(I, Digit);
            }
        }
    };
    const std::vector<int>& C = Step.Cells;
    const std::vector<int>& D = Step.Digits;
    switch (Step.Technique) {
    case smXWing:
    case smSwordfish:
        for (int Unit : Step.Units) {
            for (int I : UnitCells[Unit]) {
                if (!Listed(I)) {
                    Need(I, D[0]);
                }
            }
        }
        break;
    case smSkyscraper:
    case sm2StringKite:
        Confined(Step.Units[0], D[0], {C[0], C[1]});
        Confined(Step.Units[1], D[0], {C[2], C[3]});
        break;
    case smXYWing:
    case smXYZWing:
        Only(C[0], Step.Technique == smXYWing ? std::vector<int>{D[0], D[1]} : D);
        Only(C[1], {D[0], D[2]});
        Only(C[2], {D[1], D[2]});
        break;
    case smWWing:
        Only(C[0], D);
        Only(C[3], D);
        Confined(Step.Units[0], D[0], {C[1], C[2]});
        break;
    case smSimpleColouring:
        for (const auto& Link : Step.Links) {
            Confined(Link[2], D[0], {C[Link[0]], C[Link[1]]});
        }
        break;
    default:
        break;
    }
}

void AddNeeds(const TMatrix& Given, const TExplainStep& Step, TCandidateSet& Needed) {
    const auto Need = [&](int Cell, int Digit) {
        if (Given.Values[Cell] == 0 && (Given.Candidates[Cell] & DigitBit(Digit))) {
            Needed.emplace(Cell, Digit);
        }
    };
    const auto Listed = [&](int Cell) {
        return std::find(Step.Cells.begin(), Step.Cells.end(), Cell) != Step.Cells.end();
    };
    if (Step.Technique >= smXWing) {
        AddPatternNeeds(Step, Need);
        return;
    }
    if (Step.Technique == smYourReserved) {
        for (int Cell : Step.Cells) {
            for (int D = 1; D <= 9; ++D) {
                if (std::find(Step.Digits.begin(), Step.Digits.end(), D) == Step.Digits.end()) {
                    Need(Cell, D);
                }
            }
        }
        return;
    }
    for (int I : UnitCells[Step.Units[0]]) {
        if (!Listed(I)) {
            for (int D : Step.Digits) {
                Need(I, D);
            }
        }
    }
}

// Keeps only the steps whose removals some later step's pattern or the
// single needs; the rest can all go at once without changing what matters.
std::vector<TExplainStep> Relevant(const TMatrix& Given, const std::vector<TExplainStep>& Steps,
                                   const TExplainSingle& Single) {
    TCandidateSet Needed;
    AddNeeds(Given, Single, Needed);
    std::vector<bool> Keep(Steps.size(), false);
    for (std::size_t K = Steps.size(); K-- > 0;) {
        for (const TCandidate& Item : Steps[K].Removes) {
            Keep[K] = Keep[K] || Needed.count({Item.Cell, Item.Digit}) != 0;
        }
        if (Keep[K]) {
            AddNeeds(Given, Steps[K], Needed);
        }
    }
    std::vector<TExplainStep> Kept;
    for (std::size_t K = 0; K < Steps.size(); ++K) {
        if (Keep[K]) {
            Kept.push_back(Steps[K]);
        }
    }
    return Kept;
}

int CountOf(const std::vector<TExplainStep>& Steps, TSolveMethod Technique) {
    return static_cast<int>(std::count_if(
        Steps.begin(), Steps.end(), [&](const auto& Step) { return Step.Technique == Technique; }));
}

// Drops steps one at a time, trying them from the last (Backward) or the
// first, while the rest still force the single and keep a step of the
// technique, until none can go. Nothing when the result is not minimal: its
// one step of the technique could go as well.
std::optional<std::vector<TExplainStep>> Pruned(const TMatrix& Given,
                                                std::vector<TExplainStep> Steps,
                                                const TExplainSingle& Single,
                                                TSolveMethod Technique, bool Backward) {
    Steps = Relevant(Given, Steps, Single);
    if (!Forces(Given, Steps, Single) || CountOf(Steps, Technique) == 0) {
        return std::nullopt;
    }
    const auto Without = [&](std::size_t K) {
        std::vector<TExplainStep> Fewer = Steps;
        Fewer.erase(Fewer.begin() + static_cast<long>(Backward ? Steps.size() - 1 - K : K));
        return Fewer;
    };
    for (bool Dropped = true; Dropped;) {
        Dropped = false;
        for (std::size_t K = 0; K < Steps.size();) {
            std::vector<TExplainStep> Fewer = Without(K);
            if (CountOf(Fewer, Technique) > 0 && Forces(Given, Fewer, Single)) {
                Steps = std::move(Fewer);
                Dropped = true;
            } else {
                ++K;
            }
        }
    }
    for (std::size_t K = 0; K < Steps.size(); ++K) {
        std::vector<TExplainStep> Fewer = Without(K);
        if (Forces(Given, Fewer, Single)) {
            return std::nullopt;
        }
    }
    Forces(Given, Steps, Single);
    return Steps;
}

// Fewer steps first; with as many, the cell's last candidate, then the last
// place in the unit first by number; then the one found first.
bool Better(const std::vector<TExplainStep>& Steps, const TExplainSingle& Single,
            const std::optional<TStepsAndSingle>& Best) {
    if (!Best || Steps.size() != Best->Steps.size()) {
        return !Best || Steps.size() < Best->Steps.size();
    }
    const auto Rank = [](const TExplainSingle& Item) {
        return Item.Kind == smMissingNumber ? -1 : Item.Unit;
    };
    return Rank(Single) < Rank(Best->Single);
}

// The best explanation (Better) the forward runs of one order give: one run
// until any of the move's singles holds and one for each single, each
// pruned both ways.
void Search(const TMatrix& Given, int Cell, int Digit, TSolveMethod Technique,
            const TRunOrder& Order, std::optional<TStepsAndSingle>& Best) {
    const std::vector<TExplainSingle> Singles = MoveSingles(Cell, Digit);
    std::vector<std::vector<TExplainStep>> Runs;
    if (auto Any = ForwardRun(Given, Singles, Technique, Order)) {
        Runs.push_back(std::move(*Any));
    }
    for (const TExplainSingle& Single : Singles) {
        if (auto One = ForwardRun(Given, {Single}, Technique, Order)) {
            Runs.push_back(std::move(*One));
        }
    }
    for (const TExplainSingle& Single : Singles) {
        for (const std::vector<TExplainStep>& Run : Runs) {
            std::vector<TExplainStep> Steps = Run;
            if (!Forces(Given, Steps, Single)) {
                continue;
            }
            for (bool Backward : {true, false}) {
                auto Kept = Pruned(Given, Steps, Single, Technique, Backward);
                if (Kept && Better(*Kept, Single, Best)) {
                    Best = TStepsAndSingle{std::move(*Kept), Single};
                }
            }
        }
    }
}

// Every pattern up to Technique that takes something, subsets up to four.
std::vector<TExplainStep> AllPatterns(const TMatrix& Grid, TSolveMethod Technique) {
    std::vector<TExplainStep> All;
    for (const TSolveMethod Kind : TechniquesUpTo(Technique)) {
        const bool Sized = Kind == smYourReserved || Kind == smOurReserved;
        for (int Size = Sized ? 2 : 1; Size <= (Sized ? 4 : 1); ++Size) {
            auto Found = FindPatterns(Grid, static_cast<TSolveMethod>(Kind), Size,
                                      TPatternForm::General, false);
            All.insert(All.end(), Found.begin(), Found.end());
        }
    }
    return All;
}

// True when no step of Steps can go with the rest still forcing the single.
bool Minimal(const TMatrix& Given, const std::vector<TExplainStep>& Steps,
             const TExplainSingle& Single) {
    for (std::size_t K = 0; K < Steps.size(); ++K) {
        std::vector<TExplainStep> Fewer = Steps;
        Fewer.erase(Fewer.begin() + static_cast<long>(K));
        if (Forces(Given, Fewer, Single)) {
            return false;
        }
    }
    return true;
}

// Every sequence of Left more patterns from Grid: the best that ends in one
// of the singles, holds a step of the technique and is minimal.
struct TExhaustive {
    const TMatrix& Given;
    const std::vector<TExplainSingle>& Singles;
    TSolveMethod Technique;
    std::vector<TExplainStep> Path;
    std::optional<TStepsAndSingle> Best;
    // Grids whose patterns may still be listed: a bound on the time taken.
    int Budget = 4000;

    void Walk(const TMatrix& Grid, int Left) {
        if (Left == 0) {
            for (const TExplainSingle& Single : Singles) {
                if (SingleHolds(Grid, Single) && CountOf(Path, Technique) > 0 &&
                    Better(Path, Single, Best) && Minimal(Given, Path, Single)) {
                    Best = TStepsAndSingle{Path, Single};
                }
            }
            return;
        }
        if (--Budget < 0) {
            return;
        }
        for (TExplainStep& Step : AllPatterns(Grid, Technique)) {
            TMatrix Next = Grid;
            RemoveCandidates(Next, Step.Removes);
            Path.push_back(std::move(Step));
            Walk(Next, Left - 1);
            Path.pop_back();
        }
    }
};

// The explanations of fewer steps than Best (one found), up to Deepest, tried by every
// sequence of patterns, shortest first, as far as the budget goes.
void Shorten(const TMatrix& Given, int Cell, int Digit, TSolveMethod Technique, int Deepest,
             std::optional<TStepsAndSingle>& Best) {
    const std::vector<TExplainSingle> Singles = MoveSingles(Cell, Digit);
    const int Limit =
        Best ? std::min<int>(Deepest, static_cast<int>(Best->Steps.size()) - 1) : Deepest;
    for (int Depth = 1; Depth <= Limit; ++Depth) {
        TExhaustive Search{Given, Singles, Technique, {}, std::nullopt};
        Search.Walk(Given, Depth);
        if (Search.Best) {
            Best = std::move(Search.Best);
            return;
        }
        if (Search.Budget < 0) {
            return;
        }
    }
}

} // namespace

std::optional<TStepsAndSingle> SearchSteps(const TMatrix& Given, int Cell, int Digit,
                                           TSolveMethod Technique) {
    std::optional<TStepsAndSingle> Best;
    for (const TRunOrder Order :
         {TRunOrder{TPatternForm::General, false, 4}, TRunOrder{TPatternForm::Engine, false, 4},
          TRunOrder{TPatternForm::General, true, 4}}) {
        Search(Given, Cell, Digit, Technique, Order, Best);
    }
    // Every sequence of up to three patterns, where the runs took more. Runs
    // without a result have (in every case seen) run out of patterns, where
    // no sequence of them can help.
    if (Best) {
        Shorten(Given, Cell, Digit, Technique, 3, Best);
    }
    // Only a subset of five or more cells or digits does it: the engine's
    // passes have no limit on size.
    if (!Best) {
        Search(Given, Cell, Digit, Technique, {TPatternForm::General, false, 8}, Best);
    }
    if (!Best) {
        Search(Given, Cell, Digit, Technique, {TPatternForm::General, true, 8}, Best);
    }
    return Best;
}

} // namespace kumoji::explain
