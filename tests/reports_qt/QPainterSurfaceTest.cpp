#include "DeviceDescription.h"
#include "PlotReport.h"
#include "QPainterSurface.h"
#include "RecordingSurface.h"
#include "ReportDocuments.h"
#include "ReportPage.h"
#include "ReportRendering.h"
#include "TextReport.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

struct PixelBox {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    int count = 0;
    void Add(int x, int y)
    {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
        ++count;
    }
};

template <typename Pred>
PixelBox Find(const QImage& image, const QRect& area, Pred pred)
{
    PixelBox box;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (pred(QColor(image.pixel(x, y))))
                box.Add(x, y);
    return box;
}

bool IsRed(const QColor& c) { return c.red() > 200 && c.green() < 80 && c.blue() < 80; }
bool IsInk(const QColor& c) { return c.lightness() < 128; }
bool IsWhite(const QColor& c) { return c == Qt::white; }

// Screen page, scroll 0: the report origin is 135 pixels down; 50800 x 28575 units.
QPointF ScreenPixel(LPoint p) { return {p.x * 1920.0 / 50800.0, 135 - p.y * 1080.0 / 28575.0}; }

TEST(QPainterSurface, PlotIsDrawnWithTheAngleCurveInsideTheFirstBox)
{
    const auto doc = CurveDocument(7200);
    const QImage image = RenderReportImage(*doc, ReportKind::Plot, Display1920x1080());
    ASSERT_EQ(image.size(), QSize(1920, 1080));

    RecordingSurface recorder(Display1920x1080());
    DrawPlotReport(recorder, {}, *doc);
    std::vector<SurfaceCall> grid;
    for (const auto& c : recorder.CallsOf(SurfaceOp::LineTo))
        if (c.pen.width == 1)
            grid.push_back(c);
    ASSERT_GE(grid.size(), 12u);
    const QPointF topLeft = ScreenPixel(grid[0].from);
    const QPointF bottomRight = ScreenPixel({grid[0].point.x, grid[11].point.y});

    const PixelBox ink = Find(image, image.rect(), IsInk);
    EXPECT_GT(ink.count, 20000);
    const PixelBox red = Find(image, image.rect(), IsRed);
    ASSERT_GT(red.count, 2000);
    // The curve pen is 2 pixels wide: it may stand out of the box by a pixel.
    EXPECT_GE(red.left, topLeft.x() - 2);
    EXPECT_LE(red.right, bottomRight.x() + 2);
    EXPECT_GE(red.top, topLeft.y() - 2);
    EXPECT_LE(red.bottom, bottomRight.y() + 2);
    // Its maximum reaches the top of the box, and it spans the box's width.
    EXPECT_LE(red.top, topLeft.y() + 1.5);
    EXPECT_LE(red.left, topLeft.x() + 1.5);
    EXPECT_GE(red.right, bottomRight.x() - 1.5);
    // The blue title lies above the origin, the part curve (blue too) below the first box.
    const PixelBox blueTitle = Find(image, QRect(0, 0, 1920, 135), [](const QColor& c) {
        return c.blue() > 200 && c.red() < 80 && c.green() < 80;
    });
    EXPECT_GT(blueTitle.count, 500);
}

TEST(QPainterSurface, TextReportIsInAFixedPitchFaceOfTheRequestedSize)
{
    QImage image(1920, 1080, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QPainterSurface dc(painter, Display1920x1080());
    SetUpReportPage(dc, {});
    // The screen body font of the text report: 451 x 383 units, weight 900.
    const FontHandle body = dc.CreateFont(ReportFont(451, 383, FW_HEAVY));
    const QFont font = dc.RealizedFont(body);
    const QFontInfo info(font);
    EXPECT_TRUE(info.fixedPitch()) << info.family().toStdString();
    if (QFontDatabase::families().contains(QStringLiteral("Liberation Mono"))) {
        EXPECT_EQ(info.family(), QStringLiteral("Liberation Mono"));
    }
    EXPECT_GE(info.weight(), QFont::Bold);
    const QFontMetricsF metrics(font);
    EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(QStringLiteral("iiii")),
                     metrics.horizontalAdvance(QStringLiteral("WWWW")));
    // 451 units are 17.05 pixels: a 17-pixel cell; 383 units are 14.5 pixels a character.
    EXPECT_EQ(dc.CellHeight(body), 17.0);
    EXPECT_NEAR(metrics.height(), 17.0, 1.0);
    EXPECT_NEAR(metrics.horizontalAdvance(QStringLiteral("0123456789")) / 10, 383 * 1920.0 / 50800, 0.6);

    // A print font at 600 dpi: 358 units are 84.5 pixels.
    QPainterSurface printer(painter, A4PrinterAt600Dpi());
    SetUpReportPage(printer, {});
    const FontHandle printBody = printer.CreateFont(ReportFont(358, 214, FW_NORMAL));
    EXPECT_TRUE(QFontInfo(printer.RealizedFont(printBody)).fixedPitch());
    EXPECT_EQ(printer.CellHeight(printBody), 85.0);
    painter.end();
}

// A block of text in MM_TEXT-free conditions: logical units mapped on the 1920 x 1080 screen.
class TextBlock : public ::testing::Test {
protected:
    void SetUp() override
    {
        image = QImage(1920, 1080, QImage::Format_RGB32);
        image.fill(QColor(128, 128, 128));
    }

    // Draws the text in a rectangle, returns the rectangle in pixels.
    QRect Draw(const std::string& text, unsigned flags, int lines)
    {
        QPainter painter(&image);
        QPainterSurface dc(painter, Display1920x1080());
        SetUpReportPage(dc, {});
        const FontHandle font = dc.CreateFont(ReportFont(451, 383, FW_HEAVY));
        cell = dc.CellHeight(font);
        // 17 pixels per line: lines * 17 pixels high, starting 10 pixels below the origin.
        const int top = -378;  // 10 pixels
        const int height = static_cast<int>(std::lround(lines * cell * 28575.0 / 1080.0));
        const LRect rect{5080, top, 15240, top - height};  // pixels 192 to 576
        if (flags & DT_CENTER)
            DrawCenteredText(dc, rect, text, font);
        else
            DrawLeftAlignedText(dc, rect, text, font);
        dc.DeleteFont(font);
        const QPointF a = ScreenPixel({rect.left, rect.top});
        const QPointF b = ScreenPixel({rect.right, rect.bottom});
        return QRect(QPoint(std::lround(a.x()), std::lround(a.y())),
                     QPoint(std::lround(b.x()) - 1, std::lround(b.y()) - 1));
    }

    QImage image;
    double cell = 0;
};

TEST_F(TextBlock, LinesStartAtTheTopAndWhatDoesNotFitIsClipped)
{
    const QRect r = Draw("AAAA\nBBBB\nCCCC", DT_VCENTER, 2);
    // Nothing outside the rectangle: the third line is cut off.
    const PixelBox outside = Find(image, image.rect(), [&](const QColor& c) { return c != QColor(128, 128, 128); });
    EXPECT_GE(outside.left, r.left());
    EXPECT_LE(outside.right, r.right());
    EXPECT_GE(outside.top, r.top());
    EXPECT_LE(outside.bottom, r.bottom());
    // Ink in both lines' bands; opaque white behind the text, starting at the left edge.
    const int c = static_cast<int>(cell);
    EXPECT_GT(Find(image, QRect(r.left(), r.top(), r.width(), c), IsInk).count, 50);
    EXPECT_GT(Find(image, QRect(r.left(), r.top() + c, r.width(), c), IsInk).count, 50);
    const PixelBox white = Find(image, r, IsWhite);
    EXPECT_EQ(white.left, r.left());
    EXPECT_EQ(white.top, r.top());
    EXPECT_LT(white.right, r.left() + r.width() / 2);  // four characters, not the whole width
}

TEST_F(TextBlock, CentredLinesAreCentredAndAWideLineIsClippedAtBothSides)
{
    const QRect r = Draw("WW\n" + std::string(60, 'M'), DT_CENTER | DT_VCENTER, 3);
    const int c = static_cast<int>(cell);
    const PixelBox first = Find(image, QRect(r.left(), r.top(), r.width(), c), IsInk);
    ASSERT_GT(first.count, 0);
    EXPECT_NEAR((first.left + first.right) / 2.0, (r.left() + r.right()) / 2.0, 3.0);
    const PixelBox wide = Find(image, QRect(0, r.top() + c, 1920, c), IsInk);
    EXPECT_LE(wide.left, r.left() + 2);
    EXPECT_GE(wide.right, r.right() - 2);
    EXPECT_GE(wide.left, r.left());
    EXPECT_LE(wide.right, r.right());
}

TEST(QPainterSurface, PensInLogicalWidths)
{
    // 50 units: 2 pixels on the screen; 1 unit: a one-pixel hairline.
    QImage image(1920, 1080, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QPainterSurface dc(painter, Display1920x1080());
        SetUpReportPage(dc, {});
        const PenHandle thick = dc.CreatePen({PS_SOLID, 50, {255, 0, 0}});
        const PenHandle hair = dc.CreatePen({PS_SOLID, 1, {0, 0, 0}});
        const PenHandle before = dc.SelectPen(thick);
        dc.MoveTo({2646, -2646});   // pixel (100, 235)
        dc.LineTo({26458, -2646});  // pixel (1000, 235)
        dc.MoveTo({26458, -7938});  // pixel (1000, 435)
        dc.LineTo({26458, -7938});  // a curve of one sample: the pen's dot
        dc.SelectPen(hair);
        dc.MoveTo({2646, -5292});
        dc.LineTo({26458, -5292});  // pixel row 335
        dc.SelectPen(before);
        dc.DeletePen(thick);
        dc.DeletePen(hair);
    }
    EXPECT_EQ(Find(image, QRect(500, 200, 1, 70), IsRed).count, 2);
    EXPECT_EQ(Find(image, QRect(500, 300, 1, 70), IsInk).count, 1);
    const PixelBox dot = Find(image, QRect(990, 425, 20, 20), IsRed);
    EXPECT_GE(dot.count, 1);
    EXPECT_LE(dot.count, 9);
}

}  // namespace
