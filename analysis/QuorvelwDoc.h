// The measurement document: every sample and every result of one angular calibration.
//
// Conventions every reader relies on:
//   N = m_nPoints (1..MAX_POINTS), T = m_nTraces (1..MAX_TRACES).
//   Samples [0, N) of every trace and per-sample table; sample j stands for the angle
//   (j+1)*2*pi/N, i.e. (j+1)*360/N degrees: the last sample is at 360, none at 0.
//   Two-dimensional tables are [sample][trace], one row of MAX_TRACES doubles per sample.
//   m_raw is in the unit of m_nUnit (0 inch, 1 millimetre); every other length is in inch,
//   every angle error in radians; coefficient tables are indexed by Fourier order [0, 100).
//   Only entries below N and T belong to the measurement; the analysis neither reads nor
//   clears the entries above them.
//
// The document is several MB: create it on the heap (std::make_unique<CQuorvelwDoc>()).
#pragma once

#include "Document.h"
#include "SeparationStatus.h"

#include <cstdint>
#include <string>

constexpr int MAX_POINTS = 7200;  // samples per trace
constexpr int MAX_TRACES = 36;    // traces per measurement
constexpr int NUM_COEFS = 100;    // Fourier orders 0..99 per coefficient table
constexpr int SYNTH_ORDERS = 30;  // smoothed curves keep orders 1..30

class CQuorvelwDoc : public CDocument {
public:
    CQuorvelwDoc();
    CQuorvelwDoc(const CQuorvelwDoc&) = delete;
    CQuorvelwDoc& operator=(const CQuorvelwDoc&) = delete;

    // Cosine and sine coefficient of one order of a revolution of n samples (1 <= n <= 7200,
    // order >= 0): cosCoef = 2/n * sum data[i]*cos(order*(i+1)*2*pi/n), likewise sinCoef.
    // Reads and writes only its arguments.
    void FourierCoef(const double* data, int n, int order, double* cosCoef, double* sinCoef) const;

    // Turns data[0, n) circularly in place: out[k] = in[(k - shift) mod n], -n <= shift <= n.
    static void RotateArray(double* data, int n, int shift);

    // The whole error separation: m_raw, T, N, unit -> every result table. Refuses (and says
    // why) a measurement outside 1 <= T <= 36, 1 <= N <= 7200, unit 0 or 1, or one that cannot
    // be evaluated. No heap allocation. Does not touch m_bDataLoaded; the caller does.
    SeparationStatus SeparateErrors();

    // Whether 1 <= T <= MAX_TRACES, 1 <= N <= MAX_POINTS and the unit is 0 or 1.
    bool SettingsInRange() const;

    // Sets every entry of m_raw (the whole capacity) to 0.0.
    void ClearRaw();

    // Fields, in declaration order.
    std::int32_t m_bDataLoaded = 0;   // 1: results may be shown
    std::int32_t m_nReportMode = 0;   // 1 text report, 0 plot report
    std::int32_t m_nNewCount = 0;     // calls of the new-document handler so far

    double m_raw[MAX_POINTS][MAX_TRACES];   // raw samples, unit of m_nUnit
    double m_work[MAX_POINTS][MAX_TRACES];  // traces in inch; after the analysis, residuals
    double m_spindleErr[MAX_POINTS];        // inch
    double m_partErr[MAX_POINTS];           // inch, at the angles of trace 0
    double m_angleErr[MAX_POINTS];          // radians, smoothed to orders 1..30
    double m_angleErrRaw[MAX_POINTS];       // radians, before smoothing
    double m_eccCos[MAX_TRACES];            // first-order cosine coefficient per trace, inch
    double m_eccSin[MAX_TRACES];            // first-order sine coefficient per trace, inch
    double m_traceMean[MAX_TRACES];         // mean per trace, inch
    double m_cosTable[MAX_POINTS];          // cos((j+1)*2*pi/N)
    double m_sinTable[MAX_POINTS];          // sin((j+1)*2*pi/N)
    double m_angleCos[NUM_COEFS];           // radians
    double m_angleSin[NUM_COEFS];
    double m_spindleCos[NUM_COEFS];         // inch
    double m_spindleSin[NUM_COEFS];
    double m_partCos[NUM_COEFS];            // inch
    double m_partSin[NUM_COEFS];
    double m_angleMax = 0.0, m_angleMin = 0.0;      // radians
    double m_spindleMax = 0.0, m_spindleMin = 0.0;  // inch
    double m_partMax = 0.0, m_partMin = 0.0;        // inch

    std::string m_strDataFile;      // first raw data file, as typed (UTF-8 bytes)
    std::string m_strDate;          // collection date text
    std::int32_t m_nTraces = 0;     // T
    std::int32_t m_nPoints = 0;     // N
    std::int32_t m_nUnit = 0;       // 0 inch, 1 millimetre
    std::string m_strGageInfo;
    std::string m_strGratingInfo;

private:
    void EstimateAngleError();
    SeparationStatus CheckCoverage();
    // FourierCoef of every column t < T of m_work at once, sweeping the table row by row.
    void ColumnCoefs(int order, double* cosCoef, double* sinCoef) const;
    void SmoothFromCoefs(const double* cosCoef, const double* sinCoef, double* out) const;

    // N for which m_cosTable/m_sinTable hold the sample angles; 0 while they hold none.
    // FourierCoef takes its sines and cosines from the tables when n equals it, since every
    // angle it needs is a whole multiple of 2*pi/N.
    int m_tableN = 0;
    // Scratch of one analysis.
    std::int32_t m_counter[MAX_POINTS];
};
