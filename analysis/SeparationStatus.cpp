#include "SeparationStatus.h"

std::string SeparationMessage(const SeparationStatus& status)
{
    switch (status.code) {
    case SeparationCode::Ok:
        return {};
    case SeparationCode::SettingsOutOfRange:
        return "Can't evaluate the measurement: its trace count, sample count or unit is out of range";
    case SeparationCode::NoEccentricity:
        return "Can't evaluate the measurement: trace " + std::to_string(status.trace + 1) +
               " has no eccentricity";
    case SeparationCode::UncoveredSamples:
        return "Can't evaluate the measurement: some samples lie in no trace's window";
    case SeparationCode::NotFinite:
        return "Can't evaluate the measurement: the results are not finite numbers";
    }
    return {};
}
