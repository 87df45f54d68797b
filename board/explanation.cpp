// Showing the explanation of a forced move on the board, above its pieces.
#include "board/explain_marks.h"
#include "board/explain_overlay.h"
#include "board/key_cursor.h"
#include "board/sudoku.h"

namespace kumoji {

void TSudoku::ShowExplanation(const TExplanation& Explanation, const TMatrix& Position) {
    ShowMarks(ExplainMarks(Explanation, Position));
}

void TSudoku::ShowWhereToLook(const TExplanation& Explanation) {
    ShowMarks(LookMarks(Explanation));
}

void TSudoku::ShowMarks(TExplainMarks Marks) {
    FExplainOverlay->setGeometry(rect());
    FExplainOverlay->Show(std::move(Marks));
    // Pieces made or moved since lie above it; the cursor's frame stays on top.
    FExplainOverlay->raise();
    FKeyCursorFrame->raise();
}

void TSudoku::ClearExplanation() {
    FExplainOverlay->Clear();
}

} // namespace kumoji
