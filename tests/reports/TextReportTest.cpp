#include "DeviceDescription.h"
#include "RecordingSurface.h"
#include "ReportDocuments.h"
#include "TextReport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const UPPER_LEFT = R"(Angle Error Fourier Coeffients
(unit: 1e-6)
Order    COS      SIN      Amp    Phase
01      3.00     4.00     5.00    53.13
02     -1.00    -1.00     1.41   225.00
03      0.00     0.00     0.00     0.00
04      0.00     0.00     0.00     0.00
05      0.00     0.00     0.00     0.00
06      0.00     0.00     0.00     0.00
07      0.00     0.00     0.00     0.00
08      0.00     0.00     0.00     0.00
09      0.00    -2.50     2.50   270.00
10      1.50     0.00     1.50     0.00
11      0.00     0.00     0.00     0.00
12      0.00     0.00     0.00     0.00
13      0.00     0.00     0.00     0.00
14      0.00     0.00     0.00     0.00
15      0.00     0.00     0.00     0.00
16      0.00     0.00     0.00     0.00
17      0.00     0.00     0.00     0.00
18      0.00     0.00     0.00     0.00
19      0.00     0.00     0.00     0.00
20      0.00     0.00     0.00     0.00
21      0.00     0.00     0.00     0.00
22      0.00     0.00     0.00     0.00
23      0.00     0.00     0.00     0.00
24      0.00     0.00     0.00     0.00
25      0.00     0.00     0.00     0.00
)";

const char* const UPPER_RIGHT = R"(

Order    COS      SIN      Amp    Phase
26      0.50    -0.50     0.71   315.00
27      0.00     0.00     0.00     0.00
28      0.00     0.00     0.00     0.00
29      0.00     0.00     0.00     0.00
30     -2.00     0.00     2.00   180.00
Part error (uin):
 max=   12.50, min=   -7.25, p-p=   19.75
Spindle error (uin):
 max=    3.00, min=   -1.00, p-p=    4.00
Angle error (urad):
 max=    4.85, min=   -2.42, p-p=    7.27
Angle error (arcsec):
 max=  1.0000, min= -0.5000, p-p=  1.5000

First Angle of Eccentricity:  315.0
Eccentricity of traces (inch)
Trace    COS        SIN        Amp   Angle
1   0.001000  -0.001000   0.001414    0.00
2   0.000000   0.002000   0.002000  135.00
3  -0.001500   0.000000   0.001500  225.00
)";

const char* const LOWER_LEFT = R"(Part Error Fourier Coeffients
(unit: uin)
Order    COS      SIN      Amp    Phase
01     10.00     0.00    10.00     0.00
02      0.00     0.00     0.00     0.00
03      0.00     0.00     0.00     0.00
04      0.00     0.00     0.00     0.00
05      0.00     0.00     0.00     0.00
06      0.00     0.00     0.00     0.00
07      0.00     0.00     0.00     0.00
08      0.00     0.00     0.00     0.00
09      0.00     0.00     0.00     0.00
10      0.00     0.00     0.00     0.00
11      0.00     0.00     0.00     0.00
12      0.00     0.00     0.00     0.00
13      0.00     0.00     0.00     0.00
14      0.00     0.00     0.00     0.00
15      0.00     0.00     0.00     0.00
16      0.00     0.00     0.00     0.00
17      0.00     0.00     0.00     0.00
18      0.00     0.00     0.00     0.00
19      0.00     0.00     0.00     0.00
20      0.00     0.00     0.00     0.00
21      0.00     0.00     0.00     0.00
22      0.00     0.00     0.00     0.00
23      0.00     0.00     0.00     0.00
24      0.00     0.00     0.00     0.00
25      0.00    -1.00     1.00   270.00
)";

const char* const LOWER_RIGHT = R"(Spindle Error Fourier Coeffients
(unit: uin)
Order    COS      SIN      Amp    Phase
01      0.00     0.00     0.00     0.00
02      0.00     0.00     0.00     0.00
03     -2.00     2.00     2.83   135.00
04      0.00     0.00     0.00     0.00
05      0.00     0.00     0.00     0.00
06      0.00     0.00     0.00     0.00
07      0.00     0.00     0.00     0.00
08      0.00     0.00     0.00     0.00
09      0.00     0.00     0.00     0.00
10      0.00     0.00     0.00     0.00
11      0.00     0.00     0.00     0.00
12      0.00     0.00     0.00     0.00
13      0.00     0.00     0.00     0.00
14      0.00     0.00     0.00     0.00
15      0.00     0.00     0.00     0.00
16      0.00     0.00     0.00     0.00
17      0.00     0.00     0.00     0.00
18      0.00     0.00     0.00     0.00
19      0.00     0.00     0.00     0.00
20      0.00     0.00     0.00     0.00
21      0.00     0.00     0.00     0.00
22      0.00     0.00     0.00     0.00
23      0.00     0.00     0.00     0.00
24      0.00     0.00     0.00     0.00
25      0.00     0.00     0.00     0.00
)";

std::vector<SurfaceCall> DrawnTexts(const DeviceDescription& device, const CQuorvelwDoc& doc)
{
    RecordingSurface dc(device);
    DrawTextReport(dc, {}, doc);
    return dc.CallsOf(SurfaceOp::DrawText);
}

TEST(TextReport, SixAreasAreTheGoldenText)
{
    const auto doc = SmallDocument();
    const TextReportAreas areas = ComposeTextReport(*doc);
    EXPECT_EQ(areas.title, "Pellmoor Corporation Quorvel Program");
    EXPECT_EQ(areas.subtitle,
              "Data Collected on Tue Mar 05 14:07:09 2024\nGage: Gage 7, probe 2, Grating:RG-114");
    EXPECT_EQ(areas.upperLeft, UPPER_LEFT);
    EXPECT_EQ(areas.upperRight, UPPER_RIGHT);
    EXPECT_EQ(areas.lowerLeft, LOWER_LEFT);
    EXPECT_EQ(areas.lowerRight, LOWER_RIGHT);

    // What reaches the surface is exactly that, in the order title, subtitle, UL, UR, LL, LR.
    const auto texts = DrawnTexts(Display1920x1080(), *doc);
    ASSERT_EQ(texts.size(), 6u);
    const std::string expected[] = {areas.title,      areas.subtitle,  areas.upperLeft,
                                    areas.upperRight, areas.lowerLeft, areas.lowerRight};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(texts[i].text, expected[i]) << "area " << i;
}

TEST(TextReport, EccentricityTableFollowsTheTraceCount)
{
    auto doc = SmallDocument();
    doc->m_nTraces = 0;
    // No rows, but the first angle still comes from entry 0.
    const std::string noRows = ComposeTextReport(*doc).upperRight;
    EXPECT_NE(noRows.find("First Angle of Eccentricity:  315.0\n"), std::string::npos);
    EXPECT_EQ(noRows.substr(noRows.size() - 43), "Trace    COS        SIN        Amp   Angle\n");

    doc->m_nTraces = 36;
    for (int i = 0; i < 36; ++i) {
        doc->m_eccCos[i] = 0.001;
        doc->m_eccSin[i] = 0.0;
    }
    const std::string all = ComposeTextReport(*doc).upperRight;
    EXPECT_NE(all.find("\n36   0.001000   0.000000   0.001000    0.00\n"), std::string::npos);
    EXPECT_EQ(all.find("\n37 "), std::string::npos);
    // More traces than the tables hold are not read.
    doc->m_nTraces = 1000;
    EXPECT_EQ(ComposeTextReport(*doc).upperRight, all);
}

TEST(TextReport, LongGageTextIsComposedWhole)
{
    auto doc = SmallDocument();
    doc->m_strGageInfo = std::string(400, 'g');
    doc->m_strGratingInfo = std::string(300, 'r');
    const auto texts = DrawnTexts(Display1920x1080(), *doc);
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[1].text, "Data Collected on Tue Mar 05 14:07:09 2024\nGage: " +
                                 std::string(400, 'g') + ", Grating:" + std::string(300, 'r'));
}

struct AreaLayout {
    const char* device;
    DeviceDescription description;
    LRect rects[6];
    FontDescription titleFont;
    FontDescription bodyFont;
};

FontDescription Face(int height, int width, int weight)
{
    FontDescription f;
    f.height = height;
    f.width = width;
    f.weight = weight;
    f.faceName = "Courier New Bold";
    return f;
}

TEST(TextReport, RectanglesAndFontsOnScreenAndInPrint)
{
    // Screen: W 50800, H 28575. A4 printable area: W 20000, H 28700.
    const AreaLayout layouts[] = {
        {"screen",
         Display1920x1080(),
         {{0, 1428, 50800, 857},
          {0, 857, 50800, 0},
          {1524, -571, 24638, -14287},
          {25400, -571, 49276, -14287},
          {1524, -14287, 24638, -28003},
          {25400, -14287, 49276, -28003}},
         Face(714, 428, 900),
         Face(451, 383, 900)},
        {"print",
         A4PrinterAt600Dpi(),
         {{0, 1435, 20000, 861},
          {0, 861, 20000, 0},
          {600, -574, 9700, -14350},
          {10000, -574, 19400, -14350},
          {600, -14350, 9700, -28126},
          {10000, -14350, 19400, -28126}},
         Face(516, 288, 900),
         Face(358, 214, 400)},
    };
    const auto doc = SmallDocument();
    for (const AreaLayout& layout : layouts) {
        SCOPED_TRACE(layout.device);
        RecordingSurface dc(layout.description);
        DrawTextReport(dc, {}, *doc);
        const auto texts = dc.CallsOf(SurfaceOp::DrawText);
        ASSERT_EQ(texts.size(), 6u);
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(texts[i].rect, layout.rects[i]) << "area " << i;
            EXPECT_EQ(texts[i].font, i == 0 ? layout.titleFont : layout.bodyFont) << "area " << i;
            EXPECT_EQ(texts[i].flags, i < 2 ? DT_CENTER | DT_VCENTER : DT_VCENTER) << "area " << i;
            EXPECT_EQ(texts[i].colour, (Colour{0, 0, 0}));
        }
        // Both fonts are gone afterwards and the surface has its own font back.
        EXPECT_EQ(dc.LiveFonts(), 1u);
        EXPECT_EQ(dc.SelectedFont(), STOCK_FONT);
        const auto deletes = dc.CallsOf(SurfaceOp::DeleteFont);
        const auto creates = dc.CallsOf(SurfaceOp::CreateFont);
        ASSERT_EQ(deletes.size(), 2u);
        EXPECT_EQ(deletes[0].handle, creates[1].handle);  // body font first
        EXPECT_EQ(deletes[1].handle, creates[0].handle);
    }
}

}  // namespace
