#include "construction/controls.h"
#include "drawing/drawn_extent.h"
#include "drawing/recording_surface.h"
#include "export/figure_export.h"
#include "export/painter_surface.h"
#include "figure/draw_construction.h"
#include "figure/figure_content.h"
#include "waves/wave_trace.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace kymata;

namespace {

Controls Setting(int source, bool hyperbola) {
    Controls c;
    c.initial_POINT = source;
    c.YPERVOLIKO = hyperbola;
    return c;
}

Controls WaveSetting(int source, bool hyperbola) {
    Controls c = Setting(source, hyperbola);
    c.view = View::Waves;
    return c;
}

Recording Draw(const Controls& controls) {
    Scene scene;
    Labels labels;
    RecordingSurface canvas;
    DrawFigure(controls, scene, labels, canvas);
    return canvas.Take();
}

/// Computing the figure (classic or the wave view) into a recording.
void BM_Compute(benchmark::State& state, const Controls& c) {
    Scene scene;
    Labels labels;
    RecordingSurface canvas;
    for (auto _ : state) {
        DrawFigure(c, scene, labels, canvas);
        benchmark::DoNotOptimize(canvas.Figure().items.data());
    }
    state.counters["items"] = double(canvas.Figure().items.size());
}

/// Rasterising a finished recording at 1000 x 1000.
void BM_Raster(benchmark::State& state, const Controls& c) {
    const Recording figure = Draw(c);
    for (auto _ : state) {
        QImage image = RenderImage(figure, 1000);
        benchmark::DoNotOptimize(image.constBits());
    }
}

/// How far the marks of a finished recording reach: what each pan, zoom and "show all" of the
/// canvas reckons once.
void BM_DrawnExtent(benchmark::State& state, const Controls& c) {
    const Recording figure = Draw(c);
    for (auto _ : state) {
        benchmark::DoNotOptimize(DrawnExtent(figure));
    }
    state.counters["items"] = double(figure.items.size());
}

/// The read-outs of a dragged thumb: a redraw into a discarded recording.
void BM_ReadoutsWhileDragging(benchmark::State& state, const Controls& c) {
    Scene scene;
    Labels labels;
    RecordingSurface canvas;
    DrawFigure(c, scene, labels, canvas);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadoutsFor(c, scene));
    }
}

/// One full redraw as the canvas will see it: compute, then rasterise at 1000 x 1000.
void BM_Redraw(benchmark::State& state, const Controls& c) {
    for (auto _ : state) {
        QImage image = RenderImage(Draw(c), 1000);
        benchmark::DoNotOptimize(image.constBits());
    }
}

/// The wave view's optics alone: the trace, the counts, the agreement and the focus searches.
void BM_WaveCompute(benchmark::State& state, int source, bool hyperbola) {
    const Controls c = WaveSetting(source, hyperbola);
    for (auto _ : state) {
        const waves::WaveTrace trace = waves::TraceWaves(c);
        benchmark::DoNotOptimize(trace.rays.data());
    }
}

/// Frames of the moving waves as the window shows them while they play: the still part of the
/// view is drawn once; each frame computes the crests at the new phase and lays them over it.
/// In presentation mode strokes are twice and texts one and a half times as large. Reports the
/// median and the 99th percentile of 600 frames.
void BM_WaveLayerFrames(benchmark::State& state, bool hyperbola, int pixels, bool presentation) {
    Controls c = WaveSetting(-20, hyperbola);
    const double zoom = pixels / Surface::ReferencePixels;
    const auto paint = [&](QImage& image, const Recording& recording, bool opaque) {
        QPainter painter(&image);
        PainterSurface surface(painter, QRectF(0, 0, pixels, pixels), zoom);
        surface.SetOpaque(opaque);
        if (presentation) {
            surface.SetEmphasis(2.0, 1.5);
        }
        Replay(recording, surface);
    };
    QImage still(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    c.phase = 0.0;
    paint(still, DrawWaveLayer(c, waves::CrestOptions::Layer::WithoutCrests), true);
    std::vector<double> frames;
    for (auto _ : state) {
        frames.clear();
        for (int frame = 0; frame < 600; ++frame) {
            c.phase = std::fmod(frame / 60.0, 1.0);
            const auto start = std::chrono::steady_clock::now();
            QImage image = still.copy();
            paint(image, DrawWaveLayer(c, waves::CrestOptions::Layer::CrestsOnly), false);
            benchmark::DoNotOptimize(image.constBits());
            frames.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count());
        }
    }
    std::sort(frames.begin(), frames.end());
    state.counters["median_ms"] = frames[frames.size() / 2];
    state.counters["p99_ms"] = frames[frames.size() * 99 / 100];
}

/// The perfect surface alone: found from the controls, sampled, its rim and aperture.
void BM_PerfectSurface(benchmark::State& state, int source, bool beam) {
    Controls c = WaveSetting(source, false);
    c.perfectLens = true;
    c.f_apeiro = beam;
    for (auto _ : state) {
        const waves::WaveLens lens = waves::DescribeWaveLens(c);
        benchmark::DoNotOptimize(lens.surface.data());
    }
}

/// Frames of the moving waves as the window plays them at 60 frames a second: the crests at a
/// new phase, computed, drawn and rasterised at `pixels` square. Reports the median and the 99th
/// percentile of 600 frames (ten seconds of play).
void BM_WaveFrames(benchmark::State& state, bool hyperbola, int pixels) {
    Controls c = WaveSetting(-20, hyperbola);
    std::vector<double> frames;
    for (auto _ : state) {
        frames.clear();
        for (int frame = 0; frame < 600; ++frame) {
            c.phase = std::fmod(frame / 60.0, 1.0);
            const auto start = std::chrono::steady_clock::now();
            Scene scene;
            Labels labels;
            RecordingSurface canvas;
            DrawFigure(c, scene, labels, canvas);
            QImage image = RenderImage(canvas.Figure(), pixels);
            benchmark::DoNotOptimize(image.constBits());
            frames.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count());
        }
    }
    std::sort(frames.begin(), frames.end());
    state.counters["median_ms"] = frames[frames.size() / 2];
    state.counters["p99_ms"] = frames[frames.size() * 99 / 100];
}

void RunProcess(benchmark::State& state, const std::string& command) {
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("the process failed");
            return;
        }
    }
}

/// The whole `kymata --export x.png` process at 1000 px.
void BM_ExportProcess(benchmark::State& state) {
    const std::string out = QDir::temp().filePath("kymata-bench.png").toStdString();
    RunProcess(state, std::string(KYMATA_BINARY) + " --export '" + out + "'");
}

/// A minimal Qt program that writes a blank 1000 x 1000 PNG with one text: the yardstick for
/// the above.
void BM_BlankPngProcess(benchmark::State& state) {
    const std::string out = QDir::temp().filePath("kymata-bench-blank.png").toStdString();
    RunProcess(state, std::string(BLANK_PNG_BINARY) + " '" + out + "'");
}

} // namespace

BENCHMARK_CAPTURE(BM_Compute, spherical_start, Setting(-20, false))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DrawnExtent, spherical_far, Setting(-200, false))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DrawnExtent, hyperbolic_far, Setting(-200, true))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ReadoutsWhileDragging, spherical_far, Setting(-200, false))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ReadoutsWhileDragging, hyperbolic_far, Setting(-200, true))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Compute, spherical_far, Setting(-200, false))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Raster, spherical_start, Setting(-20, false))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Raster, spherical_far, Setting(-200, false))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Redraw, spherical_start, Setting(-20, false))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Redraw, spherical_far, Setting(-200, false))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Compute, hyperbolic_start, Setting(-20, true))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Compute, hyperbolic_far, Setting(-200, true))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Raster, hyperbolic_start, Setting(-20, true))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Raster, hyperbolic_far, Setting(-200, true))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Redraw, hyperbolic_start, Setting(-20, true))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Redraw, hyperbolic_far, Setting(-200, true))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WaveCompute, sphere_start, -20, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WaveCompute, sphere_far, -200, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WaveCompute, hyperbola_start, -20, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WaveCompute, hyperbola_far, -200, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Compute, waves_sphere_start, WaveSetting(-20, false))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Compute, waves_sphere_far, WaveSetting(-200, false))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Compute, waves_hyperbola_start, WaveSetting(-20, true))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Compute, waves_hyperbola_far, WaveSetting(-200, true))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Redraw, waves_sphere_start, WaveSetting(-20, false))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Redraw, waves_sphere_far, WaveSetting(-200, false))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Redraw, waves_hyperbola_start, WaveSetting(-20, true))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Redraw, waves_hyperbola_far, WaveSetting(-200, true))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PerfectSurface, start, -20, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PerfectSurface, far, -200, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PerfectSurface, plane_wave, -20, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WaveFrames, sphere_1000px, false, 1000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_WaveFrames, hyperbola_1000px, true, 1000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_WaveFrames, sphere_2160px, false, 2160)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_WaveLayerFrames, sphere_1000px, false, 1000, false)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_WaveLayerFrames, hyperbola_1000px, true, 1000, false)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_WaveLayerFrames, sphere_2160px_presentation, false, 2160, true)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_WaveLayerFrames, hyperbola_2160px_presentation, true, 2160, true)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(BM_ExportProcess)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_BlankPngProcess)->Unit(benchmark::kMillisecond)->Iterations(20);

namespace {

/// The console report, and at its end the export process's cost as a multiple of the blank
/// PNG program's, from their medians (or means, without repetitions).
class RatioReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const std::string name = run.benchmark_name();
            const bool central = run.aggregate_name == "median" || run.aggregate_name.empty();
            if (!central) {
                continue;
            }
            if (name.rfind("BM_ExportProcess", 0) == 0) {
                export_ = run.GetAdjustedRealTime();
            } else if (name.rfind("BM_BlankPngProcess", 0) == 0) {
                blank_ = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        if (export_ > 0 && blank_ > 0) {
            std::printf("\nexport process / blank PNG process: %.2f (%.1f ms / %.1f ms)\n",
                        export_ / blank_, export_, blank_);
        }
    }

private:
    double export_ = 0;
    double blank_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
