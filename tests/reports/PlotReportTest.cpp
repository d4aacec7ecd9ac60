#include "DeviceDescription.h"
#include "PlotReport.h"
#include "RecordingSurface.h"
#include "ReportDocuments.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr Colour BLACK{0, 0, 0};
constexpr Colour RED{255, 0, 0};
constexpr Colour BLUE{0, 0, 255};
constexpr Colour NAVY{0, 0, 128};

struct Box {
    LPoint topLeft;
    LPoint bottomRight;
};

// One plot as it reached the surface: its curve's line-tos, its grid and centre lines.
struct DrawnPlot {
    std::vector<SurfaceCall> curve;
    std::vector<SurfaceCall> grid;
    std::vector<SurfaceCall> centre;
};

struct DrawnReport {
    std::vector<DrawnPlot> plots;
    std::vector<SurfaceCall> texts;
    std::vector<SurfaceCall> moves;
};

DrawnReport Draw(const DeviceDescription& device, const CQuorvelwDoc& doc, RecordingSurface* out = nullptr)
{
    RecordingSurface local(device);
    RecordingSurface& dc = out ? *out : local;
    DrawPlotReport(dc, {}, doc);
    DrawnReport r;
    for (const auto& c : dc.Calls()) {
        if (c.op == SurfaceOp::MoveTo)
            r.moves.push_back(c);
        if (c.op == SurfaceOp::DrawText)
            r.texts.push_back(c);
        if (c.op != SurfaceOp::LineTo)
            continue;
        if (c.pen.width == 50 && c.pen.colour != BLACK) {
            if (r.plots.empty() || !r.plots.back().grid.empty())
                r.plots.emplace_back();
            r.plots.back().curve.push_back(c);
        } else if (c.pen.width == 1) {
            r.plots.back().grid.push_back(c);
        } else {
            r.plots.back().centre.push_back(c);
        }
    }
    return r;
}

TEST(PlotReport, ThreeRuledBoxesWithHeavierCentreLines)
{
    const auto doc = CurveDocument(360);
    struct Case {
        const char* device;
        DeviceDescription description;
        int centreWidth;
    };
    for (const Case& c : {Case{"screen", Display1920x1080(), 50}, Case{"print", A4PrinterAt600Dpi(), 25}}) {
        SCOPED_TRACE(c.device);
        RecordingSurface dc(c.description);
        const DrawnReport r = Draw(c.description, *doc, &dc);
        ASSERT_EQ(r.plots.size(), 3u);
        const double halfHeight = 9.26 * dc.GetDeviceCaps(VERTSIZE);
        const int baselines[] = {4800, 12000, 19200};
        const Colour colours[] = {RED, BLUE, NAVY};
        for (int k = 0; k < 3; ++k) {
            SCOPED_TRACE(k);
            const DrawnPlot& plot = r.plots[k];
            EXPECT_EQ(plot.curve.front().pen.colour, colours[k]);
            ASSERT_EQ(plot.grid.size(), 11u + 37u);
            ASSERT_EQ(plot.centre.size(), 2u);
            // The box spans the curve from its first to its last sample.
            const int left = plot.curve.front().point.x;
            const int right = plot.curve.back().point.x;
            const int top = static_cast<int>(halfHeight - baselines[k]);
            const int bottom = static_cast<int>(-halfHeight - baselines[k]);
            EXPECT_EQ(plot.grid[0].from, (LPoint{left, top}));
            EXPECT_EQ(plot.grid[0].point.x, right);
            const int dx = (right - left) / 36;
            const int dy = (bottom - top) / 10;
            for (int i = 0; i <= 10; ++i) {
                EXPECT_EQ(plot.grid[i].from, (LPoint{left, top + i * dy}));
                EXPECT_EQ(plot.grid[i].point, (LPoint{right, top + i * dy}));
            }
            for (int j = 0; j <= 36; ++j) {
                EXPECT_EQ(plot.grid[11 + j].from, (LPoint{left + j * dx, top}));
                EXPECT_EQ(plot.grid[11 + j].point, (LPoint{left + j * dx, bottom}));
            }
            for (const auto& line : plot.grid)
                EXPECT_EQ(line.pen, (PenDescription{PS_SOLID, 1, BLACK}));
            // Zero line five divisions down, 18th of 36 columns.
            EXPECT_EQ(plot.centre[0].from, (LPoint{left, top + 5 * dy}));
            EXPECT_EQ(plot.centre[0].point, (LPoint{right, top + 5 * dy}));
            EXPECT_EQ(plot.centre[1].from, (LPoint{left + 18 * dx, top}));
            EXPECT_EQ(plot.centre[1].point, (LPoint{left + 18 * dx, bottom}));
            for (const auto& line : plot.centre)
                EXPECT_EQ(line.pen, (PenDescription{PS_SOLID, c.centreWidth, BLACK}));
        }
        // Pens and fonts are all released, the surface has its own pen back.
        EXPECT_EQ(dc.LivePens(), 1u);
        EXPECT_EQ(dc.LiveFonts(), 1u);
        EXPECT_EQ(dc.SelectedPen(), STOCK_PEN);
        EXPECT_EQ(dc.CallsOf(SurfaceOp::CreatePen).size(), 4u + 3u);
    }
}

TEST(PlotReport, ScreenBoxesAtTheirNominalPlace)
{
    // 1920 x 1080 at 96 dpi: VERTSIZE 286 mm, so the half height is 2648.36 units; the curve
    // runs from pixel 192 (5080 units) to pixel 1723 (45588 units) for 360 samples.
    const auto r = Draw(Display1920x1080(), *CurveDocument(360));
    ASSERT_EQ(r.plots.size(), 3u);
    const Box expected[] = {{{5080, -2151}, {45588, -7448}},
                            {{5080, -9351}, {45588, -14648}},
                            {{5080, -16551}, {45588, -21848}}};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(r.plots[k].grid[0].from, expected[k].topLeft);
        EXPECT_EQ(r.plots[k].grid[11].point.y, expected[k].bottomRight.y);
        EXPECT_EQ(r.plots[k].grid[0].point.x, expected[k].bottomRight.x);
    }
}

TEST(PlotReport, CurveHasOnePointPerSampleAndItsLargerExtremeTouchesTheBox)
{
    for (const int n : {360, 7200, 1}) {
        SCOPED_TRACE(n);
        const auto doc = CurveDocument(n);
        const auto r = Draw(Display1920x1080(), *doc);
        ASSERT_EQ(r.plots.size(), n == 1 ? 3u : 3u);
        for (int k = 0; k < 3; ++k) {
            const DrawnPlot& plot = r.plots[k];
            ASSERT_EQ(plot.curve.size(), static_cast<size_t>(n));
            // The move to sample 0 comes right before the curve, and the first line-to goes there too.
            EXPECT_EQ(plot.curve[0].from, plot.curve[0].point);
            for (size_t i = 1; i < plot.curve.size(); ++i)
                ASSERT_LE(plot.curve[i - 1].point.x, plot.curve[i].point.x);
            if (n == 1) {
                // A single point: the box collapses to a vertical line.
                EXPECT_EQ(plot.grid[0].from.x, plot.grid[0].point.x);
                continue;
            }
            const int top = plot.grid[0].from.y;
            const int bottom = plot.grid[11].point.y;
            int highest = plot.curve[0].point.y;
            int lowest = highest;
            for (const auto& c : plot.curve) {
                highest = std::max(highest, c.point.y);
                lowest = std::min(lowest, c.point.y);
            }
            if (k == 1) {  // part error: |min| > |max|, the scale comes from the minimum
                EXPECT_EQ(lowest, bottom);
                EXPECT_GT(highest, (top + bottom) / 2);
                EXPECT_LT(highest, top);
            } else {
                EXPECT_EQ(highest, top);
                EXPECT_GE(lowest, bottom);
            }
        }
    }
}

TEST(PlotReport, CaptionsGiveTheirExtremesAndTheValueOfADivision)
{
    const auto doc = CurveDocument(360);
    const auto r = Draw(Display1920x1080(), *doc);
    ASSERT_EQ(r.texts.size(), 5u);
    EXPECT_EQ(r.texts[2].text, "angle error (arcsec): max=  1.03, min= -0.62, p-p=  1.65 (0.206265 arcsec/div)");
    EXPECT_EQ(r.texts[3].text, "part error (uin): max=  4.00, min=-10.00, p-p= 14.00 (2.000000 uin/div)");
    EXPECT_EQ(r.texts[4].text, "spindle error (uin): max=  2.00, min= -2.00, p-p=  4.00 (0.400000 uin/div)");
    // Each caption is centred in a 5 mm band right above its box.
    for (int k = 0; k < 3; ++k) {
        const int top = r.plots[k].grid[0].from.y;
        EXPECT_EQ(r.texts[2 + k].rect, (LRect{0, top + 500, 50800, top}));
        EXPECT_EQ(r.texts[2 + k].flags, DT_CENTER | DT_VCENTER);
    }
}

FontDescription Face(int height, int width, int weight)
{
    FontDescription f;
    f.height = height;
    f.width = width;
    f.weight = weight;
    f.faceName = "Courier New Bold";
    return f;
}

TEST(PlotReport, BlueTitleAndHeaderWithScreenOrPrintFonts)
{
    const auto doc = CurveDocument(360);
    struct Case {
        const char* device;
        DeviceDescription description;
        int width, height;
        FontDescription title, text;
    };
    for (const Case& c : {Case{"screen", Display1920x1080(), 50800, 28575, Face(600, 300, 900), Face(500, 300, 400)},
                          Case{"print", A4PrinterAt600Dpi(), 20000, 28700, Face(500, 280, 900), Face(350, 180, 400)}}) {
        SCOPED_TRACE(c.device);
        const auto r = Draw(c.description, *doc);
        ASSERT_EQ(r.texts.size(), 5u);
        EXPECT_EQ(r.texts[0].text, "Pellmoor Corporation Quorvel Program");
        EXPECT_EQ(r.texts[0].colour, BLUE);
        EXPECT_EQ(r.texts[0].font, c.title);
        EXPECT_EQ(r.texts[0].rect,
                  (LRect{0, static_cast<int>(0.06 * c.height), c.width, static_cast<int>(0.04 * c.height)}));
        EXPECT_EQ(r.texts[1].text,
                  "Data Collected on Tue Mar 05 14:07:09 2024\nGage: Gage 7, probe 2, Grating:RG-114");
        EXPECT_EQ(r.texts[1].rect, (LRect{0, static_cast<int>(0.04 * c.height), c.width, 0}));
        for (size_t i = 1; i < r.texts.size(); ++i) {
            EXPECT_EQ(r.texts[i].colour, BLACK);
            EXPECT_EQ(r.texts[i].font, c.text);
        }
    }
}

TEST(PlotReport, FlatPlotDrawsItsZeroLineAndCaption)
{
    auto doc = CurveDocument(360);
    std::fill(doc->m_spindleErr, doc->m_spindleErr + 360, 0.0);
    doc->m_spindleMax = 0.0;
    doc->m_spindleMin = 0.0;
    const auto r = Draw(Display1920x1080(), *doc);
    ASSERT_EQ(r.plots.size(), 3u);
    ASSERT_EQ(r.plots[2].curve.size(), 360u);
    for (const auto& c : r.plots[2].curve)
        ASSERT_EQ(c.point.y, -19200);
    EXPECT_EQ(r.texts.back().text,
              "spindle error (uin): max=  0.00, min=  0.00, p-p=  0.00 (0.000000 uin/div)");
}

TEST(PlotReport, LongGageTextIsNotCut)
{
    auto doc = CurveDocument(360);
    doc->m_strGageInfo = std::string(300, 'g');
    const auto r = Draw(Display1920x1080(), *doc);
    EXPECT_EQ(r.texts[1].text, "Data Collected on Tue Mar 05 14:07:09 2024\nGage: " +
                                   std::string(300, 'g') + ", Grating:RG-114");
}

TEST(DrawGrid, DivisionsTruncateSoTheLastLinesMayFallShort)
{
    RecordingSurface dc(Display1920x1080());
    DrawGrid(dc, {0, 0}, {359 + 35, -109});
    const auto lines = dc.CallsOf(SurfaceOp::LineTo);
    ASSERT_EQ(lines.size(), 50u);
    EXPECT_EQ(lines[10].point.y, -100);  // dy = -10, 9 short of -109
    EXPECT_EQ(lines[47].point.x, 360);   // dx = 10, 34 short of 394
    EXPECT_EQ(lines[48].pen.width, 50);
}

}  // namespace
