// Showing the explanation of a forced move on the board, above its pieces.
#include "board/explain_marks.h"
#include "board/explain_overlay.h"
#include "board/key_cursor.h"
#include "board/sudoku.h"

namespace kumoji {

void TSudoku::ShowExplanation(const TExplanation& Explanation, const TMatrix& Position) {
    FExplainOverlay->setGeometry(rect());
    FExplainOverlay->Show(ExplainMarks(Explanation, Position));
    // Pieces made or moved since lie above it; the cursor's frame stays on top.
    FExplainOverlay->raise();
    FKeyCursorFrame->raise();
}

void TSudoku::ClearExplanation() {
    FExplainOverlay->Clear();
}

} // namespace kumoji
