// Where a route's questions come from: one puzzle position and its technique at a time.
#pragma once

#include <optional>
#include <string>

namespace kumoji {

struct TQuestion {
    std::string Text;  // 81 digits, '0' an empty cell
    int Technique = 0; // the technique that finds its forced move

    friend bool operator==(const TQuestion&, const TQuestion&) = default;
};

class TQuestionSource {
public:
    virtual ~TQuestionSource() = default;
    // Takes the next question for a player standing at Position; nothing when the source
    // has none to give.
    virtual std::optional<TQuestion> Take(int Position) = 0;
    // A small piece of work ahead of the next Take, for a source whose questions take time
    // to make; true while there is more to do.
    virtual bool Prepare() { return false; }
};

} // namespace kumoji
