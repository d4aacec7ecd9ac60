#include "DocumentCommands.h"

#include "Operator.h"
#include "QuorvelwDoc.h"
#include "TraceFile.h"

bool OnCreateCompensation(CQuorvelwDoc& doc, Operator& op)
{
    // Without a loaded measurement the angle error is stale or was never computed.
    if (doc.m_bDataLoaded == 0 || doc.m_nPoints < 1 || doc.m_nPoints > MAX_POINTS) {
        op.ShowMessage("No measurement is loaded. Quorvel file not created!");
        return false;
    }
    std::string path;
    if (!op.AskSaveFileName(FileKind::Compensation, std::string(), path))
        return false;
    if (WriteTraceFile(path, doc.m_angleErr, doc.m_nPoints, -1) != 1) {
        op.ShowMessage("Can't open file to write. Quorvel file not created!");
        return false;
    }
    op.ShowMessage("Quorvel file successfully created!");
    return true;
}

void OnSetupGageInfo(CQuorvelwDoc& doc, Operator& op)
{
    GageInfoValues dlg;
    if (op.RunGageInfoDialog(dlg) != DialogResult::Ok)
        return;
    doc.m_strGageInfo = dlg.m_strGageInfo;
    doc.m_strGratingInfo = dlg.m_strGratingInfo;
    doc.SetModifiedFlag(true);
    doc.UpdateAllViews();
}

void OnReport(CQuorvelwDoc& doc)
{
    if (!OnUpdateReport(doc).enabled)
        return;
    doc.m_nReportMode = doc.m_nReportMode == 0 ? 1 : 0;
    doc.SetModifiedFlag(true);
    doc.UpdateAllViews();
}

CommandState OnUpdateReport(const CQuorvelwDoc& doc)
{
    if (doc.m_bDataLoaded == 0)
        return {};
    return {true, doc.m_nReportMode == 1 ? "Plot &Report" : "Text &Report"};
}
