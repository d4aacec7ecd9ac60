// Drawing the reports as a paint, a page and a file would: build/bin/bench_reports
#include "QuorvelwDoc.h"
#include "ReportRendering.h"
#include "SyntheticMeasurement.h"

#include <QByteArray>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

// A loaded 7200-sample, 36-trace measurement with realistic results.
const CQuorvelwDoc& Measurement()
{
    static const std::unique_ptr<CQuorvelwDoc> doc = [] {
        auto d = std::make_unique<CQuorvelwDoc>();
        SynthesizeTraces(RealisticModel(7200, 36), *d);
        if (!d->SeparateErrors().ok())
            std::fprintf(stderr, "the benchmark measurement does not evaluate\n");
        d->m_bDataLoaded = 1;
        d->m_strDate = "Tue Mar 05 14:07:09 2024";
        d->m_strGageInfo = "Gage 7, probe 2";
        d->m_strGratingInfo = "RG-114";
        return d;
    }();
    return *doc;
}

void DrawOnScreenImage(benchmark::State& state, ReportKind kind)
{
    const CQuorvelwDoc& doc = Measurement();
    const DeviceDescription display = Display1920x1080();
    QImage image(display.widthPixels, display.heightPixels, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        RenderReport(painter, display, doc, kind);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_PlotReportScreen(benchmark::State& state) { DrawOnScreenImage(state, ReportKind::Plot); }
void BM_TextReportScreen(benchmark::State& state) { DrawOnScreenImage(state, ReportKind::Text); }

void BM_ReportsPdf(benchmark::State& state)
{
    const CQuorvelwDoc& doc = Measurement();
    const std::string path = QDir::temp().filePath(QStringLiteral("bench_reports.pdf")).toStdString();
    for (auto _ : state) {
        const RenderResult r = WriteReportPdf(path, doc, {ReportKind::Plot, ReportKind::Text});
        if (!r.ok) {
            state.SkipWithError(r.message.c_str());
            break;
        }
    }
    std::remove(path.c_str());
}

}  // namespace

BENCHMARK(BM_PlotReportScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextReportScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportsPdf)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
