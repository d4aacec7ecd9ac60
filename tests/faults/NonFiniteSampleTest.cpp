// Samples that are not finite numbers, in a trace file or in a document file: the analysis
// refuses the measurement, so nothing is drawn and no compensation file is written.
#include "DocumentCommands.h"
#include "DocumentState.h"
#include "MeasurementTest.h"
#include "TraceFile.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

const std::string kNotFinite = "Can't evaluate the measurement: the results are not finite numbers";

struct Value {
    const char* name;
    double value;
};

void PrintTo(const Value& c, std::ostream* os) { *os << c.name; }

class NonFiniteSample : public MeasurementTest, public ::testing::WithParamInterface<Value> {
protected:
    void ExpectNothingShownOrWritten()
    {
        EXPECT_EQ(doc->m_bDataLoaded, 0);
        EXPECT_TRUE(Drawing(*doc, ReportKind::Plot).empty());
        EXPECT_TRUE(Drawing(*doc, ReportKind::Text).empty());
        const std::vector<std::string> entries = dir.Entries();
        op.events.clear();
        OnCreateCompensation(*doc, op);
        EXPECT_EQ(op.events, std::vector<std::string>{"message: No measurement is loaded. Quorvel file not created!"});
        EXPECT_EQ(dir.Entries(), entries);
    }
};

TEST_P(NonFiniteSample, InATraceFile)
{
    Load(8, 720);
    // Trace 3 again, with one sample replaced.
    const std::string first = dir.File("ang000.dat");
    std::vector<double> trace = FixtureTrace(3, 720, 8);
    trace[10] = GetParam().value;
    ASSERT_EQ(WriteTraceFile(dir.File("ang135.dat"), trace.data(), 720, 1), 1);
    double read[MAX_POINTS];
    ScriptedOperator quiet;
    ASSERT_EQ(ReadTraceFile(dir.File("ang135.dat"), read, quiet), 720) << "the reader passes the value on";

    LoadAgain(8);
    EXPECT_EQ(op.Messages(), (std::vector<std::string>{kNotFinite, "Can't load data"}));
    ExpectNothingShownOrWritten();
}

TEST_P(NonFiniteSample, InADocumentFile)
{
    Load(8, 720);
    const std::string path = dir.File("m.qvl");
    doc->m_raw[10][3] = GetParam().value;
    ASSERT_TRUE(OnSaveDocument(*doc, op, path));
    LoadAgain(8);  // a good measurement on screen again
    ASSERT_EQ(doc->m_bDataLoaded, 1);
    op.events.clear();

    EXPECT_TRUE(OnOpenDocument(*doc, op, path));
    EXPECT_EQ(op.Messages(), std::vector<std::string>{kNotFinite});
    EXPECT_EQ(doc->GetPathName(), path);
    ExpectNothingShownOrWritten();
}

INSTANTIATE_TEST_SUITE_P(Values, NonFiniteSample,
                         ::testing::Values(Value{"NaN", std::numeric_limits<double>::quiet_NaN()},
                                           Value{"PlusInfinity", std::numeric_limits<double>::infinity()},
                                           Value{"MinusInfinity", -std::numeric_limits<double>::infinity()}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
