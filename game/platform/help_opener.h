#pragma once

#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

namespace kumoji {

// Hands a URL to the desktop; false when no program takes it.
using TUrlOpener = std::function<bool(const QUrl&)>;

// Replaces the opener (tests record the URL); an empty function restores the
// desktop's default handler.
void SetUrlOpener(TUrlOpener Opener);

// Where the help page named FileName is: beside the program in ProgramDir
// when it is there, else in the shared data folder of an installed tree
// (ProgramDir/../share/kumoji). When neither holds it, the place beside the
// program, so that the missing page is reported there.
QString FindHelpPage(const QString& ProgramDir, const QString& FileName);

// The page's file URL with Anchor as its fragment; the "#" is there also for
// an empty anchor.
QUrl HelpUrl(const QString& FileName, const QString& Anchor);

// Opens the help page at Anchor with the desktop's program for it. A missing
// page or a desktop without such a program is told in a message box; true
// when a program took the page.
bool OpenHelpFile(QWidget* Owner, const QString& FileName, const QString& Anchor);

} // namespace kumoji
