// Each subcommand on the bundled example, checked against the same example analysed here.
#include "RunTool.h"

#include "QuorvelwDoc.h"
#include "TextReport.h"
#include "TraceFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

QJsonObject ParseJson(const std::string& text)
{
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_TRUE(json.isObject());
    return json.object();
}

std::string Str(const QJsonValue& v)
{
    EXPECT_TRUE(v.isString());
    return v.toString().toStdString();
}

// Every entry read back is the very double of the table: the shortest form round-trips.
void ExpectSameNumbers(const QJsonObject& json, const char* key, const double* table, int count)
{
    const QJsonArray a = json.value(QLatin1String(key)).toArray();
    ASSERT_EQ(a.size(), count) << key;
    for (int i = 0; i < count; ++i)
        ASSERT_EQ(a[i].toDouble(), table[i]) << key << "[" << i << "]";
}

void ExpectSameResults(const QJsonObject& json, const CQuorvelwDoc& doc)
{
    const int n = doc.m_nPoints;
    const int t = doc.m_nTraces;
    EXPECT_EQ(json.value("nUnit").toInt(-1), doc.m_nUnit);
    EXPECT_EQ(json.value("nPoints").toInt(-1), n);
    EXPECT_EQ(json.value("nTraces").toInt(-1), t);
    EXPECT_EQ(json.value("bDataLoaded").toInt(-1), 1);
    ExpectSameNumbers(json, "eccCos", doc.m_eccCos, t);
    ExpectSameNumbers(json, "eccSin", doc.m_eccSin, t);
    ExpectSameNumbers(json, "traceMean", doc.m_traceMean, t);
    ExpectSameNumbers(json, "partErr", doc.m_partErr, n);
    ExpectSameNumbers(json, "spindleErr", doc.m_spindleErr, n);
    ExpectSameNumbers(json, "angleErr", doc.m_angleErr, n);
    ExpectSameNumbers(json, "angleErrRaw", doc.m_angleErrRaw, n);
    ExpectSameNumbers(json, "angleCos", doc.m_angleCos, NUM_COEFS);
    ExpectSameNumbers(json, "angleSin", doc.m_angleSin, NUM_COEFS);
    ExpectSameNumbers(json, "spindleCos", doc.m_spindleCos, NUM_COEFS);
    ExpectSameNumbers(json, "spindleSin", doc.m_spindleSin, NUM_COEFS);
    ExpectSameNumbers(json, "partCos", doc.m_partCos, NUM_COEFS);
    ExpectSameNumbers(json, "partSin", doc.m_partSin, NUM_COEFS);
    EXPECT_EQ(json.value("angleMax").toDouble(), doc.m_angleMax);
    EXPECT_EQ(json.value("angleMin").toDouble(), doc.m_angleMin);
    EXPECT_EQ(json.value("spindleMax").toDouble(), doc.m_spindleMax);
    EXPECT_EQ(json.value("spindleMin").toDouble(), doc.m_spindleMin);
    EXPECT_EQ(json.value("partMax").toDouble(), doc.m_partMax);
    EXPECT_EQ(json.value("partMin").toDouble(), doc.m_partMin);

    const TextReportAreas areas = ComposeTextReport(doc);
    const QJsonObject text = json.value("textReport").toObject();
    EXPECT_EQ(text.keys().size(), 6);
    EXPECT_EQ(Str(text.value("title")), areas.title);
    EXPECT_EQ(Str(text.value("subtitle")), areas.subtitle);
    EXPECT_EQ(Str(text.value("upperLeft")), areas.upperLeft);
    EXPECT_EQ(Str(text.value("upperRight")), areas.upperRight);
    EXPECT_EQ(Str(text.value("lowerLeft")), areas.lowerLeft);
    EXPECT_EQ(Str(text.value("lowerRight")), areas.lowerRight);

    // The captions as the plot shows them: the extremes in arcseconds and microinches.
    const QJsonArray captions = json.value("plotCaptions").toArray();
    ASSERT_EQ(captions.size(), 3);
    char expected[3][96];
    std::snprintf(expected[0], sizeof expected[0], "angle error (arcsec): max=%6.2f, min=%6.2f,",
                  doc.m_angleMax * 206264.80671915034, doc.m_angleMin * 206264.80671915034);
    std::snprintf(expected[1], sizeof expected[1], "part error (uin): max=%6.2f, min=%6.2f,",
                  doc.m_partMax * 1e6, doc.m_partMin * 1e6);
    std::snprintf(expected[2], sizeof expected[2], "spindle error (uin): max=%6.2f, min=%6.2f,",
                  doc.m_spindleMax * 1e6, doc.m_spindleMin * 1e6);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Str(captions[i]).rfind(expected[i], 0), 0u) << Str(captions[i]);
}

int PdfPages(const std::string& pdf)
{
    int pages = 0;
    for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1)) {
        if (pdf.compare(at, 12, "/Type /Pages") != 0)
            ++pages;
    }
    return pages;
}

}  // namespace

TEST_F(ToolTest, AnalyzePrintsTheSixAreasOfTheTextReportEachFollowedByAnEmptyLine)
{
    const auto doc = OpenReference(exampleQvl);
    const TextReportAreas a = ComposeTextReport(*doc);
    // The subtitle alone ends without a line feed.
    const std::string expected = a.title + "\n\n" + a.subtitle + "\n\n" + a.upperLeft + "\n" + a.upperRight +
                                 "\n" + a.lowerLeft + "\n" + a.lowerRight + "\n";
    const ToolRun run = Run({"analyze", exampleQvl});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, expected);
}

TEST_F(ToolTest, AnalyzeJsonOfTheDocumentGivesTheNumbersOfItsAnalysis)
{
    const auto doc = OpenReference(exampleQvl);
    const ToolRun run = Run({"analyze", exampleQvl, "--json", "-"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const QJsonObject json = ParseJson(run.out);

    const std::set<QString> keys = {"strDataFile", "strDate", "strGageInfo", "strGratingInfo", "nUnit", "nPoints",
                                     "nTraces", "bDataLoaded", "eccCos", "eccSin", "traceMean", "partErr",
                                     "spindleErr", "angleErr", "angleErrRaw", "angleCos", "angleSin", "spindleCos",
                                     "spindleSin", "partCos", "partSin", "angleMax", "angleMin", "spindleMax",
                                     "spindleMin", "partMax", "partMin", "textReport", "plotCaptions"};
    const QStringList got = json.keys();
    EXPECT_EQ(std::set<QString>(got.begin(), got.end()), keys);

    EXPECT_EQ(Str(json.value("strDataFile")), doc->m_strDataFile);
    EXPECT_EQ(Str(json.value("strDate")), "Thursday, March 14, 2024 09:26:53");
    EXPECT_EQ(Str(json.value("strGageInfo")), DEFAULT_GAGE_INFO);
    EXPECT_EQ(Str(json.value("strGratingInfo")), DEFAULT_GRATING_INFO);
    ExpectSameResults(json, *doc);
}

TEST_F(ToolTest, AnalyzeJsonOfTheRawTracesMatchesTheirLoadAndTheBundledDocument)
{
    CopyExampleTraces();
    const auto loaded = LoadReference((work / "set/ang000.dat").string(), 8, 0);
    // INPUT is stored as given, relative here.
    const ToolRun run = Run({"analyze", "set/ang000.dat", "--traces", "8", "--unit", "inch", "--json", "out.json"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    const QJsonObject json = ParseJson(ReadFileBytes(work / "out.json"));
    EXPECT_EQ(Str(json.value("strDataFile")), "set/ang000.dat");
    EXPECT_EQ(Str(json.value("strDate")), loaded->m_strDate);
    ExpectSameResults(json, *loaded);

    // The document holds the very samples of the traces: the analysis is the same.
    const auto bundled = OpenReference(exampleQvl);
    ExpectSameNumbers(json, "angleErr", bundled->m_angleErr, bundled->m_nPoints);
    ExpectSameNumbers(json, "partCos", bundled->m_partCos, NUM_COEFS);
}

TEST_F(ToolTest, GageAndGratingTextsReachTheReportsAndComeBackFromJsonAsGiven)
{
    const std::string gage = "Gage \"7\" C:\\runs\tline\nnext \x01 5 \xC2\xB5in";
    const ToolRun run = Run({"analyze", exampleQvl, "--gage", gage, "--grating", "G\xE9", "--json", "-"});
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonObject json = ParseJson(run.out);
    EXPECT_EQ(Str(json.value("strGageInfo")), gage);
    // Not UTF-8: a byte of a code page, read as Latin-1.
    EXPECT_EQ(json.value("strGratingInfo").toString(), QString::fromUtf8("G\xC3\xA9"));
    const std::string subtitle = Str(json.value("textReport").toObject().value("subtitle"));
    EXPECT_NE(subtitle.find("Gage: " + gage + ", Grating:G"), std::string::npos) << subtitle;

    // Only one text given: the other stays as stored.
    const ToolRun one = Run({"analyze", exampleQvl, "--grating", "SN42", "--json", "-"});
    const QJsonObject j1 = ParseJson(one.out);
    EXPECT_EQ(Str(j1.value("strGageInfo")), DEFAULT_GAGE_INFO);
    EXPECT_EQ(Str(j1.value("strGratingInfo")), "SN42");
}

TEST_F(ToolTest, ReportWritesOnePdfPagePerReportWithoutADisplay)
{
    struct Case {
        std::vector<std::string> options;
        int pages;
        const char* mediaBox;
    };
    const Case cases[] = {
        {{}, 1, "/MediaBox [0 0 595"},
        {{"--kind", "both"}, 2, "/MediaBox [0 0 595"},
        {{"--kind", "text", "--paper", "letter"}, 1, "/MediaBox [0 0 612"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"report", exampleQvl, "--pdf", "r.pdf"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        // No display and no platform named: the tool picks the offscreen one itself.
        const ToolRun run = Run(args, "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM");
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "");
        const std::string pdf = ReadFileBytes(work / "r.pdf");
        EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
        EXPECT_EQ(PdfPages(pdf), c.pages);
        EXPECT_NE(pdf.find(c.mediaBox), std::string::npos);
    }
}

TEST_F(ToolTest, CompensateWritesTheNegatedAngleErrorAndSaysSo)
{
    const auto doc = OpenReference(exampleQvl);
    const ToolRun run = Run({"compensate", exampleQvl, "-o", "example.cmp"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Quorvel file successfully created!\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(fs::file_size(work / "example.cmp"), 14628u);
    std::vector<double> values(MAX_POINTS);
    TestOperator op;
    ASSERT_EQ(ReadTraceFile((work / "example.cmp").string(), values.data(), op), 3600);
    for (int j = 0; j < 3600; ++j)
        ASSERT_EQ(values[j], static_cast<double>(static_cast<float>(-doc->m_angleErr[j]))) << j;
}

TEST_F(ToolTest, SaveWritesTheDocumentAsSaveDoes)
{
    // A document saved again is the same file.
    ToolRun run = Run({"save", exampleQvl, "-o", "again.qvl"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    EXPECT_EQ(ReadFileBytes(work / "again.qvl"), ReadFileBytes(exampleQvl));

    // Raw traces: the samples of the example, the texts given, the data file as typed.
    CopyExampleTraces();
    run = Run({"save", "set/ang000.dat", "--gage", "G-1", "-o", "raw.qvl"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto saved = OpenReference((work / "raw.qvl").string());
    const auto bundled = OpenReference(exampleQvl);
    EXPECT_EQ(saved->m_strDataFile, "set/ang000.dat");
    EXPECT_EQ(saved->m_strGageInfo, "G-1");
    EXPECT_EQ(saved->m_strGratingInfo, DEFAULT_GRATING_INFO);
    ASSERT_EQ(saved->m_nPoints, 3600);
    ASSERT_EQ(saved->m_nTraces, 8);
    for (int i = 0; i < 3600; ++i) {
        for (int j = 0; j < 8; ++j)
            ASSERT_EQ(saved->m_raw[i][j], bundled->m_raw[i][j]);
    }
}

TEST_F(ToolTest, ExportWritesTheSmoothedCurvesOneRowPerSample)
{
    const auto doc = OpenReference(exampleQvl);
    const ToolRun run = Run({"export", exampleQvl, "--csv", "curves.csv"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    std::istringstream csv(ReadFileBytes(work / "curves.csv"));
    std::string line;
    std::getline(csv, line);
    EXPECT_EQ(line, "sample,angle_deg,part_error_uin,spindle_error_uin,angle_error_urad,angle_error_arcsec");
    int j = 0;
    for (; std::getline(csv, line); ++j) {
        double v[6];
        ASSERT_EQ(std::sscanf(line.c_str(), "%lf,%lf,%lf,%lf,%lf,%lf", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5]), 6)
            << line;
        ASSERT_EQ(v[0], j);
        ASSERT_EQ(v[1], (j + 1) * 360.0 / 3600);
        ASSERT_EQ(v[2], doc->m_partErr[j] * 1e6);
        ASSERT_EQ(v[3], doc->m_spindleErr[j] * 1e6);
        ASSERT_EQ(v[4], doc->m_angleErr[j] * 1e6);
        ASSERT_EQ(v[5], doc->m_angleErr[j] * 206264.80671915034);
    }
    EXPECT_EQ(j, 3600);
}

TEST_F(ToolTest, HelpAndVersion)
{
    ToolRun run = Run({"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, std::string("quorvel ") + QUORVEL_VERSION + "\n");

    run = Run({"--help"});
    EXPECT_EQ(run.status, 0);
    for (const char* sub : {"analyze", "report", "compensate", "save", "export", "synth"}) {
        EXPECT_NE(run.out.find(std::string("  ") + sub + " "), std::string::npos) << sub;
        const ToolRun help = Run({sub, "--help"});
        EXPECT_EQ(help.status, 0) << sub;
        EXPECT_EQ(help.err, "");
        EXPECT_EQ(help.out.rfind(std::string("Usage: quorvel ") + sub + " ", 0), 0u) << help.out;
    }
    EXPECT_TRUE(Listing().empty());
}
