// Puzzle texts: the 81-digit format, read and written.
#include "engine/grid/puzzle_text.h"

#include <algorithm>

namespace kumoji {

bool IsPuzzleText(std::string_view Text) {
    return Text.size() == 81 &&
           std::all_of(Text.begin(), Text.end(), [](char C) { return C >= '0' && C <= '9'; });
}

bool SetPuzzle(TMatrix& Grid, std::string_view Text) {
    if (!IsPuzzleText(Text)) {
        return false;
    }
    Grid.Reset();
    for (int Index = 0; Index < 81; ++Index) {
        const int Digit = Text[Index] - '0';
        if (Digit > 0) {
            Grid.SetValue(Index % 9, Index / 9, Digit);
        }
    }
    return true;
}

std::string PuzzleTextOf(const TMatrix& Grid) {
    std::string Text(81, '0');
    for (int Index = 0; Index < 81; ++Index) {
        const int Value = Grid.Values[Index];
        if (Value >= 1 && Value <= 9) {
            Text[Index] = static_cast<char>('0' + Value);
        }
    }
    return Text;
}

std::string CellName(int Col, int Row) {
    if (Col < 0 || Col > 8 || Row < 0 || Row > 8) {
        return {};
    }
    return {static_cast<char>('A' + Col), static_cast<char>('1' + Row)};
}

} // namespace kumoji
