// A ".qvl" whose length prefixes or counts claim far more than the file holds is refused
// before anything of that size is allocated. Every allocation is counted while it is opened.
#include "DocumentState.h"
#include "MeasurementTest.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

// GCC pairs the replaced operators below with the library's own and warns wrongly.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {
std::atomic<bool> g_counting{false};
std::atomic<std::size_t> g_largest{0};
std::atomic<std::size_t> g_total{0};

void* Allocate(std::size_t size) noexcept
{
    if (g_counting) {
        g_total += size;
        std::size_t seen = g_largest;
        while (size > seen && !g_largest.compare_exchange_weak(seen, size)) {
        }
    }
    return std::malloc(size ? size : 1);
}
}  // namespace

void* operator new(std::size_t size)
{
    if (void* p = Allocate(size))
        return p;
    throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }

namespace {

void PutLE(Bytes& b, std::uint64_t v, int n)
{
    for (int k = 0; k < n; ++k)
        b.push_back(std::uint8_t(v >> (8 * k)));
}

Bytes Text(const std::string& s)
{
    Bytes b{std::uint8_t(s.size())};
    b.insert(b.end(), s.begin(), s.end());
    return b;
}

Bytes Long32(std::uint32_t length)  // 0xFF 0xFFFF, then the 32-bit length
{
    Bytes b{0xFF, 0xFF, 0xFF};
    PutLE(b, length, 4);
    return b;
}

Bytes File(const std::vector<Bytes>& texts, std::int32_t n, std::int32_t t, std::size_t sampleBytes)
{
    Bytes b;
    for (const Bytes& s : texts)
        b.insert(b.end(), s.begin(), s.end());
    for (const std::int32_t v : {0, n, t, 1})
        PutLE(b, std::uint32_t(v), 4);
    b.resize(b.size() + sampleBytes, 0x3F);
    return b;
}

struct Claim {
    const char* name;
    Bytes bytes;
};

void PrintTo(const Claim& c, std::ostream* os) { *os << c.name; }

std::vector<Claim> Claims()
{
    Bytes wide{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF};  // a wide text of 2^32 - 1 units: 8 GB
    PutLE(wide, 0xFFFFFFFFu, 4);
    Bytes wide16{0xFF, 0xFE, 0xFF, 0xFF, 0xFD, 0xFF};  // 65533 units, 128 kB
    const Bytes s = Text("x");
    return {
        {"FirstTextOf4GB", File({Long32(0xFFFFFFF0u), s, s, s}, 8, 8, 512)},
        {"LastTextOf4GB", File({s, s, s, Long32(0xFFFFFFFFu)}, 8, 8, 512)},
        {"WideTextOf8GB", File({s, wide, s, s}, 8, 8, 512)},
        {"WideTextBeyondTheFile", File({s, s, wide16, s}, 1, 1, 8)},
        {"CountsOf7200By36WithoutTheirSamples", File({s, s, s, s}, 7200, 36, 512)},
        {"CountsWhoseProductWraps", File({s, s, s, s}, -0x7FFFFFFF - 1, -1, 512)},
    };
}

class HugeClaim : public MeasurementTest, public ::testing::WithParamInterface<Claim> {};

TEST_P(HugeClaim, IsRefusedWithoutAllocatingIt)
{
    Load(8, 720);
    const DocumentState before(*doc);
    const std::string path = dir.File("claim.qvl");
    WriteBytes(path, GetParam().bytes);

    g_largest = 0;
    g_total = 0;
    g_counting = true;
    const bool opened = OnOpenDocument(*doc, op, path);
    g_counting = false;

    EXPECT_FALSE(opened);
    EXPECT_EQ(op.Messages(), std::vector<std::string>{"Unexpected file format."});
    EXPECT_TRUE(DocumentState(*doc) == before);
    // The scratch document the file is read into is the one large block an open needs.
    EXPECT_LE(g_largest.load(), sizeof(CQuorvelwDoc));
    EXPECT_LE(g_total.load(), sizeof(CQuorvelwDoc) + (std::size_t(1) << 20));
}

INSTANTIATE_TEST_SUITE_P(Files, HugeClaim, ::testing::ValuesIn(Claims()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MeasurementTest, ALongTextThatIsThereIsRead)
{
    // 70000 characters take the 32-bit prefix; the file holds them all.
    Bytes text = Long32(70000);
    text.resize(text.size() + 70000, 'g');
    std::vector<double> samples(8 * 4);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 8; ++j)
            samples[std::size_t(i * 8 + j)] = FixtureSample(i, j, 4, 8);
    Bytes bytes = File({Text("f"), Text("d"), text, Text("r")}, 4, 8, 0);
    for (const double v : samples) {
        std::uint64_t bits;
        std::memcpy(&bits, &v, 8);
        PutLE(bytes, bits, 8);
    }
    const std::string path = dir.File("long.qvl");
    WriteBytes(path, bytes);
    ASSERT_TRUE(OnOpenDocument(*doc, op, path));
    EXPECT_EQ(doc->m_strGageInfo, std::string(70000, 'g'));
    EXPECT_EQ(doc->m_nPoints, 4);
}

}  // namespace
