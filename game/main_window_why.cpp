// Why the judged question's move was forced: the board draws it, the text panel says it.
#include "board/explain_panel.h"
#include "board/sudoku.h"
#include "game/main_window.h"

#include <QAction>

namespace kumoji {

void TForm1::ShowWhy() {
    const bool Enabled = FRound.Actions().WhyEnabled;
    acWhy->setEnabled(Enabled);
    if (!Enabled)
        ClearExplanation();
}

void TForm1::acWhyExecute() {
    if (!acWhy->isEnabled())
        return;
    ShowExplanation();
}

void TForm1::ShowExplanation() {
    const TExplanation* Explanation = FRound.Explanation();
    if (!Explanation)
        return;
    FSudoku->ShowExplanation(*Explanation, FRound.Asked());
    pnExplanation->SetLines(Explanation->Text);
}

void TForm1::ClearExplanation() {
    FSudoku->ClearExplanation();
    pnExplanation->Clear();
}

} // namespace kumoji
