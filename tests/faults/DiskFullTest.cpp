// The disk fills while a document or a compensation file is written: the operator is told,
// the file that was there keeps its bytes, no part of the new file is left, and the document
// keeps its changes to be saved once there is room.
#include "DocumentCommands.h"
#include "FullDisk.h"
#include "MeasurementTest.h"
#include "DocumentState.h"
#include "TraceFile.h"

namespace {

class DiskFullTest : public MeasurementTest {
protected:
    DiskFullTest() : disk(dir.path() / "disk") {}

    FullDisk disk;
};

TEST_F(DiskFullTest, SavingADocument)
{
    Load(8, 720);
    const std::string path = disk.File("m.qvl");
    ASSERT_TRUE(OnSaveDocument(*doc, op, path));
    const Bytes old = ReadBytes(path);
    GageInfoValues texts;
    texts.m_strGageInfo = "gage after the save";
    op.gageInfo.push_back(texts);
    OnSetupGageInfo(*doc, op);
    ASSERT_TRUE(doc->IsModified());
    const DocumentState before(*doc);
    op.events.clear();

    disk.Fill(4096);  // the file is over 46 kB
    EXPECT_FALSE(OnFileSave(*doc, op));
    op.saveNames.push_back(disk.File("copy.qvl"));
    EXPECT_FALSE(OnFileSaveAs(*doc, op));
    disk.Free();

    EXPECT_EQ(op.Messages(), (std::vector<std::string>{"Failed to save document.", "Failed to save document."}))
        << (disk.Mounted() ? "tmpfs" : "file-size limit");
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(disk.Entries(), std::vector<std::string>{"m.qvl"});
    EXPECT_TRUE(DocumentState(*doc) == before) << "still modified, same path and title";

    // With room again the same Save goes through.
    op.events.clear();
    EXPECT_TRUE(OnFileSave(*doc, op));
    EXPECT_TRUE(op.events.empty());
    EXPECT_FALSE(doc->IsModified());
    auto reopened = std::make_unique<CQuorvelwDoc>();
    ScriptedOperator quiet;
    ASSERT_TRUE(OnOpenDocument(*reopened, quiet, path));
    EXPECT_EQ(reopened->m_strGageInfo, "gage after the save");
}

TEST_F(DiskFullTest, WritingACompensationFile)
{
    Load(8, 3600);  // 14628 bytes of compensation
    const std::string path = disk.File("comp.dat");
    const std::vector<double> earlier(100, 1.0e-6);
    ASSERT_EQ(WriteTraceFile(path, earlier.data(), 100, -1), 1);
    const Bytes old = ReadBytes(path);
    const DocumentState before(*doc);

    disk.Fill(4096);
    op.saveNames.push_back(path);
    OnCreateCompensation(*doc, op);
    op.saveNames.push_back(disk.File("new.dat"));
    OnCreateCompensation(*doc, op);
    disk.Free();

    const std::string failed = "message: Can't open file to write. Quorvel file not created!";
    EXPECT_EQ(op.events, (std::vector<std::string>{"ask save name: compensation", failed,
                                                    "ask save name: compensation", failed}));
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(disk.Entries(), std::vector<std::string>{"comp.dat"});
    EXPECT_TRUE(DocumentState(*doc) == before);

    op.events.clear();
    op.saveNames.push_back(path);
    OnCreateCompensation(*doc, op);
    EXPECT_EQ(op.Messages(), std::vector<std::string>{"Quorvel file successfully created!"});
    EXPECT_EQ(ReadBytes(path).size(), 14628u);
}

}  // namespace
