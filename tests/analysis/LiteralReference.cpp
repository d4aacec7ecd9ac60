#include "LiteralReference.h"

#include <cmath>
#include <vector>

void LiteralFourierCoef(const double* data, int n, int order, double* cosCoef, double* sinCoef)
{
    const double twoPi = 4.0 * std::asin(1.0);
    double c = 0.0, s = 0.0;
    for (int i = 0; i < n; ++i) {
        const double angle = order * ((i + 1) * twoPi / n);
        c += data[i] * std::cos(angle);
        s += data[i] * std::sin(angle);
    }
    *cosCoef = (c / n) * 2;
    *sinCoef = (s / n) * 2;
}

void LiteralRotateArray(double* data, int n, int shift)
{
    if (shift < 0)
        shift += n;
    std::vector<double> scratch(MAX_POINTS);
    for (int k = 0; k < shift; ++k)
        scratch[k] = data[n - shift + k];
    for (int k = shift; k < n; ++k)
        scratch[k] = data[k - shift];
    for (int k = 0; k < n; ++k)
        data[k] = scratch[k];
}

namespace {

void LiteralAngleError(CQuorvelwDoc& d)
{
    const int N = d.m_nPoints, T = d.m_nTraces;
    const double twoPi = 4.0 * std::asin(1.0);
    const int w = static_cast<int>(N * 0.1527777777777778);
    std::vector<int> counter(MAX_POINTS);
    std::vector<double> trace(MAX_POINTS);
    for (int pass = 0; pass < 2; ++pass) {
        for (int j = 0; j < N; ++j) {
            d.m_angleErr[j] = 0;
            counter[j] = 0;
        }
        for (int t = 0; t < T; ++t) {
            const double c = d.m_eccCos[t], s = d.m_eccSin[t];
            const double phi = -std::atan2(c, s);
            const double pi = twoPi * 0.5;
            const int p1 = static_cast<int>((phi / twoPi) * N);
            const int p2 = static_cast<int>(((pi + phi) / twoPi) * N);
            for (int p : {p1, p2})
                for (int i = p - w; i <= p + w; ++i) {
                    const int j = i < 0 ? i + N : (i >= N ? i - N : i);
                    const double D = d.m_cosTable[j] * s - d.m_sinTable[j] * c;
                    d.m_angleErr[j] += d.m_work[j][t] / D;
                    counter[j] += 1;
                }
        }
        for (int j = 0; j < N; ++j)
            d.m_angleErr[j] = d.m_angleErr[j] / counter[j];
        double a[5], b[5];
        for (int k = 1; k <= 4; ++k)
            LiteralFourierCoef(d.m_angleErr, N, k, &a[k], &b[k]);
        double P1 = 0, Q1 = 0, P2 = 0, Q2 = 0;
        for (int t = 0; t < T; ++t) {
            const double c = d.m_eccCos[t], s = d.m_eccSin[t], R2 = c * c + s * s;
            for (int i = 0; i < N; ++i)
                trace[i] = d.m_work[i][t];
            double Rc2, Rs2, Rc3, Rs3;
            LiteralFourierCoef(trace.data(), N, 2, &Rc2, &Rs2);
            LiteralFourierCoef(trace.data(), N, 3, &Rc3, &Rs3);
            const double X2 = 2 * Rc2 - a[3] * s + b[3] * c, Y2 = 2 * Rs2 - a[3] * c - b[3] * s;
            P1 += (X2 * s - Y2 * c) / R2;
            Q1 += (X2 * c + Y2 * s) / R2;
            const double X3 = 2 * Rc3 - a[4] * s + b[4] * c, Y3 = 2 * Rs3 - a[4] * c - b[4] * s;
            P2 += (X3 * s - Y3 * c) / R2;
            Q2 += (X3 * c + Y3 * s) / R2;
        }
        P1 /= T;
        Q1 /= T;
        P2 /= T;
        Q2 /= T;
        for (int t = 0; t < T; ++t) {
            const double c = d.m_eccCos[t], s = d.m_eccSin[t];
            for (int i = 0; i < N; ++i)
                d.m_work[i][t] += 0.5 * ((Q2 * s + P2 * c) * d.m_sinTable[i] +
                                         (P2 * s - Q2 * c) * d.m_cosTable[i] + (P1 * s - Q1 * c));
        }
        for (int j = 0; j < N; ++j) {
            const double th = (j + 1) * twoPi / N, th2 = (2 * (j + 1)) * twoPi / N;
            d.m_angleErr[j] += std::cos(th2) * (P2 - a[2]) + std::sin(th2) * (Q2 - b[2]) +
                               std::cos(th) * (P1 - a[1]) + std::sin(th) * (Q1 - b[1]);
        }
    }
}

}  // namespace

void LiteralSeparateErrors(CQuorvelwDoc& d)
{
    const int N = d.m_nPoints, T = d.m_nTraces;
    const double twoPi = 4.0 * std::asin(1.0);
    std::vector<double> buf(MAX_POINTS);
    const int step = N / T;
    for (int t = 0; t < T; ++t)
        for (int i = 0; i < N; ++i)
            d.m_work[i][t] = d.m_raw[i][t] / (d.m_nUnit * 24.4 + 1.0);
    for (int k = 1; k <= N; ++k) {
        d.m_cosTable[k - 1] = std::cos(k * twoPi / N);
        d.m_sinTable[k - 1] = std::sin(k * twoPi / N);
    }
    for (int t = 0; t < T; ++t) {
        for (int i = 0; i < N; ++i)
            buf[i] = d.m_work[i][t];
        LiteralFourierCoef(buf.data(), N, 1, &d.m_eccCos[t], &d.m_eccSin[t]);
    }
    for (int t = 0; t < T; ++t) {
        double sum = 0;
        for (int i = 0; i < N; ++i)
            sum += d.m_work[i][t];
        d.m_traceMean[t] = sum / N;
    }
    for (int t = 0; t < T; ++t)
        for (int i = 0; i < N; ++i)
            d.m_work[i][t] = (d.m_work[i][t] - d.m_cosTable[i] * d.m_eccCos[t]) - d.m_eccSin[t] * d.m_sinTable[i];
    for (int t = 0; t < T; ++t)
        for (int i = 0; i < N; ++i)
            d.m_work[i][t] = d.m_work[i][t] - d.m_traceMean[t];
    for (int i = 0; i < N; ++i)
        d.m_partErr[i] = 0;
    for (int t = 0; t < T; ++t) {
        for (int i = 0; i < N; ++i)
            buf[i] = d.m_work[i][t];
        LiteralRotateArray(buf.data(), N, -t * step);
        for (int i = 0; i < N; ++i)
            d.m_partErr[i] += buf[i];
    }
    for (int i = 0; i < N; ++i)
        d.m_partErr[i] /= T;
    for (int i = 0; i < N; ++i)
        buf[i] = d.m_partErr[i];
    for (int t = 0; t < T; ++t) {
        for (int i = 0; i < N; ++i)
            d.m_work[i][t] -= buf[i];
        LiteralRotateArray(buf.data(), N, step);
    }
    for (int i = 0; i < N; ++i)
        d.m_spindleErr[i] = 0;
    for (int t = 0; t < T; ++t)
        for (int i = 0; i < N; ++i)
            d.m_spindleErr[i] += d.m_work[i][t];
    for (int i = 0; i < N; ++i)
        d.m_spindleErr[i] /= T;
    for (int t = 0; t < T; ++t)
        for (int i = 0; i < N; ++i)
            d.m_work[i][t] -= d.m_spindleErr[i];

    LiteralAngleError(d);

    for (int j = 0; j < N; ++j)
        d.m_angleErrRaw[j] = d.m_angleErr[j];
    for (int k = 0; k < NUM_COEFS; ++k)
        LiteralFourierCoef(d.m_angleErr, N, k, &d.m_angleCos[k], &d.m_angleSin[k]);
    for (int j = 0; j < N; ++j) {
        d.m_angleErr[j] = 0;
        for (int m = 1; m <= 30; ++m) {
            const double a = (m * (j + 1)) * twoPi / N;
            d.m_angleErr[j] += d.m_angleSin[m] * std::sin(a) + d.m_angleCos[m] * std::cos(a);
        }
    }
    for (int k = 0; k < NUM_COEFS; ++k)
        LiteralFourierCoef(d.m_spindleErr, N, k, &d.m_spindleCos[k], &d.m_spindleSin[k]);
    for (int k = 0; k < NUM_COEFS; ++k)
        LiteralFourierCoef(d.m_partErr, N, k, &d.m_partCos[k], &d.m_partSin[k]);
    for (int j = 0; j < N; ++j) {
        d.m_partErr[j] = 0;
        d.m_spindleErr[j] = 0;
        for (int m = 1; m <= 30; ++m) {
            const double a = (m * (j + 1)) * twoPi / N;
            d.m_partErr[j] += d.m_partSin[m] * std::sin(a) + d.m_partCos[m] * std::cos(a);
            d.m_spindleErr[j] += d.m_spindleCos[m] * std::cos(a) + d.m_spindleSin[m] * std::sin(a);
        }
    }
    d.m_angleMax = d.m_spindleMax = d.m_partMax = -1e20;
    d.m_angleMin = d.m_spindleMin = d.m_partMin = 1e20;
    for (int j = 0; j < N; ++j) {
        if (d.m_angleErr[j] > d.m_angleMax) d.m_angleMax = d.m_angleErr[j];
        if (d.m_angleErr[j] < d.m_angleMin) d.m_angleMin = d.m_angleErr[j];
        if (d.m_spindleErr[j] > d.m_spindleMax) d.m_spindleMax = d.m_spindleErr[j];
        if (d.m_spindleErr[j] < d.m_spindleMin) d.m_spindleMin = d.m_spindleErr[j];
        if (d.m_partErr[j] > d.m_partMax) d.m_partMax = d.m_partErr[j];
        if (d.m_partErr[j] < d.m_partMin) d.m_partMin = d.m_partErr[j];
    }
}
