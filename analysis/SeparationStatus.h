// Whether a measurement could be evaluated, and if not, why.
#pragma once

#include <string>

enum class SeparationCode {
    Ok,
    SettingsOutOfRange,  // T, N or the unit outside 1..36, 1..7200, 0..1
    NoEccentricity,      // a trace whose first-order cosine and sine are both 0
    UncoveredSamples,    // a sample in no trace's window of the angle-error estimation
    NotFinite,           // NaN or infinity in the samples or the results
};

struct SeparationStatus {
    SeparationCode code = SeparationCode::Ok;
    int trace = -1;  // for NoEccentricity: the trace, counted from 0

    bool ok() const { return code == SeparationCode::Ok; }
};

// The text the operator is shown for a refusal; empty for Ok.
std::string SeparationMessage(const SeparationStatus& status);
