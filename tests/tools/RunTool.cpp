#include "RunTool.h"

#include "DocumentFramework.h"
#include "QuorvelwDoc.h"

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string ShellQuote(const std::string& s)
{
    std::string q = "'";
    for (char c : s) {
        if (c == '\'')
            q += "'\\''";
        else
            q += c;
    }
    return q + "'";
}

}  // namespace

std::string ReadFileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

fs::path ExamplesDir()
{
    return QUORVEL_EXAMPLES;
}

DialogResult TestOperator::RunRawDataDialog(RawDataValues& values)
{
    values = answer;
    return DialogResult::Ok;
}

std::unique_ptr<CQuorvelwDoc> OpenReference(const std::string& document)
{
    auto doc = std::make_unique<CQuorvelwDoc>();
    TestOperator op;
    EXPECT_TRUE(StartUp(*doc, op, document));
    EXPECT_TRUE(op.messages.empty());
    EXPECT_EQ(doc->m_bDataLoaded, 1);
    return doc;
}

std::unique_ptr<CQuorvelwDoc> LoadReference(const std::string& firstFile, int traces, int unit)
{
    auto doc = std::make_unique<CQuorvelwDoc>();
    TestOperator op;
    op.answer.m_strDataFile = firstFile;
    op.answer.m_nTraces = traces;
    op.answer.m_nUnit = unit;
    StartUp(*doc, op, std::string());
    OnFileNew(*doc, op);
    EXPECT_TRUE(op.messages.empty());
    EXPECT_EQ(doc->m_bDataLoaded, 1);
    return doc;
}

void ToolTest::SetUp()
{
    std::string pattern = (fs::temp_directory_path() / "quorvel-tool-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    work = pattern;
    exampleQvl = (ExamplesDir() / "example.qvl").string();
    exampleTraces = (ExamplesDir() / "ang000.dat").string();
}

void ToolTest::TearDown()
{
    std::error_code ec;
    fs::remove_all(work, ec);
}

ToolRun ToolTest::Run(const std::vector<std::string>& args, const std::string& prefix) const
{
    std::string line = "cd " + ShellQuote(work.string()) + " && " + prefix + " " + ShellQuote(QUORVEL_TOOL);
    for (const std::string& a : args)
        line += " " + ShellQuote(a);
    const fs::path out = work / ".." / (work.filename().string() + ".out");
    const fs::path err = work / ".." / (work.filename().string() + ".err");
    line += " >" + ShellQuote(out.string()) + " 2>" + ShellQuote(err.string());
    const int raw = std::system(line.c_str());
    ToolRun run;
    run.status = raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = ReadFileBytes(out);
    run.err = ReadFileBytes(err);
    std::error_code ec;
    fs::remove(out, ec);
    fs::remove(err, ec);
    return run;
}

void ToolTest::CopyExampleTraces(const std::string& folder) const
{
    fs::create_directories(work / folder);
    for (const auto& entry : fs::directory_iterator(ExamplesDir())) {
        if (entry.path().extension() == ".dat")
            fs::copy_file(entry.path(), work / folder / entry.path().filename());
    }
}

std::vector<std::string> ToolTest::Listing() const
{
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(work))
        files.push_back(fs::relative(entry.path(), work).string());
    std::sort(files.begin(), files.end());
    return files;
}
