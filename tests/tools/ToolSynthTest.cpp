// synth writes trace sets that load by the angle rule and separate into the errors it lists.
#include "RunTool.h"

#include "QuorvelwDoc.h"
#include "SyntheticMeasurement.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

namespace fs = std::filesystem;

namespace {

struct Expected {
    const char* curve;
    const std::vector<Harmonic>* terms;
    const double* cosTable;
    const double* sinTable;
    double tolerance;  // inch or radians
};

}  // namespace

TEST_F(ToolTest, SynthWritesASetThatSeparatesIntoTheErrorsItLists)
{
    struct Case {
        int points, traces;
        const char* unit;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {3600, 8, "inch", {"ang000.dat", "ang045.dat", "ang090.dat", "ang135.dat", "ang180.dat", "ang225.dat",
                           "ang270.dat", "ang315.dat"}},
        {720, 5, "mm", {"ang000.dat", "ang072.dat", "ang144.dat", "ang216.dat", "ang288.dat"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unit);
        const std::string dir = std::string("made/") + c.unit;
        const ToolRun run = Run({"synth", "--out", dir, "--points", std::to_string(c.points), "--traces",
                                 std::to_string(c.traces), "--unit", c.unit});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        std::vector<std::string> files;
        for (const auto& e : fs::directory_iterator(work / dir))
            files.push_back(e.path().filename().string());
        std::sort(files.begin(), files.end());
        EXPECT_EQ(files, c.names);
        for (const auto& name : c.names)
            EXPECT_NE(run.out.find("  " + dir + "/" + name + "\n"), std::string::npos) << run.out;

        const int unit = std::string(c.unit) == "mm" ? 1 : 0;
        const auto doc = LoadReference((work / dir / "ang000.dat").string(), c.traces, unit);
        ASSERT_EQ(doc->m_nPoints, c.points);
        SyntheticModel model = RealisticModel(c.points, c.traces);
        model.unit = unit;
        // The files hold the model's samples, in single precision, trace i at angle i*360/T.
        const auto made = std::make_unique<CQuorvelwDoc>();
        ASSERT_TRUE(SynthesizeTraces(model, *made));
        for (int j = 0; j < c.points; ++j) {
            for (int t = 0; t < c.traces; ++t)
                ASSERT_EQ(doc->m_raw[j][t], static_cast<double>(static_cast<float>(made->m_raw[j][t])));
        }
        // And they separate into the orders listed, with the listed sign of the phase; the
        // angle error within what the separation itself achieves on the model.
        const Expected expected[] = {
            {"angle error", &model.angle, doc->m_angleCos, doc->m_angleSin, 1e-7},
            {"part error", &model.part, doc->m_partCos, doc->m_partSin, 1e-10},
            {"spindle error", &model.spindle, doc->m_spindleCos, doc->m_spindleSin, 1e-10},
        };
        for (const Expected& e : expected) {
            for (const Harmonic& h : *e.terms) {
                SCOPED_TRACE(std::string(e.curve) + " order " + std::to_string(h.order));
                EXPECT_NEAR(e.cosTable[h.order], h.amplitude * std::cos(h.phase), e.tolerance);
                EXPECT_NEAR(e.sinTable[h.order], -h.amplitude * std::sin(h.phase), e.tolerance);
                char row[64];
                std::snprintf(row, sizeof row, "  %-14s %5d", e.curve, h.order);
                EXPECT_NE(run.out.find(row), std::string::npos) << run.out;
            }
        }
        EXPECT_NEAR(std::atan2(doc->m_eccSin[0], doc->m_eccCos[0]), model.eccPhase, 1e-6);
    }
}

TEST_F(ToolTest, SynthNoiseFollowsTheSeed)
{
    const auto make = [&](const std::string& dir, const std::string& seed) {
        const ToolRun run = Run({"synth", "--out", dir, "--points", "360", "--noise", "1e-7", "--seed", seed});
        EXPECT_EQ(run.status, 0) << run.err;
        return ReadFileBytes(work / dir / "ang045.dat");
    };
    const std::string a = make("a", "7");
    EXPECT_EQ(make("b", "7"), a);
    EXPECT_NE(make("c", "8"), a);
    EXPECT_EQ(a.size(), 2u + 130 * 11 + 2 + 4 * 8);  // 360 samples: 11 blocks and 8 over
}
