#include "ReportRendering.h"

#include "QPainterSurface.h"
#include "QuorvelwDoc.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QScreen>

namespace {

constexpr double MM_PER_INCH = 25.4;
constexpr double PDF_MARGIN_MM = 5.0;
constexpr int PDF_DPI = 1200;

}  // namespace

DeviceDescription DescribeScreen(const QScreen& screen)
{
    DeviceDescription d;
    const QSize pixels = screen.geometry().size();
    d.widthPixels = pixels.width();
    d.heightPixels = pixels.height();
    QSizeF mm = screen.physicalSize();
    if (mm.width() <= 0 || mm.height() <= 0) {
        // Some virtual displays know no size: take the logical resolution instead.
        mm = QSizeF(pixels.width() / screen.logicalDotsPerInchX() * MM_PER_INCH,
                    pixels.height() / screen.logicalDotsPerInchY() * MM_PER_INCH);
    }
    d.widthMm = mm.width();
    d.heightMm = mm.height();
    d.printing = false;
    return d;
}

DeviceDescription DescribePage(const QPagedPaintDevice& device)
{
    DeviceDescription d;
    d.widthPixels = device.width();
    d.heightPixels = device.height();
    const QRectF mm = device.pageLayout().paintRect(QPageLayout::Millimeter);
    d.widthMm = mm.width();
    d.heightMm = mm.height();
    d.printing = true;
    return d;
}

DeviceDescription DescribePaintDevice(const QPaintDevice& device, bool printing)
{
    DeviceDescription d;
    d.widthPixels = device.width();
    d.heightPixels = device.height();
    d.widthMm = device.width() / static_cast<double>(device.logicalDpiX()) * MM_PER_INCH;
    d.heightMm = device.height() / static_cast<double>(device.logicalDpiY()) * MM_PER_INCH;
    d.printing = printing;
    return d;
}

void RenderReport(QPainter& painter, const DeviceDescription& attribute, const CQuorvelwDoc& doc,
                  ReportKind kind, const ReportView& view)
{
    QPainterSurface surface(painter, attribute);
    DrawReport(surface, view, doc, kind);
}

RenderResult RenderReportPages(QPagedPaintDevice& device, const CQuorvelwDoc& doc,
                               const std::vector<ReportKind>& pages)
{
    if (pages.empty())
        return {false, "No report to render"};
    QPainter painter;
    if (!painter.begin(&device))
        return {false, "Can't start drawing on the page"};
    const DeviceDescription attribute = DescribePage(device);
    bool first = true;
    for (const ReportKind kind : pages) {
        if (!first && !device.newPage()) {
            painter.end();
            return {false, "Can't start a new page"};
        }
        first = false;
        RenderReport(painter, attribute, doc, kind);
    }
    if (!painter.end())
        return {false, "Can't finish the pages"};
    return {true, {}};
}

RenderResult WriteReportPdf(const std::string& path, const CQuorvelwDoc& doc,
                            const std::vector<ReportKind>& pages, PaperSize paper)
{
    if (doc.m_bDataLoaded == 0)
        return {false, "There is no measurement to report"};
    if (pages.empty())
        return {false, "No report to render"};

    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(PDF_DPI);
        writer.setCreator(QStringLiteral("Quorvel"));
        writer.setTitle(QStringLiteral("Quorvel report"));
        writer.setPageLayout(QPageLayout(
            QPageSize(paper == PaperSize::Letter ? QPageSize::Letter : QPageSize::A4),
            QPageLayout::Portrait,
            QMarginsF(PDF_MARGIN_MM, PDF_MARGIN_MM, PDF_MARGIN_MM, PDF_MARGIN_MM),
            QPageLayout::Millimeter));
        const RenderResult drawn = RenderReportPages(writer, doc, pages);
        if (!drawn.ok)
            return drawn;
    }
    if (pdf.isEmpty())
        return {false, "Can't make the PDF"};

    QSaveFile file(QString::fromUtf8(path.c_str()));
    if (!file.open(QIODevice::WriteOnly))
        return {false, "Can't write " + path + ": " + file.errorString().toStdString()};
    if (file.write(pdf) != pdf.size()) {
        const std::string why = file.errorString().toStdString();
        file.cancelWriting();
        return {false, "Can't write " + path + ": " + why};
    }
    if (!file.commit())
        return {false, "Can't write " + path + ": " + file.errorString().toStdString()};
    return {true, {}};
}

QImage RenderReportImage(const CQuorvelwDoc& doc, ReportKind kind, const DeviceDescription& attribute,
                         const ReportView& view)
{
    QImage image(attribute.widthPixels, attribute.heightPixels, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    RenderReport(painter, attribute, doc, kind, view);
    painter.end();
    return image;
}
