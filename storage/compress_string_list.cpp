#include "storage/compress_string_list.h"

#include "storage/ansi_text.h"
#include "storage/messages.h"
#include "storage/platform.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace kumoji {

std::string TextOfLines(const std::vector<std::string>& Lines) {
    std::size_t Size = 0;
    for (const std::string& Line : Lines)
        Size += Line.size() + 2;
    std::string Text;
    Text.reserve(Size);
    for (const std::string& Line : Lines) {
        Text += Line;
        Text += "\r\n";
    }
    return Text;
}

std::vector<std::string> LinesOfText(std::string_view Text) {
    const std::size_t End = std::min(Text.find('\0'), Text.size());
    std::vector<std::string> Lines;
    std::size_t Pos = 0;
    while (Pos < End) {
        const std::size_t Start = Pos;
        while (Pos < End && Text[Pos] != '\r' && Text[Pos] != '\n')
            ++Pos;
        Lines.emplace_back(Text.substr(Start, Pos - Start));
        if (Pos < End && Text[Pos] == '\r')
            ++Pos;
        if (Pos < End && Text[Pos] == '\n')
            ++Pos;
    }
    return Lines;
}

int TCompressStringList::IndexOf(std::string_view Text) const {
    for (std::size_t I = 0; I < Lines.size(); ++I)
        if (SameText(Lines[I], Text))
            return static_cast<int>(I);
    return -1;
}

TLoadResult TCompressStringList::LoadFromFile(const std::string& FileName) {
    FLastError.clear();
    FDamagedImage.clear();
    if (!FileExists(FileName)) {
        ShowMessage(FileName + " がありません");
        FLastError = "ファイルがありません";
        return TLoadResult::Missing;
    }
    try {
        TDeltaCode Coder;
        if (const int Error = ReadWholeFile(FileName, Coder.PackedStream)) {
            FLastError = std::strerror(Error);
            return TLoadResult::Unreadable;
        }
        if (!Coder.Decode()) {
            FLastError = Coder.ErrorText;
            FDamagedImage = std::move(Coder.PackedStream);
            return TLoadResult::Damaged;
        }
        Lines = LinesOfText(Coder.PlainStream);
    } catch (const std::bad_alloc&) {
        FLastError = "メモリが足りません";
        return TLoadResult::Unreadable;
    }
    return TLoadResult::Loaded;
}

int TCompressStringList::SaveToFile(const std::string& FileName) {
    if (FileName.empty())
        return 1;
    try {
        TDeltaCode Coder;
        Coder.PlainStream = GetText();
        if (!Coder.Encode()) {
            ShowMessage("TCompressStringList.SaveToFile 2003.02.10");
            return 1;
        }
        return WriteFileSafely(FileName, Coder.PackedStream);
    } catch (const std::bad_alloc&) {
        ShowMessage("TCompressStringList.SaveToFile 2003.02.10");
        return 1;
    }
}

} // namespace kumoji
