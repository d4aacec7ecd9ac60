#include "PlotReport.h"

#include "FormatText.h"
#include "QuorvelwDoc.h"
#include "TextReport.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr Colour BLACK{0, 0, 0};
constexpr Colour RED{255, 0, 0};
constexpr Colour NAVY{0, 0, 128};
constexpr Colour BLUE{0, 0, 255};

constexpr int CURVE_PEN_WIDTH = 50;  // 0.5 mm
constexpr int GRID_PEN_WIDTH = 1;
constexpr int CAPTION_BAND = 500;    // 5 mm above each box

// Half height of a box per mm of the device's physical height, logical units: each box is
// 18.52 % of the device tall.
constexpr double HALF_BOX_PER_MM = 9.26;

struct Plot {
    const double* table;
    double max;
    double min;
    int baseline;  // zero line below the report origin, logical units
    PenHandle pen;
};

struct CaptionSpec {
    const char* format;
    double valueFactor;     // table unit -> caption unit
    double divisionFactor;  // valueFactor / 5: a division is a fifth of the half range
};

const CaptionSpec CAPTIONS[3] = {
    {"angle error (arcsec): max=%6.2f, min=%6.2f, p-p=%6.2f (%f arcsec/div)", 206264.80671915034,
     41252.96134383007},
    {"part error (uin): max=%6.2f, min=%6.2f, p-p=%6.2f (%f uin/div)", 1000000.0, 200000.0},
    {"spindle error (uin): max=%6.2f, min=%6.2f, p-p=%6.2f (%f uin/div)", 1000000.0, 200000.0},
};

std::string Caption(const CaptionSpec& spec, double max, double min)
{
    const double m = std::max(std::fabs(max), std::fabs(min));
    return FormatText(spec.format, max * spec.valueFactor, min * spec.valueFactor,
                      (max - min) * spec.valueFactor, m * spec.divisionFactor);
}

// Truncates toward zero like the conversion itself; only values no int can hold (a table
// value far outside its extremes) are held at the int range.
int Trunc(double v)
{
    if (std::isnan(v))
        return 0;
    return static_cast<int>(std::clamp(v, static_cast<double>(std::numeric_limits<int>::min()),
                                       static_cast<double>(std::numeric_limits<int>::max())));
}

int CurveY(double value, double m, double halfHeight, int baseline)
{
    // A plot whose extremes are both 0 has no scale: its curve is the zero line.
    if (m == 0.0)
        return -baseline;
    return Trunc(value / m * halfHeight - baseline);
}

}  // namespace

std::array<std::string, 3> ComposePlotCaptions(const CQuorvelwDoc& doc)
{
    return {Caption(CAPTIONS[0], doc.m_angleMax, doc.m_angleMin),
            Caption(CAPTIONS[1], doc.m_partMax, doc.m_partMin),
            Caption(CAPTIONS[2], doc.m_spindleMax, doc.m_spindleMin)};
}

void DrawGrid(DrawingSurface& dc, LPoint p, LPoint q)
{
    const int dx = (q.x - p.x) / 36;
    const int dy = (q.y - p.y) / 10;
    for (int i = 0; i <= 10; ++i) {
        dc.MoveTo({p.x, p.y + i * dy});
        dc.LineTo({q.x, p.y + i * dy});
    }
    for (int j = 0; j <= 36; ++j) {
        dc.MoveTo({p.x + j * dx, p.y});
        dc.LineTo({p.x + j * dx, q.y});
    }
    const PenHandle centrePen = dc.CreatePen({PS_SOLID, dc.IsPrinting() ? 25 : 50, BLACK});
    const PenHandle previous = dc.SelectPen(centrePen);
    dc.MoveTo({p.x, p.y + 5 * dy});
    dc.LineTo({q.x, p.y + 5 * dy});
    dc.MoveTo({p.x + 18 * dx, p.y});
    dc.LineTo({p.x + 18 * dx, q.y});
    if (previous)
        dc.SelectPen(previous);
    dc.DeletePen(centrePen);
}

void DrawPlotReport(DrawingSurface& dc, const ReportView& view, const CQuorvelwDoc& doc)
{
    const FontHandle screenTitleFont = dc.CreateFont(ReportFont(600, 300, FW_HEAVY));
    const FontHandle printTitleFont = dc.CreateFont(ReportFont(500, 280, FW_HEAVY));
    const FontHandle screenTextFont = dc.CreateFont(ReportFont(500, 300, FW_NORMAL));
    const FontHandle printTextFont = dc.CreateFont(ReportFont(350, 180, FW_NORMAL));

    const ReportPage page = SetUpReportPage(dc, view);
    const int W = page.width;
    const int H = page.height;
    const int vertSizeMm = dc.GetDeviceCaps(VERTSIZE);

    const PenHandle anglePen = dc.CreatePen({PS_SOLID, CURVE_PEN_WIDTH, RED});
    const PenHandle spindlePen = dc.CreatePen({PS_SOLID, CURVE_PEN_WIDTH, NAVY});
    const PenHandle partPen = dc.CreatePen({PS_SOLID, CURVE_PEN_WIDTH, BLUE});
    const PenHandle gridPen = dc.CreatePen({PS_SOLID, GRID_PEN_WIDTH, BLACK});

    const FontHandle titleFont = page.printing ? printTitleFont : screenTitleFont;
    const FontHandle textFont = page.printing ? printTextFont : screenTextFont;

    const Colour previousColour = dc.SetTextColour(BLUE);
    DrawCenteredText(dc, {0, static_cast<int>(0.06 * H), W, static_cast<int>(0.04 * H)},
                     REPORT_TITLE, titleFont);
    dc.SetTextColour(previousColour);

    DrawCenteredText(dc, {0, static_cast<int>(0.04 * H), W, 0}, ComposeDateAndGageLines(doc),
                     textFont);

    const double halfHeight = HALF_BOX_PER_MM * vertSizeMm;

    const Plot plots[] = {
        {doc.m_angleErr, doc.m_angleMax, doc.m_angleMin, 4800, anglePen},
        {doc.m_partErr, doc.m_partMax, doc.m_partMin, 12000, partPen},
        {doc.m_spindleErr, doc.m_spindleMax, doc.m_spindleMin, 19200, spindlePen},
    };
    const std::array<std::string, 3> captions = ComposePlotCaptions(doc);

    // The document never holds more than MAX_POINTS; the bound keeps a bad one from reading
    // past the tables.
    const int n = std::clamp(doc.m_nPoints, 0, MAX_POINTS);
    const double extentX = page.extent.cx;
    const auto sampleX = [&](int i) {
        const int column = static_cast<int>(i * extentX * 0.8 / n + extentX * 0.1);
        return dc.PointToLogical({column, 0}).x;
    };

    PenHandle previousPen{};
    bool first = true;
    for (std::size_t k = 0; k < 3; ++k) {
        const Plot& plot = plots[k];
        const double m = std::max(std::fabs(plot.max), std::fabs(plot.min));
        const PenHandle before = dc.SelectPen(plot.pen);
        if (first)
            previousPen = before;
        first = false;

        const int top = Trunc(halfHeight - plot.baseline);
        const int bottom = Trunc(-halfHeight - plot.baseline);
        if (n > 0) {
            const int left = sampleX(0);
            dc.MoveTo({left, CurveY(plot.table[0], m, halfHeight, plot.baseline)});
            int right = left;
            for (int i = 0; i < n; ++i) {
                const int x = i == 0 ? left : sampleX(i);
                dc.LineTo({x, CurveY(plot.table[i], m, halfHeight, plot.baseline)});
                right = x;
            }
            dc.SelectPen(gridPen);
            DrawGrid(dc, {left, top}, {right, bottom});
        }

        DrawCenteredText(dc, {0, top + CAPTION_BAND, W, top}, captions[k], textFont);
    }

    if (previousPen)
        dc.SelectPen(previousPen);
    dc.DeletePen(anglePen);
    dc.DeletePen(spindlePen);
    dc.DeletePen(partPen);
    dc.DeletePen(gridPen);
    dc.DeleteFont(screenTitleFont);
    dc.DeleteFont(printTitleFont);
    dc.DeleteFont(screenTextFont);
    dc.DeleteFont(printTextFont);
}
