#include "storage/compress_string_list.h"

#include "storage/ansi_text.h"
#include "storage/messages.h"
#include "storage/platform.h"

#include <algorithm>
#include <mutex>
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
    FLoadedImage.clear();
    if (!FileExists(FileName)) {
        ShowMessage(FileName + " がありません");
        FLastError = std::make_error_code(std::errc::no_such_file_or_directory);
        return TLoadResult::Missing;
    }
    try {
        std::string Packed;
        if (const std::error_code Error = ReadWholeFile(FileName, Packed)) {
            FLastError = Error;
            return TLoadResult::Unreadable;
        }
        return LoadFromImage(std::move(Packed));
    } catch (const std::bad_alloc&) {
        FLastError = TStorageError::OutOfMemory;
        return TLoadResult::Unreadable;
    }
}

namespace {

// The image this process last wrote, with its lines: the next save reads back the file the
// previous one wrote, and decoding the same bytes again would cost as much as coding them.
struct TImageCache {
    std::mutex Lock;
    std::string Packed;
    std::vector<std::string> Lines;
};

TImageCache& ImageCache() {
    static TImageCache Cache;
    return Cache;
}

} // namespace

void RememberImage(std::string Packed, std::vector<std::string> Lines) {
    // Only lines that the text's line breaks give back as they are.
    const bool Exact = std::none_of(Lines.begin(), Lines.end(), [](const std::string& Line) {
        return std::any_of(Line.begin(), Line.end(),
                           [](char C) { return C == '\r' || C == '\n' || C == '\0'; });
    });
    TImageCache& Cache = ImageCache();
    const std::lock_guard Guard(Cache.Lock);
    Cache.Packed = Exact ? std::move(Packed) : std::string();
    Cache.Lines = Exact ? std::move(Lines) : std::vector<std::string>();
}

TLoadResult TCompressStringList::LoadFromImage(std::string Packed) {
    FLastError.clear();
    FDamagedImage.clear();
    FLoadedImage.clear();
    {
        TImageCache& Cache = ImageCache();
        const std::lock_guard Guard(Cache.Lock);
        if (!Packed.empty() && Packed == Cache.Packed) {
            Lines = std::move(Cache.Lines);
            Cache.Packed.clear();
            Cache.Lines.clear();
            FLastCheck = TCheck::Good;
            FLoadedImage = std::move(Packed);
            return TLoadResult::Loaded;
        }
    }
    TDeltaCode Coder;
    Coder.PackedStream = std::move(Packed);
    if (!Coder.Decode()) {
        FLastError = Coder.Failure;
        FDamagedImage = std::move(Coder.PackedStream);
        return TLoadResult::Damaged;
    }
    FLastCheck = VerifyCheck(Coder.PackedStream, Coder.PlainStream);
    if (FLastCheck == TCheck::Failed) {
        FLastError = TStorageError::CheckFailed;
        FDamagedImage = std::move(Coder.PackedStream);
        return TLoadResult::Damaged;
    }
    Lines = LinesOfText(Coder.PlainStream);
    FLoadedImage = std::move(Coder.PackedStream);
    return TLoadResult::Loaded;
}

std::string TCompressStringList::Encoded() const {
    TDeltaCode Coder;
    Coder.PlainStream = GetText();
    if (!Coder.Encode())
        return {};
    StampCheck(Coder.PackedStream, Coder.PlainStream);
    return std::move(Coder.PackedStream);
}

std::error_code TCompressStringList::SaveToFile(const std::string& FileName) {
    if (FileName.empty())
        return TStorageError::NoFileName;
    std::string Packed;
    try {
        Packed = Encoded();
    } catch (const std::bad_alloc&) {
    }
    if (Packed.empty()) {
        ShowMessage("TCompressStringList.SaveToFile 2003.02.10");
        return TStorageError::CannotEncode;
    }
    return WriteFileSafely(FileName, Packed);
}

} // namespace kumoji
