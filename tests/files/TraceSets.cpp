#include "TraceSets.h"

#include "LoadSequence.h"
#include "TraceFile.h"

#include <cmath>
#include <stdexcept>

double FixtureSample(int j, int t, int n, int traces)
{
    const double pi = 3.14159265358979323846;
    const double theta = (j + 1) * 2 * pi / n;
    const double turn = t * 2 * pi / traces;
    return 0.002 * std::cos(theta - 0.3 - turn)            // eccentricity
           + 1.2e-5 * std::cos(3 * (theta - turn) + 0.4)    // part form
           + 4.0e-6 * std::sin(5 * theta + 0.1)             // spindle
           + 1.0e-6 * std::cos(2 * theta + 0.1 * t) + 1.5e-4;
}

std::vector<double> FixtureTrace(int t, int n, int traces)
{
    std::vector<double> v(static_cast<std::size_t>(n));
    for (int j = 0; j < n; ++j)
        v[j] = static_cast<float>(FixtureSample(j, t, n, traces));
    return v;
}

std::vector<std::string> WriteTraceSet(const std::string& firstFile, int traces, int n,
                                       const std::vector<std::pair<int, int>>& shortFiles)
{
    std::vector<std::string> names;
    for (int t = 0; t < traces; ++t) {
        int count = n;
        for (const auto& [trace, c] : shortFiles) {
            if (trace == t)
                count = c;
        }
        const std::vector<double> v = FixtureTrace(t, n, traces);
        names.push_back(TraceFileName(firstFile, (360 / traces) * t));
        if (WriteTraceFile(names.back(), v.data(), count, 1) != 1)
            throw std::runtime_error("cannot write fixture " + names.back());
    }
    return names;
}
