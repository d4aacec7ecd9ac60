// The plot report: angle, part and spindle error curves, each in a ruled box under a caption.
#pragma once

#include "DrawingSurface.h"
#include "ReportPage.h"

#include <array>
#include <string>

class CQuorvelwDoc;

// The captions over the three boxes, top to bottom: angle, part, spindle error, each with its
// maximum, minimum, peak-to-peak and per-division value.
std::array<std::string, 3> ComposePlotCaptions(const CQuorvelwDoc& doc);

void DrawPlotReport(DrawingSurface& dc, const ReportView& view, const CQuorvelwDoc& doc);

// Rules the box from p (top-left) to q (bottom-right) into 10 x 36 divisions with the selected
// pen, then draws the centre lines with a heavier black pen (0.25 mm printing, 0.5 mm on
// screen). The divisions truncate, so the last lines may fall short of q.
void DrawGrid(DrawingSurface& dc, LPoint p, LPoint q);
