// The table of pattern finders and what every technique does with its patterns.
#include "engine/techniques/pattern.h"

#include "engine/techniques/pattern_techniques.h"

namespace kumoji {

TPatternFinder PatternFinder(TSolveMethod Technique) {
    switch (Technique) {
    case smXWing:
        return FindXWings;
    case smSkyscraper:
        return FindSkyscrapers;
    case sm2StringKite:
        return Find2StringKites;
    case smSwordfish:
        return FindSwordfish;
    case smXYWing:
        return FindXYWings;
    case smXYZWing:
        return FindXYZWings;
    case smWWing:
        return FindWWings;
    case smSimpleColouring:
        return FindSimpleColouring;
    default:
        return nullptr;
    }
}

std::optional<TPattern> FirstPattern(const TMatrix& Grid, TSolveMethod Technique) {
    std::optional<TPattern> Found;
    if (const TPatternFinder Finder = PatternFinder(Technique)) {
        Finder(Grid, [&](TPattern& Pattern) {
            Found = std::move(Pattern);
            return true;
        });
    }
    return Found;
}

std::vector<TPattern> EveryPattern(const TMatrix& Grid, TSolveMethod Technique) {
    std::vector<TPattern> Found;
    if (const TPatternFinder Finder = PatternFinder(Technique)) {
        Finder(Grid, [&](TPattern& Pattern) {
            Found.push_back(std::move(Pattern));
            return false;
        });
    }
    return Found;
}

void RemovePatternCandidates(TMatrix& Grid, const TPattern& Pattern) {
    for (const TCandidate& Item : Pattern.Removes) {
        if (Item.Cell >= 0 && Item.Cell < 81) {
            Grid.Candidates[Item.Cell] &= ~DigitBit(Item.Digit);
        }
    }
}

bool ApplyPatterns(TMatrix& Grid, TSolveMethod Technique) {
    const TPatternFinder Finder = PatternFinder(Technique);
    if (Finder == nullptr) {
        return false;
    }
    bool Changed = false;
    // Every pattern found takes at least one of the 729 candidates.
    for (bool Found = true; Found;) {
        Found = false;
        Finder(Grid, [&](TPattern& Pattern) {
            RemovePatternCandidates(Grid, Pattern);
            Found = true;
            return true;
        });
        Changed = Changed || Found;
    }
    return Changed;
}

} // namespace kumoji
