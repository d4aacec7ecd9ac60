// The text report: every numeric result of the error separation on one page.
#pragma once

#include "DrawingSurface.h"
#include "ReportPage.h"

#include <string>

class CQuorvelwDoc;

// The six text areas, each composed whole.
struct TextReportAreas {
    std::string title;
    std::string subtitle;
    std::string upperLeft;   // angle error orders 1..25
    std::string upperRight;  // angle error orders 26..30, extremes, eccentricities
    std::string lowerLeft;   // part error orders 1..25
    std::string lowerRight;  // spindle error orders 1..25
};

TextReportAreas ComposeTextReport(const CQuorvelwDoc& doc);

// Also used by the plot report's header: "Data Collected on <date>\nGage: <gage>, Grating:<grating>".
std::string ComposeDateAndGageLines(const CQuorvelwDoc& doc);

extern const char* const REPORT_TITLE;

void DrawTextReport(DrawingSurface& dc, const ReportView& view, const CQuorvelwDoc& doc);
