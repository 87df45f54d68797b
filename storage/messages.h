#pragma once

#include <functional>
#include <string>

namespace kumoji {

// Receives the messages the storage layer shows to the player (UTF-8 text).
using TMessageHandler = std::function<void(const std::string& Text)>;

// Replaces the handler; an empty function restores the default, which writes to standard error.
void SetMessageHandler(TMessageHandler Handler);

void ShowMessage(const std::string& Text);

} // namespace kumoji
