#include "SyntheticMeasurement.h"

#include "QuorvelwDoc.h"

#include <cmath>
#include <random>

double EvalHarmonics(const std::vector<Harmonic>& terms, double x)
{
    double sum = 0.0;
    for (const Harmonic& h : terms)
        sum += h.amplitude * std::cos(h.order * x + h.phase);
    return sum;
}

SyntheticModel RealisticModel(int points, int traces)
{
    SyntheticModel m;
    m.points = points;
    m.traces = traces;
    m.angle = {{1, 2.0e-6, -1.0}, {2, 1.0e-6, 0.2}, {3, 5.0e-6, 0.4}, {7, 3.0e-6, -1.5707963267948966}};
    m.part = {{2, 20.0e-6, 0.7}, {5, 8.0e-6, -1.5707963267948966}};
    m.spindle = {{4, 6.0e-6, 0.0}, {9, 4.0e-6, -1.0707963267948966}};
    return m;
}

bool SynthesizeTraces(const SyntheticModel& model, CQuorvelwDoc& doc)
{
    const int n = model.points;
    const int nt = model.traces;
    if (n < 1 || n > MAX_POINTS || nt < 1 || nt > MAX_TRACES || (model.unit != 0 && model.unit != 1))
        return false;
    const double twoPi = 4.0 * std::asin(1.0);
    const double scale = model.unit == 1 ? 25.4 : 1.0;
    // Box-Muller on a fully specified engine, so a seed gives the same traces everywhere.
    std::mt19937_64 engine(model.seed);
    auto uniform = [&engine] { return (static_cast<double>(engine() >> 11) + 0.5) * 0x1.0p-53; };
    auto gaussian = [&] { return std::sqrt(-2.0 * std::log(uniform())) * std::cos(twoPi * uniform()); };

    const int step = n / nt;
    for (int t = 0; t < nt; ++t) {
        const double turn = static_cast<double>(t * step) * twoPi / n;
        for (int j = 0; j < n; ++j) {
            const double theta = (j + 1) * twoPi / n;
            const double u = theta + EvalHarmonics(model.angle, theta);
            double v = model.eccentricity * std::cos(u - model.eccPhase - turn) + model.offset +
                       EvalHarmonics(model.part, u - turn) + EvalHarmonics(model.spindle, theta);
            if (model.noise > 0.0)
                v += model.noise * gaussian();
            doc.m_raw[j][t] = v * scale;
        }
    }
    doc.m_nPoints = n;
    doc.m_nTraces = nt;
    doc.m_nUnit = model.unit;
    return true;
}
