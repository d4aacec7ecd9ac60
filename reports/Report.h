// Which report a view shows, and drawing it: the one place that decides, for the window,
// the printer, the preview and PDF files alike.
#pragma once

#include "DrawingSurface.h"
#include "ReportPage.h"

class CQuorvelwDoc;

enum class ReportKind { Plot, Text };

// m_nReportMode 1 is the text report; 0 and every other value the plot report.
ReportKind ReportKindOf(const CQuorvelwDoc& doc);

// Draws nothing unless the document holds results that may be shown (m_bDataLoaded).
void DrawReport(DrawingSurface& dc, const ReportView& view, const CQuorvelwDoc& doc, ReportKind kind);
