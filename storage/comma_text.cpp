#include "storage/comma_text.h"

namespace kumoji {

namespace {

bool IsBlank(char C) {
    return C >= 1 && C <= ' ';
}

bool NeedsQuotes(std::string_view Value) {
    for (const char C : Value) {
        const auto B = static_cast<unsigned char>(C);
        if (B <= ' ' || C == '"' || C == ',')
            return true;
    }
    return false;
}

} // namespace

std::string CommaTextOf(const std::vector<std::string>& Values) {
    std::string Text;
    for (std::size_t I = 0; I < Values.size(); ++I) {
        if (I > 0)
            Text += ',';
        const std::string& Value = Values[I];
        if (!NeedsQuotes(Value)) {
            Text += Value;
            continue;
        }
        Text += '"';
        for (const char C : Value) {
            if (C == '"')
                Text += '"';
            Text += C;
        }
        Text += '"';
    }
    return Text;
}

std::vector<std::string> ReadCommaText(std::string_view Text) {
    Text = Text.substr(0, Text.find('\0'));
    std::vector<std::string> Values;
    std::size_t P = 0;
    const std::size_t End = Text.size();
    while (P < End && IsBlank(Text[P]))
        ++P;
    while (P < End) {
        std::string Value;
        if (Text[P] == '"') {
            ++P;
            while (P < End) {
                if (Text[P] == '"') {
                    if (P + 1 < End && Text[P + 1] == '"') {
                        Value += '"';
                        P += 2;
                        continue;
                    }
                    ++P;
                    break;
                }
                Value += Text[P++];
            }
        } else {
            const std::size_t Start = P;
            while (P<End&& static_cast<unsigned char>(Text[P])> ' ' && Text[P] != ',')
                ++P;
            Value.assign(Text.substr(Start, P - Start));
        }
        Values.push_back(std::move(Value));
        while (P < End && IsBlank(Text[P]))
            ++P;
        if (P < End && Text[P] == ',') {
            do
                ++P;
            while (P < End && IsBlank(Text[P]));
        }
    }
    return Values;
}

} // namespace kumoji
