#include "Synth.h"

#include "JsonText.h"
#include "LoadSequence.h"
#include "QuorvelwDoc.h"
#include "SyntheticMeasurement.h"
#include "ToolArguments.h"
#include "TraceFile.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr double MICRO = 1000000.0;
constexpr double REPORT_DEG_PER_RAD = 57.295780490442965;  // the text report's phase factor

// The text report shows amplitude * cos(order*x + phase) as COS = a*cos(phase),
// SIN = -a*sin(phase), so its phase column reads -phase.
double ReportPhase(double phase)
{
    double deg = std::fmod(-phase * REPORT_DEG_PER_RAD, 360.0);
    if (deg < 0.0)
        deg += 360.0;
    return deg == 0.0 ? 0.0 : deg;  // no "-0.00"
}

void ListHarmonics(std::string& out, const char* curve, const std::vector<Harmonic>& terms, const char* unit,
                   const char* reportUnit)
{
    for (const Harmonic& h : terms) {
        char line[256];
        std::snprintf(line, sizeof line, "  %-14s %5d  %-12s %-5s %-20s %8.2f %-5s %7.2f\n", curve, h.order,
                      ShortestText(h.amplitude).c_str(), unit, ShortestText(h.phase).c_str(),
                      h.amplitude * MICRO, reportUnit, ReportPhase(h.phase));
        out += line;
    }
}

std::string Listing(const SyntheticModel& m, const std::vector<std::string>& files, const std::string& firstFile)
{
    const char* unitName = m.unit == 0 ? "inch" : "mm";
    std::string out;
    char line[512];
    std::snprintf(line, sizeof line, "Wrote %d raw trace files of %d samples in %s (noise %s inch, seed %llu):\n",
                  m.traces, m.points, unitName, ShortestText(m.noise).c_str(),
                  static_cast<unsigned long long>(m.seed));
    out += line;
    for (const std::string& f : files)
        out += "  " + f + "\n";
    out += "Analyse them with: quorvel analyze " + firstFile + " --traces " + std::to_string(m.traces) +
           " --unit " + unitName + "\n\n";

    out += "Error curves put in, each the sum of amplitude * cos(order * theta + phase) over its\n"
           "orders, theta being the angle of the sample, (j+1)*360/N degrees. Lengths in inch";
    out += m.unit == 1 ? " (the samples are written in mm, 25.4 times larger)" : "";
    out += ".\nThe text report shows each order with Amp = amplitude * 1e6 and Phase = -phase in\n"
           "degrees, 0 to 360:\n";
    out += "  curve          order  amplitude    unit  phase (rad)               Amp         Phase\n";
    ListHarmonics(out, "angle error", m.angle, "rad", "urad");
    ListHarmonics(out, "part error", m.part, "inch", "uin");
    ListHarmonics(out, "spindle error", m.spindle, "inch", "uin");

    const double pi = 2.0 * std::asin(1.0);
    double first = std::fmod(m.eccPhase * 180.0 / pi, 360.0);
    if (first < 0.0)
        first += 360.0;
    std::snprintf(line, sizeof line,
                  "  eccentricity   %s inch, trace 1 at %.2f degrees (\"First Angle of Eccentricity\"),\n"
                  "                 each further trace turned by N/T samples with the part\n",
                  ShortestText(m.eccentricity).c_str(), first);
    out += line;
    if (m.offset != 0.0)
        out += "  offset         " + ShortestText(m.offset) + " inch on every sample\n";
    return out;
}

void RemoveAll(const std::vector<std::string>& paths)
{
    std::error_code ec;
    for (const std::string& p : paths)
        fs::remove(p, ec);
}

}  // namespace

SynthResult WriteSyntheticSet(const ToolArguments& args)
{
    SynthResult result;
    SyntheticModel model = RealisticModel(args.points, args.synthTraces);
    model.unit = args.synthUnit;
    model.noise = args.noise;
    model.seed = args.seed;

    const std::unique_ptr<CQuorvelwDoc> doc = std::make_unique<CQuorvelwDoc>();
    if (!SynthesizeTraces(model, *doc)) {
        result.messages.push_back("Can't make traces of " + std::to_string(model.points) + " samples and " +
                                  std::to_string(model.traces) + " traces");
        return result;
    }

    std::error_code ec;
    const bool dirExisted = fs::exists(args.outDir, ec);
    if (!dirExisted && !fs::create_directories(args.outDir, ec)) {
        result.messages.push_back("Can't create the folder " + args.outDir);
        return result;
    }
    if (!fs::is_directory(args.outDir, ec)) {
        result.messages.push_back("Can't write into " + args.outDir + ": it is not a folder");
        return result;
    }
    const auto fail = [&](const std::string& message, const std::vector<std::string>& temporaries) {
        RemoveAll(temporaries);
        if (!dirExisted) {
            std::error_code ignored;
            fs::remove(args.outDir, ignored);  // only when still empty
        }
        result.messages.push_back(message);
        return result;
    };

    const std::string firstFile = (fs::path(args.outDir) / "ang000.dat").string();
    const int step = 360 / model.traces;
    std::vector<std::string> names;
    std::vector<std::string> temporaries;
    std::vector<double> column(static_cast<std::size_t>(model.points));
    for (int t = 0; t < model.traces; ++t) {
        const std::string name = TraceFileName(firstFile, step * t);
        const std::string temporary = name + ".quorvel-synth";
        for (int j = 0; j < model.points; ++j)
            column[static_cast<std::size_t>(j)] = doc->m_raw[j][t];
        if (WriteTraceFile(temporary, column.data(), model.points, 1) != 1)
            return fail("Can't write the trace file " + name, temporaries);
        names.push_back(name);
        temporaries.push_back(temporary);
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        fs::rename(temporaries[i], names[i], ec);
        if (ec) {
            // A set of which only some files are new would analyse as a wrong measurement.
            std::vector<std::string> written(names.begin(), names.begin() + static_cast<std::ptrdiff_t>(i));
            written.insert(written.end(), temporaries.begin() + static_cast<std::ptrdiff_t>(i), temporaries.end());
            return fail("Can't write the trace file " + names[i], written);
        }
    }
    result.ok = true;
    result.listing = Listing(model, names, firstFile);
    return result;
}
