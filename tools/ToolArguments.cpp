#include "ToolArguments.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const char* const GENERAL_HELP =
    "Usage: quorvel SUBCOMMAND INPUT [OPTIONS]\n"
    "\n"
    "The calibration of a rotary grating without a display: the desktop program's load, error\n"
    "separation, reports, document file and compensation file, driven from arguments.\n"
    "\n"
    "Subcommands:\n"
    "  analyze INPUT [--json FILE|-]           print the text report, or all results as JSON\n"
    "  report INPUT --pdf OUT.pdf              write the plot and/or text report as PDF\n"
    "  compensate INPUT -o OUT                 write the compensation file\n"
    "  save INPUT -o DOC.qvl                   write the measurement as a document file\n"
    "  export INPUT --csv OUT.csv              write the error curves per sample as CSV\n"
    "  synth --out DIR                         write a synthetic raw trace set\n"
    "\n"
    "INPUT is a document file (\".qvl\") or the first raw trace file of a set; the other files\n"
    "are named by the angle rule: the three characters before the last four become the angle\n"
    "of the trace, (360 / T) * i degrees (ang000.dat, ang045.dat, ... ang315.dat for 8 traces).\n"
    "\n"
    "Exit status: 0 done; 1 failed: the program's messages on standard error, one per line,\n"
    "and nothing written; 2 usage error.\n"
    "\n"
    "  quorvel SUBCOMMAND --help    the options of one subcommand\n"
    "  quorvel --version            the program's version\n";

const char* const INPUT_OPTIONS =
    "\n"
    "Input options (what the Load Raw Data and gage dialogs would be given):\n"
    "  --traces T       raw traces: the number of traces, 1 to 36 (default 8)\n"
    "  --unit inch|mm   raw traces: the unit of the samples (default inch)\n"
    "  --gage TEXT      the gage text the reports print (default: \"7310QK SN0123456789XYZ\"\n"
    "                   for raw traces, the stored text for a document)\n"
    "  --grating TEXT   the grating text (default: \"SN0123456789XYZ\" or the stored text)\n";

const char* const ANALYZE_HELP =
    "Usage: quorvel analyze INPUT [--json FILE|-] [input options]\n"
    "\n"
    "Loads INPUT and separates its errors. Without --json, prints the text report's six areas\n"
    "(title, subtitle, upper-left, upper-right, lower-left, lower-right), each followed by an\n"
    "empty line. With --json, writes one JSON object to FILE (\"-\": standard output): the\n"
    "document's fields without their m_ prefix (strDataFile, strDate, strGageInfo,\n"
    "strGratingInfo, nUnit, nPoints, nTraces, bDataLoaded; eccCos, eccSin, traceMean per trace;\n"
    "partErr, spindleErr, angleErr, angleErrRaw per sample; angleCos, angleSin, spindleCos,\n"
    "spindleSin, partCos, partSin per order 0 to 99; angleMax, angleMin, spindleMax, spindleMin,\n"
    "partMax, partMin), textReport (title, subtitle, upperLeft, upperRight, lowerLeft,\n"
    "lowerRight) and plotCaptions (top to bottom). Lengths in inch, angles in radians, numbers\n"
    "in the shortest form that reads back to the same double.\n";

const char* const REPORT_HELP =
    "Usage: quorvel report INPUT --pdf OUT.pdf [--kind plot|text|both] [--paper a4|letter]\n"
    "                      [input options]\n"
    "\n"
    "Writes the reports as printed, one page each, portrait with 5 mm margins.\n"
    "  --kind plot|text|both   plot report (default), text report, or both: plot, then text\n"
    "  --paper a4|letter       paper size (default a4)\n";

const char* const COMPENSATE_HELP =
    "Usage: quorvel compensate INPUT -o OUT [input options]\n"
    "\n"
    "Writes the compensation file as Create Quorvel does: the negated angle error of every\n"
    "sample in radians, single precision, in the packed record format of the trace files.\n"
    "Prints \"Quorvel file successfully created!\".\n";

const char* const SAVE_HELP =
    "Usage: quorvel save INPUT -o DOC.qvl [input options]\n"
    "\n"
    "Writes the measurement as a document file, as Save does: the data file, date, gage and\n"
    "grating texts, unit, sample count, trace count, loaded flag and the raw samples.\n";

const char* const EXPORT_HELP =
    "Usage: quorvel export INPUT --csv OUT.csv [input options]\n"
    "\n"
    "Writes one row per sample, after a header row: sample index j (from 0), its angle\n"
    "(j+1)*360/N in degrees, part and spindle error in microinches, angle error in microradians\n"
    "and in arcseconds: the smoothed curves the plot report shows.\n";

const char* const SYNTH_HELP =
    "Usage: quorvel synth --out DIR [--points N] [--traces T] [--unit inch|mm] [--seed S]\n"
    "                     [--noise SIGMA]\n"
    "\n"
    "Writes a raw trace set that follows the measurement model of the error separation:\n"
    "eccentricity turning with the part, a part form error, a spindle error and a grating\n"
    "angle error of a few arcseconds, plus Gaussian noise. The files are DIR/ang000.dat and\n"
    "the others named by the angle rule; DIR is created when missing. Prints the error curves\n"
    "put in, so that `quorvel analyze DIR/ang000.dat --traces T --unit U` can be seen to give\n"
    "them back.\n"
    "  --points N      samples per trace, 1 to 7200 (default 3600)\n"
    "  --traces T      traces, 1 to 36 (default 8)\n"
    "  --unit inch|mm  unit of the samples written (default inch)\n"
    "  --seed S        seed of the noise, 0 to 18446744073709551615 (default 1)\n"
    "  --noise SIGMA   standard deviation of the noise in inch (default 0)\n";

bool ParseInt(const std::string& text, std::int32_t& value)
{
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < INT32_MIN || v > INT32_MAX)
        return false;
    value = static_cast<std::int32_t>(v);
    return true;
}

bool ParseSeed(const std::string& text, std::uint64_t& value)
{
    if (text.empty() || text[0] < '0' || text[0] > '9')
        return false;
    errno = 0;
    char* end = nullptr;
    const unsigned long long v = std::strtoull(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0')
        return false;
    value = v;
    return true;
}

bool ParseNoise(const std::string& text, double& value)
{
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(v) || v < 0.0)
        return false;
    value = v;
    return true;
}

bool ParseUnit(const std::string& text, std::int32_t& unit)
{
    if (text == "inch")
        unit = 0;
    else if (text == "mm")
        unit = 1;
    else
        return false;
    return true;
}

Subcommand SubcommandNamed(const std::string& name)
{
    for (Subcommand c : {Subcommand::Analyze, Subcommand::Report, Subcommand::Compensate, Subcommand::Save,
                         Subcommand::Export, Subcommand::Synth}) {
        if (name == SubcommandName(c))
            return c;
    }
    return Subcommand::None;
}

std::string HelpOf(Subcommand c)
{
    switch (c) {
    case Subcommand::Analyze:
        return std::string(ANALYZE_HELP) + INPUT_OPTIONS;
    case Subcommand::Report:
        return std::string(REPORT_HELP) + INPUT_OPTIONS;
    case Subcommand::Compensate:
        return std::string(COMPENSATE_HELP) + INPUT_OPTIONS;
    case Subcommand::Save:
        return std::string(SAVE_HELP) + INPUT_OPTIONS;
    case Subcommand::Export:
        return std::string(EXPORT_HELP) + INPUT_OPTIONS;
    case Subcommand::Synth:
        return SYNTH_HELP;
    case Subcommand::None:
        break;
    }
    return GENERAL_HELP;
}

// The option that names a subcommand's output file.
std::string OutputOption(Subcommand c)
{
    switch (c) {
    case Subcommand::Analyze:
        return "--json";
    case Subcommand::Report:
        return "--pdf";
    case Subcommand::Compensate:
    case Subcommand::Save:
        return "-o";
    case Subcommand::Export:
        return "--csv";
    case Subcommand::Synth:
    case Subcommand::None:
        break;
    }
    return {};
}

bool TakesOption(Subcommand c, const std::string& name)
{
    if (c == Subcommand::Synth) {
        for (const char* o : {"--out", "--points", "--traces", "--unit", "--seed", "--noise"}) {
            if (name == o)
                return true;
        }
        return false;
    }
    for (const char* o : {"--traces", "--unit", "--gage", "--grating"}) {
        if (name == o)
            return true;
    }
    return name == OutputOption(c) || (c == Subcommand::Report && (name == "--kind" || name == "--paper"));
}

// Stores the value of an option the subcommand takes; the reason when the value is not one.
std::string ApplyOption(ToolArguments& a, const std::string& name, const std::string& value)
{
    const auto bad = [&](const char* what) { return "invalid " + name + " '" + value + "': " + what; };
    if (a.command == Subcommand::Synth) {
        if (name == "--out") {
            if (value.empty())
                return bad("a folder is needed");
            a.outDir = value;
        } else if (name == "--points") {
            if (!ParseInt(value, a.points) || a.points < 1 || a.points > 7200)
                return bad("a whole number from 1 to 7200 is needed");
        } else if (name == "--traces") {
            if (!ParseInt(value, a.synthTraces) || a.synthTraces < 1 || a.synthTraces > 36)
                return bad("a whole number from 1 to 36 is needed");
        } else if (name == "--unit") {
            if (!ParseUnit(value, a.synthUnit))
                return bad("inch or mm is needed");
        } else if (name == "--seed") {
            if (!ParseSeed(value, a.seed))
                return bad("a whole number from 0 to 18446744073709551615 is needed");
        } else if (name == "--noise") {
            if (!ParseNoise(value, a.noise))
                return bad("a number of inches, 0 or more, is needed");
        }
        return {};
    }
    if (name == "--traces") {
        if (!ParseInt(value, a.traces))
            return bad("a whole number is needed");
        a.loadOptionsGiven = true;
    } else if (name == "--unit") {
        if (!ParseUnit(value, a.unit))
            return bad("inch or mm is needed");
        a.loadOptionsGiven = true;
    } else if (name == "--gage") {
        a.gage = value;
    } else if (name == "--grating") {
        a.grating = value;
    } else if (name == "--kind") {
        if (value == "plot")
            a.pages = PdfPages::Plot;
        else if (value == "text")
            a.pages = PdfPages::Text;
        else if (value == "both")
            a.pages = PdfPages::Both;
        else
            return bad("plot, text or both is needed");
    } else if (name == "--paper") {
        if (value == "a4")
            a.paper = PdfPaper::A4;
        else if (value == "letter")
            a.paper = PdfPaper::Letter;
        else
            return bad("a4 or letter is needed");
    } else {  // the output file
        if (value.empty())
            return bad("a file name is needed");
        a.output = value;
    }
    return {};
}

// What is missing or contradictory once every argument was read.
std::string Check(const ToolArguments& a, const std::vector<std::string>& positional)
{
    if (a.command == Subcommand::Synth) {
        if (!positional.empty())
            return "unexpected argument '" + positional.front() + "'";
        if (a.outDir.empty())
            return "--out DIR is required";
        return {};
    }
    if (positional.empty())
        return "INPUT is required";
    if (positional.size() > 1)
        return "only one INPUT can be given, not also '" + positional[1] + "'";
    if (a.command != Subcommand::Analyze && a.output.empty())
        return OutputOption(a.command) + " is required";
    if (a.loadOptionsGiven && IsDocumentInput(positional.front()))
        return "--traces and --unit apply to raw trace files, not to a document";
    return {};
}

// Reads the arguments after the subcommand; the reason of a usage error, or empty.
std::string ParseSubcommandArguments(const std::vector<std::string>& args, ParsedCommandLine& result)
{
    ToolArguments& a = result.args;
    std::vector<std::string> positional;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            result.exitCode = 0;
            result.text = HelpOf(a.command);
            return {};
        }
        std::string name = arg;
        std::string value;
        const std::size_t eq = arg.find('=');
        const bool inlineValue = arg.compare(0, 2, "--") == 0 && eq != std::string::npos;
        if (inlineValue) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
        }
        if (!TakesOption(a.command, name))
            return "unknown option '" + name + "'";
        if (!inlineValue) {
            if (i + 1 >= args.size())
                return name + " needs a value";
            value = args[++i];
        }
        const std::string why = ApplyOption(a, name, value);
        if (!why.empty())
            return why;
    }
    const std::string why = Check(a, positional);
    if (why.empty() && !positional.empty())
        a.input = positional.front();
    return why;
}

}  // namespace

bool IsDocumentInput(const std::string& input)
{
    if (input.size() < 4)
        return false;
    std::string ext = input.substr(input.size() - 4);
    for (char& ch : ext) {
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
    }
    return ext == ".qvl";
}

const char* SubcommandName(Subcommand command)
{
    switch (command) {
    case Subcommand::Analyze:
        return "analyze";
    case Subcommand::Report:
        return "report";
    case Subcommand::Compensate:
        return "compensate";
    case Subcommand::Save:
        return "save";
    case Subcommand::Export:
        return "export";
    case Subcommand::Synth:
        return "synth";
    case Subcommand::None:
        break;
    }
    return "";
}

ParsedCommandLine ParseToolArguments(int argc, const char* const* argv)
{
    ParsedCommandLine result;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto usage = [&result](const std::string& prefix, const std::string& why, const std::string& help) {
        result.exitCode = 2;
        result.text = prefix + why + "\nTry '" + help + "'.\n";
        return result;
    };
    if (args.empty())
        return usage("quorvel: ", "a subcommand is required", "quorvel --help");
    const std::string& first = args.front();
    if (first == "--help" || first == "-h") {
        result.exitCode = 0;
        result.text = HelpOf(Subcommand::None);
        return result;
    }
    if (first == "--version") {
        result.exitCode = 0;
        result.text = std::string("quorvel ") + QUORVEL_VERSION + "\n";
        return result;
    }
    result.args.command = SubcommandNamed(first);
    if (result.args.command == Subcommand::None)
        return usage("quorvel: ", "unknown subcommand '" + first + "'", "quorvel --help");
    const std::string why = ParseSubcommandArguments(args, result);
    if (!why.empty())
        return usage("quorvel " + first + ": ", why, "quorvel " + first + " --help");
    return result;
}
