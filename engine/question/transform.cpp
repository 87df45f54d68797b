// The random transform of a puzzle text: shuffles, turns, mirror and relabelling.
#include "engine/question/transform.h"

#include "engine/grid/puzzle_text.h"
#include "engine/grid/random.h"
#include "engine/lists/intlist.h"

#include <vector>

namespace kumoji {

namespace {

struct TCell {
    int Col;
    int Row;
};

// Each step builds the new text from the old one cell by cell; From(c, r)
// names the old cell that the new cell (c, r) takes.
template <typename F> void Remap(std::string& Text, F From) {
    const std::string Old = Text;
    for (int Row = 0; Row < 9; ++Row) {
        for (int Col = 0; Col < 9; ++Col) {
            auto [OldCol, OldRow] = From(Col, Row);
            Text[Row * 9 + Col] = Old[OldRow * 9 + OldCol];
        }
    }
}

std::vector<int> Shuffled(std::vector<int> List, int BlockSize) {
    ShuffleBlocks(&List, BlockSize);
    return List;
}

void ShuffleColumnsInStack(std::string& Text) {
    for (int Stack = 0; Stack < 3; ++Stack) {
        const auto List = Shuffled({3 * Stack + 1, 3 * Stack + 2, 3 * Stack + 3}, 1);
        Remap(Text, [&](int Col, int Row) {
            return Col / 3 == Stack ? TCell{List[Col % 3] - 1, Row} : TCell{Col, Row};
        });
    }
}

// Rows are listed by the 1-based text position of their first character.
void ShuffleRowsInBand(std::string& Text) {
    for (int Band = 0; Band < 3; ++Band) {
        const auto List = Shuffled({27 * Band + 1, 27 * Band + 10, 27 * Band + 19}, 1);
        Remap(Text, [&](int Col, int Row) {
            return Row / 3 == Band ? TCell{Col, (List[Row % 3] - 1) / 9} : TCell{Col, Row};
        });
    }
}

void ShuffleStacks(std::string& Text) {
    const auto List = Shuffled({1, 2, 3, 4, 5, 6, 7, 8, 9}, 3);
    Remap(Text, [&](int Col, int Row) { return TCell{List[Col] - 1, Row}; });
}

void ShuffleBands(std::string& Text) {
    const auto List = Shuffled({1, 10, 19, 28, 37, 46, 55, 64, 73}, 3);
    Remap(Text, [&](int Col, int Row) { return TCell{Col, (List[Row] - 1) / 9}; });
}

void RotateQuarter(std::string& Text) {
    Remap(Text, [](int Col, int Row) { return TCell{8 - Row, Col}; });
}

void MirrorColumns(std::string& Text) {
    Remap(Text, [](int Col, int Row) { return TCell{8 - Col, Row}; });
}

void RelabelDigits(std::string& Text) {
    const auto List = Shuffled({0, 1, 2, 3, 4, 5, 6, 7, 8}, 1);
    for (char& Ch : Text) {
        if (Ch >= '1' && Ch <= '9') {
            Ch = static_cast<char>('1' + List[Ch - '1']);
        }
    }
}

} // namespace

void TransformPuzzle(std::string& Text) {
    // Every step indexes 81 cells; anything else would be read out of bounds.
    if (!IsPuzzleText(Text)) {
        return;
    }
    ShuffleColumnsInStack(Text);
    ShuffleRowsInBand(Text);
    ShuffleStacks(Text);
    ShuffleBands(Text);
    const int Turns = Random(4);
    for (int I = 0; I < Turns; ++I) {
        RotateQuarter(Text);
    }
    MirrorColumns(Text);
    RelabelDigits(Text);
}

} // namespace kumoji
