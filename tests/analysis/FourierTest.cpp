#include "LiteralReference.h"
#include "QuorvelwDoc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numeric>
#include <vector>

namespace {

const double kTwoPi = 4.0 * std::asin(1.0);

TEST(FourierCoef, PureCosineAndConstant)
{
    // Order 0 is twice the mean.
    {
        const double data[] = {1.0, 2.0, 6.0};
        double c, s;
        auto doc = std::make_unique<CQuorvelwDoc>();
        doc->FourierCoef(data, 3, 0, &c, &s);
        EXPECT_NEAR(c, 6.0, 1e-15);
        EXPECT_NEAR(s, 0.0, 1e-15);
    }
    auto doc = std::make_unique<CQuorvelwDoc>();
    for (int n : {1, 7, 32, 360, 7200}) {
        std::vector<double> cosine(n), constant(n, 3.5);
        for (int i = 0; i < n; ++i)
            cosine[i] = std::cos((i + 1) * kTwoPi / n);
        for (int order = 1; 2 * order < n && order < 100; ++order) {
            double c, s;
            doc->FourierCoef(cosine.data(), n, order, &c, &s);
            EXPECT_NEAR(c, order == 1 ? 1.0 : 0.0, 1e-12) << "n=" << n << " order=" << order;
            EXPECT_NEAR(s, 0.0, 1e-12) << "n=" << n << " order=" << order;
            doc->FourierCoef(constant.data(), n, order, &c, &s);
            EXPECT_NEAR(c, 0.0, 1e-12);
            EXPECT_NEAR(s, 0.0, 1e-12);
        }
    }
}

// After an analysis FourierCoef takes its angles from the tables; it must still agree with
// the literal sum for every order, including orders at and above n.
TEST(FourierCoef, TableMatchesLiteralSum)
{
    for (int n : {5, 31, 99, 720, 7200}) {
        auto doc = std::make_unique<CQuorvelwDoc>();
        doc->m_nPoints = n;
        doc->m_nTraces = 4;
        for (int i = 0; i < n; ++i)
            for (int t = 0; t < 4; ++t)
                doc->m_raw[i][t] = 0.002 * std::cos((i + 1 + t * (n / 4)) * kTwoPi / n) + 1e-5 * std::sin(i * 0.37);
        (void)doc->SeparateErrors();  // builds the tables for n, whatever the outcome
        std::vector<double> data(n);
        for (int i = 0; i < n; ++i)
            data[i] = std::sin(0.1 * i * i) + 0.25;
        for (int order : {0, 1, 2, 3, 30, 99, n, n + 1, 2 * n + 3}) {
            double c, s, rc, rs;
            doc->FourierCoef(data.data(), n, order, &c, &s);
            LiteralFourierCoef(data.data(), n, order, &rc, &rs);
            EXPECT_NEAR(c, rc, 1e-12) << "n=" << n << " order=" << order;
            EXPECT_NEAR(s, rs, 1e-12) << "n=" << n << " order=" << order;
        }
    }
}

TEST(RotateArray, MatchesScratchRotationForEveryShift)
{
    for (int n : {1, 2, 5, 8}) {
        for (int shift = -n; shift <= n; ++shift) {
            std::vector<double> a(n), b;
            std::iota(a.begin(), a.end(), 0.0);
            b = a;
            CQuorvelwDoc::RotateArray(a.data(), n, shift);
            LiteralRotateArray(b.data(), n, shift);
            EXPECT_EQ(a, b) << "n=" << n << " shift=" << shift;
        }
    }
    std::vector<double> a{10, 11, 12, 13};
    CQuorvelwDoc::RotateArray(a.data(), 4, -1);
    EXPECT_EQ(a, (std::vector<double>{11, 12, 13, 10}));  // sample 1 to index 0
    CQuorvelwDoc::RotateArray(a.data(), 4, 1);
    EXPECT_EQ(a, (std::vector<double>{10, 11, 12, 13}));  // sample n-1 to index 0
}

}  // namespace
