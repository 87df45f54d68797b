#pragma once

#include <QString>

class QWidget;

namespace kumoji {

// A message in two parts, with a blank line between them.
QString TwoParts(const QString& First, const QString& Second);

// A plain modal message box with the program's title and an OK button.
void ShowMessageBox(QWidget* Owner, const QString& Text);

// A modal question with Yes and Cancel; true for Yes.
bool AskYesCancel(QWidget* Owner, const QString& Text);

// A modal question with Yes (the default) and No; true for Yes.
bool AskYesNo(QWidget* Owner, const QString& Text);

} // namespace kumoji
