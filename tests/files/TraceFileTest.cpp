#include "ScriptedOperator.h"
#include "TempFolder.h"
#include "TraceFile.h"

#include "Operator.h"
#include "QuorvelwDoc.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#if __has_include(<sys/resource.h>)
#include <sys/resource.h>
#include <unistd.h>
#define HAVE_RLIMIT 1
#endif

namespace fs = std::filesystem;

namespace {

// Single-precision bit patterns, least significant byte first, built here by hand so the test
// does not share the reader's decoding.
void PutBits(Bytes& b, std::uint32_t bits)
{
    for (int k = 0; k < 4; ++k)
        b.push_back(std::uint8_t(bits >> (8 * k)));
}

std::uint32_t BitsOf(float v)
{
    std::uint32_t bits;
    std::memcpy(&bits, &v, 4);
    return bits;
}

// A distinct value per sample, with every byte of its pattern in use.
float Sample(int k) { return 1.0e-3f * float(k + 1) - 0.37f / float(k + 3); }

// A record of type `type` with samples [first, first+count) and separator `sep`.
Bytes Record(std::uint8_t type, int first, int count, std::uint8_t sep)
{
    Bytes b{type};
    for (int k = first; k < first + count; ++k)
        PutBits(b, BitsOf(Sample(k)));
    b.push_back(sep);
    return b;
}

Bytes Cat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

const Bytes kEnd{TYPE_END};
constexpr double kUntouched = 12345.0;

struct ReadCase {
    const char* name;
    Bytes bytes;
    int count;              // expected result; the samples are Sample(0..count-1)
    const char* complaint;  // expected message after the path, or nullptr for none
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

std::vector<ReadCase> ReadCases()
{
    Bytes many{LEAD_BYTE};
    for (int b = 0; b < MAX_POINTS / BLOCK_SAMPLES; ++b) {
        const Bytes r = Record(TYPE_BLOCK, b * BLOCK_SAMPLES, BLOCK_SAMPLES, TYPE_BLOCK);
        many.insert(many.end(), r.begin(), r.end());
    }
    const Bytes exact = Cat({many, kEnd});
    const Bytes tooMany = Cat({many, Record(0x04, MAX_POINTS, 1, 0x04), kEnd});
    const Bytes block = Cat({{LEAD_BYTE}, Record(TYPE_BLOCK, 0, 32, TYPE_BLOCK), kEnd});

    return {
        {"AnyByteThenEnd", {0x00, TYPE_END}, 0, nullptr},
        {"Block0x81", block, 32, nullptr},
        {"CountForm0x80", Cat({{LEAD_BYTE}, Record(0x80, 0, 32, 0x80), kEnd}), 32, nullptr},
        {"CountForm63", Cat({{LEAD_BYTE}, Record(0xFC, 0, 63, 0xFC), kEnd}), 63, nullptr},
        {"LowBitsIgnored",
         Cat({{LEAD_BYTE}, Record(0x07, 0, 1, 0x07), Record(0x0E, 1, 3, 0x0E), Record(0x7F, 4, 31, 0x7F), kEnd}),
         35, nullptr},
        {"EmptyRecordsBetween",
         Cat({{LEAD_BYTE}, Record(0x00, 0, 0, 0x00), Record(0x08, 0, 2, 0x08), Record(0x03, 2, 0, 0x03),
              Record(TYPE_BLOCK, 2, 32, TYPE_BLOCK), kEnd}),
         34, nullptr},
        {"OnlyEmptyRecords", Cat({{LEAD_BYTE}, Record(0x00, 0, 0, 0x00), Record(0x02, 0, 0, 0x01), kEnd}), 0, nullptr},
        // The separator is skipped whatever it is, even the end byte's value.
        {"ArbitraryLeadAndSeparators",
         Cat({{0xFF}, Record(TYPE_BLOCK, 0, 32, TYPE_END), Record(0x10, 32, 4, 0x00), Record(0x04, 36, 1, 0xAB), kEnd}),
         37, nullptr},
        {"BytesAfterEndIgnored", Cat({block, {0x12, 0x34, 0x56}}), 32, nullptr},
        {"Exactly7200", exact, MAX_POINTS, nullptr},
        {"More7200", tooMany, 0, ": it holds more than 7200 samples"},
        {"Empty", {}, 0, ": it ends before its end mark"},
        {"OnlyLeadByte", {LEAD_BYTE}, 0, ": it ends before its end mark"},
        {"EndsAfterTypeByte", {LEAD_BYTE, TYPE_BLOCK}, 0, ": it ends before its end mark"},
        {"EndsInsideASample", Bytes(block.begin(), block.begin() + 1 + 1 + 4 * 7 + 2), 0,
         ": it ends before its end mark"},
        {"EndsBeforeSeparator", Bytes(block.begin(), block.end() - 2), 0, ": it ends before its end mark"},
        {"EndsWithoutEndByte", Bytes(block.begin(), block.end() - 1), 0, ": it ends before its end mark"},
    };
}

class ReadTraceFileCases : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadTraceFileCases, ReadsOrRefuses)
{
    const ReadCase& c = GetParam();
    TempFolder dir;
    const std::string path = dir.File("trace.dat");
    WriteBytes(path, c.bytes);

    std::vector<double> dest(MAX_POINTS + 1, kUntouched);
    ScriptedOperator op;
    ASSERT_EQ(ReadTraceFile(path, dest.data(), op), c.count);
    for (int k = 0; k < c.count; ++k)
        ASSERT_EQ(dest[k], double(Sample(k))) << "sample " << k;
    for (std::size_t k = std::size_t(c.count); k < dest.size(); ++k)
        ASSERT_EQ(dest[k], kUntouched) << "entry " << k << " was touched";
    if (c.complaint)
        EXPECT_EQ(op.Messages(), std::vector<std::string>{"Can't read the input file " + path + c.complaint});
    else
        EXPECT_TRUE(op.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ReadTraceFileCases, ::testing::ValuesIn(ReadCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReadTraceFile, DecodesLittleEndianSinglePrecisionBitPatterns)
{
    TempFolder dir;
    const std::string path = dir.File("bits.dat");
    WriteBytes(path, {LEAD_BYTE, 0x14,
                      0x00, 0x00, 0x80, 0x3F,   // 1.0
                      0xDB, 0x0F, 0x49, 0xC0,   // -3.14159274
                      0x01, 0x00, 0x00, 0x00,   // smallest subnormal
                      0x00, 0x00, 0x80, 0xFF,   // -infinity
                      0x01, 0x00, 0xC0, 0x7F,   // a NaN
                      0x14, TYPE_END});
    double dest[MAX_POINTS];
    ScriptedOperator op;
    ASSERT_EQ(ReadTraceFile(path, dest, op), 5);
    EXPECT_EQ(dest[0], 1.0);
    EXPECT_EQ(dest[1], double(-3.14159274f));
    EXPECT_EQ(dest[2], double(std::numeric_limits<float>::denorm_min()));
    EXPECT_EQ(dest[3], -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(dest[4]));
}

// A missing file, a folder, a pipe (which would block) and an endless device are refused alike.
TEST(ReadTraceFile, MissingFileNamesTheFullPath)
{
    TempFolder dir;
    ASSERT_EQ(mkfifo(dir.File("pipe.dat").c_str(), 0600), 0);
    for (const std::string& path : {dir.File("no such folder/ang045.dat"), dir.path().string(),
                                    dir.File("pipe.dat"), std::string("/dev/zero")}) {
        std::vector<double> dest(MAX_POINTS, kUntouched);
        ScriptedOperator op;
        EXPECT_EQ(ReadTraceFile(path, dest.data(), op), 0);
        EXPECT_EQ(op.Messages(), std::vector<std::string>{"Can't open the input file " + path});
        EXPECT_EQ(dest[0], kUntouched);
    }
}

// The writer's layout, spelled out record by record from the rules of the format.
Bytes ExpectedLayout(const std::vector<float>& v)
{
    const int n = int(v.size());
    const int r = n % 32, q = n / 32;
    Bytes b{0x4B};
    const auto record = [&](std::uint8_t type, int first, int count) {
        b.push_back(type);
        for (int k = first; k < first + count; ++k)
            PutBits(b, BitsOf(v[k]));
        b.push_back(type);
    };
    if (r == 0) {
        for (int k = 0; k < q - 1; ++k)
            record(0x81, 32 * k, 32);
        record(0x80, 32 * (q - 1), 32);
    } else {
        for (int k = 0; k < q; ++k)
            record(0x81, 32 * k, 32);
        record(std::uint8_t(r * 4), 32 * q, r);
    }
    b.push_back(0x82);
    return b;
}

struct WriteCase {
    int n;
    std::size_t length;
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.n << " values"; }

class WriteTraceFileLayouts : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WriteTraceFileLayouts, ExactBytesAndReadBack)
{
    const auto [n, length] = GetParam();
    std::vector<double> values(static_cast<std::size_t>(n));
    std::vector<float> negated(values.size());
    for (int k = 0; k < n; ++k) {
        values[k] = 2.0e-6 * std::sin(0.01 * k + 0.2) + 1.0e-7 * k;
        negated[k] = float(-values[k]);
    }
    TempFolder dir;
    const std::string path = dir.File("comp.dat");
    ASSERT_EQ(WriteTraceFile(path, values.data(), n, -1), 1);

    const Bytes bytes = ReadBytes(path);
    EXPECT_EQ(bytes.size(), length);
    EXPECT_EQ(bytes, ExpectedLayout(negated));
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"comp.dat"}) << "a temporary file was left behind";

    double back[MAX_POINTS];
    ScriptedOperator op;
    ASSERT_EQ(ReadTraceFile(path, back, op), n);
    for (int k = 0; k < n; ++k)
        ASSERT_EQ(back[k], double(negated[k])) << k;
    EXPECT_TRUE(op.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Counts, WriteTraceFileLayouts,
                         ::testing::Values(WriteCase{7200, 29252}, WriteCase{3600, 14628}, WriteCase{100, 410},
                                           WriteCase{64, 262}, WriteCase{33, 138}, WriteCase{32, 132},
                                           WriteCase{31, 128}, WriteCase{1, 8}),
                         [](const auto& info) { return std::to_string(info.param.n); });

TEST(WriteTraceFile, HundredValuesRecordByRecord)
{
    std::vector<double> values(100, 0.0);
    values[0] = 2.0e-6;
    TempFolder dir;
    const std::string path = dir.File("c.qrv");
    ASSERT_EQ(WriteTraceFile(path, values.data(), 100, -1), 1);
    const Bytes b = ReadBytes(path);
    ASSERT_EQ(b.size(), 410u);
    EXPECT_EQ(b[0], 0x4B);
    for (int rec = 0; rec < 3; ++rec) {
        EXPECT_EQ(b[1 + 130 * rec], 0x81);
        EXPECT_EQ(b[1 + 130 * rec + 129], 0x81);
    }
    EXPECT_EQ(b[391], 0x10);
    EXPECT_EQ(b[408], 0x10);
    EXPECT_EQ(b[409], 0x82);
    const std::uint32_t bits = BitsOf(-2.0e-6f);
    EXPECT_EQ((Bytes{b.begin() + 2, b.begin() + 6}), (Bytes{std::uint8_t(bits), std::uint8_t(bits >> 8),
                                                         std::uint8_t(bits >> 16), std::uint8_t(bits >> 24)}));
}

TEST(WriteTraceFile, ScaleAndSinglePrecisionRounding)
{
    // 1 + 2^-24 lies halfway between two floats (ties to even: 1); just above it rounds up.
    const double values[3] = {1.0 + std::ldexp(1.0, -24), 1.0 + std::ldexp(1.0, -23) * 0.75, 1.0e300};
    TempFolder dir;
    const std::string path = dir.File("s.dat");
    ASSERT_EQ(WriteTraceFile(path, values, 3, 3), 1);
    double back[MAX_POINTS];
    ScriptedOperator op;
    ASSERT_EQ(ReadTraceFile(path, back, op), 3);
    EXPECT_EQ(back[0], double(float(3.0 * values[0])));
    EXPECT_EQ(back[1], double(float(3.0 * values[1])));
    EXPECT_EQ(back[2], std::numeric_limits<double>::infinity());
}

TEST(WriteTraceFile, CountBelowOneWritesNothing)
{
    TempFolder dir;
    const double v[1] = {1.0};
    EXPECT_EQ(WriteTraceFile(dir.File("zero.dat"), v, 0, -1), 0);
    EXPECT_EQ(WriteTraceFile(dir.File("neg.dat"), v, -5, -1), 0);
    EXPECT_TRUE(dir.Entries().empty());

    WriteBytes(dir.File("old.dat"), {1, 2, 3});
    EXPECT_EQ(WriteTraceFile(dir.File("old.dat"), v, 0, -1), 0);
    EXPECT_EQ(ReadBytes(dir.File("old.dat")), (Bytes{1, 2, 3}));
}

TEST(WriteTraceFile, ReplacesAnExistingFileWhole)
{
    TempFolder dir;
    const std::string path = dir.File("comp.dat");
    WriteBytes(path, Bytes(50000, 0xEE));
    const double v[2] = {1.0, 2.0};
    ASSERT_EQ(WriteTraceFile(path, v, 2, 1), 1);
    EXPECT_EQ(ReadBytes(path).size(), 12u);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"comp.dat"});
}

TEST(WriteTraceFile, FollowsASymbolicLink)
{
    TempFolder dir;
    WriteBytes(dir.File("real.dat"), {9});
    fs::create_symlink("real.dat", dir.path() / "link.dat");
    const double v[1] = {1.0};
    ASSERT_EQ(WriteTraceFile(dir.File("link.dat"), v, 1, 1), 1);
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.dat"));
    EXPECT_EQ(ReadBytes(dir.File("real.dat")).size(), 8u);
}

TEST(WriteTraceFile, FolderThatCannotHoldTheFile)
{
    TempFolder dir;
    WriteBytes(dir.File("plain"), {7});
    const double v[1] = {1.0};
    EXPECT_EQ(WriteTraceFile(dir.File("missing/comp.dat"), v, 1, -1), 0);
    EXPECT_EQ(WriteTraceFile(dir.File("plain/comp.dat"), v, 1, -1), 0);  // a file, not a folder
    EXPECT_EQ(WriteTraceFile(dir.path().string(), v, 1, -1), 0);         // the folder itself
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"plain"});
}

TEST(WriteTraceFile, ReadOnlyFileIsNotReplaced)
{
    TempFolder dir;
    const std::string path = dir.File("locked.dat");
    WriteBytes(path, {1, 2, 3});
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const double v[1] = {1.0};
    EXPECT_EQ(WriteTraceFile(path, v, 1, -1), 0);
    EXPECT_EQ(ReadBytes(path), (Bytes{1, 2, 3}));
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"locked.dat"});
}

TEST(WriteTraceFile, UnwritableFolder)
{
#if HAVE_RLIMIT
    if (::geteuid() == 0)
        GTEST_SKIP() << "folder permissions do not bind root";
#endif
    TempFolder dir;
    const std::string path = dir.File("comp.dat");
    WriteBytes(path, {1, 2, 3});
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    const double v[1] = {1.0};
    EXPECT_EQ(WriteTraceFile(path, v, 1, -1), 0);
    fs::permissions(dir.path(), fs::perms::owner_all);
    EXPECT_EQ(ReadBytes(path), (Bytes{1, 2, 3}));
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"comp.dat"});
}

TEST(WriteTraceFile, FullDeviceIsAFailure)
{
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    std::vector<double> v(7200, 1.0);
    EXPECT_EQ(WriteTraceFile("/dev/full", v.data(), 7200, -1), 0);
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

#if HAVE_RLIMIT
// Lets a file grow to `bytes` at most, as a nearly full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lim = m_old;
        lim.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lim);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

TEST(WriteTraceFile, ShortWriteKeepsTheOldFileAndLeavesNoPartialFile)
{
    TempFolder dir;
    const std::string path = dir.File("comp.dat");
    WriteBytes(path, {1, 2, 3});
    std::vector<double> v(7200, 1.0e-6);
    {
        FileSizeLimit limit(4096);
        EXPECT_EQ(WriteTraceFile(path, v.data(), 7200, -1), 0);
        EXPECT_EQ(WriteTraceFile(dir.File("new.dat"), v.data(), 7200, -1), 0);
    }
    EXPECT_EQ(ReadBytes(path), (Bytes{1, 2, 3}));
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"comp.dat"});
}
#endif

}  // namespace
