#include "ReportDocuments.h"

#include <algorithm>
#include <cmath>

std::unique_ptr<CQuorvelwDoc> SmallDocument()
{
    auto doc = std::make_unique<CQuorvelwDoc>();
    doc->m_bDataLoaded = 1;
    doc->m_strDate = "Tue Mar 05 14:07:09 2024";
    doc->m_strGageInfo = "Gage 7, probe 2";
    doc->m_strGratingInfo = "RG-114";
    doc->m_nTraces = 3;
    doc->m_nPoints = 360;

    doc->m_angleCos[1] = 3e-6;
    doc->m_angleSin[1] = 4e-6;
    doc->m_angleCos[2] = -1e-6;
    doc->m_angleSin[2] = -1e-6;
    doc->m_angleSin[9] = -2.5e-6;
    doc->m_angleCos[10] = 1.5e-6;
    doc->m_angleCos[26] = 0.5e-6;
    doc->m_angleSin[26] = -0.5e-6;
    doc->m_angleCos[30] = -2e-6;
    // Orders above 30 are never shown.
    doc->m_angleCos[31] = 9e-6;
    doc->m_partCos[1] = 1e-5;
    doc->m_partSin[25] = -1e-6;
    doc->m_partSin[26] = 9e-6;
    doc->m_spindleCos[3] = -2e-6;
    doc->m_spindleSin[3] = 2e-6;
    // Entry 0 is never shown.
    doc->m_spindleCos[0] = 9e-6;

    doc->m_partMax = 12.5e-6;
    doc->m_partMin = -7.25e-6;
    doc->m_spindleMax = 3e-6;
    doc->m_spindleMin = -1e-6;
    doc->m_angleMax = 4.8481368e-6;  // one arcsecond
    doc->m_angleMin = -2.4240684e-6;

    doc->m_eccCos[0] = 0.001;
    doc->m_eccSin[0] = -0.001;
    doc->m_eccCos[1] = 0.0;
    doc->m_eccSin[1] = 0.002;
    doc->m_eccCos[2] = -0.0015;
    doc->m_eccSin[2] = 0.0;
    doc->m_eccCos[3] = 0.5;  // beyond T: never shown
    return doc;
}

std::unique_ptr<CQuorvelwDoc> CurveDocument(int n)
{
    auto doc = SmallDocument();
    doc->m_nPoints = n;
    const double pi = std::acos(-1.0);
    for (int j = 0; j < n; ++j) {
        const double theta = (j + 1) * 2 * pi / n;
        const double s = std::sin(theta);
        doc->m_angleErr[j] = s > 0 ? 5e-6 * s : 3e-6 * s;
        const double s2 = std::sin(2 * theta);
        doc->m_partErr[j] = s2 > 0 ? 4e-6 * s2 : 1e-5 * s2;
        doc->m_spindleErr[j] = 2e-6 * std::cos(3 * theta);
    }
    const auto extremes = [n](const double* t, double& max, double& min) {
        max = *std::max_element(t, t + n);
        min = *std::min_element(t, t + n);
    };
    extremes(doc->m_angleErr, doc->m_angleMax, doc->m_angleMin);
    extremes(doc->m_partErr, doc->m_partMax, doc->m_partMin);
    extremes(doc->m_spindleErr, doc->m_spindleMax, doc->m_spindleMin);
    return doc;
}
