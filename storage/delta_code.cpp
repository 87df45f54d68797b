#include "storage/delta_code.h"

#include "storage/messages.h"
#include "storage/storage_error.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

namespace kumoji {

namespace {

std::uint32_t ReadU32(const std::string& S, std::size_t Pos) {
    const auto* P = reinterpret_cast<const unsigned char*>(S.data() + Pos);
    return std::uint32_t(P[0]) | std::uint32_t(P[1]) << 8 | std::uint32_t(P[2]) << 16 |
           std::uint32_t(P[3]) << 24;
}

std::uint16_t ReadU16(const std::string& S, std::size_t Pos) {
    const auto* P = reinterpret_cast<const unsigned char*>(S.data() + Pos);
    return static_cast<std::uint16_t>(P[0] | P[1] << 8);
}

void PutU32(std::string& S, std::size_t Pos, std::uint32_t V) {
    for (int I = 0; I < 4; ++I)
        S[Pos + I] = static_cast<char>((V >> (8 * I)) & 0xFF);
}

} // namespace

int BitsFor(std::uint16_t Value) {
    int K = 0;
    while (K < 16 && (1u << K) <= Value)
        ++K;
    return K;
}

TDeltaCode::TDeltaCode() {
    ResetSymbols();
}

void TDeltaCode::ResetSymbols() {
    for (int I = 0; I < 256; ++I)
        Symbols[I] = TSymbol{static_cast<std::uint8_t>(I), 0, 0};
}

void TDeltaCode::SortByCount(int L, int R) {
    // This exact procedure fixes the order of equal counts, and with it the file bytes.
    int I = L;
    int J = R;
    const std::int32_t P = Symbols[(L + R) / 2].Count;
    do {
        while (Symbols[I].Count > P)
            ++I;
        while (Symbols[J].Count < P)
            --J;
        if (I <= J) {
            std::swap(Symbols[I].Symbol, Symbols[J].Symbol);
            std::swap(Symbols[I].Count, Symbols[J].Count);
            ++I;
            --J;
        }
    } while (I <= J);
    if (L < J)
        SortByCount(L, J);
    if (I < R)
        SortByCount(I, R);
}

void TDeltaCode::BuildRanks() {
    ResetSymbols();
    for (const char C : PlainStream)
        ++Symbols[static_cast<unsigned char>(C)].Count;
    SortByCount(0, 255);
    LastRank = 0;
    for (int I = 0; I < 256; ++I) {
        if (Symbols[I].Count == 0)
            break;
        LastRank = static_cast<std::uint16_t>(I);
        Symbols[Symbols[I].Symbol].Rank = static_cast<std::uint8_t>(I);
    }
    IndexBits = {1, 3, 5, 0};
    ClassLast = {1, 9, 41};
    IndexBits[3] = static_cast<std::uint8_t>(LastRank > 41 ? BitsFor(LastRank - 41) : 6);
}

void TDeltaCode::PutWord(std::uint16_t Word) {
    PackedStream.push_back(static_cast<char>(Word & 0xFF));
    PackedStream.push_back(static_cast<char>(Word >> 8));
}

void TDeltaCode::PutRank(int Rank) {
    int Class;
    int Index;
    if (Rank <= ClassLast[0]) {
        Class = 0;
        Index = Rank;
    } else if (Rank <= ClassLast[1]) {
        Class = 1;
        Index = Rank - ClassLast[0] - 1;
    } else if (Rank <= ClassLast[2]) {
        Class = 2;
        Index = Rank - ClassLast[1] - 1;
    } else {
        Class = 3;
        Index = Rank - ClassLast[2] - 1;
    }
    const std::uint32_t Code = Prefix[Class] | static_cast<std::uint32_t>(Index);
    FreeBit -= Length[Class];
    Accumulator |= Code << (FreeBit + 1);
    if (FreeBit < 16) {
        PutWord(static_cast<std::uint16_t>(Accumulator >> 16));
        Accumulator <<= 16;
        FreeBit += 16;
    }
}

bool TDeltaCode::Encode() {
    PackedStream.clear();
    // The file records sizes in 32 bits and counts bytes in signed 32 bits.
    if (PlainStream.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        ShowMessage("読み込みに失敗しました");
        return false;
    }
    BuildRanks();
    PackedStream.reserve(33 + LastRank + PlainStream.size() * 10 / 8 + 2);
    PackedStream.assign(32, '\0');
    std::memcpy(PackedStream.data(), "BDC1", 4);
    PutU32(PackedStream, 8, static_cast<std::uint32_t>(PlainStream.size()));
    PackedStream[16] = static_cast<char>(LastRank & 0xFF);
    PackedStream[17] = static_cast<char>(LastRank >> 8);
    PackedStream[18] = 2;
    for (int I = 0; I < 4; ++I)
        PackedStream[19 + I] = static_cast<char>(IndexBits[I]);
    for (int I = 0; I <= LastRank; ++I)
        PackedStream.push_back(static_cast<char>(Symbols[I].Symbol));

    for (int C = 0; C < 4; ++C) {
        Prefix[C] = static_cast<std::uint32_t>(C) << IndexBits[C];
        Length[C] = IndexBits[C] + 2;
    }
    Accumulator = 0;
    FreeBit = 31;
    for (const char C : PlainStream)
        PutRank(Symbols[static_cast<unsigned char>(C)].Rank);
    if (FreeBit < 31)
        PutWord(static_cast<std::uint16_t>(Accumulator >> 16));

    if (PackedStream.size() > std::numeric_limits<std::uint32_t>::max()) {
        PackedStream.clear();
        ShowMessage("読み込みに失敗しました");
        return false;
    }
    PutU32(PackedStream, 4, static_cast<std::uint32_t>(PackedStream.size()));
    return true;
}

void TDeltaCode::SetFailure(TStorageError Error) {
    Failure = Error;
    ErrorText = make_error_code(Error).message();
}

bool TDeltaCode::Decode() {
    PlainStream.clear();
    const std::string& P = PackedStream;
    SetFailure(TStorageError::FormatWrong);
    if (P.size() < 4 || std::memcmp(P.data(), "BDC1", 4) != 0)
        return false;
    SetFailure(TStorageError::RecordedSizeWrong);
    if (P.size() < 8 || ReadU32(P, 4) != P.size())
        return false;

    // Everything below guards against files that Encode never writes, so that no byte
    // pattern can index past the symbol table or a class, or ask for a huge buffer.
    SetFailure(TStorageError::FormatWrong);
    if (P.size() < 32)
        return false;
    const std::uint32_t Length = ReadU32(P, 8);
    LastRank = ReadU16(P, 16);
    ClassBits = static_cast<std::uint8_t>(P[18]);
    for (int I = 0; I < 4; ++I)
        IndexBits[I] = static_cast<std::uint8_t>(P[19 + I]);
    if (LastRank > 255 || ClassBits != 2)
        return false;
    for (const std::uint8_t Bits : IndexBits)
        if (Bits > 8)
            return false;
    std::array<int, 4> Base{};
    int Last = -1;
    for (int C = 0; C < 3; ++C) {
        Last += 1 << IndexBits[C];
        if (Last > 255)
            return false;
        ClassLast[C] = static_cast<std::uint8_t>(Last);
        Base[C + 1] = Last + 1;
    }
    const std::size_t CodeStart = 33 + std::size_t(LastRank);
    if (P.size() < CodeStart || (P.size() - CodeStart) % 2 != 0)
        return false;
    ResetSymbols();
    for (int I = 0; I <= LastRank; ++I)
        Symbols[I].Symbol = static_cast<std::uint8_t>(P[32 + I]);

    SetFailure(TStorageError::ReadOutSizeWrong);
    const std::size_t CodeBytes = P.size() - CodeStart;
    const int ShortestCode = ClassBits + *std::min_element(IndexBits.begin(), IndexBits.end());
    if (Length > CodeBytes * 8 / ShortestCode)
        return false;
    if (Length == 0)
        return CodeBytes == 0; // codes behind a zero length are an inconsistent file

    PlainStream.resize(Length);
    const auto* Words = reinterpret_cast<const unsigned char*>(P.data() + CodeStart);
    const std::size_t WordCount = CodeBytes / 2;
    std::uint64_t Buffer = 0;
    int Pending = 0; // unconsumed bits, the low bits of Buffer
    std::size_t Out = 0;
    for (std::size_t W = 0; W < WordCount && Out < Length; ++W) {
        Buffer = (Buffer << 16) | (Words[2 * W] | Words[2 * W + 1] << 8);
        Pending += 16;
        while (Out < Length) {
            if (Pending < ClassBits)
                break;
            const int Class = static_cast<int>((Buffer >> (Pending - ClassBits)) & 3);
            const int Bits = IndexBits[Class];
            // A code that straddles two words waits whole for the next word.
            if (Pending - ClassBits < Bits)
                break;
            Pending -= ClassBits + Bits;
            const int Rank =
                Base[Class] + static_cast<int>((Buffer >> Pending) & ((1u << Bits) - 1));
            if (Rank > LastRank) {
                PlainStream.clear();
                SetFailure(TStorageError::FormatWrong);
                return false;
            }
            PlainStream[Out++] = static_cast<char>(Symbols[Rank].Symbol);
        }
        Buffer &= (std::uint64_t(1) << Pending) - 1;
    }
    if (Out != Length) {
        PlainStream.clear();
        return false;
    }
    return true;
}

} // namespace kumoji
