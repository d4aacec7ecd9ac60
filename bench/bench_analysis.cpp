// Whole analyses on realistic synthetic measurements: build/bin/bench_analysis
#include "QuorvelwDoc.h"
#include "SyntheticMeasurement.h"

#include <benchmark/benchmark.h>

#include <memory>

static void BM_SeparateErrors(benchmark::State& state)
{
    auto doc = std::make_unique<CQuorvelwDoc>();
    SyntheticModel model = RealisticModel(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    model.noise = 2e-7;
    SynthesizeTraces(model, *doc);
    for (auto _ : state) {
        SeparationStatus status = doc->SeparateErrors();
        benchmark::DoNotOptimize(status);
        benchmark::DoNotOptimize(doc->m_angleErr[0]);
    }
}
BENCHMARK(BM_SeparateErrors)->Args({7200, 36})->Args({3600, 8})->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
