// A PDF that cannot be written whole: the disk fills part-way, or the measurement holds
// samples that are not numbers. The operator is told, an older PDF keeps its bytes and no
// part of the new one is left.
#include "DeviceDescription.h"
#include "DocumentFramework.h"
#include "FullDisk.h"
#include "QuorvelwDoc.h"
#include "ReportRendering.h"
#include "ScriptedOperator.h"
#include "TempFolder.h"
#include "TraceFile.h"
#include "TraceSets.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>

namespace {

class PdfFaultTest : public ::testing::Test {
protected:
    PdfFaultTest() : doc(std::make_unique<CQuorvelwDoc>()), disk(dir.path() / "disk")
    {
        StartUp(*doc, op, "");
        WriteTraceSet(dir.File("ang000.dat"), 8, 720);
        op.AcceptRawData(dir.File("ang000.dat"), 8);
        OnFileNew(*doc, op);
    }

    TempFolder dir;
    ScriptedOperator op;
    std::unique_ptr<CQuorvelwDoc> doc;
    FullDisk disk;
};

TEST_F(PdfFaultTest, DiskFullWhileWriting)
{
    ASSERT_EQ(doc->m_bDataLoaded, 1);
    const std::string path = disk.File("report.pdf");
    WriteBytes(path, {'e', 'a', 'r', 'l', 'i', 'e', 'r'});

    disk.Fill(4096);
    const RenderResult replaced = WriteReportPdf(path, *doc, {ReportKind::Plot, ReportKind::Text});
    const RenderResult created = WriteReportPdf(disk.File("new.pdf"), *doc, {ReportKind::Plot});
    disk.Free();

    EXPECT_FALSE(replaced.ok);
    EXPECT_EQ(replaced.message.rfind("Can't write " + path + ": ", 0), 0u) << replaced.message;
    EXPECT_GT(replaced.message.size(), ("Can't write " + path + ": ").size()) << "the reason is given";
    EXPECT_FALSE(created.ok);
    EXPECT_EQ(ReadBytes(path), (Bytes{'e', 'a', 'r', 'l', 'i', 'e', 'r'}));
    EXPECT_EQ(disk.Entries(), std::vector<std::string>{"report.pdf"}) << (disk.Mounted() ? "tmpfs" : "file-size limit");

    const RenderResult later = WriteReportPdf(path, *doc, {ReportKind::Plot});
    EXPECT_TRUE(later.ok) << later.message;
    EXPECT_EQ(ReadBytes(path).at(0), '%');
}

TEST_F(PdfFaultTest, NotANumberInTheSamples)
{
    std::vector<double> trace = FixtureTrace(5, 720, 8);
    trace[0] = std::numeric_limits<double>::quiet_NaN();
    ASSERT_EQ(WriteTraceFile(dir.File("ang225.dat"), trace.data(), 720, 1), 1);
    op.AcceptRawData(dir.File("ang000.dat"), 8);
    OnFileNew(*doc, op);
    ASSERT_EQ(doc->m_bDataLoaded, 0);

    const std::string path = disk.File("report.pdf");
    const RenderResult r = WriteReportPdf(path, *doc, {ReportKind::Plot});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "There is no measurement to report");
    EXPECT_TRUE(disk.Entries().empty());

    // Nothing is drawn on the screen either: the page stays white.
    const QImage page = RenderReportImage(*doc, ReportKind::Plot, Display1920x1080());
    ASSERT_FALSE(page.isNull());
    for (int y = 0; y < page.height(); y += 3)
        for (int x = 0; x < page.width(); x += 3)
            ASSERT_EQ(page.pixel(x, y), 0xFFFFFFFFu) << x << "," << y;
}

}  // namespace
