#include "QuorvelwDoc.h"

#include <algorithm>
#include <cmath>

CQuorvelwDoc::CQuorvelwDoc()
{
    // The tables start cleared so that a document saved or drawn before any load holds
    // defined values, not leftovers of the heap.
    ClearRaw();
    std::fill(&m_work[0][0], &m_work[0][0] + MAX_POINTS * MAX_TRACES, 0.0);
    for (double* table : {m_spindleErr, m_partErr, m_angleErr, m_angleErrRaw, m_cosTable, m_sinTable})
        std::fill(table, table + MAX_POINTS, 0.0);
    for (double* table : {m_eccCos, m_eccSin, m_traceMean})
        std::fill(table, table + MAX_TRACES, 0.0);
    for (double* table : {m_angleCos, m_angleSin, m_spindleCos, m_spindleSin, m_partCos, m_partSin})
        std::fill(table, table + NUM_COEFS, 0.0);
    std::fill(m_counter, m_counter + MAX_POINTS, 0);
}

void CQuorvelwDoc::ClearRaw()
{
    std::fill(&m_raw[0][0], &m_raw[0][0] + MAX_POINTS * MAX_TRACES, 0.0);
}

bool CQuorvelwDoc::SettingsInRange() const
{
    return m_nTraces >= 1 && m_nTraces <= MAX_TRACES && m_nPoints >= 1 && m_nPoints <= MAX_POINTS &&
           (m_nUnit == 0 || m_nUnit == 1);
}

void CQuorvelwDoc::FourierCoef(const double* data, int n, int order, double* cosCoef,
                               double* sinCoef) const
{
    double cosSum = 0.0;
    double sinSum = 0.0;
    if (n == m_tableN) {
        // The angle of sample i is order*(i+1) whole steps of 2*pi/n; the table holds step
        // k+1 at index k, so index (order*(i+1) - 1) mod n.
        const int step = order % n;
        int k = (step + n - 1) % n;
        for (int i = 0; i < n; ++i) {
            cosSum += data[i] * m_cosTable[k];
            sinSum += data[i] * m_sinTable[k];
            k += step;
            if (k >= n)
                k -= n;
        }
    } else {
        const double twoPi = 4.0 * std::asin(1.0);
        for (int i = 0; i < n; ++i) {
            const double angle = order * ((i + 1) * twoPi / n);
            cosSum += data[i] * std::cos(angle);
            sinSum += data[i] * std::sin(angle);
        }
    }
    *cosCoef = (cosSum / n) * 2;
    *sinCoef = (sinSum / n) * 2;
}

void CQuorvelwDoc::RotateArray(double* data, int n, int shift)
{
    if (shift < 0)
        shift += n;
    if (shift <= 0 || shift >= n)
        return;
    // out[k] = in[(k - shift) mod n]: the element at n - shift comes to the front.
    std::rotate(data, data + (n - shift), data + n);
}

void CQuorvelwDoc::ColumnCoefs(int order, double* cosCoef, double* sinCoef) const
{
    // Same sums as FourierCoef on a copy of each column (tables built for m_nPoints), formed
    // for all traces in one pass over the rows instead of one strided pass per trace.
    const int n = m_nPoints;
    const int nt = m_nTraces;
    double cosSum[MAX_TRACES] = {};
    double sinSum[MAX_TRACES] = {};
    const int step = order % n;
    int k = (step + n - 1) % n;
    for (int i = 0; i < n; ++i) {
        const double c = m_cosTable[k];
        const double s = m_sinTable[k];
        const double* row = m_work[i];
        for (int t = 0; t < nt; ++t) {
            cosSum[t] += row[t] * c;
            sinSum[t] += row[t] * s;
        }
        k += step;
        if (k >= n)
            k -= n;
    }
    for (int t = 0; t < nt; ++t) {
        cosCoef[t] = (cosSum[t] / n) * 2;
        sinCoef[t] = (sinSum[t] / n) * 2;
    }
}
