// Exact search over completions: branch on the most constrained cell or unit digit.
#include "engine/question/completion_search.h"

#include "engine/grid/digit_mask.h"
#include "engine/grid/units.h"

#include <utility>

namespace kumoji {

namespace {

class TSearch {
public:
    TSearch(int Limit, const TRandomDraw* Random) : Limit(Limit), Random(Random) {}

    // Counting proves that some completions do not exist; without these
    // tests a contradiction among a few digits of one unit can hide under an
    // exponential tree of choices elsewhere in a sparse grid. Drawing a full
    // grid from scratch rarely meets a dead end and does without them.
    bool MatchEveryUnit = false;

    // False when the givens clash in a unit.
    bool Start(const TGridValues& Givens) {
        Values.fill(0);
        for (int I = 0; I < 81; ++I) {
            const int Bit = DigitBit(Givens[I]);
            if (Bit == 0) {
                continue;
            }
            if ((Seen(I) & Bit) != 0) {
                return false;
            }
            Place(I, Givens[I]);
        }
        return true;
    }

    void Run();

    int Count = 0;
    TGridValues First{};

private:
    bool EveryUnitMatches(const std::array<int, 81>& Masks) const;

    int Seen(int I) const { return Used[I / 9] | Used[9 + I % 9] | Used[CellUnits[I].Box]; }

    void Place(int I, int Digit) {
        Values[I] = Digit;
        const int Bit = DigitBit(Digit);
        Used[I / 9] |= Bit;
        Used[9 + I % 9] |= Bit;
        Used[CellUnits[I].Box] |= Bit;
    }

    void Take(int I) {
        const int Keep = ~DigitBit(Values[I]);
        Values[I] = 0;
        Used[I / 9] &= Keep;
        Used[9 + I % 9] &= Keep;
        Used[CellUnits[I].Box] &= Keep;
    }

    void Shuffle(int* Items, int Size) const {
        if (Random == nullptr) {
            return;
        }
        for (int I = Size - 1; I > 0; --I) {
            const int J = (*Random)(I + 1);
            std::swap(Items[I], Items[J]);
        }
    }

    int Limit;
    const TRandomDraw* Random;
    TGridValues Values{};
    std::array<int, 27> Used{};
};

// Each unit can still take all its missing digits at once: every set of them
// has at least as many cells to go to as it has digits.
bool TSearch::EveryUnitMatches(const std::array<int, 81>& Masks) const {
    std::array<int, 512> Reach{};
    for (int U = 0; U < 27; ++U) {
        std::array<int, 9> Places{};
        for (int K = 0; K < 9; ++K) {
            const int Mask = Masks[UnitCells[U][K]];
            for (int D = 0; D < 9; ++D) {
                Places[D] |= ((Mask >> D) & 1) << K;
            }
        }
        const int Missing = AllDigits & ~Used[U];
        for (int Set = -Missing & Missing; Set != 0; Set = (Set - Missing) & Missing) {
            // Subsets come in rising order, so Set without its lowest digit is already done.
            const int Low = Set & -Set;
            Reach[Set] = Reach[Set ^ Low] | Places[LowestDigit(Low) - 1];
            if (DigitCount(Reach[Set]) < DigitCount(Set)) {
                return false;
            }
        }
    }
    return true;
}

void TSearch::Run() {
    if (Count >= Limit) {
        return;
    }
    std::array<int, 81> Masks{};
    int BestCell = -1;
    int BestCount = 10;
    for (int I = 0; I < 81; ++I) {
        if (Values[I] != 0) {
            continue;
        }
        Masks[I] = AllDigits & ~Seen(I);
        const int N = DigitCount(Masks[I]);
        if (N == 0) {
            return;
        }
        if (N < BestCount) {
            BestCount = N;
            BestCell = I;
        }
    }
    if (BestCell < 0) {
        if (Count++ == 0) {
            First = Values;
        }
        return;
    }

    // A digit with fewer places in a unit than the best cell has candidates
    // is the narrower branch; a digit with no place ends this line at once.
    int BestUnit = -1;
    int BestDigit = 0;
    if (BestCount > 1 && MatchEveryUnit) {
        for (int U = 0; U < 27; ++U) {
            for (int D = 1; D <= 9; ++D) {
                const int Bit = DigitBit(D);
                if ((Used[U] & Bit) != 0) {
                    continue;
                }
                int Places = 0;
                for (int I : UnitCells[U]) {
                    Places += (Masks[I] & Bit) != 0;
                }
                if (Places == 0) {
                    return;
                }
                if (Places < BestCount) {
                    BestCount = Places;
                    BestUnit = U;
                    BestDigit = D;
                }
            }
        }
    }

    if (MatchEveryUnit && BestCount > 1 && !EveryUnitMatches(Masks)) {
        return;
    }

    int Options[9];
    int Size = 0;
    if (BestUnit < 0) {
        for (int D = 1; D <= 9; ++D) {
            if ((Masks[BestCell] & DigitBit(D)) != 0) {
                Options[Size++] = D;
            }
        }
        Shuffle(Options, Size);
        for (int K = 0; K < Size && Count < Limit; ++K) {
            Place(BestCell, Options[K]);
            Run();
            Take(BestCell);
        }
        return;
    }
    for (int I : UnitCells[BestUnit]) {
        if ((Masks[I] & DigitBit(BestDigit)) != 0) {
            Options[Size++] = I;
        }
    }
    Shuffle(Options, Size);
    for (int K = 0; K < Size && Count < Limit; ++K) {
        Place(Options[K], BestDigit);
        Run();
        Take(Options[K]);
    }
}

} // namespace

int CountCompletions(const TGridValues& Givens, int Limit) {
    TSearch Search(Limit, nullptr);
    Search.MatchEveryUnit = true;
    if (Limit < 1 || !Search.Start(Givens)) {
        return 0;
    }
    Search.Run();
    return Search.Count;
}

TGridValues RandomSolution(const TRandomDraw& Random) {
    TSearch Search(1, &Random);
    Search.Start(TGridValues{});
    Search.Run();
    return Search.First;
}

} // namespace kumoji
