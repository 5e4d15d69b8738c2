// Fuzz target for TByteFile: a script of reads, chosen by the input, over a file made of the
// rest of the input. Every value read is checked against the bytes themselves, and AtEnd
// against the count of bytes consumed.
//
// Input: byte 0 = script length L (mod 64), bytes 1..L = operations (mod 5), the rest = file.
#include "data/Fileread.h"
#include "platform/Errors.h"

#include "FuzzFile.h"

#include <string>

namespace {

enum Op { Byte, Int16, Int32, String, AtEnd };

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0 || size > MaxFuzzInput)
        return 0;
    const std::size_t scriptLength = std::min<std::size_t>(data[0] % 64, size - 1);
    const std::uint8_t* script = data + 1;
    const std::uint8_t* bytes = data + 1 + scriptLength;
    const std::size_t fileSize = size - 1 - scriptLength;

    TByteFile file(WriteFuzzFile(bytes, fileSize));
    std::size_t at = 0; // bytes consumed so far
    auto needs = [&](std::size_t n) { return at + n <= fileSize; };

    // The script, then bytes until the end: every file is read to its last byte.
    for (std::size_t step = 0;; ++step) {
        Op op = Byte;
        if (step < scriptLength) {
            op = static_cast<Op>(script[step] % 5);
        } else {
            const bool end = file.AtEnd();
            FUZZ_CHECK(end == (at == fileSize));
            if (end)
                break;
        }
        try {
            switch (op) {
            case Byte: {
                const std::uint8_t v = file.ReadByte();
                FUZZ_CHECK(needs(1) && v == bytes[at]);
                at += 1;
                break;
            }
            case Int16: {
                const bool fits = needs(2);
                const bool highBit = fits && (bytes[at + 1] & 0x80) != 0;
                try {
                    const int v = file.ReadInt16();
                    FUZZ_CHECK(fits && !highBit && v == bytes[at] + bytes[at + 1] * 256);
                } catch (const ERangeError&) {
                    FUZZ_CHECK(highBit);
                }
                at += 2; // both bytes are consumed, also when the value is refused
                break;
            }
            case Int32: {
                const std::int32_t v = file.ReadInt32();
                FUZZ_CHECK(needs(4));
                const std::uint32_t u = bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16
                    | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
                FUZZ_CHECK(v == static_cast<std::int32_t>(u));
                at += 4;
                break;
            }
            case String: {
                const std::string v = file.ReadString();
                FUZZ_CHECK(needs(1) && needs(1 + std::size_t{bytes[at]}));
                FUZZ_CHECK(v.size() == bytes[at]);
                for (std::size_t i = 0; i < v.size(); ++i)
                    FUZZ_CHECK(static_cast<std::uint8_t>(v[i]) == static_cast<std::uint8_t>(bytes[at + 1 + i] + 21));
                at += 1 + v.size();
                break;
            }
            case AtEnd:
                FUZZ_CHECK(file.AtEnd() == (at == fileSize));
                break;
            }
        } catch (const EInOutError& e) {
            // Only a read past the end may fail, and then the reader is given up.
            FUZZ_CHECK(std::string(e.what()) == "Read beyond end of file");
            FUZZ_CHECK(op != AtEnd);
            const std::size_t wanted = op == Byte ? 1 : op == Int16 ? 2 : op == Int32 ? 4 : 1;
            FUZZ_CHECK(!needs(wanted) || (op == String && !needs(1 + std::size_t{bytes[at]})));
            return 0;
        }
        FUZZ_CHECK(at <= fileSize);
    }
    FUZZ_CHECK(at == fileSize);
    return 0;
}
