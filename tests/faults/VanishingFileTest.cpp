// Files that change under the program between two reads: a trace file that is gone or spoilt
// at the next Load Raw Data, a document file overwritten with garbage while it is open.
#include "DocumentCommands.h"
#include "DocumentState.h"
#include "MeasurementTest.h"

#include <unistd.h>

#include <filesystem>
#include <functional>
#include <random>

namespace fs = std::filesystem;

namespace {

struct Spoil {
    const char* name;
    std::function<void(const std::string&)> apply;
    std::string reason;  // the first message, PATH standing for the file
    bool bindsRoot = true;
};

void PrintTo(const Spoil& c, std::ostream* os) { *os << c.name; }

std::string WithPath(std::string text, const std::string& path)
{
    const std::size_t at = text.find("PATH");
    return at == std::string::npos ? text : text.replace(at, 4, path);
}

std::vector<Spoil> Spoils()
{
    const std::string cannotOpen = "Can't open the input file PATH";
    const std::string cutShort = "Can't read the input file PATH: it ends before its end mark";
    return {
        {"Deleted", [](const std::string& p) { fs::remove(p); }, cannotOpen},
        {"ReplacedByAFolder", [](const std::string& p) { fs::remove(p); fs::create_directory(p); }, cannotOpen},
        {"ReplacedByADanglingLink",
         [](const std::string& p) { fs::remove(p); fs::create_symlink(p + ".gone", p); }, cannotOpen},
        {"Emptied", [](const std::string& p) { WriteBytes(p, {}); }, cutShort},
        {"CutShort", [](const std::string& p) { fs::resize_file(p, fs::file_size(p) / 2); }, cutShort},
        {"Unreadable", [](const std::string& p) { fs::permissions(p, fs::perms::none); }, cannotOpen, false},
    };
}

class TraceFileSpoilt : public MeasurementTest, public ::testing::WithParamInterface<Spoil> {};

TEST_P(TraceFileSpoilt, BetweenTwoLoads)
{
    if (!GetParam().bindsRoot && ::geteuid() == 0)
        GTEST_SKIP() << "file permissions do not bind root";
    const std::vector<std::string> names = Load(8, 720);
    const DocumentState first(*doc);

    GetParam().apply(names[3]);
    LoadAgain(8);
    EXPECT_EQ(op.Messages(), (std::vector<std::string>{WithPath(GetParam().reason, names[3]), "Can't load data"}));
    EXPECT_EQ(doc->m_bDataLoaded, 0);
    EXPECT_EQ(doc->m_nPoints, 0);
    for (int i = 0; i < MAX_POINTS; ++i)
        for (int j = 0; j < MAX_TRACES; ++j)
            ASSERT_EQ(doc->m_raw[i][j], 0.0) << "the traces read before the spoilt one do not survive";
    EXPECT_TRUE(Drawing(*doc, ReportKind::Plot).empty());
    EXPECT_TRUE(Drawing(*doc, ReportKind::Text).empty());
    op.events.clear();
    OnCreateCompensation(*doc, op);
    EXPECT_EQ(op.events, std::vector<std::string>{"message: No measurement is loaded. Quorvel file not created!"});

    // The file back as it was: the same measurement and results as the first time.
    std::error_code ec;
    fs::permissions(names[3], fs::perms::owner_read | fs::perms::owner_write, ec);
    fs::remove_all(names[3]);
    WriteTraceSet(dir.File("ang000.dat"), 8, 720);
    op.events.clear();
    LoadAgain(8);
    EXPECT_TRUE(op.events.size() == 1 && op.events[0] == "dialog: Load Raw Data") << op.events.size();
    const DocumentState again(*doc);
    EXPECT_EQ(again.raw, first.raw);
    EXPECT_EQ(again.results, first.results);
}

INSTANTIATE_TEST_SUITE_P(Ways, TraceFileSpoilt, ::testing::ValuesIn(Spoils()),
                         [](const auto& info) { return std::string(info.param.name); });

struct Garbage {
    const char* name;
    std::function<Bytes(const Bytes& document, const Bytes& trace)> make;
};

void PrintTo(const Garbage& c, std::ostream* os) { *os << c.name; }

std::vector<Garbage> Garbages()
{
    return {
        {"RandomBytes",
         [](const Bytes& d, const Bytes&) {
             std::mt19937 engine(7);
             Bytes b(d.size());
             for (auto& x : b)
                 x = std::uint8_t(engine());
             return b;
         }},
        {"ZerosOfTheSameLength", [](const Bytes& d, const Bytes&) { return Bytes(d.size(), 0); }},
        {"CutInHalf", [](const Bytes& d, const Bytes&) { return Bytes(d.begin(), d.begin() + long(d.size() / 2)); }},
        {"Empty", [](const Bytes&, const Bytes&) { return Bytes{}; }},
        {"ATraceFile", [](const Bytes&, const Bytes& t) { return t; }},
        {"Text", [](const Bytes&, const Bytes&) {
             const std::string s = "gage log\nrun 7 ok\n";
             return Bytes(s.begin(), s.end());
         }},
    };
}

class DocumentTurnedToGarbage : public MeasurementTest, public ::testing::WithParamInterface<Garbage> {};

TEST_P(DocumentTurnedToGarbage, NextOpenRefusesItAndTheMeasurementStays)
{
    const std::vector<std::string> traces = Load(8, 720);
    const std::string path = dir.File("m.qvl");
    ASSERT_TRUE(OnSaveDocument(*doc, op, path));
    ASSERT_TRUE(OpenDocumentFile(*doc, op, path));
    const DocumentState shown(*doc);
    const std::vector<std::string> plot = Drawing(*doc, ReportKind::Plot);
    ASSERT_FALSE(plot.empty());
    op.events.clear();

    WriteBytes(path, GetParam().make(ReadBytes(path), ReadBytes(traces[0])));
    EXPECT_FALSE(OpenDocumentFile(*doc, op, path));
    EXPECT_EQ(op.events, std::vector<std::string>{"message: Unexpected file format."});
    EXPECT_TRUE(DocumentState(*doc) == shown);
    EXPECT_EQ(Drawing(*doc, ReportKind::Plot), plot);

    // Save puts the measurement back in place of the garbage.
    EXPECT_TRUE(OnFileSave(*doc, op));
    auto reopened = std::make_unique<CQuorvelwDoc>();
    ScriptedOperator quiet;
    ASSERT_TRUE(OnOpenDocument(*reopened, quiet, path));
    EXPECT_EQ(DocumentState(*reopened).results, shown.results);
}

INSTANTIATE_TEST_SUITE_P(Kinds, DocumentTurnedToGarbage, ::testing::ValuesIn(Garbages()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
