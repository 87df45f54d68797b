#include "storage/messages.h"

#include <cstdio>
#include <utility>

namespace kumoji {

namespace {

TMessageHandler& Handler() {
    static TMessageHandler Current;
    return Current;
}

} // namespace

void SetMessageHandler(TMessageHandler NewHandler) {
    Handler() = std::move(NewHandler);
}

void ShowMessage(const std::string& Text) {
    if (Handler()) {
        Handler()(Text);
        return;
    }
    std::fprintf(stderr, "%s\n", Text.c_str());
}

} // namespace kumoji
