#include "Report.h"

#include "PlotReport.h"
#include "QuorvelwDoc.h"
#include "TextReport.h"

ReportKind ReportKindOf(const CQuorvelwDoc& doc)
{
    return doc.m_nReportMode == 1 ? ReportKind::Text : ReportKind::Plot;
}

void DrawReport(DrawingSurface& dc, const ReportView& view, const CQuorvelwDoc& doc, ReportKind kind)
{
    if (doc.m_bDataLoaded == 0)
        return;
    if (kind == ReportKind::Text)
        DrawTextReport(dc, view, doc);
    else
        DrawPlotReport(dc, view, doc);
}
