#include "DocumentState.h"

#include "DeviceDescription.h"
#include "QuorvelwDoc.h"
#include "RecordingSurface.h"

#include <cstring>

namespace {

void AppendBits(std::vector<std::uint64_t>& out, const double* values, int count)
{
    for (int k = 0; k < count; ++k) {
        std::uint64_t bits;
        std::memcpy(&bits, &values[k], sizeof bits);
        out.push_back(bits);
    }
}

}  // namespace

DocumentState::DocumentState(const CQuorvelwDoc& d)
{
    fields = {d.m_strDataFile, d.m_strDate, d.m_strGageInfo, d.m_strGratingInfo,
              std::to_string(d.m_nUnit), std::to_string(d.m_nPoints), std::to_string(d.m_nTraces),
              std::to_string(d.m_bDataLoaded), std::to_string(d.m_nReportMode), std::to_string(d.m_nNewCount),
              d.GetPathName(), d.GetTitle(), d.IsModified() ? "modified" : "not modified"};
    AppendBits(raw, &d.m_raw[0][0], MAX_POINTS * MAX_TRACES);
    for (const double* table : {d.m_spindleErr, d.m_partErr, d.m_angleErr, d.m_angleErrRaw})
        AppendBits(results, table, MAX_POINTS);
    for (const double* table : {d.m_eccCos, d.m_eccSin, d.m_traceMean})
        AppendBits(results, table, MAX_TRACES);
    for (const double* table : {d.m_angleCos, d.m_angleSin, d.m_spindleCos, d.m_spindleSin, d.m_partCos, d.m_partSin})
        AppendBits(results, table, NUM_COEFS);
    for (const double v : {d.m_angleMax, d.m_angleMin, d.m_spindleMax, d.m_spindleMin, d.m_partMax, d.m_partMin})
        AppendBits(results, &v, 1);
}

std::vector<std::string> Drawing(const CQuorvelwDoc& doc, ReportKind kind)
{
    RecordingSurface dc(Display1920x1080());
    DrawReport(dc, ReportView{}, doc, kind);
    std::vector<std::string> drawn;
    for (const SurfaceCall& c : dc.Calls()) {
        if (c.op == SurfaceOp::DrawText)
            drawn.push_back("text " + c.text);
        else if (c.op == SurfaceOp::LineTo)
            drawn.push_back("line " + std::to_string(c.from.x) + "," + std::to_string(c.from.y) + " " +
                            std::to_string(c.point.x) + "," + std::to_string(c.point.y));
    }
    return drawn;
}
