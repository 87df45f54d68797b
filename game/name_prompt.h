#pragma once

#include <QString>
#include <string>

class QWidget;

namespace kumoji {

// A roster name (CP932 bytes) as interface text.
QString NameText(const std::string& Name);

// Removes leading and trailing blanks and control characters.
QString TrimName(const QString& Text);

// Asks for a player's name until one is given that the roster can store
// faithfully; a refused name is explained and asked again. Required: Cancel
// explains that a name is needed and asks again, and a blank answer asks
// again; otherwise Cancel or a blank answer returns false. Name receives the
// CP932 bytes.
bool AskPlayerName(QWidget* Owner, bool Required, std::string& Name);

} // namespace kumoji
