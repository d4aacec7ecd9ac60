// Failures give the program's messages on standard error and status 1, usage errors status 2;
// neither writes anything.
#include "RunTool.h"

namespace fs = std::filesystem;

namespace {

struct OutputOf {
    std::vector<std::string> args;  // the subcommand, then its output option; INPUT goes between
};

// Every subcommand that writes a file, writing "out".
const OutputOf WRITERS[] = {
    {{"analyze", "--json", "out"}}, {{"report", "--pdf", "out"}}, {{"compensate", "-o", "out"}},
    {{"save", "-o", "out"}},        {{"export", "--csv", "out"}},
};

}  // namespace

TEST_F(ToolTest, FailedInputsGiveTheirMessagesAndStatusOneAndWriteNothing)
{
    CopyExampleTraces();
    fs::remove(work / "set/ang090.dat");
    const std::string document = ReadFileBytes(exampleQvl);
    WriteFileBytes(work / "cut.qvl", document.substr(0, document.size() - 100));  // in the samples
    WriteFileBytes(work / "head.qvl", document.substr(0, 30));                    // in the texts

    struct Case {
        const char* what;
        std::vector<std::string> input;
        std::string messages;
    };
    const Case cases[] = {
        {"a missing trace file", {"set/ang000.dat"}, "Can't open the input file set/ang090.dat\nCan't load data\n"},
        {"a trace count of 37",
         {exampleTraces, "--traces", "37"},
         "The number of traces must be between 1 and 36\nCan't load data\n"},
        {"a document cut in its samples", {"cut.qvl"}, "Unexpected file format.\n"},
        {"a document cut in its texts", {"head.qvl"}, "Unexpected file format.\n"},
        {"a missing document", {"none.qvl"}, "Failed to open document.\n"},
    };
    for (const Case& c : cases) {
        for (const OutputOf& w : WRITERS) {
            for (const bool existing : {false, true}) {
                SCOPED_TRACE(std::string(c.what) + ", " + w.args[0] + (existing ? ", over a file" : ""));
                if (existing)
                    WriteFileBytes(work / "out", "kept");
                const std::vector<std::string> before = Listing();
                std::vector<std::string> args = {w.args[0]};
                args.insert(args.end(), c.input.begin(), c.input.end());
                args.insert(args.end(), w.args.begin() + 1, w.args.end());
                const ToolRun run = Run(args);
                EXPECT_EQ(run.status, 1);
                EXPECT_EQ(run.err, c.messages);
                EXPECT_EQ(run.out, "");
                EXPECT_EQ(Listing(), before);
                if (existing) {
                    EXPECT_EQ(ReadFileBytes(work / "out"), "kept");
                    fs::remove(work / "out");
                }
            }
        }
    }
}

TEST_F(ToolTest, OutputsThatCannotBeWrittenFailWithoutLeavingAFile)
{
    fs::create_directories(work / "folder");
    struct Case {
        std::vector<std::string> args;
        std::string messages;
    };
    const std::string missing = (work / "no/such/folder/out").string();
    const Case cases[] = {
        {{"compensate", exampleQvl, "-o", missing}, "Can't open file to write. Quorvel file not created!\n"},
        {{"save", exampleQvl, "-o", missing}, "Failed to save document.\n"},
        {{"analyze", exampleQvl, "--json", missing}, "Can't write the file " + missing + "\n"},
        {{"export", exampleQvl, "--csv", "folder"}, "Can't write the file folder\n"},
        {{"synth", "--out", exampleQvl}, "Can't write into " + exampleQvl + ": it is not a folder\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0]);
        const std::vector<std::string> before = Listing();
        const ToolRun run = Run(c.args);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, c.messages);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(Listing(), before);
    }
    const ToolRun pdf = Run({"report", exampleQvl, "--pdf", missing});
    EXPECT_EQ(pdf.status, 1);
    EXPECT_EQ(pdf.err.rfind("Can't write " + missing + ": ", 0), 0u) << pdf.err;
}

TEST_F(ToolTest, UsageErrorsGiveStatusTwoAndWriteNothing)
{
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate"},
        {"analyze"},
        {"analyze", exampleQvl, exampleQvl},
        {"analyze", exampleQvl, "--bogus", "1"},
        {"analyze", exampleQvl, "--json"},
        {"analyze", exampleTraces, "--traces", "eight"},
        {"analyze", exampleTraces, "--unit", "furlong"},
        {"analyze", exampleQvl, "--traces", "8"},
        {"analyze", exampleQvl, "-o", "out"},
        {"report", exampleQvl},
        {"report", exampleQvl, "--pdf", "out", "--kind", "all"},
        {"report", exampleQvl, "--pdf", "out", "--paper", "a3"},
        {"compensate", exampleQvl},
        {"save", exampleQvl, "--csv", "out"},
        {"export", exampleQvl},
        {"synth"},
        {"synth", "--out", "dir", "extra"},
        {"synth", "--out", "dir", "--points", "7201"},
        {"synth", "--out", "dir", "--traces", "0"},
        {"synth", "--out", "dir", "--noise", "-1e-8"},
        {"synth", "--out", "dir", "--seed", "-3"},
        {"synth", "--out", "dir", "--gage", "x"},
    };
    for (const auto& args : cases) {
        std::string line;
        for (const auto& a : args)
            line += a + " ";
        SCOPED_TRACE(line);
        const ToolRun run = Run(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("quorvel", 0), 0u) << run.err;
        EXPECT_NE(run.err.find("Try 'quorvel"), std::string::npos) << run.err;
    }
    EXPECT_TRUE(Listing().empty());
}
