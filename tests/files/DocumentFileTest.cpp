#include "DocumentFile.h"
#include "DocumentFramework.h"
#include "LoadSequence.h"

#include "ScriptedOperator.h"
#include "TempFolder.h"
#include "TraceSets.h"

#include "QuorvelwDoc.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#if __has_include(<sys/resource.h>)
#include <sys/resource.h>
#include <unistd.h>
#define HAVE_RLIMIT 1
#endif

namespace fs = std::filesystem;

namespace {

void PutLE(Bytes& b, std::uint64_t v, int n)
{
    for (int k = 0; k < n; ++k)
        b.push_back(std::uint8_t(v >> (8 * k)));
}

Bytes Narrow(const std::string& s)  // a text below 255 characters with its one-byte prefix
{
    Bytes b{std::uint8_t(s.size())};
    b.insert(b.end(), s.begin(), s.end());
    return b;
}

void Append(Bytes& b, const Bytes& more) { b.insert(b.end(), more.begin(), more.end()); }

// A document file spelled out field by field.
Bytes DocumentBytes(const std::string& file, const std::string& date, const std::string& gage,
                    const std::string& grating, std::int32_t unit, std::int32_t n, std::int32_t t,
                    std::int32_t flag, const std::vector<double>& samples)
{
    Bytes b;
    for (const std::string* s : {&file, &date, &gage, &grating})
        Append(b, Narrow(*s));
    for (const std::int32_t v : {unit, n, t, flag})
        PutLE(b, std::uint32_t(v), 4);
    for (const double d : samples) {
        std::uint64_t bits;
        std::memcpy(&bits, &d, 8);
        PutLE(b, bits, 8);
    }
    return b;
}

// Everything an open must leave alone when it fails.
struct Snapshot {
    std::string file, date, gage, grating, path, title;
    int unit, n, t, flag, mode;
    bool modified;
    double rawSum, angle5;

    explicit Snapshot(const CQuorvelwDoc& d)
        : file(d.m_strDataFile), date(d.m_strDate), gage(d.m_strGageInfo), grating(d.m_strGratingInfo),
          path(d.GetPathName()), title(d.GetTitle()), unit(d.m_nUnit), n(d.m_nPoints), t(d.m_nTraces),
          flag(d.m_bDataLoaded), mode(d.m_nReportMode), modified(d.IsModified()), rawSum(0), angle5(d.m_angleErr[5])
    {
        for (int i = 0; i < MAX_POINTS; ++i) {
            for (int j = 0; j < MAX_TRACES; ++j)
                rawSum += d.m_raw[i][j] * (1 + i % 7 + j);
        }
    }
    bool operator==(const Snapshot& o) const
    {
        return file == o.file && date == o.date && gage == o.gage && grating == o.grating && path == o.path &&
               title == o.title && unit == o.unit && n == o.n && t == o.t && flag == o.flag && mode == o.mode &&
               modified == o.modified && rawSum == o.rawSum && angle5 == o.angle5;
    }
};

class DocumentFileTest : public ::testing::Test {
protected:
    DocumentFileTest() : doc(std::make_unique<CQuorvelwDoc>())
    {
        StartUp(*doc, op, "");
    }

    void LoadMeasurement(int traces = 8, int n = 3600)
    {
        const std::string first = dir.File("ang000.dat");
        WriteTraceSet(first, traces, n);
        op.AcceptRawData(first, traces);
        ASSERT_TRUE(OnFileNew(*doc, op));
        ASSERT_EQ(doc->m_bDataLoaded, 1);
        op.events.clear();
    }

    TempFolder dir;
    ScriptedOperator op;
    std::unique_ptr<CQuorvelwDoc> doc;
};

TEST_F(DocumentFileTest, LayoutOfEightTracesOf3600)
{
    LoadMeasurement();
    const std::string path = dir.File("m.qvl");
    ASSERT_TRUE(OnSaveDocument(*doc, op, path));
    EXPECT_TRUE(op.events.empty());

    std::vector<double> samples;
    for (int i = 0; i < 3600; ++i) {
        for (int j = 0; j < 8; ++j)
            samples.push_back(doc->m_raw[i][j]);
    }
    const Bytes expected = DocumentBytes(dir.File("ang000.dat"), doc->m_strDate, "7310QK SN0123456789XYZ",
                                         "SN0123456789XYZ", 0, 3600, 8, 1, samples);
    const Bytes bytes = ReadBytes(path);
    EXPECT_EQ(bytes.size(), (1 + dir.File("ang000.dat").size()) + (1 + doc->m_strDate.size()) + 23 + 16 + 16 + 230400);
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(doc->GetTitle(), "m.qvl");
    EXPECT_EQ(doc->GetPathName(), path);
    EXPECT_FALSE(doc->IsModified());
}

TEST(DocumentString, LengthPrefixes)
{
    struct Case {
        std::size_t length;
        Bytes prefix;
    };
    for (const Case& c : {Case{0, {0x00}}, Case{1, {0x01}}, Case{254, {0xFE}}, Case{255, {0xFF, 0xFF, 0x00}},
                          Case{256, {0xFF, 0x00, 0x01}}, Case{65533, {0xFF, 0xFD, 0xFF}},
                          Case{65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
                          Case{70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}}}) {
        const std::string text(c.length, 'g');
        Bytes out;
        AppendDocumentString(text, out);
        ASSERT_EQ(out.size(), c.prefix.size() + c.length) << c.length;
        EXPECT_EQ(Bytes(out.begin(), out.begin() + long(c.prefix.size())), c.prefix) << c.length;

        // Read back as the gage text of a whole file.
        auto doc = std::make_unique<CQuorvelwDoc>();
        Bytes file{0, 0};
        Append(file, out);
        file.push_back(0);
        for (const std::int32_t v : {0, 0, 0, 0})
            PutLE(file, std::uint32_t(v), 4);
        ASSERT_TRUE(SerializeLoad(*doc, file.data(), file.size())) << c.length;
        EXPECT_EQ(doc->m_strGageInfo, text);
    }
}

TEST(DocumentString, WideTextsBecomeUtf8)
{
    struct Case {
        Bytes encoded;
        std::string text;
    };
    const std::vector<Case> cases = {
        // "µm" : U+00B5 U+006D
        {{0xFF, 0xFE, 0xFF, 0x02, 0xB5, 0x00, 0x6D, 0x00}, "\xC2\xB5m"},
        // "€" then G clef (a surrogate pair)
        {{0xFF, 0xFE, 0xFF, 0x03, 0xAC, 0x20, 0x34, 0xD8, 0x1E, 0xDD}, "\xE2\x82\xAC\xF0\x9D\x84\x9E"},
        // a lone high surrogate
        {{0xFF, 0xFE, 0xFF, 0x02, 0x00, 0xD8, 0x41, 0x00}, "\xEF\xBF\xBD" "A"},
        // empty wide text
        {{0xFF, 0xFE, 0xFF, 0x00}, ""},
        // the second prefix in its 16-bit form
        {[] {
             Bytes b{0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01};
             for (int k = 0; k < 300; ++k)
                 b.insert(b.end(), {0xE9, 0x00});
             return b;
         }(),
         [] {
             std::string s;
             for (int k = 0; k < 300; ++k)
                 s += "\xC3\xA9";
             return s;
         }()},
    };
    for (const Case& c : cases) {
        Bytes file = c.encoded;  // the data-file text
        file.insert(file.end(), {0, 0, 0});
        for (const std::int32_t v : {0, 0, 0, 0})
            PutLE(file, std::uint32_t(v), 4);
        auto doc = std::make_unique<CQuorvelwDoc>();
        ASSERT_TRUE(SerializeLoad(*doc, file.data(), file.size()));
        EXPECT_EQ(doc->m_strDataFile, c.text);
    }
}

TEST_F(DocumentFileTest, SaveAndReopenGiveTheSameMeasurement)
{
    LoadMeasurement();
    doc->m_strGageInfo = "gage \xC3\xA9" + std::string(300, 'x');
    doc->m_strGratingInfo = "";
    const std::string path = dir.File("run.qvl");
    ASSERT_TRUE(OnSaveDocument(*doc, op, path));

    auto again = std::make_unique<CQuorvelwDoc>();
    ScriptedOperator op2;
    StartUp(*again, op2, "");
    again->m_nReportMode = 1;
    int redraws = 0;
    again->SetViewUpdater([&redraws] { ++redraws; });
    ASSERT_TRUE(OnOpenDocument(*again, op2, path));
    EXPECT_TRUE(op2.events.empty());
    EXPECT_EQ(redraws, 1);

    EXPECT_EQ(again->m_strDataFile, doc->m_strDataFile);
    EXPECT_EQ(again->m_strDate, doc->m_strDate);
    EXPECT_EQ(again->m_strGageInfo, doc->m_strGageInfo);
    EXPECT_EQ(again->m_strGratingInfo, "");
    EXPECT_EQ(again->m_nUnit, 0);
    EXPECT_EQ(again->m_nPoints, 3600);
    EXPECT_EQ(again->m_nTraces, 8);
    EXPECT_EQ(again->m_bDataLoaded, 1);
    EXPECT_EQ(again->m_nReportMode, 0);
    EXPECT_FALSE(again->IsModified());
    EXPECT_EQ(again->GetTitle(), "run.qvl");
    EXPECT_EQ(again->GetPathName(), path);
    for (int i = 0; i < 3600; ++i) {
        for (int j = 0; j < 8; ++j)
            ASSERT_EQ(again->m_raw[i][j], doc->m_raw[i][j]);
        ASSERT_EQ(again->m_angleErr[i], doc->m_angleErr[i]);
        ASSERT_EQ(again->m_spindleErr[i], doc->m_spindleErr[i]);
        ASSERT_EQ(again->m_partErr[i], doc->m_partErr[i]);
    }
    for (int k = 0; k < NUM_COEFS; ++k)
        ASSERT_EQ(again->m_angleCos[k], doc->m_angleCos[k]);
    EXPECT_EQ(again->m_angleMax, doc->m_angleMax);
    EXPECT_EQ(again->m_eccSin[7], doc->m_eccSin[7]);
}

struct BadFile {
    const char* name;
    Bytes bytes;
};

void PrintTo(const BadFile& c, std::ostream* os) { *os << c.name; }

std::vector<BadFile> BadFiles()
{
    const std::vector<double> four{1e-3, 2e-3, 3e-3, 4e-3};
    const auto file = [&](std::int32_t unit, std::int32_t n, std::int32_t t, std::int32_t flag, std::size_t samples) {
        return DocumentBytes("f", "d", "g", "r", unit, n, t, flag, std::vector<double>(samples, 1e-3));
    };
    const Bytes good = DocumentBytes("f", "d", "g", "r", 0, 2, 2, 1, four);
    Bytes huge{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F};  // a 2 GB text
    Append(huge, Bytes(40, 0));
    Bytes wideTooLong{0xFF, 0xFE, 0xFF, 0x20, 0x41, 0x00};  // 32 wide characters announced, 1 given
    Append(wideTooLong, Bytes(20, 0));
    Bytes twiceWide{0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0x00};
    Append(twiceWide, Bytes(19, 0));
    return {
        {"Empty", {}},
        {"CutInTheSamples", Bytes(good.begin(), good.end() - 9)},
        {"CutInTheIntegers", Bytes(good.begin(), good.begin() + 10)},
        {"CutInAText", Bytes(good.begin(), good.begin() + 3)},
        {"OneByteTooMany", [&] { Bytes b = good; b.push_back(0); return b; }()},
        {"CountsLargerThanTheData", file(0, 3600, 8, 1, 100)},
        {"TextLongerThanTheFile", huge},
        {"WideTextLongerThanTheFile", wideTooLong},
        {"WideMarkTwice", twiceWide},
        {"NoTracesButLoaded", file(0, 720, 0, 1, 0)},
        {"NoSamplesButLoaded", file(0, 0, 8, 1, 0)},
        {"ThirtySevenTraces", file(0, 1, 37, 1, 37)},
        {"MoreThan7200Samples", file(0, 7201, 1, 1, 7201)},
        {"NegativeSamples", file(0, -1, 8, 0, 0)},
        {"NegativeTraces", file(0, 0, -2, 0, 0)},
        {"UnitTwo", file(2, 2, 2, 1, 4)},
        {"FlagTwo", file(0, 2, 2, 2, 4)},
        {"EmptyButTooManyTraces", file(0, 0, 40, 0, 0)},
    };
}

class OpenBadFile : public DocumentFileTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(OpenBadFile, KeepsTheCurrentDocument)
{
    LoadMeasurement(8, 720);
    ASSERT_TRUE(OnSaveDocument(*doc, op, dir.File("current.qvl")));
    doc->m_nReportMode = 1;
    doc->SetModifiedFlag(true);
    const Snapshot before(*doc);

    const std::string path = dir.File("bad.qvl");
    WriteBytes(path, GetParam().bytes);
    EXPECT_FALSE(OnOpenDocument(*doc, op, path));
    EXPECT_EQ(op.events, std::vector<std::string>{"message: Unexpected file format."});
    EXPECT_TRUE(Snapshot(*doc) == before);
}

INSTANTIATE_TEST_SUITE_P(Rows, OpenBadFile, ::testing::ValuesIn(BadFiles()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocumentFileTest, FileThatCannotBeReadKeepsTheDocument)
{
    LoadMeasurement(8, 720);
    const Snapshot before(*doc);
    EXPECT_FALSE(OnOpenDocument(*doc, op, dir.File("missing.qvl")));
    EXPECT_FALSE(OnOpenDocument(*doc, op, dir.path().string()));
    EXPECT_EQ(op.Messages(), (std::vector<std::string>{"Failed to open document.", "Failed to open document."}));
    EXPECT_TRUE(Snapshot(*doc) == before);
}

TEST_F(DocumentFileTest, FilesWithoutAMeasurementOpenEmpty)
{
    // Saved before any load: counts 0, flag 0.
    const std::string blank = dir.File("blank.qvl");
    ASSERT_TRUE(OnSaveDocument(*doc, op, blank));
    EXPECT_EQ(ReadBytes(blank), DocumentBytes("", "", "", "", 0, 0, 0, 0, {}));

    // Saved after a load that failed on its third file: 8 traces, 0 samples, flag 0.
    const std::string first = dir.File("ang000.dat");
    const std::vector<std::string> names = WriteTraceSet(first, 8, 720);
    fs::remove(names[2]);
    op.AcceptRawData(first, 8);
    OnFileNew(*doc, op);
    const std::string failed = dir.File("failed.qvl");
    ASSERT_TRUE(OnSaveDocument(*doc, op, failed));

    // Saved after a cancelled load that followed a good one: counts kept, samples zero, flag 0.
    WriteTraceSet(first, 8, 720);
    op.AcceptRawData(first, 8);
    OnFileNew(*doc, op);
    ASSERT_EQ(doc->m_bDataLoaded, 1);
    op.rawData.push_back(std::nullopt);
    OnFileNew(*doc, op);
    const std::string cancelled = dir.File("cancelled.qvl");
    ASSERT_TRUE(OnSaveDocument(*doc, op, cancelled));

    for (const std::string& path : {blank, failed, cancelled}) {
        op.AcceptRawData(first, 8);
        OnFileNew(*doc, op);
        ASSERT_EQ(doc->m_bDataLoaded, 1);
        op.events.clear();
        EXPECT_TRUE(OnOpenDocument(*doc, op, path)) << path;
        EXPECT_TRUE(op.events.empty()) << path;
        EXPECT_EQ(doc->m_bDataLoaded, 0);
        EXPECT_EQ(doc->GetPathName(), path);
        EXPECT_FALSE(doc->IsModified());
    }
}

TEST_F(DocumentFileTest, MeasurementThatCannotBeEvaluatedOpensEmpty)
{
    const std::string path = dir.File("flat.qvl");
    WriteBytes(path, DocumentBytes("f", "d", "g", "r", 0, 4, 8, 1, std::vector<double>(32, 1e-4)));
    EXPECT_TRUE(OnOpenDocument(*doc, op, path));
    EXPECT_EQ(op.events,
              std::vector<std::string>{"message: Can't evaluate the measurement: trace 1 has no eccentricity"});
    EXPECT_EQ(doc->m_bDataLoaded, 0);
    EXPECT_EQ(doc->m_nTraces, 8);
    EXPECT_EQ(doc->m_raw[3][7], 1e-4);
    EXPECT_EQ(doc->GetTitle(), "flat.qvl");
}

TEST_F(DocumentFileTest, SamplesOutsideTheFileKeepTheirValues)
{
    LoadMeasurement(8, 720);
    const double outside = doc->m_raw[719][7];
    const std::string path = dir.File("small.qvl");
    std::vector<double> samples;
    for (int i = 0; i < 720; ++i) {
        for (int j = 0; j < 4; ++j)
            samples.push_back(FixtureTrace(j, 720, 4)[i]);
    }
    WriteBytes(path, DocumentBytes("f", "d", "g", "r", 0, 720, 4, 1, samples));
    ASSERT_TRUE(OnOpenDocument(*doc, op, path));
    EXPECT_EQ(doc->m_bDataLoaded, 1);
    EXPECT_EQ(doc->m_raw[719][7], outside);
    EXPECT_EQ(doc->m_raw[719][3], samples.back());
}

TEST_F(DocumentFileTest, FailedSaveKeepsTheOldFileAndTheFlag)
{
    LoadMeasurement(8, 720);
    const std::string path = dir.File("keep.qvl");
    WriteBytes(path, {1, 2, 3});
    doc->SetModifiedFlag(true);

    EXPECT_FALSE(OnSaveDocument(*doc, op, dir.File("no folder/x.qvl")));
#if HAVE_RLIMIT
    {
        rlimit old;
        getrlimit(RLIMIT_FSIZE, &old);
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lim = old;
        lim.rlim_cur = 4096;  // a nearly full disk
        setrlimit(RLIMIT_FSIZE, &lim);
        EXPECT_FALSE(OnSaveDocument(*doc, op, path));
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, handler);
    }
    EXPECT_EQ(op.Messages(), (std::vector<std::string>{"Failed to save document.", "Failed to save document."}));
#endif
    EXPECT_EQ(ReadBytes(path), (Bytes{1, 2, 3}));
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"ang000.dat", "ang045.dat", "ang090.dat", "ang135.dat",
                                                        "ang180.dat", "ang225.dat", "ang270.dat", "ang315.dat",
                                                        "keep.qvl"}));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->GetTitle(), "Untitled");
}

TEST_F(DocumentFileTest, SaveIntoAnUnwritableFolder)
{
#if HAVE_RLIMIT
    if (::geteuid() == 0)
        GTEST_SKIP() << "folder permissions do not bind root";
#endif
    LoadMeasurement(8, 720);
    const fs::path locked = dir.path() / "locked";
    fs::create_directory(locked);
    const std::string path = (locked / "m.qvl").string();
    WriteBytes(path, {1, 2, 3});
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    doc->SetModifiedFlag(true);
    EXPECT_FALSE(OnSaveDocument(*doc, op, path));
    fs::permissions(locked, fs::perms::owner_all);
    EXPECT_EQ(op.Messages(), std::vector<std::string>{"Failed to save document."});
    EXPECT_EQ(ReadBytes(path), (Bytes{1, 2, 3}));
    EXPECT_TRUE(doc->IsModified());
}

}  // namespace
