// Question generation: a full grid drawn at random, cut down around one target move.
#include "engine/question/generator.h"

#include "engine/grid/units.h"
#include "engine/question/pattern_layout.h"
#include "engine/question/question.h"
#include "engine/question/question_technique.h"
#include "engine/question/subset_pattern.h"
#include "engine/question/technique_needs.h"

#include <array>
#include <utility>
#include <vector>

namespace kumoji {

namespace {

constexpr int MostGivens = 18;
constexpr int Symmetries = 4;
constexpr int AttemptsPerGrid = 4;
// A pattern's layout is cheap and mostly fails, so a grid serves many.
constexpr int LayoutsPerGrid = 64;

TMatrix GridOf(const TGridValues& Givens) {
    TMatrix Grid;
    for (int I = 0; I < 81; ++I) {
        if (Givens[I] != 0) {
            Grid.SetValue(I % 9, I / 9, Givens[I]);
        }
    }
    return Grid;
}

void Shuffle(std::vector<int>& Items, const TRandomDraw& Random) {
    for (int I = static_cast<int>(Items.size()) - 1; I > 0; --I) {
        std::swap(Items[I], Items[Random(I + 1)]);
    }
}

// A candidate question: the givens, and the move they must force.
struct TDraft {
    TSolveMethod Technique;
    TGridValues Solution;
    TGridValues Givens;
    int Target;

    int Digit() const { return Solution[Target]; }
    TPoint Cell() const { return {Target % 9, Target / 9}; }

    // Fit to be asked as a question of its technique: the technique finds the
    // move, and it is the only single, also after every reservation pass.
    bool Fit() const;
    // Whether the technique, or an easier one, still finds the move. Cheaper
    // than Fit and never false where Fit is true, so it guides the thinning.
    bool Finds() const;
    // Fills every cell other than the target that the reservation passes
    // prove, until the target is the only single.
    void SettleOtherSingles();
    // Takes out givens, in random order, for as long as the draft stays fit.
    void Minimise(const TRandomDraw& Random);
    // Cuts a copy of the solution down, keeping Finds true.
    void Thin(const TRandomDraw& Random);
};

// The techniques laid out around a pattern of their own, judged by what
// they need alone.
bool Patterned(TSolveMethod Technique) {
    return Technique == smKeepOff || Technique == smGetOut ||
           (Technique >= smXWing && Technique <= smSimpleColouring);
}

bool TDraft::Fit() const {
    const TMatrix Position = GridOf(Givens);
    if (Patterned(Technique)) {
        TPoint Answer;
        int AnswerDigit = 0;
        return NeedsTechnique(Position, Cell(), Digit(), Technique) &&
               FindQuestion(Position, Answer, AnswerDigit, true, Technique) && Answer == Cell() &&
               AnswerDigit == Digit();
    }
    TMatrix Work;
    if (Technique >= smYourReserved) {
        // Most drafts fail here, at a quarter of the cost of the full judgement.
        Work.CopyFrom(Position);
        ExhaustReservationsUpTo(Work, Technique);
        if (!OnlySingleIs(Work, Cell(), Digit())) {
            return false;
        }
    }
    if (QuestionTechnique(Position, Cell(), Digit()) != Technique) {
        return false;
    }
    Work.CopyFrom(Position);
    Work.ApplyReservations();
    if (!OnlySingleIs(Work, Cell(), Digit())) {
        return false;
    }
    TPoint Answer;
    int AnswerDigit = 0;
    if (!FindQuestion(Position, Answer, AnswerDigit, true) || Answer != Cell() ||
        AnswerDigit != Digit()) {
        return false;
    }
    // Where the search stops depends on the order of the cells, and the game
    // shows the question under a random symmetry: the move must stay the only
    // single whatever the passes go on to prove, and the easier passes must
    // prove nothing however long they run.
    Work.CopyFrom(Position);
    ExhaustReservationsUpTo(Work, smOurReserved);
    if (SingleOtherThan(Work, Cell(), Digit()) >= 0) {
        return false;
    }
    if (Technique > smMyReserved) {
        Work.CopyFrom(Position);
        ExhaustReservationsUpTo(Work, Technique - 1);
        int Col, Row, Found;
        if (Work.FindSingle(Col, Row, Found)) {
            return false;
        }
    }
    // The engine's passes group only identical masks and places; a player
    // who sees any subset of the easier kinds must not find the move (or
    // another single) before the question's own technique.
    return Technique < smMyReserved || NeedsTechnique(Position, Cell(), Digit(), Technique);
}

bool TDraft::Finds() const {
    const int Bit = DigitBit(Digit());
    // Digits each unit holds, rows 0..8, columns 9..17, boxes 18..26.
    std::array<int, 27> Held{};
    for (int I = 0; I < 81; ++I) {
        const int B = DigitBit(Givens[I]);
        Held[I / 9] |= B;
        Held[9 + I % 9] |= B;
        Held[CellUnits[I].Box] |= B;
    }
    const auto SeenDigits = [&](int I) {
        return Held[I / 9] | Held[9 + I % 9] | Held[CellUnits[I].Box];
    };
    if (Technique == smMissingNumber) {
        return (SeenDigits(Target) | Bit) == AllDigits;
    }
    if (Technique == smEmptyCell || Technique == smLeftPlace) {
        const TCellUnits& Of = CellUnits[Target];
        for (const int Unit : {Of.Row, Of.Col, Of.Box}) {
            bool Closed = true;
            for (const int I : UnitCells[Unit]) {
                if (Closed && I != Target && Givens[I] == 0) {
                    Closed = Technique == smLeftPlace && (SeenDigits(I) & Bit) != 0;
                }
            }
            if (Closed) {
                return true;
            }
        }
        return false;
    }
    // Locked candidates run to the end here; a question stops early only
    // when the target is already a single, which this test also accepts.
    TMatrix Work = GridOf(Givens);
    for (int Cycle = 0; Cycle < 11 && Work.ApplyMyReserved(); ++Cycle) {
    }
    if (Work.Candidates[Target] == Bit) {
        return true;
    }
    TD2IntegerList Places;
    TPoint Found;
    const TPoint At = Cell();
    return (!Work.ScanRow(At.Y, Digit(), Places, Found) && Places.GetCount() == 1) ||
           (!Work.ScanCol(At.X, Digit(), Places, Found) && Places.GetCount() == 1) ||
           (!Work.ScanBox(At.X / 3, At.Y / 3, Digit(), Places, Found) && Places.GetCount() == 1);
}

void TDraft::SettleOtherSingles() {
    for (int Round = 0; Round < 81; ++Round) {
        TMatrix Work = GridOf(Givens);
        Work.ApplyReservations();
        const int Other = SingleOtherThan(Work, Cell(), Digit());
        if (Other < 0) {
            return;
        }
        Givens[Other] = Solution[Other];
    }
}

void TDraft::Minimise(const TRandomDraw& Random) {
    std::vector<int> Order;
    for (int I = 0; I < 81; ++I) {
        if (Givens[I] != 0) {
            Order.push_back(I);
        }
    }
    Shuffle(Order, Random);
    // Taking one given out can let another go that could not before, so
    // sweep until a sweep takes nothing.
    for (bool Taken = true; Taken;) {
        Taken = false;
        for (const int I : Order) {
            if (Givens[I] == 0) {
                continue;
            }
            Givens[I] = 0;
            if (Fit()) {
                Taken = true;
            } else {
                Givens[I] = Solution[I];
            }
        }
    }
}

void TDraft::Thin(const TRandomDraw& Random) {
    Givens = Solution;
    Givens[Target] = 0;
    if (Technique == smMyReserved) {
        // Open the easy ways to the move before thinning, or the thinning
        // mostly ends at a plain single: another cell of each of the target's
        // units admits the digit, and the target keeps a second candidate.
        const TCellUnits& Of = CellUnits[Target];
        const int Units[3] = {Of.Row, Of.Col, Of.Box};
        for (const int Unit : Units) {
            int Other;
            do {
                Other = UnitCells[Unit][Random(9)];
            } while (Other == Target);
            Givens[Other] = 0;
            for (int I = 0; I < 81; ++I) {
                if (Solution[I] == Digit() && Sees(I, Other)) {
                    Givens[I] = 0;
                }
            }
        }
        const int Second = 1 + (Digit() + Random(8)) % 9;
        for (int I = 0; I < 81; ++I) {
            if (Solution[I] == Second && Sees(I, Target)) {
                Givens[I] = 0;
            }
        }
        if (!Finds()) {
            return;
        }
    }
    std::vector<int> Order;
    for (int I = 0; I < 81; ++I) {
        if (Givens[I] != 0) {
            Order.push_back(I);
        }
    }
    Shuffle(Order, Random);
    for (const int I : Order) {
        Givens[I] = 0;
        if (!Finds()) {
            Givens[I] = Solution[I];
        }
    }
    SettleOtherSingles();
}

// The draft under a random symmetry of the rules: rows within bands, bands,
// columns within stacks, stacks, a transposition and a relabelling.
TDraft Symmetric(const TDraft& Draft, const TRandomDraw& Random) {
    const auto Lines = [&Random] {
        std::array<int, 3> Bands{0, 1, 2};
        for (int I = 2; I > 0; --I) {
            std::swap(Bands[I], Bands[Random(I + 1)]);
        }
        std::array<int, 9> Order{};
        for (int B = 0; B < 3; ++B) {
            std::array<int, 3> Inner{0, 1, 2};
            for (int I = 2; I > 0; --I) {
                std::swap(Inner[I], Inner[Random(I + 1)]);
            }
            for (int K = 0; K < 3; ++K) {
                Order[3 * B + K] = 3 * Bands[B] + Inner[K];
            }
        }
        return Order;
    };
    const std::array<int, 9> Rows = Lines();
    const std::array<int, 9> Cols = Lines();
    const bool Transpose = Random(2) == 1;
    std::array<int, 10> Digits{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    for (int I = 9; I > 1; --I) {
        std::swap(Digits[I], Digits[1 + Random(I)]);
    }
    TDraft Result = Draft;
    for (int I = 0; I < 81; ++I) {
        const int Row = Rows[I / 9];
        const int Col = Cols[I % 9];
        const int To = Transpose ? CellIndex(Row, Col) : CellIndex(Col, Row);
        Result.Solution[To] = Digits[Draft.Solution[I]];
        Result.Givens[To] = Digits[Draft.Givens[I]];
        if (I == Draft.Target) {
            Result.Target = To;
        }
    }
    return Result;
}

} // namespace

TGeneratedQuestion GenerateQuestion(TSolveMethod Technique, const TRandomDraw& Random) {
    return GenerateQuestion(Technique, Random, nullptr);
}

TGeneratedQuestion GenerateQuestion(TSolveMethod Technique, const TRandomDraw& Random,
                                    const TQuestionFilter& Accept) {
    TGeneratedQuestion Result;
    if (Technique < smEmptyCell || Technique == smPuzzled || Technique > smSimpleColouring) {
        return Result;
    }
    TDraft Draft{Technique, {}, {}, 0};
    for (int Attempt = 0;; ++Attempt) {
        // A full grid costs more than most attempts on it, so each serves a few.
        if (Attempt % (Patterned(Technique) ? LayoutsPerGrid : AttemptsPerGrid) == 0) {
            Draft.Solution = RandomSolution(Random);
        }
        if (Patterned(Technique)) {
            if (!LayOutPattern(Technique, Draft.Solution, Random, Draft.Givens, Draft.Target)) {
                continue;
            }
        } else if (Technique <= smMyReserved) {
            Draft.Target = Random(81);
            Draft.Thin(Random);
        } else if (!LayOutSubset(Technique, Draft.Solution, Random, Draft.Givens, Draft.Target)) {
            continue;
        }
        if (!Draft.Fit()) {
            continue;
        }
        Draft.Minimise(Random);
        // Settling other singles can leave a crowded position behind; the
        // reservation questions should stay as sparse as the others.
        int Count = 0;
        for (const int Given : Draft.Givens) {
            Count += Given != 0;
        }
        if (Count > MostGivens) {
            continue;
        }
        // The passes visit cells and digits in a fixed order, and a few
        // positions judge differently under another symmetry; the game shows
        // every question under a random one, so a few must agree.
        bool Stable = true;
        for (int K = 0; K < Symmetries && Stable; ++K) {
            Stable = Symmetric(Draft, Random).Fit();
        }
        if (!Stable) {
            continue;
        }
        Result.Text.assign(81, '0');
        for (int I = 0; I < 81; ++I) {
            Result.Text[I] = static_cast<char>('0' + Draft.Givens[I]);
        }
        Result.Cell = Draft.Cell();
        Result.Digit = Draft.Digit();
        Result.Technique = Technique;
        if (Accept && !Accept(Result)) {
            continue;
        }
        return Result;
    }
}

} // namespace kumoji
