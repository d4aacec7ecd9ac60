#include "DocumentCommands.h"
#include "DocumentFramework.h"
#include "TraceFile.h"

#include "ScriptedOperator.h"
#include "TempFolder.h"
#include "TraceSets.h"

#include "QuorvelwDoc.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

const std::string kNotLoaded = "message: No measurement is loaded. Quorvel file not created!";

class CommandsTest : public ::testing::Test {
protected:
    CommandsTest() : doc(std::make_unique<CQuorvelwDoc>())
    {
        StartUp(*doc, op, "");
        doc->SetViewUpdater([this] { ++redraws; });
    }

    void LoadMeasurement(int traces, int n)
    {
        const std::string first = dir.File("ang000.dat");
        WriteTraceSet(first, traces, n);
        op.AcceptRawData(first, traces);
        OnFileNew(*doc, op);
        ASSERT_EQ(doc->m_bDataLoaded, 1);
        op.events.clear();
        redraws = 0;
    }

    TempFolder dir;
    ScriptedOperator op;
    std::unique_ptr<CQuorvelwDoc> doc;
    int redraws = 0;
};

TEST_F(CommandsTest, CreateQuorvelWritesTheNegatedAngleError)
{
    LoadMeasurement(4, 100);
    const std::string path = dir.File("comp.qrv");
    op.saveNames.push_back(path);
    EXPECT_TRUE(OnCreateCompensation(*doc, op));
    EXPECT_EQ(op.events, (std::vector<std::string>{"ask save name: compensation",
                                                    "message: Quorvel file successfully created!"}));
    EXPECT_EQ(op.proposedName, "");
    EXPECT_FALSE(doc->IsModified());

    const Bytes bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 410u);
    EXPECT_EQ(bytes[0], 0x4B);
    EXPECT_EQ(bytes[1], 0x81);
    EXPECT_EQ(bytes[391], 0x10);
    EXPECT_EQ(bytes[409], 0x82);
    const float first = float(-doc->m_angleErr[0]);
    std::uint32_t bits;
    std::memcpy(&bits, &first, 4);
    EXPECT_EQ((Bytes{bytes.begin() + 2, bytes.begin() + 6}),
              (Bytes{std::uint8_t(bits), std::uint8_t(bits >> 8), std::uint8_t(bits >> 16), std::uint8_t(bits >> 24)}));

    double back[MAX_POINTS];
    ASSERT_EQ(ReadTraceFile(path, back, op), 100);
    for (int j = 0; j < 100; ++j)
        ASSERT_EQ(back[j], double(float(-doc->m_angleErr[j])));
}

TEST_F(CommandsTest, CreateQuorvelCancelledWritesNothing)
{
    LoadMeasurement(8, 720);
    op.saveNames.push_back(std::nullopt);
    EXPECT_FALSE(OnCreateCompensation(*doc, op));
    EXPECT_EQ(op.events, std::vector<std::string>{"ask save name: compensation"});
    EXPECT_EQ(dir.Entries().size(), 8u);
}

TEST_F(CommandsTest, CreateQuorvelThatCannotWrite)
{
    LoadMeasurement(8, 720);
    WriteBytes(dir.File("plain"), {1});
    op.saveNames.push_back(dir.File("plain/comp.qrv"));
    op.saveNames.push_back(dir.path().string());
    EXPECT_FALSE(OnCreateCompensation(*doc, op));
    EXPECT_FALSE(OnCreateCompensation(*doc, op));
    EXPECT_EQ(op.Messages(), (std::vector<std::string>{"Can't open file to write. Quorvel file not created!",
                                                        "Can't open file to write. Quorvel file not created!"}));
    EXPECT_EQ(dir.Entries().size(), 9u);
}

TEST_F(CommandsTest, CreateQuorvelRefusesWithoutAMeasurement)
{
    // Before any load.
    EXPECT_FALSE(OnCreateCompensation(*doc, op));
    EXPECT_EQ(op.events, std::vector<std::string>{kNotLoaded});

    // After a load cancelled following a good one: the angle error is still there, but stale.
    LoadMeasurement(8, 720);
    op.rawData.push_back(std::nullopt);
    OnFileNew(*doc, op);
    op.events.clear();
    OnCreateCompensation(*doc, op);
    EXPECT_EQ(op.events, std::vector<std::string>{kNotLoaded});

    // After a load that failed on a file (N is 0).
    op.AcceptRawData(dir.File("missing000.dat"), 8);
    OnFileNew(*doc, op);
    op.events.clear();
    OnCreateCompensation(*doc, op);
    EXPECT_EQ(op.events, std::vector<std::string>{kNotLoaded});
    EXPECT_EQ(dir.Entries().size(), 8u);
}

TEST_F(CommandsTest, GageInfoDialogAlwaysOffersTheDefaults)
{
    doc->m_strGageInfo = "old gage";
    doc->m_strGratingInfo = "old grating";

    op.gageInfo.push_back(std::nullopt);
    OnSetupGageInfo(*doc, op);
    EXPECT_EQ(op.gageInfoOffered.m_strGageInfo, "7310QK SN0123456789XYZ");
    EXPECT_EQ(op.gageInfoOffered.m_strGratingInfo, "SN0123456789XYZ");
    EXPECT_EQ(doc->m_strGageInfo, "old gage");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(redraws, 0);

    op.gageInfo.push_back(GageInfoValues{});  // OK without editing
    OnSetupGageInfo(*doc, op);
    EXPECT_EQ(doc->m_strGageInfo, "7310QK SN0123456789XYZ");
    EXPECT_EQ(doc->m_strGratingInfo, "SN0123456789XYZ");
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(redraws, 1);

    op.gageInfo.push_back(GageInfoValues{"G-7", ""});
    OnSetupGageInfo(*doc, op);
    EXPECT_EQ(doc->m_strGageInfo, "G-7");
    EXPECT_EQ(doc->m_strGratingInfo, "");
    EXPECT_EQ(op.events, (std::vector<std::string>(3, "dialog: Gage Info")));
}

TEST_F(CommandsTest, ReportToggleAndItsState)
{
    struct Expect {
        bool enabled;
        const char* text;
    };
    const auto check = [&](Expect e) {
        const CommandState s = OnUpdateReport(*doc);
        EXPECT_EQ(s.enabled, e.enabled);
        EXPECT_EQ(s.text, e.text);
    };

    check({false, ""});  // before any load
    OnReport(*doc);      // a disabled command does nothing
    EXPECT_EQ(doc->m_nReportMode, 0);
    EXPECT_FALSE(doc->IsModified());

    LoadMeasurement(8, 720);
    check({true, "Text &Report"});
    OnReport(*doc);
    EXPECT_EQ(doc->m_nReportMode, 1);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(redraws, 1);
    check({true, "Plot &Report"});
    OnReport(*doc);
    EXPECT_EQ(doc->m_nReportMode, 0);
    check({true, "Text &Report"});

    OnReport(*doc);
    op.saveChanges.push_back(SaveChangesAnswer::No);
    op.rawData.push_back(std::nullopt);  // a failed load
    OnFileNew(*doc, op);
    check({false, ""});
}

}  // namespace
