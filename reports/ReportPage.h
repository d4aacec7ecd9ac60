// The page both reports draw in, and the two text-block operations they put text with.
//
// After SetUpReportPage: 1 logical unit = 0.01 mm, x right, y up; x = 0 is the left edge of
// the attribute device's area and x = width its right edge; y = 0 is the top of the report
// body. Titles and header lines lie above it (positive y), the body below (negative y).
#pragma once

#include "DrawingSurface.h"

#include <string_view>

// What the reports need of the window that shows them: its scroll position in device pixels.
// Ignored when printing. There is no horizontal scrolling, so scrollX stays 0 in the view.
struct ReportView {
    int scrollX = 0;
    int scrollY = 0;
};

struct ReportPage {
    int width = 0;    // W, logical units
    int height = 0;   // H, logical units
    LSize extent;     // attribute side's viewport extent, pixels: (width, minus height)
    bool printing = false;
};

// On screen the origin lies one eighth of the whole display's height below the top of the
// scrolled content; printing (print and preview alike) puts it 25 mm below the top of the
// printable area.
ReportPage SetUpReportPage(DrawingSurface& dc, const ReportView& view);

// Select the font, draw the whole text with flags DT_CENTER | DT_VCENTER (centred) or
// DT_VCENTER (left-aligned), select the previous font back.
void DrawCenteredText(DrawingSurface& dc, const LRect& rect, std::string_view text, FontHandle font);
void DrawLeftAlignedText(DrawingSurface& dc, const LRect& rect, std::string_view text, FontHandle font);

// Every report font: face "Courier New Bold", everything but the sizes and weight 0.
FontDescription ReportFont(int height, int width, int weight);
