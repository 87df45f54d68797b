#include "engine/grid/matrix.h"
#include "engine/grid/puzzle_text.h"
#include "engine/question/answer_step.h"
#include "engine/question/question.h"
#include "game/tables.h"

#include <benchmark/benchmark.h>
#include <string>
#include <string_view>
#include <vector>

namespace kumoji {
namespace {

struct TNamedPuzzle {
    std::string Name;
    std::string_view Text;
};

const std::vector<TNamedPuzzle>& TablePuzzles() {
    static const std::vector<TNamedPuzzle> All = [] {
        std::vector<TNamedPuzzle> List;
        auto Add = [&](std::string_view Name, const auto& Table) {
            int Number = 0;
            for (std::string_view Text : Table) {
                List.push_back({std::string(Name) + "/" + std::to_string(++Number), Text});
            }
        };
        Add("EmptyCell", EmptyCellQuestions);
        Add("LeftPlace", LeftPlaceQuestions);
        Add("MissingNumber", MissingNumberQuestions);
        return List;
    }();
    return All;
}

// A generated expert puzzle that needs the trial technique twice, and its
// solution (five cells are taken out of it for the nearly full position).
constexpr std::string_view Sparse =
    "060090801810006702207000063600810007108603009000007000000900000000108000703005000";
constexpr std::string_view NearlyFull =
    "365792841814356792297481563652819437178643259439527186521934678946178325783265914";
// A position met in solving: 22 of its 28 empty cells have two candidates.
constexpr std::string_view ManyPairs =
    "769851342352000781841007956410963520090170630030580190900010473104000265003000819";

TMatrix Load(std::string_view Text, int Remove = 0) {
    TMatrix Grid;
    std::string Puzzle(Text);
    for (int Index = 80; Index >= 0 && Remove > 0; Index -= 17, --Remove) {
        Puzzle[Index] = '0';
    }
    SetPuzzle(Grid, Puzzle);
    return Grid;
}

void BM_FindQuestion(benchmark::State& State) {
    const TNamedPuzzle& Puzzle = TablePuzzles()[State.range(0)];
    const TMatrix Grid = Load(Puzzle.Text);
    State.SetLabel(Puzzle.Name);
    for (auto _ : State) {
        TPoint Cell;
        int Digit = 0;
        benchmark::DoNotOptimize(FindQuestion(Grid, Cell, Digit, true));
        benchmark::DoNotOptimize(Digit);
    }
}
BENCHMARK(BM_FindQuestion)->DenseRange(0, 23);

TMatrix Position(int Which) {
    return Which == 0 ? Load(Sparse) : Load(NearlyFull, 5);
}

void BM_AnswerStep(benchmark::State& State) {
    const TMatrix Start = Position(static_cast<int>(State.range(0)));
    State.SetLabel(State.range(0) == 0 ? "sparse" : "nearly full");
    TMatrix Grid;
    const TPlaceMove Place = GridPlacement(Grid);
    for (auto _ : State) {
        Grid.CopyFrom(Start);
        benchmark::DoNotOptimize(SolveStep(Grid, true, Place));
    }
}
BENCHMARK(BM_AnswerStep)->Arg(0)->Arg(1);

void BM_DeepSolve(benchmark::State& State) {
    const TMatrix Start = Position(static_cast<int>(State.range(0)));
    State.SetLabel(State.range(0) == 0 ? "sparse" : "nearly full");
    TMatrix Grid;
    const TPlaceMove Place = GridPlacement(Grid);
    for (auto _ : State) {
        Grid.CopyFrom(Start);
        int Result = StepPlaced;
        for (int Step = 0; Step <= 81 && Result == StepPlaced; ++Step) {
            Result = SolveStep(Grid, true, Place);
        }
        benchmark::DoNotOptimize(Result);
    }
}
BENCHMARK(BM_DeepSolve)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_ApplyPuzzled(benchmark::State& State) {
    const TMatrix Start = Load(ManyPairs);
    TMatrix Grid;
    for (auto _ : State) {
        Grid.CopyFrom(Start);
        benchmark::DoNotOptimize(Grid.ApplyPuzzled());
    }
}
BENCHMARK(BM_ApplyPuzzled)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace kumoji
