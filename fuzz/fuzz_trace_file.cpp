// The packed record reader on arbitrary bytes, through the same code as a file on disk, checked
// against a second, plain decoding of the format: the count, every sample bit for bit, the
// message, and that nothing beyond the samples (nor anything at all on failure) is written.
#include "FuzzOperator.h"
#include "QuorvelwDoc.h"
#include "TraceFile.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int CANARY = 64;  // doubles past the caller's 7200
// A NaN whose low payload bits no widened float can carry: every entry still holding it was
// never written.
constexpr std::uint64_t UNTOUCHED = 0x7FF8DEADBEEF1234ull;

enum class Expect { Ok, Truncated, TooMany };

struct Decoded {
    Expect outcome = Expect::Ok;
    std::vector<std::uint32_t> samples;  // single-precision bits, in file order
};

// The format as the header describes it, decoded from the whole buffer.
Decoded Decode(const std::uint8_t* data, std::size_t size)
{
    Decoded d;
    std::size_t pos = 1;  // lead byte
    if (size < 1) {
        d.outcome = Expect::Truncated;
        return d;
    }
    for (;;) {
        if (pos >= size) {
            d.outcome = Expect::Truncated;
            return d;
        }
        const std::uint8_t type = data[pos++];
        if (type == TYPE_END)
            return d;
        const std::size_t n = type == TYPE_BLOCK ? BLOCK_SAMPLES : type >> 2;
        if (d.samples.size() + n > std::size_t(MAX_POINTS)) {
            d.outcome = Expect::TooMany;
            return d;
        }
        for (std::size_t k = 0; k < n; ++k, pos += 4) {
            if (size - pos < 4) {  // pos never passes size
                d.outcome = Expect::Truncated;
                return d;
            }
            d.samples.push_back(std::uint32_t(data[pos]) | std::uint32_t(data[pos + 1]) << 8 |
                                std::uint32_t(data[pos + 2]) << 16 | std::uint32_t(data[pos + 3]) << 24);
        }
        if (pos >= size) {  // separator
            d.outcome = Expect::Truncated;
            return d;
        }
        ++pos;
    }
}

std::uint64_t Bits(double v)
{
    std::uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static double dest[MAX_POINTS + CANARY];
    for (double& v : dest)
        std::memcpy(&v, &UNTOUCHED, sizeof v);

    // fmemopen refuses an empty buffer on some C libraries; an empty device reads the same.
    std::FILE* f = size > 0 ? fmemopen(const_cast<std::uint8_t*>(data), size, "rb") : std::fopen("/dev/null", "rb");
    FUZZ_CHECK(f, "cannot open the input as a stream");
    FuzzOperator op;
    const std::string name = "/fuzz/input.dat";
    const int n = ReadTraceStream(f, name, dest, op);
    std::fclose(f);

    const Decoded expected = Decode(data, size);
    FUZZ_CHECK(n >= 0 && n <= MAX_POINTS, "count outside 0..7200");
    for (int k = n; k < MAX_POINTS + CANARY; ++k)
        FUZZ_CHECK(Bits(dest[k]) == UNTOUCHED, "an entry from n on was written");

    switch (expected.outcome) {
    case Expect::Ok:
        FUZZ_CHECK(std::size_t(n) == expected.samples.size(), "count differs from the format's");
        FUZZ_CHECK(op.messages.empty(), "a message for a well-formed file");
        for (int k = 0; k < n; ++k) {
            float f32;
            std::memcpy(&f32, &expected.samples[std::size_t(k)], sizeof f32);
            FUZZ_CHECK(Bits(dest[k]) == Bits(double(f32)), "a sample differs from the file's");
        }
        break;
    case Expect::Truncated:
        FUZZ_CHECK(n == 0, "a file without its end mark was read");
        FUZZ_CHECK(op.messages.size() == 1 &&
                       op.messages[0] == "Can't read the input file " + name + ": it ends before its end mark",
                   "wrong message for a file without its end mark");
        break;
    case Expect::TooMany:
        FUZZ_CHECK(n == 0, "a file of more than 7200 samples was read");
        FUZZ_CHECK(op.messages.size() == 1 &&
                       op.messages[0] == "Can't read the input file " + name + ": it holds more than 7200 samples",
                   "wrong message for more than 7200 samples");
        break;
    }
    return 0;
}
