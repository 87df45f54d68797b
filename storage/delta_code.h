#pragma once

#include "storage/storage_error.h"

#include <array>
#include <cstdint>
#include <string>

namespace kumoji {

// Smallest k >= 0 with 2^k > Value.
int BitsFor(std::uint16_t Value);

// Static frequency-rank prefix code of the "BDC" file: each byte is replaced by its rank in a
// frequency table stored in the file, written as a 2-bit class selector and a class index.
class TDeltaCode {
public:
    struct TSymbol {
        std::uint8_t Symbol = 0;
        std::int32_t Count = 0;
        std::uint8_t Rank = 0;
    };

    std::array<TSymbol, 256> Symbols;
    std::uint16_t LastRank = 0;
    std::uint8_t ClassBits = 2;
    std::array<std::uint8_t, 4> IndexBits{};
    std::array<std::uint8_t, 3> ClassLast{};
    std::string PlainStream;                            // the uncoded text
    std::string PackedStream;                           // the whole file image
    std::string ErrorText;                              // the decoding check reached last (UTF-8)
    TStorageError Failure = TStorageError::FormatWrong; // the same check as a code

    TDeltaCode();
    virtual ~TDeltaCode() = default;

    // Codes PlainStream into PackedStream; false (with a message) when the text is too long
    // for the file's 32-bit size fields.
    bool Encode();
    // Decodes PackedStream into PlainStream; true only for a complete, consistent file.
    bool Decode();

    void ResetSymbols();
    void BuildRanks();
    void SortByCount(int L, int R);

private:
    std::uint32_t Accumulator = 0;
    int FreeBit = 31;
    std::array<std::uint32_t, 4> Prefix{};
    std::array<int, 4> Length{};

    void PutRank(int Rank);
    void PutWord(std::uint16_t Word);
    void SetFailure(TStorageError Error);
};

} // namespace kumoji
