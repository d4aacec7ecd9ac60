#include "TraceFile.h"

#include "AtomicFile.h"
#include "Operator.h"
#include "QuorvelwDoc.h"

#include <array>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <new>
#include <system_error>
#include <vector>

static_assert(sizeof(float) == 4 && std::numeric_limits<float>::is_iec559,
              "samples are IEEE 754 single precision");

namespace {

// The byte order lives in the shifts; the copy only moves the assembled 32 bits between
// an integer and a float of the same host.
float FloatFromLittleEndian(const unsigned char b[4])
{
    const std::uint32_t bits = std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 |
                               std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24;
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void PutFloatLittleEndian(float value, unsigned char* out)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    out[0] = static_cast<unsigned char>(bits);
    out[1] = static_cast<unsigned char>(bits >> 8);
    out[2] = static_cast<unsigned char>(bits >> 16);
    out[3] = static_cast<unsigned char>(bits >> 24);
}

// The nearest single-precision value, also for doubles beyond the float range, whose plain
// conversion the language leaves undefined.
float NearestFloat(double x)
{
    if (std::isfinite(x) && std::fabs(x) > FLT_MAX) {
        // Above FLT_MAX plus half its last place the nearest value is infinity.
        const double halfUlp = std::ldexp(1.0, FLT_MAX_EXP - FLT_MANT_DIG - 1);
        const float big = std::fabs(x) < double(FLT_MAX) + halfUlp
                              ? FLT_MAX
                              : std::numeric_limits<float>::infinity();
        return x < 0 ? -big : big;
    }
    return static_cast<float>(x);
}

int SamplesOf(unsigned char type)
{
    return type == TYPE_BLOCK ? BLOCK_SAMPLES : type >> 2;
}

enum class ReadOutcome { Ok, Unreadable, Truncated, TooMany };

ReadOutcome ReadRecords(std::FILE* f, std::array<float, MAX_POINTS>& staging, int& count)
{
    const auto fail = [f] { return std::ferror(f) ? ReadOutcome::Unreadable : ReadOutcome::Truncated; };
    count = 0;
    if (std::getc(f) == EOF)  // lead byte
        return fail();
    for (;;) {
        const int type = std::getc(f);
        if (type == EOF)
            return fail();
        if (type == TYPE_END)
            return ReadOutcome::Ok;
        const int n = SamplesOf(static_cast<unsigned char>(type));
        if (n > MAX_POINTS - count)
            return ReadOutcome::TooMany;
        for (int k = 0; k < n; ++k) {
            unsigned char b[4];
            if (std::fread(b, 1, 4, f) != 4)
                return fail();
            staging[count++] = FloatFromLittleEndian(b);
        }
        if (std::getc(f) == EOF)  // separator
            return fail();
    }
}

// Tells the operator why a read failed, or stores the samples; the result of the read.
int FinishRead(ReadOutcome outcome, const std::array<float, MAX_POINTS>& staging, int count,
               const std::string& path, double* dest, Operator& op)
{
    switch (outcome) {
    case ReadOutcome::Ok:
        break;
    case ReadOutcome::Unreadable:
        op.ShowMessage("Can't open the input file " + path);
        return 0;
    case ReadOutcome::Truncated:
        op.ShowMessage("Can't read the input file " + path + ": it ends before its end mark");
        return 0;
    case ReadOutcome::TooMany:
        op.ShowMessage("Can't read the input file " + path + ": it holds more than 7200 samples");
        return 0;
    }
    for (int k = 0; k < count; ++k)
        dest[k] = staging[k];
    return count;
}

}  // namespace

int ReadTraceFile(const std::string& path, double* dest, Operator& op)
{
    std::error_code ec;
    // Regular files only: a folder opens on some systems and fails at the first byte, a pipe
    // would block the program, and a device like /dev/zero is an endless run of empty records.
    std::FILE* f = std::filesystem::is_regular_file(path, ec) ? std::fopen(path.c_str(), "rb") : nullptr;
    if (!f) {
        op.ShowMessage("Can't open the input file " + path);
        return 0;
    }
    std::array<float, MAX_POINTS> staging;
    int count = 0;
    const ReadOutcome outcome = ReadRecords(f, staging, count);
    std::fclose(f);  // closed before the operator is told anything
    return FinishRead(outcome, staging, count, path, dest, op);
}

int ReadTraceStream(std::FILE* f, const std::string& name, double* dest, Operator& op)
{
    std::array<float, MAX_POINTS> staging;
    int count = 0;
    const ReadOutcome outcome = ReadRecords(f, staging, count);
    return FinishRead(outcome, staging, count, name, dest, op);
}

int WriteTraceFile(const std::string& path, const double* values, int n, int scale)
{
    if (n < 1 || !values)
        return 0;
    const int r = n % BLOCK_SAMPLES;
    const int q = (n - r) / BLOCK_SAMPLES;
    // The last record always takes the count form: a whole last block is 0x80, not TYPE_BLOCK.
    const int fullRecords = r == 0 ? q - 1 : q;
    const int lastCount = r == 0 ? BLOCK_SAMPLES : r;
    const unsigned char lastType = static_cast<unsigned char>(lastCount << 2);

    std::vector<unsigned char> bytes;
    try {
        bytes.resize(2 + std::size_t(fullRecords) * (2 + 4 * BLOCK_SAMPLES) + 2 + 4 * std::size_t(lastCount));
    } catch (const std::bad_alloc&) {
        return 0;
    }
    unsigned char* out = bytes.data();
    int i = 0;
    const auto putRecord = [&](unsigned char type, int count) {
        *out++ = type;
        for (int k = 0; k < count; ++k, ++i, out += 4)
            PutFloatLittleEndian(NearestFloat(double(scale) * values[i]), out);
        *out++ = type;
    };
    *out++ = LEAD_BYTE;
    for (int b = 0; b < fullRecords; ++b)
        putRecord(TYPE_BLOCK, BLOCK_SAMPLES);
    putRecord(lastType, lastCount);
    *out++ = TYPE_END;

    return WriteFileAtomically(path, bytes.data(), bytes.size()) ? 1 : 0;
}
