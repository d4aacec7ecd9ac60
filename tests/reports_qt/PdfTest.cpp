#include "ReportDocuments.h"
#include "ReportRendering.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool HasMediaBox(const QByteArray& pdf, int width, int height)
{
    const QString box = QStringLiteral("/MediaBox \\[0 0 %1(\\.0*)? %2(\\.0*)?\\]").arg(width).arg(height);
    return QString::fromLatin1(pdf).contains(QRegularExpression(box));
}

int PageCount(const QByteArray& pdf)
{
    return static_cast<int>(QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

// Page 1 as an image through poppler, when it is installed.
QImage RasterisePage(const QString& pdf, const QString& folder)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (tool.isEmpty())
        return {};
    const QString stem = folder + QStringLiteral("/page");
    QProcess::execute(tool, {"-r", "50", "-png", "-f", "1", "-l", "1", "-singlefile", pdf, stem});
    return QImage(stem + QStringLiteral(".png"));
}

TEST(ReportPdf, BothReportsOnTwoPagesInAFixedPitchFace)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("report.pdf"));
    const auto doc = CurveDocument(7200);
    const RenderResult r =
        WriteReportPdf(path.toStdString(), *doc, {ReportKind::Plot, ReportKind::Text}, PaperSize::A4);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_TRUE(r.message.empty());
    const QByteArray pdf = ReadAll(path);
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(PageCount(pdf), 2);
    EXPECT_TRUE(HasMediaBox(pdf, 595, 842));
    EXPECT_TRUE(pdf.contains("LiberationMono")) << "expected the metric twin of Courier New";
    // Nothing but the PDF is left in the folder.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"report.pdf"});

    const QImage page = RasterisePage(path, folder.path());
    if (page.isNull())
        GTEST_SKIP() << "pdftoppm not installed: page 1 not looked at";
    int red = 0, dark = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor c(page.pixel(x, y));
            red += c.red() > 200 && c.green() < 100 && c.blue() < 100;
            dark += c.lightness() < 128;
        }
    EXPECT_GT(red, 100);
    EXPECT_GT(dark, 1000);
    // The angle curve lies in the upper third of the page (its box is 48 mm below the body's
    // top, which is 25 mm below the printable area's).
    int lowestRed = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor c(page.pixel(x, y));
            if (c.red() > 200 && c.green() < 100 && c.blue() < 100)
                lowestRed = y;
        }
    EXPECT_LT(lowestRed, page.height() / 3);
}

TEST(ReportPdf, LetterPaper)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("letter.pdf"));
    const auto doc = SmallDocument();
    ASSERT_TRUE(WriteReportPdf(path.toStdString(), *doc, {ReportKind::Text}, PaperSize::Letter).ok);
    const QByteArray pdf = ReadAll(path);
    EXPECT_EQ(PageCount(pdf), 1);
    EXPECT_TRUE(HasMediaBox(pdf, 612, 792));
}

TEST(ReportPdf, FailuresAreReportedAndLeaveNoFile)
{
    QTemporaryDir folder;
    const auto doc = SmallDocument();

    // A folder that does not exist.
    const std::string missing = folder.filePath(QStringLiteral("no/such/report.pdf")).toStdString();
    RenderResult r = WriteReportPdf(missing, *doc, {ReportKind::Plot});
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find(missing), std::string::npos) << r.message;

    // A folder in the way of the file: refused, and no temporary file stays behind.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("taken.pdf")));
    r = WriteReportPdf(folder.filePath(QStringLiteral("taken.pdf")).toStdString(), *doc, {ReportKind::Plot});
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.message.empty());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"taken.pdf"});

    // A document without results, and no pages: nothing is written, an older file stays.
    const QString old = folder.filePath(QStringLiteral("old.pdf"));
    {
        QFile f(old);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("earlier");
    }
    auto empty = SmallDocument();
    empty->m_bDataLoaded = 0;
    r = WriteReportPdf(old.toStdString(), *empty, {ReportKind::Plot});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "There is no measurement to report");
    EXPECT_FALSE(WriteReportPdf(old.toStdString(), *doc, {}).ok);
    EXPECT_EQ(ReadAll(old), QByteArray("earlier"));
}

TEST(ReportPages, APrinterPageGoesThroughTheSameFunnel)
{
    // The printer of print and preview, here writing PDF: one page of the text report.
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("printed.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const DeviceDescription page = DescribePage(printer);
    EXPECT_TRUE(page.printing);
    EXPECT_GT(page.widthPixels, 9000);  // 1200 dpi inside the margins
    EXPECT_NEAR(page.widthMm, page.widthPixels / 1200.0 * 25.4, 0.1);
    EXPECT_NEAR(page.heightMm, page.heightPixels / 1200.0 * 25.4, 0.1);

    const auto doc = SmallDocument();
    const RenderResult r = RenderReportPages(printer, *doc, {ReportKind::Text});
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(PageCount(ReadAll(path)), 1);
}

}  // namespace
