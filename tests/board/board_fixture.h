#pragma once

#include "board/layer_image.h"
#include "board/number_piece.h"
#include "board/sudoku.h"

#include <QPoint>
#include <QWindow>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <string_view>

namespace kumoji::test {

// A puzzle with 30 givens, and its solution.
inline const std::string Puzzle =
    "060000000004100280000700600700050020000000801013000540187600050500000003602014798";
inline const std::string Solution =
    "865342917374196285921785634798451326456923871213867549187639452549278163632514798";

inline int SolutionDigit(int Col, int Row) {
    return Solution[static_cast<std::size_t>(Col + 9 * Row)] - '0';
}

int Givens(const std::string& Text);

// Grid and pieces agree: every filled cell has exactly its digit's piece on
// it, pieces off the grid are at home, and Count is the number on the grid.
void ExpectConsistent(const TSudoku& Board);

// Nine rows of nine characters, '.' for an empty cell.
std::string Rows(std::initializer_list<std::string_view> Lines);

// A shown board at the main window's size, started, with real mouse routing.
class BoardTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Loads Text so that the board shows it as written: the random transform
    // is made a plain left-right mirror, and the text is mirrored first.
    void LoadAsWritten(std::string Text);
    // Loads and fixes, as the main window does for a question.
    void LoadQuestion(const std::string& Text);

    QPoint CellCenter(int Col, int Row) const;
    QPoint PieceCenter(const TNumberPiece& Piece) const;
    // A left-button drag through the window, from one board point to another.
    void Drag(QPoint From, QPoint To, Qt::KeyboardModifiers Modifiers = Qt::NoModifier);
    void RightClick(QPoint At);
    // Counts the pixels of Color in a rectangle of a layer's canvas.
    static int CountColor(const TLayerImage& Layer, const QRect& Area, const QColor& Color);
    // The rectangle of Digit's hint slot in a cell.
    QRect HintSlot(int Col, int Row, int Digit) const;

    std::unique_ptr<TSudoku> Board;
    QWindow* Window = nullptr;
    int Changes = 0;
};

} // namespace kumoji::test
