// The main window's drawing tools for the board's memo, the help page and closing.
#include "board/sudoku.h"
#include "engine/techniques/solve_method.h"
#include "game/main_window.h"
#include "game/platform/help_opener.h"
#include "game/player_dialog.h"
#include "game/window_style.h"
#include "resources/resource_names.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>

namespace kumoji {

void TForm1::acCloseExecute() {
    close();
}

void TForm1::acPenExecute() {
    FSudoku->SetPenMode(0);
    acPen->setChecked(true);
}

void TForm1::acEraserExecute() {
    FSudoku->SetPenMode(1);
    acEraser->setChecked(true);
}

void TForm1::acPenColorExecute() {
    ColorDialog1->setCurrentColor(FSudoku->PenColor());
    if (ColorDialog1->exec() == QDialog::Accepted)
        FSudoku->SetPenColor(ColorDialog1->currentColor());
}

void TForm1::acEraseMemoExecute() {
    FSudoku->EraseMemo();
}

QString TForm1::HelpFileName() {
    return FindHelpPage(QCoreApplication::applicationDirPath(), QString::fromLatin1(HelpPageName));
}

void TForm1::acHelpExecute() {
    QString Anchor;
    if (Form2 && Form2->isVisible() &&
        (Form2->isActiveWindow() || QApplication::activeModalWidget() == Form2))
        Anchor = Form2->FHelpTopic;
    else if (QuestionRunning() && FRound.Technique() < static_cast<int>(SolveMethodNames.size()))
        Anchor = FromUtf8View(SolveMethodNames[static_cast<std::size_t>(FRound.Technique())]);
    QWidget* Owner = Form2 && Form2->isVisible() ? static_cast<QWidget*>(Form2) : this;
    OpenHelpFile(Owner, HelpFileName(), Anchor);
}

} // namespace kumoji
