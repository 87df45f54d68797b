// Any byte string given to the decoder either fails cleanly or yields a text that codes back
// to a file decoding to the same text.
#include "storage/delta_code.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    kumoji::TDeltaCode Coder;
    Coder.PackedStream.assign(reinterpret_cast<const char*>(Data), Size);
    if (!Coder.Decode())
        return 0;
    kumoji::TDeltaCode Again;
    Again.PlainStream = Coder.PlainStream;
    if (!Again.Encode())
        std::abort();
    kumoji::TDeltaCode Back;
    Back.PackedStream = Again.PackedStream;
    if (!Back.Decode() || Back.PlainStream != Coder.PlainStream)
        std::abort();
    return 0;
}
