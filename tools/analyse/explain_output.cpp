// How the tool writes an explanation: one JSON object, or text lines under the position's line.
#include "tools/analyse/explain_output.h"

#include "engine/grid/puzzle_text.h"
#include "tools/analyse/analyser.h"

#include <cstddef>

namespace kumoji {

namespace {

// The length of the well-formed UTF-8 sequence Text starts with; 0 when it is
// malformed (a stray byte, an overlong form, a surrogate, past U+10FFFF).
std::size_t SequenceLength(std::string_view Text) {
    const auto Byte = [Text](std::size_t I) { return static_cast<unsigned char>(Text[I]); };
    const unsigned char Lead = Byte(0);
    if (Lead < 0x80) {
        return 1;
    }
    std::size_t Length = 0;
    unsigned char Low = 0x80, High = 0xBF;
    if (Lead >= 0xC2 && Lead <= 0xDF) {
        Length = 2;
    } else if (Lead >= 0xE0 && Lead <= 0xEF) {
        Length = 3;
        Low = Lead == 0xE0 ? 0xA0 : Low;
        High = Lead == 0xED ? 0x9F : High;
    } else if (Lead >= 0xF0 && Lead <= 0xF4) {
        Length = 4;
        Low = Lead == 0xF0 ? 0x90 : Low;
        High = Lead == 0xF4 ? 0x8F : High;
    } else {
        return 0;
    }
    if (Text.size() < Length || Byte(1) < Low || Byte(1) > High) {
        return 0;
    }
    for (std::size_t I = 2; I < Length; ++I) {
        if ((Byte(I) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return Length;
}

// A JSON list of Items, each written by Write.
template <typename TItems, typename TWrite>
void AppendList(std::string& Buffer, const TItems& Items, TWrite Write) {
    Buffer.push_back('[');
    bool First = true;
    for (const auto& Item : Items) {
        if (!First) {
            Buffer.append(", ");
        }
        First = false;
        Write(Item);
    }
    Buffer.push_back(']');
}

void AppendStep(std::string& Buffer, const TExplainStep& Step) {
    Buffer.append("{\"technique\": ");
    AppendJsonString(Buffer, TechniqueName(Step.Technique));
    Buffer.append(", \"digits\": ");
    AppendList(Buffer, Step.Digits, [&](int Digit) { Buffer.append(std::to_string(Digit)); });
    Buffer.append(", \"cells\": ");
    AppendList(Buffer, Step.Cells, [&](int Cell) { AppendJsonString(Buffer, CellName(Cell)); });
    Buffer.append(", \"units\": ");
    AppendList(Buffer, Step.Units, [&](int Unit) { AppendJsonString(Buffer, UnitName(Unit)); });
    // Only the kinds that use them carry the lists, so every older kind's
    // line stays as it was.
    if (Step.Technique == smXWing || Step.Technique == smSwordfish) {
        Buffer.append(", \"cover\": ");
        AppendList(Buffer, Step.Cover, [&](int Unit) { AppendJsonString(Buffer, UnitName(Unit)); });
    }
    if (Step.Technique == smSimpleColouring) {
        Buffer.append(", \"colours\": ");
        AppendList(Buffer, Step.Colours,
                   [&](int Colour) { Buffer.append(std::to_string(Colour)); });
        Buffer.append(", \"links\": ");
        AppendList(Buffer, Step.Links, [&](const std::array<int, 3>& Link) {
            Buffer.append("[").append(std::to_string(Link[0])).append(", ");
            Buffer.append(std::to_string(Link[1])).append(", ");
            AppendJsonString(Buffer, UnitName(Link[2]));
            Buffer.push_back(']');
        });
    }
    Buffer.append(", \"removes\": ");
    AppendList(Buffer, Step.Removes, [&](const TCandidate& Removed) {
        Buffer.append("{\"cell\": ");
        AppendJsonString(Buffer, CellName(Removed.Cell));
        Buffer.append(", \"digit\": ").append(std::to_string(Removed.Digit)).push_back('}');
    });
    Buffer.push_back('}');
}

} // namespace

void AppendJsonString(std::string& Buffer, std::string_view Text) {
    static constexpr char Hex[] = "0123456789abcdef";
    Buffer.push_back('"');
    while (!Text.empty()) {
        const unsigned char Byte = static_cast<unsigned char>(Text.front());
        std::size_t Length = 1;
        switch (Byte) {
        case '"':
            Buffer.append("\\\"");
            break;
        case '\\':
            Buffer.append("\\\\");
            break;
        case '\b':
            Buffer.append("\\b");
            break;
        case '\f':
            Buffer.append("\\f");
            break;
        case '\n':
            Buffer.append("\\n");
            break;
        case '\r':
            Buffer.append("\\r");
            break;
        case '\t':
            Buffer.append("\\t");
            break;
        default:
            if (Byte < 0x20) {
                Buffer.append("\\u00").push_back(Hex[Byte >> 4]);
                Buffer.push_back(Hex[Byte & 15]);
            } else if ((Length = SequenceLength(Text)) == 0) {
                Length = 1;
                Buffer.append("\xEF\xBF\xBD");
            } else {
                Buffer.append(Text.substr(0, Length));
            }
        }
        Text.remove_prefix(Length);
    }
    Buffer.push_back('"');
}

void AppendExplanationJson(std::string& Buffer, std::string_view Puzzle, TPoint Cell, int Digit,
                           std::string_view Technique, const TExplanation& Explanation) {
    Buffer.append("{\"puzzle\": ");
    AppendJsonString(Buffer, Puzzle);
    Buffer.append(", \"cell\": ");
    AppendJsonString(Buffer, CellName(Cell.X, Cell.Y));
    Buffer.append(", \"digit\": ").append(std::to_string(Digit));
    Buffer.append(", \"technique\": ");
    AppendJsonString(Buffer, Technique);
    Buffer.append(", \"steps\": ");
    AppendList(Buffer, Explanation.Steps,
               [&](const TExplainStep& Step) { AppendStep(Buffer, Step); });

    const TExplainSingle& Single = Explanation.Single;
    Buffer.append(", \"single\": {\"kind\": ");
    AppendJsonString(Buffer, TechniqueName(Single.Kind));
    Buffer.append(", \"unit\": ");
    if (Single.Unit < 0) {
        Buffer.append("null");
    } else {
        AppendJsonString(Buffer, UnitName(Single.Unit));
    }
    Buffer.append(", \"cell\": ");
    AppendJsonString(Buffer, CellName(Single.Cell));
    Buffer.append(", \"digit\": ").append(std::to_string(Single.Digit));
    Buffer.append("}, \"text\": ");
    AppendList(Buffer, Explanation.Text,
               [&](const std::string& Line) { AppendJsonString(Buffer, Line); });
    Buffer.append("}\n");
}

void AppendExplanationText(std::string& Buffer, const TExplanation& Explanation) {
    for (std::size_t I = 0; I < Explanation.Text.size(); ++I) {
        const bool Step = I < Explanation.Steps.size();
        Buffer.append(Step ? "  " + std::to_string(I + 1) + ". " : std::string("  => "));
        for (const char Char : Explanation.Text[I]) {
            Buffer.push_back(static_cast<unsigned char>(Char) < 0x20 ? ' ' : Char);
        }
        Buffer.push_back('\n');
    }
}

} // namespace kumoji
