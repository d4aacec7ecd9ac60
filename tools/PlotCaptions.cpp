#include "PlotCaptions.h"

#include "DeviceDescription.h"
#include "PlotReport.h"
#include "RecordingSurface.h"

std::vector<std::string> PlotCaptions(const CQuorvelwDoc& doc)
{
    RecordingSurface surface(A4PrinterAt600Dpi());
    DrawPlotReport(surface, ReportView{}, doc);
    const std::vector<SurfaceCall> texts = surface.CallsOf(SurfaceOp::DrawText);
    constexpr std::size_t TITLE_AND_HEADER = 2;
    if (texts.size() != TITLE_AND_HEADER + 3)
        return {};
    std::vector<std::string> captions;
    for (std::size_t i = TITLE_AND_HEADER; i < texts.size(); ++i)
        captions.push_back(texts[i].text);
    return captions;
}
