// kymata-sweep: draws every setting of the four scroll bars, spherical and hyperbolic (and, with
// --print, the two print jobs), into validating surfaces, and checks the physics on every ray.

#include "construction/controls.h"
#include "sweep_checks.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using namespace kymata;
using namespace kymata::sweep;

namespace {

/// The values of one scroll bar that the sweep visits: min, min + stride, ..., and max always.
std::vector<int> Values(ControlRange range, int stride) {
    std::vector<int> values;
    for (int v = range.min; v <= range.max; v += stride) {
        values.push_back(v);
    }
    if (values.back() != range.max) {
        values.push_back(range.max);
    }
    return values;
}

struct Plan {
    std::vector<int> sources, focuses, indices, thicknesses;
    bool spherical = true;
    bool hyperbolic = true;
    bool print = false;

    std::int64_t Settings() const {
        return std::int64_t(sources.size()) * focuses.size() * indices.size() * thicknesses.size();
    }
    Controls At(std::int64_t i) const {
        Controls c;
        c.pachos = thicknesses[i % thicknesses.size()];
        i /= thicknesses.size();
        c.n_DIATHLASI = indices[i % indices.size()];
        i /= indices.size();
        c.fOCUS_POINT = focuses[i % focuses.size()];
        i /= focuses.size();
        c.initial_POINT = sources[i];
        return c;
    }
};

struct Tally {
    std::atomic<std::int64_t> next{0};
    std::atomic<std::int64_t> settings{0};
    std::atomic<std::int64_t> items{0};
    std::atomic<std::int64_t> checks{0};
    std::atomic<std::int64_t> failures{0};
    std::mutex reportLock;
    std::vector<std::string> firstFailures;
};

std::string Describe(const Controls& c, const char* job) {
    char text[200];
    std::snprintf(text, sizeof text,
                  "%s: initial_POINT %d, fOCUS_POINT %d, n_DIATHLASI %d, pachos %d", job,
                  c.initial_POINT, c.fOCUS_POINT, c.n_DIATHLASI, c.pachos);
    return text;
}

/// Draws one job of one setting and reports what failed.
template <typename Draw>
void RunJob(const Controls& c, const char* job, SweepRig& rig, Tally& tally, Draw draw) {
    FigureValidator& validator = rig.validator;
    PhysicsChecker& physics = rig.physics;
    validator.Reset();
    physics.Reset();
    draw();
    tally.items += validator.Items();
    tally.checks += physics.Checks();
    if (validator.Failed() || physics.Failed()) {
        ++tally.failures;
        const std::lock_guard lock(tally.reportLock);
        if (tally.firstFailures.size() < 10) {
            tally.firstFailures.push_back(
                Describe(c, job) + ": " +
                (validator.Failed() ? validator.Fault() : physics.Fault()));
        }
    }
}

void Worker(const Plan& plan, Tally& tally) {
    constexpr std::int64_t Chunk = 256;
    SweepRig rig;
    const std::int64_t total = plan.Settings();
    for (;;) {
        const std::int64_t begin = tally.next.fetch_add(Chunk);
        if (begin >= total) {
            return;
        }
        const std::int64_t end = std::min(total, begin + Chunk);
        for (std::int64_t i = begin; i < end; ++i) {
            Controls c = plan.At(i);
            for (const bool hyperbola : {false, true}) {
                if (hyperbola ? !plan.hyperbolic : !plan.spherical) {
                    continue;
                }
                c.YPERVOLIKO = hyperbola;
                const char* name = hyperbola ? "hyperbolic" : "spherical";
                RunJob(c, name, rig, tally, [&] { rig.Draw(c); });
                if (plan.print) {
                    const char* printName = hyperbola ? "hyperbolic print" : "spherical print";
                    RunJob(c, printName, rig, tally, [&] { rig.Print(c); });
                }
            }
            ++tally.settings;
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kymata-sweep"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Draws every setting of the four scroll bars into validating surfaces and checks the "
        "figure and its physics. Exits 1 on any failure."));
    parser.addHelpOption();
    const QCommandLineOption strideSource({QStringLiteral("stride-source")},
                                          QStringLiteral("Step through initial_POINT."),
                                          QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption strideFocus({QStringLiteral("stride-focus")},
                                         QStringLiteral("Step through fOCUS_POINT."),
                                         QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption strideIndex({QStringLiteral("stride-index")},
                                         QStringLiteral("Step through n_DIATHLASI."),
                                         QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption strideThickness({QStringLiteral("stride-thickness")},
                                             QStringLiteral("Step through pachos."),
                                             QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption constructions(
        {QStringLiteral("constructions")},
        QStringLiteral("spherical, hyperbolic or both (default)."), QStringLiteral("WHICH"),
        QStringLiteral("both"));
    const QCommandLineOption threads({QStringLiteral("threads")},
                                     QStringLiteral("Worker threads (default: all cores)."),
                                     QStringLiteral("N"));
    const QCommandLineOption print({QStringLiteral("print")},
                                   QStringLiteral("Run the two print jobs too."));
    parser.addOptions(
        {strideSource, strideFocus, strideIndex, strideThickness, constructions, threads, print});
    parser.process(app);

    const auto stride = [&](const QCommandLineOption& o) {
        bool ok = false;
        const int v = parser.value(o).toInt(&ok);
        if (!ok || v < 1) {
            std::fprintf(stderr, "--%s: give a whole number of at least 1\n",
                         qPrintable(o.names().constFirst()));
            std::exit(2);
        }
        return v;
    };
    Plan plan;
    plan.sources = Values(initial_POINT_Range, stride(strideSource));
    plan.focuses = Values(fOCUS_POINT_Range, stride(strideFocus));
    plan.indices = Values(n_DIATHLASI_Range, stride(strideIndex));
    plan.thicknesses = Values(pachos_Range, stride(strideThickness));
    const QString which = parser.value(constructions);
    if (which != QLatin1String("both") && which != QLatin1String("spherical") &&
        which != QLatin1String("hyperbolic")) {
        std::fprintf(stderr, "--constructions: give spherical, hyperbolic or both\n");
        return 2;
    }
    plan.spherical = which != QLatin1String("hyperbolic");
    plan.hyperbolic = which != QLatin1String("spherical");
    plan.print = parser.isSet(print);
    int workers = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    if (parser.isSet(threads)) {
        workers = stride(threads);
    }

    const std::int64_t total = plan.Settings();
    std::printf("sweeping %lld settings (%s%s) on %d threads\n", static_cast<long long>(total),
                qPrintable(which), plan.print ? ", with both print jobs" : "", workers);
    std::fflush(stdout);

    Tally tally;
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::thread> pool;
    for (int t = 0; t < workers; ++t) {
        pool.emplace_back(Worker, std::cref(plan), std::ref(tally));
    }
    const auto elapsed = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    auto lastReport = start;
    while (tally.settings < total) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        if (std::chrono::steady_clock::now() - lastReport > std::chrono::seconds(30)) {
            lastReport = std::chrono::steady_clock::now();
            const double done = double(tally.settings);
            std::printf("  %lld of %lld settings (%.1f%%), %lld failures, %.0f settings/s\n",
                        static_cast<long long>(tally.settings.load()),
                        static_cast<long long>(total), 100 * done / total,
                        static_cast<long long>(tally.failures.load()), done / elapsed());
            std::fflush(stdout);
        }
    }
    for (std::thread& t : pool) {
        t.join();
    }
    const double seconds = elapsed();
    std::printf(
        "settings checked: %lld\nitems checked: %lld\nphysics checks: %lld\n"
        "failures: %lld\nseconds: %.1f\nsettings per second: %.0f\n",
        static_cast<long long>(tally.settings.load()), static_cast<long long>(tally.items.load()),
        static_cast<long long>(tally.checks.load()), static_cast<long long>(tally.failures.load()),
        seconds, tally.settings / std::max(seconds, 1e-9));
    for (const std::string& failure : tally.firstFailures) {
        std::printf("FAILED %s\n", failure.c_str());
    }
    std::printf("sweep: %lld passed, %lld failed\n",
                static_cast<long long>(tally.settings - tally.failures),
                static_cast<long long>(tally.failures.load()));
    return tally.failures == 0 ? 0 : 1;
}
