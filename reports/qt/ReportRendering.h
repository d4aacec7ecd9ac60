// Rendering the reports through Qt: the one funnel that the window, printing, the preview,
// PDF export and the command-line tool all draw through.
#pragma once

#include "DeviceDescription.h"
#include "Report.h"
#include "ReportPage.h"

#include <QImage>

#include <string>
#include <vector>

class CQuorvelwDoc;
class QPagedPaintDevice;
class QPaintDevice;
class QPainter;
class QScreen;

// Attribute-side metrics of each kind of device.
// The whole display (not the window): its size in device-independent pixels and millimetres.
DeviceDescription DescribeScreen(const QScreen& screen);
// A printer, preview printer or PDF writer: its printable area, printing.
DeviceDescription DescribePage(const QPagedPaintDevice& device);
// Any other device (an image, say), from its own size and resolution.
DeviceDescription DescribePaintDevice(const QPaintDevice& device, bool printing);

// Draws one report through a painter already active on the output device; nothing when the
// document holds no results to show. For a window, pass DescribeScreen and the scroll position.
void RenderReport(QPainter& painter, const DeviceDescription& attribute, const CQuorvelwDoc& doc,
                  ReportKind kind, const ReportView& view = {});

struct RenderResult {
    bool ok = false;
    std::string message;  // why not, for the operator; empty on success
};

// One page per entry of pages, on a device the caller has set up (paper, margins,
// resolution): begins a painter on it, draws, starts a new page between reports, ends. The
// preview's paintRequested printer goes here as well. Pages stay blank while the document
// holds no results, as a print of an empty view does.
RenderResult RenderReportPages(QPagedPaintDevice& device, const CQuorvelwDoc& doc,
                               const std::vector<ReportKind>& pages);

enum class PaperSize { A4, Letter };

// Writes the pages to a PDF file, portrait, 5 mm margins. The file appears only when all of
// it could be written: the PDF is made in memory and written to a temporary file in the same
// folder, which then replaces the target. Refuses a document without results.
RenderResult WriteReportPdf(const std::string& path, const CQuorvelwDoc& doc,
                            const std::vector<ReportKind>& pages, PaperSize paper = PaperSize::A4);

// A white image of the device's pixel size with one report drawn on it.
QImage RenderReportImage(const CQuorvelwDoc& doc, ReportKind kind, const DeviceDescription& attribute,
                         const ReportView& view = {});
