// The error separation. Each trace is eccentricity + constant + part error (turning with the
// part) + spindle error (fixed to the spindle) + angle error times the eccentricity's slope.
#include "QuorvelwDoc.h"

#include <algorithm>
#include <cmath>

namespace {

bool AllFinite(const double* values, int n)
{
    for (int i = 0; i < n; ++i)
        if (!std::isfinite(values[i]))
            return false;
    return true;
}

}  // namespace

void CQuorvelwDoc::SmoothFromCoefs(const double* cosCoef, const double* sinCoef, double* out) const
{
    // out[j] = sum over m = 1..30 of sin[m]*sin(a) + cos[m]*cos(a), a = m*(j+1) steps of
    // 2*pi/N; the orders are added in ascending m for every j, as a per-sample loop would.
    const int n = m_nPoints;
    std::fill(out, out + n, 0.0);
    for (int m = 1; m <= SYNTH_ORDERS; ++m) {
        const int step = m % n;
        int k = (step + n - 1) % n;
        const double c = cosCoef[m];
        const double s = sinCoef[m];
        for (int j = 0; j < n; ++j) {
            out[j] += s * m_sinTable[k] + c * m_cosTable[k];
            k += step;
            if (k >= n)
                k -= n;
        }
    }
}

SeparationStatus CQuorvelwDoc::SeparateErrors()
{
    if (!SettingsInRange())
        return {SeparationCode::SettingsOutOfRange};
    const int n = m_nPoints;
    const int nt = m_nTraces;
    for (int i = 0; i < n; ++i)
        if (!AllFinite(m_raw[i], nt))
            return {SeparationCode::NotFinite};

    const double twoPi = 4.0 * std::asin(1.0);
    const int step = n / nt;

    // Unit conversion: inch = millimetre / 25.4.
    const double unitDivisor = m_nUnit * 24.4 + 1.0;
    for (int i = 0; i < n; ++i)
        for (int t = 0; t < nt; ++t)
            m_work[i][t] = m_raw[i][t] / unitDivisor;

    for (int k = 1; k <= n; ++k) {
        m_cosTable[k - 1] = std::cos(k * twoPi / n);
        m_sinTable[k - 1] = std::sin(k * twoPi / n);
    }
    m_tableN = n;

    // Eccentricity and mean of each trace, both taken from the trace as measured.
    ColumnCoefs(1, m_eccCos, m_eccSin);
    double sums[MAX_TRACES] = {};
    double largest[MAX_TRACES] = {};  // inch
    for (int i = 0; i < n; ++i)
        for (int t = 0; t < nt; ++t) {
            sums[t] += m_work[i][t];
            largest[t] = std::max(largest[t], std::fabs(m_work[i][t]));
        }
    for (int t = 0; t < nt; ++t)
        m_traceMean[t] = sums[t] / n;
    // A trace without eccentricity has no slope to divide by. Below 1e-9 of the trace's own
    // largest sample the coefficients are rounding noise (a flat trace gives about 1e-17),
    // far below what a single-precision trace file can even carry.
    for (int t = 0; t < nt; ++t)
        if (std::hypot(m_eccCos[t], m_eccSin[t]) <= 1e-9 * largest[t])
            return {SeparationCode::NoEccentricity, t};
    const SeparationStatus coverage = CheckCoverage();
    if (!coverage.ok())
        return coverage;

    for (int i = 0; i < n; ++i)
        for (int t = 0; t < nt; ++t)
            m_work[i][t] = (m_work[i][t] - m_cosTable[i] * m_eccCos[t]) - m_eccSin[t] * m_sinTable[i];
    for (int i = 0; i < n; ++i)
        for (int t = 0; t < nt; ++t)
            m_work[i][t] = m_work[i][t] - m_traceMean[t];

    // Part error: each trace turned back by t*step samples into line with trace 0, averaged.
    // Turning by -s reads sample (i + s) mod n, so the sum is formed without copies.
    std::fill(m_partErr, m_partErr + n, 0.0);
    for (int t = 0; t < nt; ++t) {
        const int shift = static_cast<int>((static_cast<long long>(t) * step) % n);
        int src = shift;
        for (int i = 0; i < n; ++i) {
            m_partErr[i] += m_work[src][t];
            if (++src == n)
                src = 0;
        }
    }
    for (int i = 0; i < n; ++i)
        m_partErr[i] /= nt;

    // Remove the part error from each trace, turned the way the part was for that trace.
    for (int t = 0; t < nt; ++t) {
        const int shift = static_cast<int>((static_cast<long long>(t) * step) % n);
        int src = (n - shift) % n;
        for (int i = 0; i < n; ++i) {
            m_work[i][t] -= m_partErr[src];
            if (++src == n)
                src = 0;
        }
    }

    // Spindle error: what stays at the same spindle angle in every trace.
    for (int i = 0; i < n; ++i) {
        double sum = 0.0;
        for (int t = 0; t < nt; ++t)
            sum += m_work[i][t];
        m_spindleErr[i] = sum / nt;
    }
    for (int i = 0; i < n; ++i)
        for (int t = 0; t < nt; ++t)
            m_work[i][t] = m_work[i][t] - m_spindleErr[i];

    EstimateAngleError();

    std::copy(m_angleErr, m_angleErr + n, m_angleErrRaw);
    for (int k = 0; k < NUM_COEFS; ++k)
        FourierCoef(m_angleErr, n, k, &m_angleCos[k], &m_angleSin[k]);
    SmoothFromCoefs(m_angleCos, m_angleSin, m_angleErr);

    for (int k = 0; k < NUM_COEFS; ++k)
        FourierCoef(m_spindleErr, n, k, &m_spindleCos[k], &m_spindleSin[k]);
    for (int k = 0; k < NUM_COEFS; ++k)
        FourierCoef(m_partErr, n, k, &m_partCos[k], &m_partSin[k]);
    SmoothFromCoefs(m_partCos, m_partSin, m_partErr);
    SmoothFromCoefs(m_spindleCos, m_spindleSin, m_spindleErr);

    m_angleMax = m_spindleMax = m_partMax = -1e20;
    m_angleMin = m_spindleMin = m_partMin = 1e20;
    for (int j = 0; j < n; ++j) {
        if (m_angleErr[j] > m_angleMax)
            m_angleMax = m_angleErr[j];
        if (m_angleErr[j] < m_angleMin)
            m_angleMin = m_angleErr[j];
        if (m_spindleErr[j] > m_spindleMax)
            m_spindleMax = m_spindleErr[j];
        if (m_spindleErr[j] < m_spindleMin)
            m_spindleMin = m_spindleErr[j];
        if (m_partErr[j] > m_partMax)
            m_partMax = m_partErr[j];
        if (m_partErr[j] < m_partMin)
            m_partMin = m_partErr[j];
    }

    // Finite samples can still overflow (values near the double's range); such results are
    // replaced by zeros so that no table holds a value without meaning.
    const double extremes[] = {m_angleMax, m_angleMin, m_spindleMax, m_spindleMin, m_partMax, m_partMin};
    const bool finite = AllFinite(m_angleErr, n) && AllFinite(m_angleErrRaw, n) &&
                        AllFinite(m_spindleErr, n) && AllFinite(m_partErr, n) &&
                        AllFinite(m_angleCos, NUM_COEFS) && AllFinite(m_angleSin, NUM_COEFS) &&
                        AllFinite(m_spindleCos, NUM_COEFS) && AllFinite(m_spindleSin, NUM_COEFS) &&
                        AllFinite(m_partCos, NUM_COEFS) && AllFinite(m_partSin, NUM_COEFS) &&
                        AllFinite(m_eccCos, nt) && AllFinite(m_eccSin, nt) && AllFinite(extremes, 6);
    if (!finite) {
        for (double* table : {m_spindleErr, m_partErr, m_angleErr, m_angleErrRaw})
            std::fill(table, table + n, 0.0);
        for (double* table : {m_angleCos, m_angleSin, m_spindleCos, m_spindleSin, m_partCos, m_partSin})
            std::fill(table, table + NUM_COEFS, 0.0);
        for (double* table : {m_eccCos, m_eccSin, m_traceMean})
            std::fill(table, table + nt, 0.0);
        m_angleMax = m_angleMin = m_spindleMax = m_spindleMin = m_partMax = m_partMin = 0.0;
        return {SeparationCode::NotFinite};
    }
    return {};
}
