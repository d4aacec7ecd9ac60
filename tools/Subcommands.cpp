#include "Subcommands.h"

#include "CliOperator.h"
#include "CsvExport.h"
#include "DocumentCommands.h"
#include "DocumentFramework.h"
#include "JsonReport.h"
#include "Measurement.h"
#include "OutputFile.h"
#include "QuorvelwDoc.h"
#include "ReportRendering.h"
#include "Synth.h"
#include "ToolArguments.h"

#include <QGuiApplication>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

void PrintLines(std::FILE* to, const std::vector<std::string>& lines)
{
    for (const std::string& line : lines)
        std::fprintf(to, "%s\n", line.c_str());
    std::fflush(to);
}

int Failed(const std::vector<std::string>& messages)
{
    PrintLines(stderr, messages);
    return EXIT_FAILED;
}

int Failed(const std::string& message)
{
    return Failed(std::vector<std::string>{message});
}

// Standard error carries the operator's messages, one per line: Qt's own notes (a missing
// XDG_RUNTIME_DIR, say) would read as messages. Only its critical errors get through.
void QtCriticalOnly(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

bool HasMeasurement(const CQuorvelwDoc& doc)
{
    return doc.m_bDataLoaded == 1;
}

int Analyze(const CQuorvelwDoc& doc, const ToolArguments& args)
{
    if (!HasMeasurement(doc))
        return Failed("No measurement is loaded.");
    if (args.output.empty()) {
        if (!WriteStandardOutput(TextReportListing(doc)))
            return Failed("Can't write to the standard output");
        return EXIT_DONE;
    }
    if (!WriteOutput(args.output, MeasurementJson(doc)))
        return Failed(args.output == "-" ? std::string("Can't write to the standard output")
                                         : "Can't write the file " + args.output);
    return EXIT_DONE;
}

// Fonts and PDF need a Qt application; a batch run needs no display for it.
int Report(const CQuorvelwDoc& doc, const ToolArguments& args)
{
    if (!HasMeasurement(doc))
        return Failed("No measurement is loaded. PDF file not created!");
    const auto unset = [](const char* name) {
        const char* v = std::getenv(name);
        return !v || !*v;
    };
    if (unset("QT_QPA_PLATFORM") && unset("DISPLAY") && unset("WAYLAND_DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(QtCriticalOnly);
    static int qtArgc = 1;
    static char qtName[] = "quorvel";
    static char* qtArgv[] = {qtName, nullptr};
    QGuiApplication app(qtArgc, qtArgv);

    std::vector<ReportKind> pages;
    if (args.pages != PdfPages::Text)
        pages.push_back(ReportKind::Plot);
    if (args.pages != PdfPages::Plot)
        pages.push_back(ReportKind::Text);
    const RenderResult result =
        WriteReportPdf(args.output, doc, pages, args.paper == PdfPaper::Letter ? PaperSize::Letter : PaperSize::A4);
    if (!result.ok)
        return Failed(result.message);
    return EXIT_DONE;
}

int Compensate(CQuorvelwDoc& doc, CliOperator& op)
{
    const bool created = OnCreateCompensation(doc, op);
    const std::vector<std::string>& said = op.Messages();
    if (created) {
        PrintLines(stdout, said);  // "Quorvel file successfully created!"
        return EXIT_DONE;
    }
    return Failed(said.empty() ? std::vector<std::string>{"Quorvel file not created!"} : said);
}

int Save(CQuorvelwDoc& doc, CliOperator& op, const ToolArguments& args)
{
    if (!OnSaveDocument(doc, op, args.output))
        return Failed(op.Messages());
    return EXIT_DONE;
}

int Export(const CQuorvelwDoc& doc, const ToolArguments& args)
{
    if (!HasMeasurement(doc))
        return Failed("No measurement is loaded. CSV file not created!");
    if (!WriteOutput(args.output, ErrorCurvesCsv(doc)))
        return Failed("Can't write the file " + args.output);
    return EXIT_DONE;
}

int Synth(const ToolArguments& args)
{
    const SynthResult result = WriteSyntheticSet(args);
    if (!result.ok)
        return Failed(result.messages);
    WriteStandardOutput(result.listing);
    return EXIT_DONE;
}

}  // namespace

int RunSubcommand(const ToolArguments& args)
{
    if (args.command == Subcommand::Synth)
        return Synth(args);
    if (args.command == Subcommand::None)
        return EXIT_USAGE;

    const std::unique_ptr<CQuorvelwDoc> doc = std::make_unique<CQuorvelwDoc>();
    CliOperator op(args);
    if (!LoadInput(*doc, op, args))
        return Failed(op.Messages());

    switch (args.command) {
    case Subcommand::Analyze:
        return Analyze(*doc, args);
    case Subcommand::Report:
        return Report(*doc, args);
    case Subcommand::Compensate:
        return Compensate(*doc, op);
    case Subcommand::Save:
        return Save(*doc, op, args);
    case Subcommand::Export:
        return Export(*doc, args);
    case Subcommand::Synth:
    case Subcommand::None:
        break;
    }
    return EXIT_USAGE;
}
