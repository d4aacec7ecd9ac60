// Raw traces that follow the measurement model of the error separation, for tests, benchmarks
// and example data. Trace t is taken with the part turned by t*(N/T) samples; sample j of
// trace t, with theta = (j+1)*2*pi/N, turn = t*(N/T)*2*pi/N and u = theta + angle(theta), is
//   ecc*cos(u - eccPhase - turn) + offset + part(u - turn) + spindle(theta) + noise.
#pragma once

#include <cstdint>
#include <vector>

class CQuorvelwDoc;

struct Harmonic {
    int order = 1;
    double amplitude = 0.0;  // inch for lengths, radians for the angle error
    double phase = 0.0;      // radians: amplitude * cos(order*x + phase)
};

double EvalHarmonics(const std::vector<Harmonic>& terms, double x);

struct SyntheticModel {
    int points = 3600;            // N
    int traces = 8;               // T
    int unit = 0;                 // 0 inch, 1 millimetre (the traces are then 25.4 times larger)
    double eccentricity = 0.002;  // inch
    double eccPhase = 0.3;        // radians
    double offset = 0.0;          // inch, added to every sample
    std::vector<Harmonic> angle;    // grating angle error, radians
    std::vector<Harmonic> part;     // form error of the part, inch
    std::vector<Harmonic> spindle;  // spindle error, inch
    double noise = 0.0;             // standard deviation of Gaussian noise, inch
    std::uint64_t seed = 1;
};

// A model with a few arcseconds of angle error and some microinches of form and spindle error.
SyntheticModel RealisticModel(int points, int traces);

// Fills m_raw (T columns of N samples), m_nPoints, m_nTraces and m_nUnit of doc.
// Returns false (doc unchanged) when N, T or the unit is out of range.
bool SynthesizeTraces(const SyntheticModel& model, CQuorvelwDoc& doc);
