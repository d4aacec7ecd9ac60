// The error curves of a measurement, one row per sample.
#pragma once

#include <string>

class CQuorvelwDoc;

// Header row, then for each sample j < N: j, its angle (j+1)*360/N in degrees, part and
// spindle error in microinches, angle error in microradians and arcseconds. The factors are
// the reports' own, so the numbers are those the plot is drawn from.
std::string ErrorCurvesCsv(const CQuorvelwDoc& doc);
