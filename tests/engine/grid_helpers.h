#pragma once

#include "engine/grid/grid_checks.h"
#include "engine/grid/puzzle_text.h"

#include <fstream>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace kumoji::test {

inline TMatrix Position(std::string_view Text) {
    TMatrix Grid;
    EXPECT_TRUE(SetPuzzle(Grid, Text)) << Text;
    return Grid;
}

// Nine rows of nine characters, '.' or '0' for an empty cell.
inline TMatrix Rows(std::initializer_list<std::string_view> Lines) {
    std::string Text;
    for (std::string_view Line : Lines) {
        Text += Line;
    }
    for (char& C : Text) {
        if (C == '.') {
            C = '0';
        }
    }
    return Position(Text);
}

inline int Mask(std::initializer_list<int> Digits) {
    int Result = 0;
    for (int D : Digits) {
        Result |= DigitBit(D);
    }
    return Result;
}

// Narrows a cell's candidates to Digits, the way a deduction pass would.
inline void Keep(TMatrix& Grid, int Col, int Row, std::initializer_list<int> Digits) {
    for (int D = 1; D <= 9; ++D) {
        if (!(Mask(Digits) & DigitBit(D))) {
            Grid.RemoveCandidate(Col, Row, D);
        }
    }
}

struct TSolvedPuzzle {
    std::string Puzzle;
    std::string Solution;
};

// The stored puzzles with their solutions; a missing or malformed file fails
// the calling test instead of passing with nothing checked.
inline std::vector<TSolvedPuzzle> LoadSolvedPuzzles() {
    const std::string Path = std::string(KUMOJI_ENGINE_TEST_DATA) + "/solved_puzzles.txt";
    std::ifstream File(Path);
    EXPECT_TRUE(File.is_open()) << "cannot open " << Path;
    std::vector<TSolvedPuzzle> Result;
    std::string Line;
    int Number = 0;
    while (std::getline(File, Line)) {
        ++Number;
        if (Line.empty() || Line[0] == '#') {
            continue;
        }
        const auto Space = Line.find(' ');
        TSolvedPuzzle Item{Line.substr(0, Space),
                           Space == std::string::npos ? "" : Line.substr(Space + 1)};
        if (!IsPuzzleText(Item.Puzzle) || !IsPuzzleText(Item.Solution)) {
            ADD_FAILURE() << Path << ":" << Number << ": not a puzzle and solution";
            continue;
        }
        Result.push_back(Item);
    }
    EXPECT_GE(Result.size(), 40u) << Path;
    return Result;
}

} // namespace kumoji::test
