#include "DeviceDescription.h"
#include "MappedSurface.h"
#include "RecordingSurface.h"
#include "Report.h"
#include "ReportDocuments.h"
#include "ReportPage.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(ReportPage, ScreenPageIsTheWholeDisplayWithAnEighthAbove)
{
    RecordingSurface dc(Display1920x1080());
    const ReportPage page = SetUpReportPage(dc, {0, 0});
    EXPECT_EQ(page.width, 50800);
    EXPECT_EQ(page.height, 28575);
    EXPECT_EQ(page.extent, (LSize{1920, -1080}));
    EXPECT_FALSE(page.printing);
    const auto origins = dc.CallsOf(SurfaceOp::SetViewportOrg);
    ASSERT_EQ(origins.size(), 1u);
    EXPECT_EQ(origins[0].point, (LPoint{0, 135}));
    // Logical y 0 is 135 pixels down; the display's top is 1/8 of H above it.
    EXPECT_EQ(dc.PointToLogical({0, 0}), (LPoint{0, 3572}));
    EXPECT_EQ(dc.PointToLogical({1920, 135}), (LPoint{50800, 0}));
}

TEST(ReportPage, ScrollingMovesTheReportUp)
{
    RecordingSurface dc(Display1920x1080());
    SetUpReportPage(dc, {0, 200});
    EXPECT_EQ(dc.CallsOf(SurfaceOp::SetViewportOrg)[0].point, (LPoint{0, -65}));
}

TEST(ReportPage, PrintPutsTheBody25mmBelowThePrintableTopWhateverTheScroll)
{
    for (const DeviceDescription& printer : {A4PrinterAt600Dpi(), LetterPrinterAt600Dpi()}) {
        RecordingSurface dc(printer);
        const ReportPage page = SetUpReportPage(dc, {0, 500});
        EXPECT_TRUE(page.printing);
        EXPECT_EQ(page.width, static_cast<int>(std::lround(printer.widthMm * 100)));
        EXPECT_EQ(page.height, static_cast<int>(std::lround(printer.heightMm * 100)));
        const LPoint origin = dc.CallsOf(SurfaceOp::SetViewportOrg)[0].point;
        EXPECT_EQ(origin.x, 0);
        // 25 mm at 600 dpi, rounded.
        EXPECT_NEAR(origin.y, 25 / 25.4 * 600, 0.5 + 1e-9);
        EXPECT_EQ(dc.PointToLogical({0, origin.y}).y, 0);
    }
}

TEST(ReportPage, SetUpOrderAndMapping)
{
    RecordingSurface dc(A4PrinterAt600Dpi());
    SetUpReportPage(dc, {});
    std::vector<SurfaceOp> ops;
    for (const auto& c : dc.Calls())
        ops.push_back(c.op);
    const std::vector<SurfaceOp> expected = {
        SurfaceOp::SetWindowOrg, SurfaceOp::SetMapMode,   SurfaceOp::GetViewportExt,
        SurfaceOp::SizeToLogical, SurfaceOp::SizeToDevice, SurfaceOp::IsPrinting,
        SurfaceOp::SetViewportOrg};
    EXPECT_EQ(ops, expected);
    EXPECT_EQ(dc.Calls()[1].value, MM_HIMETRIC);
    EXPECT_EQ(dc.Calls()[4].size, (LSize{0, 2500}));
}

TEST(MappedSurface, ConversionsRoundToNearest)
{
    EXPECT_EQ(MulDivRound(1, 3, 2), 2);
    EXPECT_EQ(MulDivRound(-1, 3, 2), -2);
    EXPECT_EQ(MulDivRound(10, 1, 3), 3);
    EXPECT_EQ(MulDivRound(5, 7, 0), 0);

    RecordingSurface dc(Display1920x1080());
    // Before a mapping mode is set, logical units are pixels.
    EXPECT_EQ(dc.GetViewportExt(), (LSize{1, 1}));
    EXPECT_EQ(dc.SizeToLogical({7, 9}), (LSize{7, 9}));
    dc.SetMapMode(MM_HIMETRIC);
    EXPECT_EQ(dc.GetWindowExt(), (LSize{50800, 28575}));
    // One pixel is 26.458 units; 50 units are 1.89 pixels.
    EXPECT_EQ(dc.SizeToLogical({1, 1}), (LSize{26, 26}));
    EXPECT_EQ(dc.SizeToDevice({50, 50}), (LSize{2, 2}));
    EXPECT_EQ(dc.SizeToDevice({-50, 13}), (LSize{-2, 0}));
    // Points: full transform with y up.
    dc.SetViewportOrg({10, 100});
    dc.SetWindowOrg({1000, 0});
    EXPECT_EQ(dc.PointToLogical({10, 100}), (LPoint{1000, 0}));
    EXPECT_EQ(dc.PointToLogical({11, 99}), (LPoint{1026, 26}));
    EXPECT_EQ(dc.GetDeviceCaps(VERTSIZE), 286);
    EXPECT_EQ(dc.GetDeviceCaps(HORZSIZE), 508);
    EXPECT_EQ(dc.GetDeviceCaps(99), 0);
}

TEST(RecordingSurface, ObjectsSelectBackAndCannotBeDeletedWhileSelected)
{
    RecordingSurface dc(Display1920x1080());
    const PenHandle pen = dc.CreatePen({PS_SOLID, 50, {255, 0, 0}});
    EXPECT_EQ(dc.SelectPen(pen), STOCK_PEN);
    EXPECT_FALSE(dc.DeletePen(pen));
    EXPECT_EQ(dc.SelectPen(STOCK_PEN), pen);
    EXPECT_TRUE(dc.DeletePen(pen));
    EXPECT_FALSE(dc.DeletePen(pen));
    EXPECT_FALSE(dc.DeletePen(STOCK_PEN));
    EXPECT_EQ(dc.SelectPen(pen), PenHandle{});  // deleted: nothing changes
    EXPECT_EQ(dc.SelectedPen(), STOCK_PEN);
    EXPECT_EQ(dc.SetTextColour({0, 0, 255}), (Colour{0, 0, 0}));
    EXPECT_EQ(dc.SetTextColour({0, 0, 0}), (Colour{0, 0, 255}));
}

TEST(Report, DrawsOnlyALoadedDocumentAndPicksTheKindByReportMode)
{
    auto doc = SmallDocument();
    struct Case {
        int loaded;
        int mode;
        int expectedTexts;  // text report 6 areas, plot report 5 (title, header, 3 captions)
    };
    for (const Case c : {Case{0, 1, 0}, Case{0, 0, 0}, Case{1, 1, 6}, Case{1, 0, 5}, Case{1, 2, 5},
                         Case{1, -1, 5}}) {
        doc->m_bDataLoaded = c.loaded;
        doc->m_nReportMode = c.mode;
        RecordingSurface dc(Display1920x1080());
        DrawReport(dc, {}, *doc, ReportKindOf(*doc));
        EXPECT_EQ(dc.CallsOf(SurfaceOp::DrawText).size(), static_cast<size_t>(c.expectedTexts))
            << "loaded " << c.loaded << " mode " << c.mode;
        if (c.loaded == 0) {
            EXPECT_TRUE(dc.Calls().empty());
        }
    }
}

}  // namespace
