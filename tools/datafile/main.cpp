// kumoji-datafile: shows a "BDC" data file as text and writes text back as one.
#include "storage/compress_string_list.h"
#include "storage/data_file.h"
#include "storage/messages.h"
#include "storage/platform.h"
#include "storage/sjis.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const char* const Usage =
    R"(usage: kumoji-datafile dump FILE [--raw]
       kumoji-datafile pack FILE [--raw] < TEXT
       kumoji-datafile --help

The game keeps its players in a compressed data file (tozan01.ini). This tool
reads and writes such files.

  dump FILE   decode FILE and write its lines to standard output, one per line,
              converted from Shift-JIS (CP932) to UTF-8
  pack FILE   read UTF-8 lines from standard input and write them to FILE as a
              compressed data file in CP932; FILE is replaced only when all of
              the text was read and converted, and the write is crash-safe; the
              file it replaces is kept as FILE.bak (a damaged one as FILE.damaged)

  --raw       dump: write the stored bytes unconverted, every line ending in CR LF
              pack: take the input bytes as they are (lines end at CR LF, CR or LF)

Exit status: 0 on success, 1 when the file or the text cannot be used (the
message names the check or the line), 2 for wrong arguments.
)";

int Fail(const std::string& Message) {
    std::cerr << "kumoji-datafile: " << Message << "\n";
    return 1;
}

std::string Describe(const kumoji::TConvertError& Error) {
    std::string Hex;
    for (const unsigned char C : Error.Character) {
        char Buf[4];
        std::snprintf(Buf, sizeof Buf, "%02X", C);
        if (!Hex.empty())
            Hex += ' ';
        Hex += Buf;
    }
    return "bytes " + Hex;
}

int Dump(const std::string& FileName, bool Raw) {
    if (!kumoji::FileExists(FileName))
        return Fail(FileName + ": no such file");
    kumoji::TCompressStringList List;
    switch (List.LoadFromFile(FileName)) {
    case kumoji::TLoadResult::Loaded:
        break;
    case kumoji::TLoadResult::Missing:
        return Fail(FileName + ": no such file");
    case kumoji::TLoadResult::Unreadable:
        return Fail(FileName + ": cannot be read: " + kumoji::ErrorText(List.LastError()));
    case kumoji::TLoadResult::Damaged:
        return Fail(FileName +
                    ": damaged or not a data file: " + kumoji::ErrorText(List.LastError()));
    }
    if (Raw) {
        const std::string Text = List.GetText();
        std::fwrite(Text.data(), 1, Text.size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : Fail("cannot write to standard output");
    }
    std::string Out;
    for (std::size_t I = 0; I < List.Lines.size(); ++I) {
        std::string Line;
        kumoji::TConvertError Error;
        if (!kumoji::Cp932ToUtf8(List.Lines[I], Line, &Error))
            return Fail(FileName + ": line " + std::to_string(I + 1) + ", byte " +
                        std::to_string(Error.Offset + 1) + ": not Shift-JIS text (" +
                        Describe(Error) + "); use --raw for the stored bytes");
        Out += Line;
        Out += '\n';
    }
    std::fwrite(Out.data(), 1, Out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : Fail("cannot write to standard output");
}

int Pack(const std::string& FileName, bool Raw) {
    const std::string Input((std::istreambuf_iterator<char>(std::cin)),
                            std::istreambuf_iterator<char>());
    if (std::cin.bad())
        return Fail("cannot read standard input");
    // A NUL byte ends the text when the file is loaded: refuse rather than lose what follows.
    if (const auto Nul = Input.find('\0'); Nul != std::string::npos) {
        const auto Line = 1 + std::count(Input.begin(), Input.begin() + Nul, '\n');
        return Fail("line " + std::to_string(Line) + ": contains a NUL byte; " + FileName +
                    " not written");
    }
    kumoji::TCompressStringList List;
    if (Raw) {
        List.SetText(Input);
    } else {
        std::size_t Pos = 0;
        int Number = 0;
        while (Pos < Input.size()) {
            std::size_t End = Input.find('\n', Pos);
            if (End == std::string::npos)
                End = Input.size();
            std::string_view Line(Input.data() + Pos, End - Pos);
            Pos = End + 1;
            ++Number;
            if (!Line.empty() && Line.back() == '\r')
                Line.remove_suffix(1);
            if (Line.find('\r') != std::string_view::npos)
                return Fail("line " + std::to_string(Number) +
                            ": contains a carriage return, which would split it; " + FileName +
                            " not written");
            std::string Converted;
            kumoji::TConvertError Error;
            const bool Converts = kumoji::Utf8ToCp932(Line, Converted, &Error);
            if (!Converts && Error.ReadsBackChanged)
                return Fail("line " + std::to_string(Number) + ", byte " +
                            std::to_string(Error.Offset + 1) + ": \"" + Error.Character +
                            "\" would read back from Shift-JIS (CP932) as \"" + Error.ReadsBackAs +
                            "\"; " + FileName + " not written");
            if (!Converts)
                return Fail("line " + std::to_string(Number) + ", byte " +
                            std::to_string(Error.Offset + 1) + ": \"" + Error.Character +
                            "\" cannot be stored in Shift-JIS (CP932), or is not UTF-8 (" +
                            Describe(Error) + "); " + FileName + " not written");
            List.Lines.push_back(std::move(Converted));
        }
    }
    // The game's own save: under the file's lock, the file it replaces kept as the backup
    // (a damaged one set aside), and the temporary files of interrupted saves removed.
    auto* DataFile = new kumoji::TDataFile(FileName);
    DataFile->Lines = std::move(List.Lines);
    kumoji::TSaveReport Report;
    if (!kumoji::SaveAndFree(DataFile, &Report))
        return Fail(FileName + ": cannot be written: " + Report.Reason);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> Args(argv + 1, argv + argc);
    bool Raw = false;
    std::vector<std::string> Rest;
    for (const std::string& Arg : Args) {
        if (Arg == "--help" || Arg == "-h") {
            std::cout << Usage;
            return 0;
        }
        if (Arg == "--raw")
            Raw = true;
        else
            Rest.push_back(Arg);
    }
    kumoji::SetMessageHandler(
        [](const std::string& Text) { std::cerr << "kumoji-datafile: " << Text << "\n"; });
    if (Rest.size() != 2 || (Rest[0] != "dump" && Rest[0] != "pack")) {
        std::cerr << Usage;
        return 2;
    }
    return Rest[0] == "dump" ? Dump(Rest[1], Raw) : Pack(Rest[1], Raw);
}
