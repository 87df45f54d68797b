// Any line read as a player record formats to a line that reads back to the same record,
// and comma text written from any values reads back to those values.
#include "storage/ansi_text.h"
#include "storage/comma_text.h"
#include "storage/roster.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const std::string Line(reinterpret_cast<const char*>(Data), Size);
    kumoji::TTabijiUser User;
    User.ParseRecord(Line);
    const std::string First = User.FormatRecord();
    // Such a name swallows its "="; NameProblem keeps players from having one.
    if (kumoji::EndsInsideCharacter(User.Name)) {
        if (kumoji::NameProblem(User.Name).empty())
            std::abort();
        return 0;
    }
    kumoji::TTabijiUser Again;
    if (!Again.ParseRecord(First))
        std::abort();
    if (Again.FormatRecord() != First || Again.Name != User.Name || Again.Huts != User.Huts ||
        Again.Route != User.Route || Again.Position != User.Position || Again.Extra != User.Extra)
        std::abort();
    std::vector<int> Huts;
    User.GetHuts(&Huts);

    // Values without NUL bytes survive comma text; the split points come from the input.
    std::vector<std::string> Values;
    std::string Current;
    for (const char C : Line) {
        if (C == '\0')
            continue;
        if (C == '\x01') {
            Values.push_back(Current);
            Current.clear();
        } else {
            Current += C;
        }
    }
    Values.push_back(Current);
    std::vector<std::string> Read = kumoji::ReadCommaText(kumoji::CommaTextOf(Values));
    // A last empty value is dropped by design (a trailing comma adds nothing, and a lone empty
    // value is an empty text).
    if (!Values.empty() && Values.back().empty())
        Values.pop_back();
    if (Read != Values)
        std::abort();
    return 0;
}
