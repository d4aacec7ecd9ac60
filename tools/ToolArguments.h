// The quorvel command line: one subcommand, its INPUT and its options, or why not.
#pragma once

#include "Operator.h"

#include <cstdint>
#include <optional>
#include <string>

enum class Subcommand { None, Analyze, Report, Compensate, Save, Export, Synth };

enum class PdfPages { Plot, Text, Both };
enum class PdfPaper { A4, Letter };

struct ToolArguments {
    Subcommand command = Subcommand::None;

    // INPUT: a ".qvl" document, or the first raw trace file exactly as the dialog would hold it.
    std::string input;
    // The Load Raw Data dialog's trace count and unit; any integer is passed on, so that the
    // load itself refuses a count it cannot hold, as it does for the dialog.
    std::int32_t traces = DEFAULT_TRACE_COUNT;
    std::int32_t unit = 0;  // 0 inch, 1 millimetre
    bool loadOptionsGiven = false;
    // The gage dialog's texts; unset keeps what the load or the document holds.
    std::optional<std::string> gage;
    std::optional<std::string> grating;

    // The file each subcommand writes: --json (analyze; "-" is standard output), --pdf,
    // -o (compensate, save), --csv (export). Empty: none given.
    std::string output;

    PdfPages pages = PdfPages::Plot;
    PdfPaper paper = PdfPaper::A4;

    // synth
    std::string outDir;
    std::int32_t points = 3600;
    std::int32_t synthTraces = 8;
    std::int32_t synthUnit = 0;
    std::uint64_t seed = 1;
    double noise = 0.0;  // inch
};

struct ParsedCommandLine {
    ToolArguments args;
    // -1: run args. Otherwise exit with this status after printing text (standard output for
    // 0: help and version; standard error for 2: a usage error).
    int exitCode = -1;
    std::string text;
};

ParsedCommandLine ParseToolArguments(int argc, const char* const* argv);

const char* SubcommandName(Subcommand command);

// Whether INPUT names a document file (".qvl", in any case) rather than a raw trace file.
bool IsDocumentInput(const std::string& input);
