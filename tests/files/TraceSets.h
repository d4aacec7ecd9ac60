// Trace sets on disk for the load tests: realistic enough for the error separation to succeed
// (eccentricity and part form turn with the part, the spindle error stays).
#pragma once

#include <string>
#include <vector>

// Sample j of trace t of a set of `traces` traces of n samples, inch.
double FixtureSample(int j, int t, int n, int traces);

// The values of one trace as stored in its file (rounded to single precision).
std::vector<double> FixtureTrace(int t, int n, int traces);

// Writes the `traces` files of the set whose first file is firstFile, n samples each (files
// listed in shortFiles as {trace, count} get fewer). Returns the file names in trace order.
std::vector<std::string> WriteTraceSet(const std::string& firstFile, int traces, int n,
                                       const std::vector<std::pair<int, int>>& shortFiles = {});
