#include "TextReport.h"

#include "FormatText.h"
#include "QuorvelwDoc.h"

#include <algorithm>
#include <cmath>

const char* const REPORT_TITLE = "Pellmoor Corporation Quorvel Program";

namespace {

constexpr double MICRO = 1000000.0;
constexpr double ARCSEC_PER_RADIAN = 206264.80671915034;
// 180 / 3.1415926 for the Fourier phases, a slightly different factor for the eccentricity
// angles: the printed angles of the calibration certificates depend on both.
constexpr double PHASE_DEGREES_PER_RADIAN = 57.295780490442965;
constexpr double ECC_DEGREES_PER_RADIAN = 57.29577951308239;

const char* const FOURIER_HEADER = "Order    COS      SIN      Amp    Phase\n";

void AppendFourierRows(std::string& out, const double* cosTable, const double* sinTable,
                       int firstOrder, int lastOrder)
{
    for (int k = firstOrder; k <= lastOrder; ++k) {
        const double c = cosTable[k];
        const double s = sinTable[k];
        double phase = std::atan2(s, c) * PHASE_DEGREES_PER_RADIAN;
        if (phase < 0)
            phase += 360;
        out += FormatText("%2.2u  %8.2f %8.2f %8.2f   %6.2f\n", static_cast<unsigned>(k),
                          c * MICRO, s * MICRO, std::sqrt(c * c + s * s) * MICRO, phase);
    }
}

std::string FourierBlock(const char* heading, const char* unit, const double* cosTable,
                         const double* sinTable)
{
    std::string out = heading;
    out += unit;
    out += FOURIER_HEADER;
    AppendFourierRows(out, cosTable, sinTable, 1, 25);
    return out;
}

std::string Extremes(const char* format, double max, double min, double factor)
{
    return FormatText(format, max * factor, min * factor, (max - min) * factor);
}

double EccentricityAngle(double c, double s)
{
    double a = std::atan2(s, c) * ECC_DEGREES_PER_RADIAN;
    if (a < 0)
        a += 360;
    return a;
}

std::string UpperRightBlock(const CQuorvelwDoc& doc)
{
    std::string out = "\n\n";
    out += FOURIER_HEADER;
    AppendFourierRows(out, doc.m_angleCos, doc.m_angleSin, 26, 30);
    out += Extremes("Part error (uin):\n max=%8.2f, min=%8.2f, p-p=%8.2f\n", doc.m_partMax,
                    doc.m_partMin, MICRO);
    out += Extremes("Spindle error (uin):\n max=%8.2f, min=%8.2f, p-p=%8.2f\n",
                    doc.m_spindleMax, doc.m_spindleMin, MICRO);
    out += Extremes("Angle error (urad):\n max=%8.2f, min=%8.2f, p-p=%8.2f\n", doc.m_angleMax,
                    doc.m_angleMin, MICRO);
    out += Extremes("Angle error (arcsec):\n max=%8.4f, min=%8.4f, p-p=%8.4f\n", doc.m_angleMax,
                    doc.m_angleMin, ARCSEC_PER_RADIAN);
    const double firstAngle = EccentricityAngle(doc.m_eccCos[0], doc.m_eccSin[0]);
    out += FormatText("\nFirst Angle of Eccentricity: %6.1f\n", firstAngle);
    out += "Eccentricity of traces (inch)\nTrace    COS        SIN        Amp   Angle\n";
    // The document never holds more than MAX_TRACES; the bound keeps a bad one from
    // reading past the tables.
    const int traces = std::min(doc.m_nTraces, MAX_TRACES);
    for (int i = 0; i < traces; ++i) {
        const double c = doc.m_eccCos[i];
        const double s = doc.m_eccSin[i];
        const double relative = std::fmod(EccentricityAngle(c, s) - firstAngle + 360, 360);
        out += FormatText("%u %10.6f %10.6f %10.6f  %6.2f\n", static_cast<unsigned>(i + 1), c, s,
                          std::sqrt(c * c + s * s), relative);
    }
    return out;
}

}  // namespace

std::string ComposeDateAndGageLines(const CQuorvelwDoc& doc)
{
    std::string out = "Data Collected on ";
    out += doc.m_strDate;
    out += "\nGage: ";
    out += doc.m_strGageInfo;
    out += ", Grating:";
    out += doc.m_strGratingInfo;
    return out;
}

TextReportAreas ComposeTextReport(const CQuorvelwDoc& doc)
{
    TextReportAreas a;
    a.title = REPORT_TITLE;
    a.subtitle = ComposeDateAndGageLines(doc);
    a.upperLeft = FourierBlock("Angle Error Fourier Coeffients\n", "(unit: 1e-6)\n", doc.m_angleCos,
                               doc.m_angleSin);
    a.upperRight = UpperRightBlock(doc);
    a.lowerLeft = FourierBlock("Part Error Fourier Coeffients\n", "(unit: uin)\n", doc.m_partCos,
                               doc.m_partSin);
    a.lowerRight = FourierBlock("Spindle Error Fourier Coeffients\n", "(unit: uin)\n",
                                doc.m_spindleCos, doc.m_spindleSin);
    return a;
}

void DrawTextReport(DrawingSurface& dc, const ReportView& view, const CQuorvelwDoc& doc)
{
    const ReportPage page = SetUpReportPage(dc, view);
    const int W = page.width;
    const int H = page.height;

    // Sizes truncate toward zero; each width comes from the already truncated height.
    const int titleHeight = static_cast<int>(H * (page.printing ? 0.018 : 0.025));
    const int titleWidth = static_cast<int>(titleHeight * (page.printing ? 0.56 : 0.6));
    const int bodyHeight = static_cast<int>(H * (page.printing ? 0.0125 : 0.0158));
    const int bodyWidth = static_cast<int>(bodyHeight * (page.printing ? 0.6 : 0.85));
    const FontHandle titleFont = dc.CreateFont(ReportFont(titleHeight, titleWidth, FW_HEAVY));
    const FontHandle bodyFont =
        dc.CreateFont(ReportFont(bodyHeight, bodyWidth, page.printing ? FW_NORMAL : FW_HEAVY));

    const TextReportAreas text = ComposeTextReport(doc);
    const auto scaled = [](int length, double factor) { return static_cast<int>(length * factor); };
    DrawCenteredText(dc, {0, scaled(H, 0.05), W, scaled(H, 0.03)}, text.title, titleFont);
    DrawCenteredText(dc, {0, scaled(H, 0.03), W, 0}, text.subtitle, bodyFont);
    DrawLeftAlignedText(dc, {scaled(W, 0.03), scaled(H, -0.02), scaled(W, 0.485), scaled(H, -0.5)},
                        text.upperLeft, bodyFont);
    DrawLeftAlignedText(dc, {W / 2, scaled(H, -0.02), scaled(W, 0.97), scaled(H, -0.5)},
                        text.upperRight, bodyFont);
    DrawLeftAlignedText(dc, {scaled(W, 0.03), scaled(H, -0.5), scaled(W, 0.485), scaled(H, -0.98)},
                        text.lowerLeft, bodyFont);
    DrawLeftAlignedText(dc, {W / 2, scaled(H, -0.5), scaled(W, 0.97), scaled(H, -0.98)},
                        text.lowerRight, bodyFont);

    dc.DeleteFont(bodyFont);
    dc.DeleteFont(titleFont);
}
