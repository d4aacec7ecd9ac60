#include "CsvExport.h"

#include "JsonText.h"
#include "QuorvelwDoc.h"

#include <algorithm>

namespace {

constexpr double MICRO = 1000000.0;                 // inch -> microinch, radian -> microradian
constexpr double ARCSEC_PER_RAD = 206264.80671915034;  // the reports' factor

void AppendField(std::string& out, double value)
{
    out += ',';
    out += ShortestText(value);  // empty for a value that is not finite
}

}  // namespace

std::string ErrorCurvesCsv(const CQuorvelwDoc& doc)
{
    const int n = std::clamp(doc.m_nPoints, 0, MAX_POINTS);
    std::string out = "sample,angle_deg,part_error_uin,spindle_error_uin,angle_error_urad,angle_error_arcsec\n";
    out.reserve(out.size() + static_cast<std::size_t>(n) * 120);
    for (int j = 0; j < n; ++j) {
        out += std::to_string(j);
        AppendField(out, (j + 1) * 360.0 / n);
        AppendField(out, doc.m_partErr[j] * MICRO);
        AppendField(out, doc.m_spindleErr[j] * MICRO);
        AppendField(out, doc.m_angleErr[j] * MICRO);
        AppendField(out, doc.m_angleErr[j] * ARCSEC_PER_RAD);
        out += '\n';
    }
    return out;
}
