// Angle error of the grating. Where the grating reads theta the spindle stands at
// theta + delta(theta); the eccentricity e = c*cos + s*sin sampled at the wrong angle shows
// delta * e'. So residual / e' is the angle error, taken only where e' is steep: in two
// windows of +-55 degrees around the steepest rising and falling slope of each trace.
#include "QuorvelwDoc.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int ANGLE_PASSES = 2;
constexpr double WINDOW_FRACTION = 0.1527777777777778;  // 55/360 of the revolution

int WindowHalfWidth(int n)  // samples
{
    return static_cast<int>(n * WINDOW_FRACTION);
}

// Centres of the two windows of one trace, in samples (may lie outside [0, n)).
void WindowCentres(double c, double s, int n, int* p1, int* p2)
{
    const double twoPi = 4.0 * std::asin(1.0);
    const double pi = twoPi * 0.5;
    const double phi = -std::atan2(c, s);  // where the slope e' is greatest
    *p1 = static_cast<int>((phi / twoPi) * n);
    *p2 = static_cast<int>(((pi + phi) / twoPi) * n);
}

int Wrap(int i, int n)
{
    i %= n;
    return i < 0 ? i + n : i;
}

}  // namespace

SeparationStatus CQuorvelwDoc::CheckCoverage()
{
    const int n = m_nPoints;
    const int w = WindowHalfWidth(n);
    std::fill(m_counter, m_counter + n, 0);
    for (int t = 0; t < m_nTraces; ++t) {
        int centres[2];
        WindowCentres(m_eccCos[t], m_eccSin[t], n, &centres[0], &centres[1]);
        for (int p : centres)
            for (int i = p - w; i <= p + w; ++i)
                ++m_counter[Wrap(i, n)];
    }
    for (int j = 0; j < n; ++j)
        if (m_counter[j] == 0)
            return {SeparationCode::UncoveredSamples};
    return {};
}

void CQuorvelwDoc::EstimateAngleError()
{
    const int n = m_nPoints;
    const int nt = m_nTraces;
    const int w = WindowHalfWidth(n);

    for (int pass = 0; pass < ANGLE_PASSES; ++pass) {
        std::fill(m_angleErr, m_angleErr + n, 0.0);
        std::fill(m_counter, m_counter + n, 0);
        for (int t = 0; t < nt; ++t) {
            const double c = m_eccCos[t];
            const double s = m_eccSin[t];
            int centres[2];
            WindowCentres(c, s, n, &centres[0], &centres[1]);
            for (int p : centres)
                for (int i = p - w; i <= p + w; ++i) {
                    const int j = Wrap(i, n);
                    const double slope = m_cosTable[j] * s - m_sinTable[j] * c;
                    m_angleErr[j] += m_work[j][t] / slope;
                    ++m_counter[j];
                }
        }
        // Every counter is at least 1: the coverage was checked before the estimation.
        for (int j = 0; j < n; ++j)
            m_angleErr[j] = m_angleErr[j] / m_counter[j];

        // The eccentricity and mean removal also took orders 0 and 1 of delta * e' away, so
        // orders 1 and 2 of the estimate are solved again from orders 2 and 3 of the residuals.
        double a[5], b[5];  // orders 1..4 of the estimate
        for (int k = 1; k <= 4; ++k)
            FourierCoef(m_angleErr, n, k, &a[k], &b[k]);

        double rc2[MAX_TRACES], rs2[MAX_TRACES], rc3[MAX_TRACES], rs3[MAX_TRACES];
        ColumnCoefs(2, rc2, rs2);
        ColumnCoefs(3, rc3, rs3);
        double p1 = 0.0, q1 = 0.0, p2 = 0.0, q2 = 0.0;
        for (int t = 0; t < nt; ++t) {
            const double c = m_eccCos[t];
            const double s = m_eccSin[t];
            const double r2 = c * c + s * s;
            const double x2 = 2 * rc2[t] - a[3] * s + b[3] * c;
            const double y2 = 2 * rs2[t] - a[3] * c - b[3] * s;
            p1 += (x2 * s - y2 * c) / r2;
            q1 += (x2 * c + y2 * s) / r2;
            const double x3 = 2 * rc3[t] - a[4] * s + b[4] * c;
            const double y3 = 2 * rs3[t] - a[4] * c - b[4] * s;
            p2 += (x3 * s - y3 * c) / r2;
            q2 += (x3 * c + y3 * s) / r2;
        }
        p1 /= nt;
        q1 /= nt;
        p2 /= nt;
        q2 /= nt;

        // Put the order-0 and order-1 part of e' * (the low orders) back into the residuals.
        for (int i = 0; i < n; ++i)
            for (int t = 0; t < nt; ++t) {
                const double c = m_eccCos[t];
                const double s = m_eccSin[t];
                m_work[i][t] += 0.5 * ((q2 * s + p2 * c) * m_sinTable[i] +
                                       (p2 * s - q2 * c) * m_cosTable[i] + (p1 * s - q1 * c));
            }

        for (int j = 0; j < n; ++j) {
            const int k2 = (2 * (j + 1) - 1) % n;  // 2*theta
            m_angleErr[j] += m_cosTable[k2] * (p2 - a[2]) + m_sinTable[k2] * (q2 - b[2]) +
                             m_cosTable[j] * (p1 - a[1]) + m_sinTable[j] * (q1 - b[1]);
        }
    }
}
