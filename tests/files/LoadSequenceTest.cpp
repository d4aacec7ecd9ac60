#include "LoadSequence.h"

#include "ScriptedOperator.h"
#include "TempFolder.h"
#include "TraceSets.h"
#include "TraceFile.h"

#include "QuorvelwDoc.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#if __has_include(<sys/stat.h>)
#include <fcntl.h>
#include <sys/stat.h>
#define HAVE_UTIMENSAT 1
#endif

namespace fs = std::filesystem;

namespace {

const std::string kDialog = "dialog: Load Raw Data";
const std::string kCantLoad = "message: Can't load data";

bool RawAllZero(const CQuorvelwDoc& doc)
{
    for (int i = 0; i < MAX_POINTS; ++i) {
        for (int j = 0; j < MAX_TRACES; ++j) {
            if (doc.m_raw[i][j] != 0.0)
                return false;
        }
    }
    return true;
}

class LoadTest : public ::testing::Test {
protected:
    LoadTest() : doc(std::make_unique<CQuorvelwDoc>())
    {
        OnNewDocument(*doc, op);  // start-up
        op.events.clear();
    }

    // Runs one "Load Raw Data" and checks that it reports success to the framework.
    void Load()
    {
        ASSERT_TRUE(OnNewDocument(*doc, op));
    }

    void ExpectColumnsFromFiles(int traces, int n)
    {
        for (int t = 0; t < traces; ++t) {
            const std::vector<double> v = FixtureTrace(t, n, traces);
            for (int j = 0; j < n; ++j)
                ASSERT_EQ(doc->m_raw[j][t], v[j]) << "trace " << t << " sample " << j;
        }
    }

    TempFolder dir;
    ScriptedOperator op;
    std::unique_ptr<CQuorvelwDoc> doc;
};

TEST(OnNewDocument, FirstCallOnlyClears)
{
    auto doc = std::make_unique<CQuorvelwDoc>();
    doc->m_raw[0][0] = 1.0;
    doc->m_raw[MAX_POINTS - 1][MAX_TRACES - 1] = 2.0;
    doc->m_bDataLoaded = 1;
    doc->SetPathName("/x/old.qvl");
    doc->SetModifiedFlag(true);
    ScriptedOperator op;
    EXPECT_TRUE(OnNewDocument(*doc, op));
    EXPECT_TRUE(op.events.empty());
    EXPECT_EQ(doc->m_nNewCount, 1);
    EXPECT_EQ(doc->m_bDataLoaded, 0);
    EXPECT_TRUE(RawAllZero(*doc));
    EXPECT_EQ(doc->GetTitle(), "Untitled");
    EXPECT_EQ(doc->GetPathName(), "");
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(LoadTest, DefaultDialogValuesReadTheEightDefaultNames)
{
    // The default first file has no folder a Unix system knows: it names a file in the
    // current folder, backslashes and all.
    const fs::path before = fs::current_path();
    fs::current_path(dir.path());
    const std::vector<std::string> names = WriteTraceSet("c:\\gagedata\\ang000.dat", 8, 3600);
    op.rawData.push_back(RawDataValues{});  // OK at once
    Load();
    fs::current_path(before);

    EXPECT_EQ(names, (std::vector<std::string>{"c:\\gagedata\\ang000.dat", "c:\\gagedata\\ang045.dat",
                                                "c:\\gagedata\\ang090.dat", "c:\\gagedata\\ang135.dat",
                                                "c:\\gagedata\\ang180.dat", "c:\\gagedata\\ang225.dat",
                                                "c:\\gagedata\\ang270.dat", "c:\\gagedata\\ang315.dat"}));
    EXPECT_EQ(op.events, std::vector<std::string>{kDialog});
    EXPECT_EQ(op.rawDataOffered.m_strDataFile, "c:\\gagedata\\ang000.dat");
    EXPECT_EQ(op.rawDataOffered.m_nTraces, 8);
    EXPECT_EQ(op.rawDataOffered.m_nUnit, 0);
    EXPECT_EQ(doc->m_bDataLoaded, 1);
    EXPECT_EQ(doc->m_nPoints, 3600);
    EXPECT_EQ(doc->m_nTraces, 8);
    EXPECT_EQ(doc->m_nUnit, 0);
    EXPECT_EQ(doc->m_strDataFile, "c:\\gagedata\\ang000.dat");
    ExpectColumnsFromFiles(8, 3600);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetTitle(), "Untitled");
    EXPECT_NE(doc->m_strDate, "");
}

struct NamingCase {
    const char* typed;  // first file as typed, inside the test folder
    int traces;
    std::vector<const char*> expected;
};

void PrintTo(const NamingCase& c, std::ostream* os) { *os << c.typed << " x" << c.traces; }

class LoadNaming : public LoadTest, public ::testing::WithParamInterface<NamingCase> {};

TEST_P(LoadNaming, ReadsTheFileOfEveryAngle)
{
    const NamingCase& c = GetParam();
    const std::string typed = dir.File(c.typed);
    std::vector<std::string> expected;
    for (const char* e : c.expected)
        expected.push_back(dir.File(e));
    fs::create_directories(fs::path(typed).parent_path());
    ASSERT_EQ(WriteTraceSet(typed, c.traces, 720), expected);
    op.AcceptRawData(typed, c.traces);
    Load();
    EXPECT_EQ(op.events, std::vector<std::string>{kDialog});
    EXPECT_EQ(doc->m_bDataLoaded, 1);
    EXPECT_EQ(doc->m_strDataFile, typed);
    ExpectColumnsFromFiles(c.traces, 720);
}

INSTANTIATE_TEST_SUITE_P(
    Sets, LoadNaming,
    ::testing::Values(
        NamingCase{"ang000.dat", 7, {"ang000.dat", "ang051.dat", "ang102.dat", "ang153.dat", "ang204.dat", "ang255.dat", "ang306.dat"}},
        NamingCase{"ang000.dat", 5, {"ang000.dat", "ang072.dat", "ang144.dat", "ang216.dat", "ang288.dat"}},
        NamingCase{"part7-a12.trc", 4, {"part7-000.trc", "part7-090.trc", "part7-180.trc", "part7-270.trc"}},
        NamingCase{"ang090.dat", 4, {"ang000.dat", "ang090.dat", "ang180.dat", "ang270.dat"}},
        NamingCase{"runs\xC3\xBC" "12.dat", 4, {"runs000.dat", "runs090.dat", "runs180.dat", "runs270.dat"}},
        NamingCase{"a-folder-name-well-beyond-eighty-characters-that-an-old-buffer-would-have-cut-off-xyz/m123.dat",
                   4,
                   {"a-folder-name-well-beyond-eighty-characters-that-an-old-buffer-would-have-cut-off-xyz/m000.dat",
                    "a-folder-name-well-beyond-eighty-characters-that-an-old-buffer-would-have-cut-off-xyz/m090.dat",
                    "a-folder-name-well-beyond-eighty-characters-that-an-old-buffer-would-have-cut-off-xyz/m180.dat",
                    "a-folder-name-well-beyond-eighty-characters-that-an-old-buffer-would-have-cut-off-xyz/m270.dat"}}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(TraceFileName, PositionsOnly)
{
    EXPECT_EQ(TraceFileName("c:\\gagedata\\ang000.dat", 45), "c:\\gagedata\\ang045.dat");
    EXPECT_EQ(TraceFileName("abc.dat", 315), "315.dat");  // exactly seven characters
    EXPECT_EQ(TraceFileName("wxyz1234", 5), "w0051234");  // no extension needed: the last four stay
    EXPECT_EQ(TraceFileName("\xC3\xA9" "abc.dat", 0), "\xC3\xA9" "000.dat");
    EXPECT_EQ(TraceFileName("ab.dat", 0), "");
    EXPECT_EQ(TraceFileName("", 0), "");
}

TEST_F(LoadTest, MissingThirdFileLosesEverySample)
{
    const std::string first = dir.File("ang000.dat");
    const std::vector<std::string> names = WriteTraceSet(first, 8, 720);
    fs::remove(names[2]);
    op.AcceptRawData(first, 8, 1);
    Load();
    EXPECT_EQ(op.events, (std::vector<std::string>{kDialog, "message: Can't open the input file " + names[2], kCantLoad}));
    EXPECT_EQ(doc->m_bDataLoaded, 0);
    EXPECT_TRUE(RawAllZero(*doc));
    EXPECT_EQ(doc->m_nPoints, 0);
    // The dialog's values and the defaults stand.
    EXPECT_EQ(doc->m_strDataFile, first);
    EXPECT_EQ(doc->m_nTraces, 8);
    EXPECT_EQ(doc->m_nUnit, 1);
    EXPECT_EQ(doc->m_strGageInfo, DEFAULT_GAGE_INFO);
    EXPECT_NE(doc->m_strDate, "");
}

TEST_F(LoadTest, TruncatedFileIsAFailedLoad)
{
    const std::string first = dir.File("ang000.dat");
    const std::vector<std::string> names = WriteTraceSet(first, 8, 720);
    fs::resize_file(names[5], fs::file_size(names[5]) - 1);
    op.AcceptRawData(first, 8);
    Load();
    EXPECT_EQ(op.events, (std::vector<std::string>{
                             kDialog, "message: Can't read the input file " + names[5] + ": it ends before its end mark",
                             kCantLoad}));
    EXPECT_TRUE(RawAllZero(*doc));
}

TEST_F(LoadTest, PointCountComesFromTheLastFile)
{
    const std::string first = dir.File("ang000.dat");
    doc->m_raw[700][1] = 7.0;  // left over from before: a shorter column keeps it
    WriteTraceSet(first, 8, 720, {{1, 600}});
    op.AcceptRawData(first, 8);
    Load();
    EXPECT_EQ(doc->m_nPoints, 720);
    EXPECT_EQ(doc->m_raw[599][1], FixtureTrace(1, 720, 8)[599]);
    EXPECT_EQ(doc->m_raw[600][1], 0.0);
    EXPECT_EQ(doc->m_raw[700][1], 7.0);

    WriteTraceSet(first, 8, 720, {{7, 500}});
    op.AcceptRawData(first, 8);
    Load();
    EXPECT_EQ(doc->m_nPoints, 500);
}

TEST_F(LoadTest, CancelSaysCantLoadAndKeepsTheDocument)
{
    const std::string first = dir.File("ang000.dat");
    WriteTraceSet(first, 8, 720);
    op.AcceptRawData(first, 8);
    Load();
    ASSERT_EQ(doc->m_bDataLoaded, 1);
    const double angleErr = doc->m_angleErr[10];
    doc->m_strGageInfo = "mine";
    op.events.clear();

    op.rawData.push_back(std::nullopt);
    Load();
    EXPECT_EQ(op.events, (std::vector<std::string>{kDialog, kCantLoad}));
    EXPECT_EQ(doc->m_bDataLoaded, 0);
    EXPECT_TRUE(RawAllZero(*doc));
    EXPECT_EQ(doc->m_strGageInfo, "mine");
    EXPECT_EQ(doc->m_nPoints, 720);
    EXPECT_EQ(doc->m_angleErr[10], angleErr);  // kept, but not shown
}

TEST_F(LoadTest, EveryLoadResetsTextsAndReportKind)
{
    const std::string first = dir.File("ang000.dat");
    WriteTraceSet(first, 8, 720);
    for (int round = 0; round < 2; ++round) {
        doc->m_strGageInfo = "gage typed by hand";
        doc->m_strGratingInfo = "grating typed by hand";
        doc->m_nReportMode = 1;
        op.AcceptRawData(first, 8);
        Load();
        EXPECT_EQ(doc->m_strGageInfo, "7310QK SN0123456789XYZ");
        EXPECT_EQ(doc->m_strGratingInfo, "SN0123456789XYZ");
        EXPECT_EQ(doc->m_nReportMode, 0);
        EXPECT_EQ(doc->m_nNewCount, 2 + round);
    }
}

struct RefusedCase {
    const char* name;
    const char* file;  // inside the test folder unless it starts with '!'
    int traces;
    std::string message;  // the first message; "Can't load data" follows
};

void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }

class LoadRefused : public LoadTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(LoadRefused, MessageThenCantLoadData)
{
    const RefusedCase& c = GetParam();
    WriteTraceSet(dir.File("ang000.dat"), 8, 720);
    const std::string file = c.file[0] == '!' ? std::string(c.file + 1) : dir.File(c.file);
    op.AcceptRawData(file, c.traces);
    doc->m_nTraces = 8;
    doc->m_strDataFile = "before";
    Load();
    std::string message = c.message;
    if (const auto at = message.find("%s"); at != std::string::npos)
        message.replace(at, 2, file);
    EXPECT_EQ(op.events, (std::vector<std::string>{kDialog, "message: " + message, kCantLoad}));
    EXPECT_EQ(doc->m_bDataLoaded, 0);
    EXPECT_TRUE(RawAllZero(*doc));
    EXPECT_EQ(doc->m_nTraces, 8);  // nothing of the dialog was stored
    EXPECT_EQ(doc->m_strDataFile, "before");
}

INSTANTIATE_TEST_SUITE_P(
    Values, LoadRefused,
    ::testing::Values(RefusedCase{"NoTraces", "ang000.dat", 0, "The number of traces must be between 1 and 36"},
                      RefusedCase{"NegativeTraces", "ang000.dat", -3, "The number of traces must be between 1 and 36"},
                      RefusedCase{"ThirtySevenTraces", "ang000.dat", 37, "The number of traces must be between 1 and 36"},
                      RefusedCase{"ShortPath", "!a.dat", 8, "The first data file name is too short to carry an angle: %s"},
                      RefusedCase{"EmptyPath", "!", 8, "The first data file name is too short to carry an angle: %s"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LoadTest, MeasurementThatCannotBeEvaluated)
{
    // One trace: no sample lies in another trace's window.
    const std::string first = dir.File("one000.dat");
    WriteTraceSet(first, 1, 720);
    op.AcceptRawData(first, 1);
    Load();
    SeparationStatus uncovered;
    uncovered.code = SeparationCode::UncoveredSamples;
    EXPECT_EQ(op.events, (std::vector<std::string>{kDialog, "message: " + SeparationMessage(uncovered), kCantLoad}));
    EXPECT_EQ(doc->m_bDataLoaded, 0);
    EXPECT_TRUE(RawAllZero(*doc));

    // Flat traces: no eccentricity.
    op.events.clear();
    const std::vector<double> flat(720, 1.0e-4);
    for (int t = 0; t < 8; ++t)
        ASSERT_EQ(WriteTraceFile(TraceFileName(dir.File("flat000.dat"), 45 * t), flat.data(), 720, 1), 1);
    op.AcceptRawData(dir.File("flat000.dat"), 8);
    Load();
    EXPECT_EQ(op.events, (std::vector<std::string>{
                             kDialog, "message: Can't evaluate the measurement: trace 1 has no eccentricity", kCantLoad}));
    EXPECT_EQ(doc->m_bDataLoaded, 0);
    EXPECT_TRUE(RawAllZero(*doc));
}

TEST_F(LoadTest, MillimetreUnit)
{
    const std::string first = dir.File("ang000.dat");
    WriteTraceSet(first, 8, 720);
    op.AcceptRawData(first, 8, 1);
    Load();
    ASSERT_EQ(doc->m_bDataLoaded, 1);
    EXPECT_EQ(doc->m_nUnit, 1);
    const double spindleMm = doc->m_spindleMax;
    op.AcceptRawData(first, 8, 0);
    Load();
    EXPECT_NEAR(doc->m_spindleMax, spindleMm * 25.4, 1e-12);
}

// Sets TZ for one test and restores it.
class TimeZone {
public:
    explicit TimeZone(const char* tz)
    {
        if (const char* old = std::getenv("TZ"))
            m_old = old, m_had = true;
        setenv("TZ", tz, 1);
        tzset();
    }
    ~TimeZone()
    {
        if (m_had)
            setenv("TZ", m_old.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::string m_old;
    bool m_had = false;
};

TEST(CollectionDateText, EnglishNamesZeroPaddedLocalTime)
{
    TimeZone tz("UTC0");
    EXPECT_EQ(CollectionDateText(1102928707), "Monday, December 13, 2004 09:05:07");
    EXPECT_EQ(CollectionDateText(946684800), "Saturday, January 01, 2000 00:00:00");
    EXPECT_EQ(CollectionDateText(1078099199), "Sunday, February 29, 2004 23:59:59");
    EXPECT_EQ(CollectionDateText(1436238245), "Tuesday, July 07, 2015 03:04:05");
}

#if HAVE_UTIMENSAT
TEST_F(LoadTest, DateTextIsTheFirstFilesModificationInLocalTime)
{
    TimeZone tz("PST8PDT");  // December: eight hours behind UTC
    const std::string first = dir.File("ang000.dat");
    const std::vector<std::string> names = WriteTraceSet(first, 8, 720);
    const timespec other[2] = {{1000000000, 0}, {1000000000, 0}};
    for (const std::string& name : names)
        ASSERT_EQ(utimensat(AT_FDCWD, name.c_str(), other, 0), 0);
    const timespec when[2] = {{1102957507, 0}, {1102957507, 999999999}};  // 17:05:07.999 UTC
    ASSERT_EQ(utimensat(AT_FDCWD, names[0].c_str(), when, 0), 0);
    op.AcceptRawData(dir.File("ang180.dat"), 8);
    Load();
    EXPECT_EQ(doc->m_strDate, "Monday, December 13, 2004 09:05:07");
    EXPECT_EQ(FileDateText(dir.File("no such file")), "");
}
#endif

}  // namespace
