#include "LiteralReference.h"
#include "QuorvelwDoc.h"
#include "SyntheticMeasurement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

const double kTwoPi = 4.0 * std::asin(1.0);
const double kPi = kTwoPi / 2;

std::unique_ptr<CQuorvelwDoc> NewDoc()
{
    return std::make_unique<CQuorvelwDoc>();
}

double MaxAbs(const double* v, int n)
{
    double m = 0.0;
    for (int i = 0; i < n; ++i)
        m = std::max(m, std::fabs(v[i]));
    return m;
}

// Largest difference between two tables, relative to the reference's largest magnitude.
double RelDiff(const double* got, const double* want, int n)
{
    double d = 0.0;
    for (int i = 0; i < n; ++i)
        d = std::max(d, std::fabs(got[i] - want[i]));
    const double scale = MaxAbs(want, n);
    return scale > 0.0 ? d / scale : d;
}

// The synthetic measurement of the analysis's acceptance case, written out in doubles.
double Delta(double th)
{
    return 5e-6 * std::cos(3 * th + 0.4) + 3e-6 * std::sin(7 * th) + 2e-6 * std::cos(th - 1) +
           1e-6 * std::sin(2 * th + 0.2);
}
double Part(double ph) { return 20e-6 * std::cos(2 * ph + 0.7) + 8e-6 * std::sin(5 * ph); }
double Spindle(double th) { return 6e-6 * std::cos(4 * th) + 4e-6 * std::sin(9 * th + 0.5); }

TEST(SeparateErrors, RecoversPartSpindleAndAngleError)
{
    auto doc = NewDoc();
    const int n = 720, nt = 8;
    doc->m_nPoints = n;
    doc->m_nTraces = nt;
    doc->m_nUnit = 0;
    for (int t = 0; t < nt; ++t)
        for (int j = 0; j < n; ++j) {
            const double th = (j + 1) * kTwoPi / n, u = th + Delta(th);
            doc->m_raw[j][t] = 0.002 * std::cos(u - 0.3 - t * kPi / 4) + Part(u - t * kPi / 4) + Spindle(th);
        }
    ASSERT_TRUE(doc->SeparateErrors().ok());
    for (int j = 0; j < n; ++j) {
        const double th = (j + 1) * kTwoPi / n;
        ASSERT_NEAR(doc->m_partErr[j], Part(th), 1e-13) << j;
        ASSERT_NEAR(doc->m_spindleErr[j], Spindle(th), 1e-13) << j;
        ASSERT_NEAR(doc->m_angleErr[j], Delta(th), 1e-7) << j;
    }
    EXPECT_NEAR(doc->m_angleCos[1], 2e-6 * std::cos(1.0), 1e-9);
    EXPECT_NEAR(doc->m_angleSin[1], 2e-6 * std::sin(1.0), 1e-9);
    // The smoothed curves have no mean, and the extremes are theirs.
    for (const double* curve : {doc->m_partErr, doc->m_spindleErr, doc->m_angleErr}) {
        double sum = 0.0;
        for (int j = 0; j < n; ++j)
            sum += curve[j];
        EXPECT_NEAR(sum, 0.0, 1e-15);
    }
    EXPECT_EQ(doc->m_partMax, *std::max_element(doc->m_partErr, doc->m_partErr + n));
    EXPECT_EQ(doc->m_angleMin, *std::min_element(doc->m_angleErr, doc->m_angleErr + n));
}

// With pure eccentricity and a small angle error of low orders, the two passes give the angle
// error back although the eccentricity and mean removal took its products with the slope away.
TEST(SeparateErrors, RecoversLowOrderAngleError)
{
    struct Case {
        const char* name;
        std::vector<Harmonic> angle;
    };
    const Case cases[] = {
        {"order 1", {{1, 2e-6, 0.7}}},
        {"orders 1 and 2", {{1, 2e-6, 0.7}, {2, 1.5e-6, -2.0}}},
    };
    for (const Case& c : cases) {
        SyntheticModel m;
        m.points = 3600;
        m.traces = 8;
        m.angle = c.angle;
        auto doc = NewDoc();
        ASSERT_TRUE(SynthesizeTraces(m, *doc));
        ASSERT_TRUE(doc->SeparateErrors().ok()) << c.name;
        double worst = 0.0;
        for (int j = 0; j < m.points; ++j)
            worst = std::max(worst, std::fabs(doc->m_angleErr[j] - EvalHarmonics(m.angle, (j + 1) * kTwoPi / m.points)));
        EXPECT_LT(worst, 1e-11) << c.name;
    }
}

// The table-driven analysis against the literal formulas. Tolerances per quantity, 1e-12 of
// the data's largest magnitude: lengths against the largest sample in inch, angles against
// the largest sample over the eccentricity (the angle a length that size stands for).
TEST(SeparateErrors, AgreesWithLiteralFormulas)
{
    struct Case {
        int n, nt, unit;
    };
    for (const Case c : {Case{720, 8, 0}, Case{7200, 36, 0}, Case{7200, 7, 0}, Case{1000, 3, 1}, Case{997, 5, 0}}) {
        SyntheticModel m = RealisticModel(c.n, c.nt);
        m.unit = c.unit;
        m.noise = 2e-7;
        auto fast = NewDoc();
        auto ref = NewDoc();
        ASSERT_TRUE(SynthesizeTraces(m, *fast));
        ASSERT_TRUE(SynthesizeTraces(m, *ref));
        ASSERT_TRUE(fast->SeparateErrors().ok());
        LiteralSeparateErrors(*ref);
        const std::string at = "n=" + std::to_string(c.n) + " T=" + std::to_string(c.nt);
        const int n = c.n;
        double largest = 0.0;  // inch
        for (int j = 0; j < n; ++j)
            largest = std::max(largest, MaxAbs(ref->m_raw[j], c.nt) / (c.unit ? 25.4 : 1.0));
        const double lengthTol = 1e-12 * largest;            // inch
        const double angleTol = lengthTol / m.eccentricity;  // radians
        auto worst = [n](const double* a, const double* b, int count) {
            double d = 0.0;
            for (int i = 0; i < std::min(n, count); ++i)
                d = std::max(d, std::fabs(a[i] - b[i]));
            return d;
        };
        EXPECT_LE(worst(fast->m_angleErr, ref->m_angleErr, n), angleTol) << at;
        EXPECT_LE(worst(fast->m_angleErrRaw, ref->m_angleErrRaw, n), angleTol) << at;
        EXPECT_LE(worst(fast->m_angleCos, ref->m_angleCos, NUM_COEFS), angleTol) << at;
        EXPECT_LE(worst(fast->m_angleSin, ref->m_angleSin, NUM_COEFS), angleTol) << at;
        EXPECT_LE(std::fabs(fast->m_angleMax - ref->m_angleMax), angleTol) << at;
        EXPECT_LE(std::fabs(fast->m_angleMin - ref->m_angleMin), angleTol) << at;
        for (auto pair : {std::make_pair(fast->m_partErr, ref->m_partErr), std::make_pair(fast->m_spindleErr, ref->m_spindleErr)})
            EXPECT_LE(worst(pair.first, pair.second, n), lengthTol) << at;
        for (auto pair : {std::make_pair(fast->m_eccCos, ref->m_eccCos), std::make_pair(fast->m_eccSin, ref->m_eccSin),
                          std::make_pair(fast->m_traceMean, ref->m_traceMean)})
            EXPECT_LE(worst(pair.first, pair.second, c.nt), lengthTol) << at;
        for (auto pair : {std::make_pair(fast->m_partCos, ref->m_partCos), std::make_pair(fast->m_partSin, ref->m_partSin),
                          std::make_pair(fast->m_spindleCos, ref->m_spindleCos),
                          std::make_pair(fast->m_spindleSin, ref->m_spindleSin)})
            EXPECT_LE(worst(pair.first, pair.second, NUM_COEFS), lengthTol) << at;
        for (auto pair : {std::make_pair(fast->m_partMax, ref->m_partMax), std::make_pair(fast->m_partMin, ref->m_partMin),
                          std::make_pair(fast->m_spindleMax, ref->m_spindleMax),
                          std::make_pair(fast->m_spindleMin, ref->m_spindleMin)})
            EXPECT_LE(std::fabs(pair.first - pair.second), lengthTol) << at;
    }
}

TEST(SeparateErrors, MillimetreGivesTheInchResults)
{
    SyntheticModel m = RealisticModel(3600, 8);
    auto inch = NewDoc();
    auto mm = NewDoc();
    ASSERT_TRUE(SynthesizeTraces(m, *inch));
    m.unit = 1;
    ASSERT_TRUE(SynthesizeTraces(m, *mm));
    ASSERT_TRUE(inch->SeparateErrors().ok());
    ASSERT_TRUE(mm->SeparateErrors().ok());
    EXPECT_LT(RelDiff(mm->m_angleErr, inch->m_angleErr, m.points), 1e-9);
    EXPECT_LT(RelDiff(mm->m_partErr, inch->m_partErr, m.points), 1e-9);
    EXPECT_LT(RelDiff(mm->m_spindleErr, inch->m_spindleErr, m.points), 1e-9);
    EXPECT_LT(RelDiff(mm->m_eccCos, inch->m_eccCos, m.traces), 1e-12);
}

// A spindle error whose order is a multiple of T cannot be told from the part error.
TEST(SeparateErrors, SpindleOrderMultipleOfTraceCountGoesToPart)
{
    SyntheticModel m;
    m.points = 720;
    m.traces = 4;
    m.spindle = {{4, 6e-6, 0.0}};
    auto doc = NewDoc();
    ASSERT_TRUE(SynthesizeTraces(m, *doc));
    ASSERT_TRUE(doc->SeparateErrors().ok());
    for (int j = 0; j < m.points; ++j) {
        const double th = (j + 1) * kTwoPi / m.points;
        ASSERT_NEAR(doc->m_partErr[j], 6e-6 * std::cos(4 * th), 1e-13);
        ASSERT_NEAR(doc->m_spindleErr[j], 0.0, 1e-13);
    }
}

// N not divisible by T: trace t is turned by t*(N/T) samples, 1028*t for N = 7200, T = 7;
// turned back by exactly that, the part error comes out whole.
TEST(SeparateErrors, TruncatedStepSevenTraces)
{
    SyntheticModel m;
    m.points = 7200;
    m.traces = 7;
    m.part = {{3, 10e-6, 0.2}, {11, 2e-6, -0.4}};
    auto doc = NewDoc();
    ASSERT_TRUE(SynthesizeTraces(m, *doc));
    ASSERT_TRUE(doc->SeparateErrors().ok());
    for (int j = 0; j < m.points; j += 7) {
        const double th = (j + 1) * kTwoPi / m.points;
        ASSERT_NEAR(doc->m_partErr[j], EvalHarmonics(m.part, th), 1e-13) << j;
        ASSERT_NEAR(doc->m_spindleErr[j], 0.0, 1e-13) << j;
    }
}

TEST(SeparateErrors, PureEccentricityAndConstantLeaveNothing)
{
    SyntheticModel m;
    m.points = 1024;
    m.traces = 6;
    m.offset = 0.0137;
    auto doc = NewDoc();
    ASSERT_TRUE(SynthesizeTraces(m, *doc));
    ASSERT_TRUE(doc->SeparateErrors().ok());
    EXPECT_LT(MaxAbs(doc->m_partErr, m.points), 1e-15);
    EXPECT_LT(MaxAbs(doc->m_spindleErr, m.points), 1e-15);
    EXPECT_LT(MaxAbs(doc->m_angleErr, m.points), 1e-12);
    EXPECT_NEAR(doc->m_traceMean[0], 0.0137, 1e-15);
}

// Every result is rebuilt from m_raw, and nothing at or beyond N and T is touched.
TEST(SeparateErrors, RepeatableAndStaysInsideTheMeasurement)
{
    SyntheticModel m = RealisticModel(1000, 5);
    m.noise = 1e-7;
    auto doc = NewDoc();
    ASSERT_TRUE(SynthesizeTraces(m, *doc));
    const double sentinel = 12345.0;
    doc->m_partErr[1000] = doc->m_angleErr[1000] = doc->m_spindleErr[1000] = sentinel;
    doc->m_eccCos[5] = doc->m_work[0][5] = doc->m_work[1000][0] = sentinel;
    ASSERT_TRUE(doc->SeparateErrors().ok());
    std::vector<double> first(doc->m_angleErr, doc->m_angleErr + 1000);
    std::vector<double> part(doc->m_partErr, doc->m_partErr + 1000);
    const double cos7 = doc->m_spindleCos[7];
    ASSERT_TRUE(doc->SeparateErrors().ok());
    EXPECT_EQ(first, std::vector<double>(doc->m_angleErr, doc->m_angleErr + 1000));
    EXPECT_EQ(part, std::vector<double>(doc->m_partErr, doc->m_partErr + 1000));
    EXPECT_EQ(cos7, doc->m_spindleCos[7]);
    for (double v : {doc->m_partErr[1000], doc->m_angleErr[1000], doc->m_spindleErr[1000], doc->m_eccCos[5],
                     doc->m_work[0][5], doc->m_work[1000][0]})
        EXPECT_EQ(v, sentinel);
}

TEST(SeparateErrors, RefusesWhatCannotBeEvaluated)
{
    struct Case {
        const char* name;
        void (*setUp)(SyntheticModel&, CQuorvelwDoc&);
        SeparationCode code;
        std::string message;
    };
    const std::string range = "Can't evaluate the measurement: its trace count, sample count or unit is out of range";
    const std::string uncovered = "Can't evaluate the measurement: some samples lie in no trace's window";
    const std::string notFinite = "Can't evaluate the measurement: the results are not finite numbers";
    const Case cases[] = {
        {"T = 0", [](SyntheticModel&, CQuorvelwDoc& d) { d.m_nTraces = 0; }, SeparationCode::SettingsOutOfRange, range},
        {"T = 37", [](SyntheticModel&, CQuorvelwDoc& d) { d.m_nTraces = 37; }, SeparationCode::SettingsOutOfRange, range},
        {"N = 0", [](SyntheticModel&, CQuorvelwDoc& d) { d.m_nPoints = 0; }, SeparationCode::SettingsOutOfRange, range},
        {"N = 7201", [](SyntheticModel&, CQuorvelwDoc& d) { d.m_nPoints = 7201; }, SeparationCode::SettingsOutOfRange, range},
        {"unit 2", [](SyntheticModel&, CQuorvelwDoc& d) { d.m_nUnit = 2; }, SeparationCode::SettingsOutOfRange, range},
        {"trace 4 flat",
         [](SyntheticModel& m, CQuorvelwDoc& d) {
             for (int j = 0; j < m.points; ++j)
                 d.m_raw[j][3] = 0.5;
         },
         SeparationCode::NoEccentricity, "Can't evaluate the measurement: trace 4 has no eccentricity"},
        {"T = 1", [](SyntheticModel& m, CQuorvelwDoc& d) { m.traces = 1; SynthesizeTraces(m, d); },
         SeparationCode::UncoveredSamples, uncovered},
        {"T = 2", [](SyntheticModel& m, CQuorvelwDoc& d) { m.traces = 2; SynthesizeTraces(m, d); },
         SeparationCode::UncoveredSamples, uncovered},
        {"eccentricity not turning",
         [](SyntheticModel& m, CQuorvelwDoc& d) {
             for (int t = 1; t < m.traces; ++t)
                 for (int j = 0; j < m.points; ++j)
                     d.m_raw[j][t] = d.m_raw[j][0];
         },
         SeparationCode::UncoveredSamples, uncovered},
        {"NaN sample", [](SyntheticModel&, CQuorvelwDoc& d) { d.m_raw[17][2] = std::nan(""); },
         SeparationCode::NotFinite, notFinite},
        {"infinite sample",
         [](SyntheticModel&, CQuorvelwDoc& d) { d.m_raw[0][0] = -std::numeric_limits<double>::infinity(); },
         SeparationCode::NotFinite, notFinite},
        {"overflowing samples",
         [](SyntheticModel& m, CQuorvelwDoc& d) {
             for (int t = 0; t < m.traces; ++t)
                 for (int j = 0; j < m.points; ++j)
                     d.m_raw[j][t] *= 1e306;
         },
         SeparationCode::NotFinite, notFinite},
    };
    for (const Case& c : cases) {
        SyntheticModel m = RealisticModel(720, 8);
        auto doc = NewDoc();
        ASSERT_TRUE(SynthesizeTraces(m, *doc));
        c.setUp(m, *doc);
        const SeparationStatus status = doc->SeparateErrors();
        EXPECT_EQ(status.code, c.code) << c.name;
        EXPECT_EQ(SeparationMessage(status), c.message) << c.name;
        // Whatever was written holds numbers, never NaN or infinity.
        for (int j = 0; j < 720; ++j) {
            ASSERT_TRUE(std::isfinite(doc->m_angleErr[j]) || c.code == SeparationCode::UncoveredSamples) << c.name;
            ASSERT_TRUE(std::isfinite(doc->m_partErr[j])) << c.name;
        }
    }
    EXPECT_EQ(SeparationMessage({}), "");
}

}  // namespace
