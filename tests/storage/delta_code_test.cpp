#include "storage/delta_code.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace kumoji {
namespace {

std::string Bytes(std::initializer_list<int> List) {
    std::string S;
    for (const int B : List)
        S += static_cast<char>(B);
    return S;
}

std::string Encoded(const std::string& Text) {
    TDeltaCode Coder;
    Coder.PlainStream = Text;
    EXPECT_TRUE(Coder.Encode());
    return Coder.PackedStream;
}

// Decodes and reports the check that failed, or "" for success.
std::string DecodeError(const std::string& File, std::string* Text = nullptr) {
    TDeltaCode Coder;
    Coder.PackedStream = File;
    const bool Ok = Coder.Decode();
    if (Text)
        *Text = Coder.PlainStream;
    return Ok ? std::string() : Coder.ErrorText;
}

void SetU32(std::string& S, std::size_t Pos, std::uint32_t V) {
    for (int I = 0; I < 4; ++I)
        S[Pos + I] = static_cast<char>(V >> (8 * I));
}

const std::string AbcFile =
    Bytes({0x42, 0x44, 0x43, 0x31, 0x29, 0,    0,    0,    5,    0,    0,    0,    0,   0,
           0,    0,    4,    0,    2,    1,    3,    5,    6,    0,    0,    0,    0,   0,
           0,    0,    0,    0,    0x0D, 0x0A, 0x63, 0x61, 0x62, 0x90, 0x4A, 0x00, 0x08});

TEST(WorkedFiles, EmptyTextIsThe33ByteFile) {
    const std::string Expected =
        Bytes({0x42, 0x44, 0x43, 0x31, 33, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,   0,
               0,    2,    1,    3,    5,  6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xAA});
    EXPECT_EQ(Encoded(""), Expected);
    std::string Text = "x";
    EXPECT_EQ(DecodeError(Expected, &Text), "");
    EXPECT_EQ(Text, "");
}

TEST(WorkedFiles, AbcIsThe41ByteFile) {
    EXPECT_EQ(Encoded("abc\r\n"), AbcFile);
    std::string Text;
    EXPECT_EQ(DecodeError(AbcFile, &Text), "");
    EXPECT_EQ(Text, "abc\r\n");
}

TEST(CodeClasses, BitsForIsTheWidthOfAValue) {
    EXPECT_EQ(BitsFor(0), 0);
    EXPECT_EQ(BitsFor(1), 1);
    EXPECT_EQ(BitsFor(2), 2);
    EXPECT_EQ(BitsFor(3), 2);
    EXPECT_EQ(BitsFor(214), 8);
    EXPECT_EQ(BitsFor(65535), 16);
}

TEST(CodeClasses, LastClassWidthFollowsTheNumberOfByteValues) {
    auto Distinct = [](int N) {
        std::string S;
        for (int B = 0; B < N; ++B)
            S += static_cast<char>(B);
        return S;
    };
    // LastRank at offset 16, class-3 index width at offset 22.
    std::string File = Encoded(std::string(100, 'q'));
    EXPECT_EQ(File[16], 0);
    EXPECT_EQ(File[22], 6);
    // 100 codes of 3 zero bits: 300 bits, 19 words, all zero.
    EXPECT_EQ(File.size(), 33u + 38u);
    EXPECT_EQ(File.substr(33), std::string(38, '\0'));

    File = Encoded(Distinct(42));
    EXPECT_EQ(File[16], 41);
    EXPECT_EQ(File[22], 6);
    File = Encoded(Distinct(43));
    EXPECT_EQ(File[16], 42);
    EXPECT_EQ(File[22], 1);
    File = Encoded(Distinct(256));
    EXPECT_EQ(static_cast<unsigned char>(File[16]), 255);
    EXPECT_EQ(File[22], 8);
    // 2 + 8 x 3 + 32 x 5 codes of the first classes, 214 of 10 bits.
    EXPECT_EQ(File.size(), 32u + 256u + (2 * 3 + 8 * 5 + 32 * 7 + 214 * 10 + 15) / 16 * 2);
}

TEST(CodeClasses, NoExtraWordWhenTheCodesEndOnAWordBoundary) {
    EXPECT_EQ(Encoded(std::string(16, 'z')).size(), 33u + 6u); // 48 bits
    EXPECT_EQ(Encoded(std::string(17, 'z')).size(), 33u + 8u); // 51 bits
}

TEST(RoundTrip, EveryLengthDecodesToItsText) {
    std::mt19937 Random(7);
    const int Alphabets[] = {1, 2, 5, 10, 42, 43, 100, 256};
    for (const int Alphabet : Alphabets) {
        std::geometric_distribution<int> Skewed(0.08);
        for (int Length = 0; Length <= 300; ++Length) {
            std::string Text;
            for (int I = 0; I < Length; ++I)
                Text += static_cast<char>(Skewed(Random) % Alphabet * 97 % 256);
            std::string Back;
            ASSERT_EQ(DecodeError(Encoded(Text), &Back), "") << Alphabet << "/" << Length;
            ASSERT_EQ(Back, Text) << Alphabet << "/" << Length;
        }
    }
    std::string Large;
    std::uniform_int_distribution<int> Byte(0, 255);
    for (int I = 0; I < 200000; ++I)
        Large += static_cast<char>(Byte(Random));
    std::string Back;
    EXPECT_EQ(DecodeError(Encoded(Large), &Back), "");
    EXPECT_TRUE(Back == Large);
}

TEST(RoundTrip, ReaderAcceptsAnySymbolOrder) {
    std::string File = AbcFile;
    std::swap(File[32], File[34]); // ranks of CR and "c" exchanged
    std::string Text;
    EXPECT_EQ(DecodeError(File, &Text), "");
    EXPECT_EQ(Text, "ab\r" + std::string("c\n"));
}

// Every change below makes a file that Encode never writes; each must fail cleanly.
TEST(DecoderRejects, WrongSignatureOrRecordedSize) {
    const std::string Format = "データの形式が違います";
    const std::string Recorded = "記録データのサイズが違います";
    std::string F = AbcFile;
    F[3] = '2';
    EXPECT_EQ(DecodeError(F), Format);
    EXPECT_EQ(DecodeError("BD"), Format);
    EXPECT_EQ(DecodeError(""), Format);
    F = AbcFile;
    SetU32(F, 4, 40);
    EXPECT_EQ(DecodeError(F), Recorded);
    EXPECT_EQ(DecodeError(AbcFile.substr(0, 39)), Recorded);
    EXPECT_EQ(DecodeError(AbcFile + "xx"), Recorded);
    EXPECT_EQ(DecodeError("BDC1\x06"), Recorded);
}

TEST(DecoderRejects, HeadersThatWouldIndexOutOfBounds) {
    const std::string Format = "データの形式が違います";
    auto Patched = [](int Offset, int Value) {
        std::string F = AbcFile;
        F[Offset] = static_cast<char>(Value);
        return F;
    };
    EXPECT_EQ(DecodeError(Patched(17, 1)), Format);  // LastRank 260
    EXPECT_EQ(DecodeError(Patched(18, 3)), Format);  // ClassBits 3
    EXPECT_EQ(DecodeError(Patched(18, 1)), Format);  // ClassBits 1
    EXPECT_EQ(DecodeError(Patched(22, 9)), Format);  // class-3 index wider than a byte
    EXPECT_EQ(DecodeError(Patched(21, 8)), Format);  // class 2 runs past rank 255
    EXPECT_EQ(DecodeError(Patched(16, 20)), Format); // symbol list runs into the codes
    std::string Short = AbcFile.substr(0, 30);
    SetU32(Short, 4, 30);
    EXPECT_EQ(DecodeError(Short), Format);
    std::string Odd = AbcFile + "x";
    SetU32(Odd, 4, 42);
    EXPECT_EQ(DecodeError(Odd), Format);
    // First code 01 011: rank 5, past LastRank 4.
    std::string PastLast = AbcFile;
    PastLast[37] = static_cast<char>(0x90);
    PastLast[38] = static_cast<char>(0x5A);
    EXPECT_EQ(DecodeError(PastLast), Format);
}

TEST(DecoderRejects, LengthsTheCodesDoNotHold) {
    const std::string ReadOut = "読み出しデータのサイズが違います";
    std::string F = AbcFile;
    SetU32(F, 8, 10); // 32 code bits hold 8 codes at most here
    EXPECT_EQ(DecodeError(F), ReadOut);
    SetU32(F, 8, 0xFFFFFFFF); // must fail before asking for 4 GB
    EXPECT_EQ(DecodeError(F), ReadOut);
    SetU32(F, 8, 0); // codes behind a zero length
    EXPECT_EQ(DecodeError(F), ReadOut);
    // Fill bits decode as rank 0, so a slightly larger length still reads: that is the format.
    SetU32(F, 8, 6);
    std::string Text;
    EXPECT_EQ(DecodeError(F, &Text), "");
    EXPECT_EQ(Text, "abc\r\n\r");
}

} // namespace
} // namespace kumoji
