// Writes the fuzzers' starting corpus: files made by the encoder and typical record lines.
#include "storage/compress_string_list.h"
#include "storage/date_text.h"
#include "storage/roster.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

void Write(const std::string& Path, const std::string& Bytes) {
    std::ofstream Out(Path, std::ios::binary);
    Out << Bytes;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_seeds DECODE_DIR RECORD_DIR\n");
        return 2;
    }
    const std::string DecodeDir = argv[1];
    const std::string RecordDir = argv[2];

    std::string All;
    for (int B = 0; B < 256; ++B)
        All += static_cast<char>(B);
    const std::vector<std::string> Texts = {
        "",
        "abc\r\n",
        "aaaaaaaaaaaaaaaa",
        "[userdata]\r\nP1=0,12,\"11,18,21,24,28,32,36,39\",\"2003/02/10 21:05:33\",0\r\n",
        "\x93\x6f\x8e\x52\x8c\xfb\r\n\x8e\x52\x8f\xac\x89\xae=1\r\n",
        "0123456789abcdefghijklmnopqrstuvwxyzABCDEFG\r\n",
        All,
    };
    int N = 0;
    for (const std::string& Text : Texts) {
        kumoji::TDeltaCode Coder;
        Coder.PlainStream = Text;
        Coder.Encode();
        Write(DecodeDir + "/seed" + std::to_string(N++) + ".bdc", Coder.PackedStream);
    }

    kumoji::TTabijiUser User;
    User.Name = "P1";
    User.Position = 12;
    User.Huts = "11,18,21,24,28,32,36,39";
    User.LastPlayed = kumoji::EncodeDateTime(2003, 2, 10, 21, 5, 33);
    const std::vector<std::string> Lines = {
        User.FormatRecord(),
        "\x93\x6f\x8e\x52=3,50,,2003/2/1,7",
        "name only",
        "a=\"x\"\"y\",, 5 ,\"\",-3",
        "b=1,2,\"11,x,-3,24\",\"1999/12/31 0:00\",2147483647\x01tail",
    };
    N = 0;
    for (const std::string& Line : Lines)
        Write(RecordDir + "/seed" + std::to_string(N++) + ".txt", Line);
    return 0;
}
