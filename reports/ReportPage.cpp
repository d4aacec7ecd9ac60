#include "ReportPage.h"

namespace {

constexpr int TOP_MARGIN = 2500;  // 25 mm, logical units

void DrawTextBlock(DrawingSurface& dc, const LRect& rect, std::string_view text, FontHandle font,
                   unsigned flags)
{
    const FontHandle previous = dc.SelectFont(font);
    dc.DrawText(text, rect, flags);
    if (previous)
        dc.SelectFont(previous);
}

}  // namespace

ReportPage SetUpReportPage(DrawingSurface& dc, const ReportView& view)
{
    dc.SetWindowOrg({0, 0});
    dc.SetMapMode(MM_HIMETRIC);
    ReportPage page;
    page.extent = dc.GetViewportExt();
    const LSize logical = dc.SizeToLogical({page.extent.cx, -page.extent.cy});
    page.width = logical.cx;
    page.height = logical.cy;
    const int topMargin = dc.SizeToDevice({0, TOP_MARGIN}).cy;
    page.printing = dc.IsPrinting();
    if (page.printing)
        dc.SetViewportOrg({0, topMargin});
    else
        dc.SetViewportOrg({-view.scrollX, -view.scrollY - page.extent.cy / 8});
    return page;
}

void DrawCenteredText(DrawingSurface& dc, const LRect& rect, std::string_view text, FontHandle font)
{
    DrawTextBlock(dc, rect, text, font, DT_CENTER | DT_VCENTER);
}

void DrawLeftAlignedText(DrawingSurface& dc, const LRect& rect, std::string_view text, FontHandle font)
{
    DrawTextBlock(dc, rect, text, font, DT_VCENTER);
}

FontDescription ReportFont(int height, int width, int weight)
{
    FontDescription f;
    f.height = height;
    f.width = width;
    f.weight = weight;
    f.faceName = "Courier New Bold";
    return f;
}
