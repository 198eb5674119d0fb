// kymata-sweep: draws every setting of the four scroll bars, spherical and hyperbolic (and, with
// --print, the two print jobs), into validating surfaces, and checks the physics on every ray.

#include "construction/controls.h"
#include "construction/views.h"
#include "figure/sweep_checks.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <optional>
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
    /// The views swept, each one the sweep has checks for.
    std::vector<View> views;
    /// The wave view is drawn with the plane wave too at every `beamStride`-th setting.
    int beamStride = 7;

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

/// True for a view the sweep has checks for: the classic figures, and every view drawn from the
/// exact tracer, whose rays' optics it checks. Any other view is refused with a sentence.
bool Sweepable(View view) {
    return view == View::Classic || TracesWaves(view);
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

/// The jobs of one setting `c` in its view, one the sweep has checks for: the redraw (and
/// PRINT) of the classic figures; a traced view's redraw, with the plane wave too at every
/// `beamStride`-th setting.
void SweepView(Controls c, bool hyperbola, std::int64_t i, const Plan& plan, SweepRig& rig,
               Tally& tally) {
    if (!TracesWaves(c.view)) {
        RunJob(c, hyperbola ? "hyperbolic" : "spherical", rig, tally, [&] { rig.Draw(c); });
        if (plan.print) {
            RunJob(c, hyperbola ? "hyperbolic print" : "spherical print", rig, tally,
                   [&] { rig.Print(c); });
        }
        return;
    }
    // "sphere waves", "hyperbola plane wave"; another traced view's jobs carry its name too.
    const std::string lens = hyperbola ? "hyperbola" : "sphere";
    const std::string other = c.view == View::Waves ? "" : " " + std::string(ViewName(c.view));
    const std::string drawn = lens + (other.empty() ? " waves" : other);
    RunJob(c, drawn.c_str(), rig, tally, [&] { rig.DrawTraced(c); });
    if (i % plan.beamStride == 0) {
        c.f_apeiro = true;
        const std::string beam = lens + other + " plane wave";
        RunJob(c, beam.c_str(), rig, tally, [&] { rig.DrawTraced(c); });
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
                for (const View view : plan.views) {
                    c.view = view;
                    SweepView(c, hyperbola, i, plan, rig, tally);
                }
            }
            ++tally.settings;
        }
    }
}

constexpr const char* Usage =
    "Usage: kymata-sweep [options]\n"
    "Draws every setting of the four scroll bars into validating surfaces and checks the figure\n"
    "and its physics. Exits 1 on any failure, 2 on a bad option.\n\n"
    "  --stride-source N     step through initial_POINT (default 1)\n"
    "  --stride-focus N      step through fOCUS_POINT (default 1)\n"
    "  --stride-index N      step through n_DIATHLASI (default 1)\n"
    "  --stride-thickness N  step through pachos (default 1)\n"
    "  --constructions WHICH spherical, hyperbolic or both (default)\n"
    "  --views WHICH         all (default), or the names of views separated by commas\n"
    "  --stride-beam N       the wave view with the plane wave too at every N-th setting\n"
    "                        (default 7)\n"
    "  --threads N           worker threads (default: all cores)\n"
    "  --print               run the two print jobs too\n"
    "  --help                show this text\n";

[[noreturn]] void BadUsage(const std::string& sentence) {
    std::fprintf(stderr, "kymata-sweep: %s\n", sentence.c_str());
    std::exit(2);
}

/// A whole number of at least 1, or a usage error that names the option.
int Count(const std::string& option, const std::string& text) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < 1 || value > 1000000) {
        BadUsage(option + ": give a whole number of at least 1");
    }
    return static_cast<int>(value);
}

/// The views `--views` names: "all", "both" (as before a third view), or names of the views
/// separated by commas. A name no view has, or a view the sweep has no checks for, ends the
/// run with a sentence.
std::vector<View> ViewsToSweep(const std::string& text) {
    std::string names;
    for (const ViewTraits& row : ViewNames) {
        names += (names.empty() ? "" : ", ") + std::string(row.name);
    }
    std::vector<std::string_view> asked;
    if (text == "all" || text == "both") {
        for (const ViewTraits& row : ViewNames) {
            asked.push_back(row.name);
        }
    }
    for (std::size_t from = 0; asked.empty() && from <= text.size();) {
        const std::size_t comma = std::min(text.find(',', from), text.size());
        asked.push_back(std::string_view(text).substr(from, comma - from));
        from = comma + 1;
    }
    std::vector<View> views;
    for (const std::string_view name : asked) {
        const std::optional<View> view = ParseView(name);
        if (!view) {
            BadUsage("--views: give all, or views among " + names + ", separated by commas");
        }
        if (!Sweepable(*view)) {
            BadUsage("--views: the sweep has no checks for the view \"" + std::string(name) +
                     "\"; name the views it checks");
        }
        if (std::find(views.begin(), views.end(), *view) == views.end()) {
            views.push_back(*view);
        }
    }
    return views;
}

} // namespace

int main(int argc, char** argv) {
    std::map<std::string, std::string> values{
        {"--stride-source", "1"},    {"--stride-focus", "1"},     {"--stride-index", "1"},
        {"--stride-thickness", "1"}, {"--constructions", "both"}, {"--threads", ""},
        {"--views", "all"},          {"--stride-beam", "7"}};
    bool print = false;
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        std::optional<std::string> value;
        if (const auto eq = option.find('='); eq != std::string::npos) {
            value = option.substr(eq + 1);
            option.resize(eq);
        }
        if (option == "--help" || option == "-h") {
            std::fputs(Usage, stdout);
            std::printf("\nThe views:");
            for (const ViewTraits& row : ViewNames) {
                std::printf(" %.*s", static_cast<int>(row.name.size()), row.name.data());
            }
            std::printf("\n");
            return 0;
        }
        if (option == "--print" && !value) {
            print = true;
            continue;
        }
        if (!values.contains(option)) {
            BadUsage("unknown option " + option + " (see --help)");
        }
        if (!value) {
            if (i + 1 >= argc) {
                BadUsage(option + " needs a value");
            }
            value = argv[++i];
        }
        values[option] = *value;
    }

    Plan plan;
    plan.sources = Values(initial_POINT_Range, Count("--stride-source", values["--stride-source"]));
    plan.focuses = Values(fOCUS_POINT_Range, Count("--stride-focus", values["--stride-focus"]));
    plan.indices = Values(n_DIATHLASI_Range, Count("--stride-index", values["--stride-index"]));
    plan.thicknesses =
        Values(pachos_Range, Count("--stride-thickness", values["--stride-thickness"]));
    const std::string which = values["--constructions"];
    if (which != "both" && which != "spherical" && which != "hyperbolic") {
        BadUsage("--constructions: give spherical, hyperbolic or both");
    }
    plan.spherical = which != "hyperbolic";
    plan.hyperbolic = which != "spherical";
    plan.print = print;
    const std::string views = values["--views"];
    plan.views = ViewsToSweep(views);
    plan.beamStride = Count("--stride-beam", values["--stride-beam"]);
    int workers = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    if (!values["--threads"].empty()) {
        workers = Count("--threads", values["--threads"]);
    }

    const std::int64_t total = plan.Settings();
    std::printf("sweeping %lld settings (%s; views %s%s) on %d threads\n",
                static_cast<long long>(total), which.c_str(), views.c_str(),
                plan.print ? ", with the print jobs" : "", workers);
    std::fflush(stdout);

    Tally tally;
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::thread> pool;
    if (workers == 1) {
        // On this thread: also where no threads exist, as in WebAssembly without them.
        Worker(plan, tally);
    }
    for (int t = 0; workers > 1 && t < workers; ++t) {
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
