#include "DocumentFramework.h"
#include "LoadSequence.h"

#include "ScriptedOperator.h"
#include "TempFolder.h"
#include "TraceSets.h"

#include "QuorvelwDoc.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string kDialog = "dialog: Load Raw Data";

class FrameworkTest : public ::testing::Test {
protected:
    FrameworkTest() : doc(std::make_unique<CQuorvelwDoc>())
    {
        first = dir.File("ang000.dat");
        WriteTraceSet(first, 8, 720);
    }

    // A loaded measurement, saved as saved.qvl, then modified.
    void ModifiedDocument()
    {
        StartUp(*doc, op, "");
        op.AcceptRawData(first, 8);
        OnFileNew(*doc, op);
        ASSERT_EQ(doc->m_bDataLoaded, 1);
        ASSERT_TRUE(OnSaveDocument(*doc, op, dir.File("saved.qvl")));
        doc->m_strGageInfo = "changed";
        doc->SetModifiedFlag(true);
        op.events.clear();
    }

    TempFolder dir;
    ScriptedOperator op;
    std::unique_ptr<CQuorvelwDoc> doc;
    std::string first;
};

TEST_F(FrameworkTest, StartUpWithoutADocumentShowsNothing)
{
    int redraws = 0;
    doc->SetViewUpdater([&redraws] { ++redraws; });
    EXPECT_TRUE(StartUp(*doc, op, ""));
    EXPECT_TRUE(op.events.empty());
    EXPECT_EQ(doc->m_bDataLoaded, 0);
    EXPECT_EQ(doc->GetTitle(), "Untitled");
    EXPECT_EQ(redraws, 1);
}

TEST_F(FrameworkTest, StartUpWithADocumentThenLoadRawDataRunsTheDialog)
{
    ModifiedDocument();
    auto fresh = std::make_unique<CQuorvelwDoc>();
    ScriptedOperator op2;
    EXPECT_TRUE(StartUp(*fresh, op2, dir.File("saved.qvl")));
    EXPECT_TRUE(op2.events.empty());
    EXPECT_EQ(fresh->m_bDataLoaded, 1);
    EXPECT_EQ(fresh->GetTitle(), "saved.qvl");

    op2.AcceptRawData(first, 8);
    EXPECT_TRUE(OnFileNew(*fresh, op2));
    EXPECT_EQ(op2.events, std::vector<std::string>{kDialog});
    EXPECT_EQ(fresh->m_bDataLoaded, 1);
    EXPECT_EQ(fresh->GetTitle(), "Untitled");
    EXPECT_EQ(fresh->GetPathName(), "");

    auto bad = std::make_unique<CQuorvelwDoc>();
    ScriptedOperator op3;
    EXPECT_FALSE(StartUp(*bad, op3, dir.File("missing.qvl")));
    EXPECT_EQ(op3.Messages(), std::vector<std::string>{"Failed to open document."});
    EXPECT_EQ(bad->m_bDataLoaded, 0);
}

struct AskCase {
    const char* name;
    SaveChangesAnswer answer;
    bool goesOn;   // the command continues
    bool saved;    // the changes reached saved.qvl
};

void PrintTo(const AskCase& c, std::ostream* os) { *os << c.name; }

class AskToSave : public FrameworkTest, public ::testing::WithParamInterface<AskCase> {};

TEST_P(AskToSave, BeforeLoadRawData)
{
    const AskCase& c = GetParam();
    ModifiedDocument();
    op.saveChanges.push_back(c.answer);
    if (c.goesOn)
        op.AcceptRawData(first, 8);
    EXPECT_EQ(OnFileNew(*doc, op), c.goesOn);
    std::vector<std::string> expected{"ask save changes: saved.qvl"};
    if (c.goesOn)
        expected.push_back(kDialog);
    EXPECT_EQ(op.events, expected);
    EXPECT_EQ(doc->m_strGageInfo, c.goesOn ? DEFAULT_GAGE_INFO : "changed");
    EXPECT_EQ(doc->IsModified(), !c.goesOn);

    auto reread = std::make_unique<CQuorvelwDoc>();
    ScriptedOperator op2;
    ASSERT_TRUE(OnOpenDocument(*reread, op2, dir.File("saved.qvl")));
    EXPECT_EQ(reread->m_strGageInfo, c.saved ? "changed" : DEFAULT_GAGE_INFO);
}

TEST_P(AskToSave, BeforeOpen)
{
    const AskCase& c = GetParam();
    ModifiedDocument();
    auto other = std::make_unique<CQuorvelwDoc>();
    StartUp(*other, op, "");
    ASSERT_TRUE(OnSaveDocument(*other, op, dir.File("other.qvl")));
    op.openNames.push_back(dir.File("other.qvl"));
    op.saveChanges.push_back(c.answer);
    EXPECT_EQ(OnFileOpen(*doc, op), c.goesOn);
    EXPECT_EQ(op.events, (std::vector<std::string>{"ask open name", "ask save changes: saved.qvl"}));
    EXPECT_EQ(doc->GetTitle(), c.goesOn ? "other.qvl" : "saved.qvl");
}

TEST_P(AskToSave, BeforeExit)
{
    const AskCase& c = GetParam();
    ModifiedDocument();
    op.saveChanges.push_back(c.answer);
    EXPECT_EQ(CanExit(*doc, op), c.goesOn);
    EXPECT_EQ(op.events, std::vector<std::string>{"ask save changes: saved.qvl"});
    EXPECT_EQ(doc->IsModified(), !c.saved);
}

INSTANTIATE_TEST_SUITE_P(Answers, AskToSave,
                         ::testing::Values(AskCase{"Yes", SaveChangesAnswer::Yes, true, true},
                                           AskCase{"No", SaveChangesAnswer::No, true, false},
                                           AskCase{"Cancel", SaveChangesAnswer::Cancel, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FrameworkTest, NothingIsAskedForAnUnmodifiedDocument)
{
    StartUp(*doc, op, "");
    EXPECT_TRUE(CanExit(*doc, op));
    op.AcceptRawData(first, 8);
    OnFileNew(*doc, op);  // a load does not mark the document modified
    EXPECT_TRUE(CanExit(*doc, op));
    EXPECT_EQ(op.events, std::vector<std::string>{kDialog});
}

TEST_F(FrameworkTest, SaveOfAnUntitledDocumentAsksForAName)
{
    StartUp(*doc, op, "");
    op.AcceptRawData(first, 8);
    OnFileNew(*doc, op);
    doc->SetModifiedFlag(true);

    op.saveNames.push_back(std::nullopt);
    EXPECT_FALSE(OnFileSave(*doc, op));
    EXPECT_EQ(op.proposedName, "Untitled.qvl");
    EXPECT_TRUE(doc->IsModified());

    op.saveNames.push_back(dir.File("named.qvl"));
    EXPECT_TRUE(OnFileSave(*doc, op));
    EXPECT_EQ(doc->GetTitle(), "named.qvl");
    EXPECT_FALSE(doc->IsModified());

    // With a path, Save asks nothing; Save As proposes the path.
    doc->SetModifiedFlag(true);
    EXPECT_TRUE(OnFileSave(*doc, op));
    op.saveNames.push_back(dir.File("copy.qvl"));
    EXPECT_TRUE(OnFileSaveAs(*doc, op));
    EXPECT_EQ(op.proposedName, dir.File("named.qvl"));
    EXPECT_EQ(doc->GetPathName(), dir.File("copy.qvl"));
    EXPECT_EQ(op.events, (std::vector<std::string>{kDialog, "ask save name: document", "ask save name: document",
                                                    "ask save name: document"}));
    EXPECT_EQ(ReadBytes(dir.File("copy.qvl")), ReadBytes(dir.File("named.qvl")));
}

TEST_F(FrameworkTest, SaveOfAReadOnlyFileBecomesSaveAs)
{
    ModifiedDocument();
    const std::string saved = dir.File("saved.qvl");
    const Bytes before = ReadBytes(saved);
    fs::permissions(saved, fs::perms::owner_read);
    op.saveNames.push_back(dir.File("elsewhere.qvl"));
    EXPECT_TRUE(OnFileSave(*doc, op));
    EXPECT_EQ(op.events, std::vector<std::string>{"ask save name: document"});
    EXPECT_EQ(ReadBytes(saved), before);
    EXPECT_EQ(doc->GetTitle(), "elsewhere.qvl");
}

TEST_F(FrameworkTest, FailedSaveOnYesKeepsTheDocument)
{
    ModifiedDocument();
    op.saveChanges.push_back(SaveChangesAnswer::Yes);
    fs::remove(dir.File("saved.qvl"));
    fs::create_directory(dir.File("saved.qvl"));  // the file's place is taken by a folder
    EXPECT_FALSE(OnFileNew(*doc, op));
    EXPECT_EQ(op.events, (std::vector<std::string>{"ask save changes: saved.qvl", "message: Failed to save document."}));
    EXPECT_EQ(doc->m_strGageInfo, "changed");
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(FrameworkTest, FailedOpenShowsNoLoadDialog)
{
    ModifiedDocument();
    WriteBytes(dir.File("cut.qvl"), Bytes(ReadBytes(dir.File("saved.qvl")).size() - 4, 0));
    op.openNames.push_back(dir.File("cut.qvl"));
    op.saveChanges.push_back(SaveChangesAnswer::No);
    EXPECT_FALSE(OnFileOpen(*doc, op));
    EXPECT_EQ(op.events, (std::vector<std::string>{"ask open name", "ask save changes: saved.qvl",
                                                    "message: Unexpected file format."}));
    EXPECT_EQ(doc->m_bDataLoaded, 1);
    EXPECT_EQ(doc->GetTitle(), "saved.qvl");
    EXPECT_TRUE(doc->IsModified());

    op.openNames.push_back(std::nullopt);
    EXPECT_FALSE(OnFileOpen(*doc, op));
}

// Only regular files are read: a pipe would block, /dev/zero never ends, and a file larger
// than any document of ours is refused before it is read.
TEST_F(FrameworkTest, OpenRefusesWhatIsNotADocumentFile)
{
    ModifiedDocument();
    ASSERT_EQ(mkfifo(dir.File("pipe.qvl").c_str(), 0600), 0);
    {
        std::FILE* big = std::fopen(dir.File("big.qvl").c_str(), "wb");
        ASSERT_NE(big, nullptr);
        ASSERT_EQ(std::fseek(big, (256L << 20) + 1, SEEK_SET), 0);  // sparse: no disk used
        std::fputc(0, big);
        std::fclose(big);
    }
    const struct {
        std::string path;
        const char* message;
    } cases[] = {
        {dir.File("pipe.qvl"), "Failed to open document."},
        {"/dev/zero", "Failed to open document."},
        {dir.File("big.qvl"), "Unexpected file format."},
    };
    for (const auto& c : cases) {
        op.events.clear();
        EXPECT_FALSE(OnOpenDocument(*doc, op, c.path)) << c.path;
        EXPECT_EQ(op.Messages(), std::vector<std::string>{c.message}) << c.path;
        EXPECT_EQ(doc->GetTitle(), "saved.qvl");
        EXPECT_EQ(doc->m_strGageInfo, "changed");
        EXPECT_TRUE(doc->IsModified());
    }
}

TEST_F(FrameworkTest, OpeningAfterTheTextReportShowsThePlot)
{
    ModifiedDocument();
    doc->m_nReportMode = 1;
    EXPECT_TRUE(OnOpenDocument(*doc, op, dir.File("saved.qvl")));
    EXPECT_EQ(doc->m_nReportMode, 0);
    EXPECT_EQ(doc->m_strGageInfo, DEFAULT_GAGE_INFO);  // the file's, not the edit
    EXPECT_FALSE(doc->IsModified());
}

}  // namespace
