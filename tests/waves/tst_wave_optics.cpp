// The wave view's optics checked against what physics guarantees: Snell's law at both faces,
// the paraxial imaging formula of a refracting sphere and a plane, the hyperbola's constant
// path from its far focus, Fermat's stationarity of the count, and the mirror symmetry of the
// fan. The surfaces are written out here from their equations, not taken from the tracer.

#include "construction/controls.h"
#include "waves/perfect_surface.h"
#include "waves/wave_focus.h"
#include "waves/wave_ledger.h"
#include "waves/wave_trace.h"

#include "construction/number_format.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <complex>
#include <functional>
#include <numbers>

using namespace kymata;
using namespace kymata::waves;

namespace {

Controls Setting(int source, int index, int thickness, bool hyperbola, bool beam, int focus = 5) {
    Controls c;
    c.initial_POINT = source;
    c.n_DIATHLASI = index;
    c.pachos = thickness;
    c.YPERVOLIKO = hyperbola;
    c.f_apeiro = beam;
    c.fOCUS_POINT = focus;
    c.view = View::Waves;
    return c;
}

/// The front surface as a curve y -> (x(y), y), from its own equation.
Vec2 SurfacePoint(const WaveLens& lens, double y) {
    if (lens.shape == LensShape::Sphere) {
        // (x - xc)² + y² = R², the half towards the source.
        return {lens.centreX - std::sqrt(lens.radius * lens.radius - y * y), y};
    }
    // ((x + 2a) / a)² - (y / b)² = 1, the right branch.
    return {-2 * lens.a + lens.a * std::sqrt(1 + y * y / (lens.b * lens.b)), y};
}

/// The unit normal of the front surface towards +x, across the tangent (dx/dy, 1) of the
/// curve x(y): sphere dx/dy = y / sqrt(R² - y²), hyperbola dx/dy = a y / (b² sqrt(1 + y²/b²)).
Vec2 SurfaceNormal(const WaveLens& lens, double y) {
    const double slope =
        lens.shape == LensShape::Sphere
            ? y / std::sqrt(lens.radius * lens.radius - y * y)
            : lens.a * y / (lens.b * lens.b * std::sqrt(1 + y * y / (lens.b * lens.b)));
    return Unit({1, -slope});
}

double Sine(Vec2 d, Vec2 normal) {
    return std::abs(Cross(Unit(d), normal));
}

void AddSettings() {
    QTest::addColumn<Controls>("controls");
    for (const bool hyperbola : {false, true}) {
        for (const bool beam : {false, true}) {
            for (const int source : {-200, -60, -20, -8}) {
                for (const int index : {105, 150, 199, 250}) {
                    for (const int thickness : {1, 7, 20}) {
                        QTest::addRow("%s%s source %d n %d thickness %d",
                                      hyperbola ? "hyperbola" : "sphere", beam ? ", beam" : "",
                                      source, index, thickness)
                            << Setting(source, index, thickness, hyperbola, beam);
                    }
                }
            }
        }
    }
}

} // namespace

Q_DECLARE_METATYPE(kymata::Controls)

class TestWaveOptics : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void snellAtBothFaces_data() { AddSettings(); }
    void snellAtBothFaces();
    void fermatStationarity_data() { AddSettings(); }
    void fermatStationarity();
    void mirrorSymmetry_data() { AddSettings(); }
    void mirrorSymmetry();
    void paraxialFocusOfTheSphere_data();
    void paraxialFocusOfTheSphere();
    void hyperbolaFromItsFarFocus_data();
    void hyperbolaFromItsFarFocus();
    void agreement_data();
    void agreement();
    void bestFocusIsTheLeastRms_data();
    void bestFocusIsTheLeastRms();
    void bestFocusBetweenMarginalAndParaxial_data();
    void bestFocusBetweenMarginalAndParaxial();
    void convergedAgreement_data();
    void convergedAgreement();
    void arrivalSpread_data() { AddSettings(); }
    void arrivalSpread();
    void noFocusNearerThanTheFocalDistance_data();
    void noFocusNearerThanTheFocalDistance();
    void sourceInTheGlass_data();
    void sourceInTheGlass();
    void totalReflection();
    void perfectSurface_data();
    void perfectSurface();
    void noPerfectSurface();
    void perfectLensFocusAndAperture_data();
    void perfectLensFocusAndAperture();
};

// Snell: n1 sin i = n2 sin t at the front (air into glass, the surface's own normal) and the
// back face (glass into air, normal along x), to 1e-12; the refracted ray on the far side of
// the normal; every ray held in the glass is beyond the critical angle, every other within it.
void TestWaveOptics::snellAtBothFaces() {
    QFETCH(Controls, controls);
    const WaveTrace trace = TraceWaves(controls);
    const WaveLens& lens = trace.lens;
    QCOMPARE(trace.rays.size(), std::size_t(FanRays));
    const double n = lens.index;
    for (const TracedRay& ray : trace.rays) {
        const Vec2 onSurface = SurfacePoint(lens, ray.height);
        QVERIFY(std::abs(onSurface.x - ray.entry.x) < 1e-9 && ray.entry.y == ray.height);
        const Vec2 in = controls.f_apeiro ? Vec2{1, 0} : Unit(ray.entry - ray.start);
        const Vec2 normal = SurfaceNormal(lens, ray.height);
        const double sinI = Sine(in, normal);
        const double sinT = Sine(ray.inGlass, normal);
        QVERIFY2(std::abs(sinI - n * sinT) <= 1e-12 * std::max(1.0, sinI),
                 qPrintable(QStringLiteral("front: sin i %1, n sin t %2").arg(sinI).arg(n * sinT)));
        QVERIFY(Cross(normal, in) * Cross(normal, ray.inGlass) >= 0);
        QVERIFY(std::abs(Length(ray.inGlass) - 1) < 1e-12);
        if (!ray.exit) {
            QCOMPARE(ray.fate, RayFate::Missed);
            continue;
        }
        QCOMPARE(ray.exit->x, lens.backX);
        QVERIFY(std::abs(ray.exit->y) <= lens.rim);
        const double sinGlass = std::abs(ray.inGlass.y);
        if (ray.fate == RayFate::Tir) {
            QVERIFY(n * sinGlass > 1);
            continue;
        }
        QCOMPARE(ray.fate, RayFate::Through);
        QVERIFY(n * sinGlass <= 1);
        const double sinAir = std::abs(ray.inAir->y);
        QVERIFY2(
            std::abs(n * sinGlass - sinAir) <= 1e-12 * std::max(1.0, sinAir),
            qPrintable(QStringLiteral("back: n sin %1, sin %2").arg(n * sinGlass).arg(sinAir)));
        QVERIFY(ray.inGlass.y * ray.inAir->y >= 0);
        QVERIFY(ray.inAir->x > 0);
    }
}

// Fermat: the count from the start to the exit point is stationary when the entry point moves
// along the front surface, and the count from the entry point to a point on the air ray is
// stationary when the exit point moves along the back face: the first-order change vanishes.
void TestWaveOptics::fermatStationarity() {
    QFETCH(Controls, controls);
    const WaveTrace trace = TraceWaves(controls);
    const WaveLens& lens = trace.lens;
    const double lambda = lens.wavelength;
    const double lambdaN = lens.glassWavelength;
    const double delta = 1e-4;
    for (const TracedRay& ray : trace.rays) {
        if (!ray.exit) {
            continue;
        }
        const Vec2 exit = *ray.exit;
        const std::function<double(double)> front = [&](double y) {
            const Vec2 p = SurfacePoint(lens, y);
            const double air = controls.f_apeiro ? (p.x - lens.sourceX) / lambda
                                                 : Distance({lens.sourceX, 0}, p) / lambda;
            return air + Distance(p, exit) / lambdaN;
        };
        const double slope = (front(ray.height + delta) - front(ray.height - delta)) / (2 * delta);
        const double airSlope =
            std::abs((Distance({lens.sourceX, 0}, SurfacePoint(lens, ray.height + delta)) -
                      Distance({lens.sourceX, 0}, SurfacePoint(lens, ray.height - delta))) /
                     (2 * delta * lambda));
        QVERIFY2(std::abs(slope) < 1e-6,
                 qPrintable(
                     QStringLiteral("front: dW/dy = %1 (air alone %2)").arg(slope).arg(airSlope)));
        if (!ray.inAir) {
            continue;
        }
        const Vec2 beyond = exit + 50 * *ray.inAir;
        const auto back = [&](double y) {
            const Vec2 x{lens.backX, y};
            return Distance(ray.entry, x) / lambdaN + Distance(x, beyond) / lambda;
        };
        const double backSlope = (back(exit.y + delta) - back(exit.y - delta)) / (2 * delta);
        QVERIFY2(std::abs(backSlope) < 1e-6,
                 qPrintable(QStringLiteral("back: dW/dy = %1").arg(backSlope)));
    }
}

// The fan is symmetric about the axis: rays k and -k mirror each other, count for count.
void TestWaveOptics::mirrorSymmetry() {
    QFETCH(Controls, controls);
    const WaveTrace trace = TraceWaves(controls);
    for (int k = 1; k <= FanHalf; ++k) {
        const TracedRay& up = trace.rays[FanHalf + k];
        const TracedRay& down = trace.rays[FanHalf - k];
        QVERIFY(up.height > 0);
        QCOMPARE(up.height, -down.height);
        QCOMPARE(up.fate, down.fate);
        QVERIFY(std::abs(up.entry.y + down.entry.y) < 1e-12);
        QVERIFY(std::abs(up.air - down.air) < 1e-12);
        QCOMPARE(up.total.has_value(), down.total.has_value());
        if (up.total) {
            QVERIFY(std::abs(*up.total - *down.total) < 1e-12);
            QVERIFY(std::abs(up.exit->y + down.exit->y) < 1e-12);
        }
        QCOMPARE(up.crossing.has_value(), down.crossing.has_value());
    }
    // The axial ray goes straight through, unturned.
    const TracedRay& axial = trace.rays[FanHalf];
    QCOMPARE(axial.height, 0.0);
    QCOMPARE(axial.fate, RayFate::Through);
    QCOMPARE(axial.inAir->y, 0.0);
}

void TestWaveOptics::paraxialFocusOfTheSphere_data() {
    QTest::addColumn<Controls>("controls");
    QTest::addColumn<bool>("converges");
    // Start values: the source lies inside the front focal distance, 70 < R / (n - 1) = 90.
    QTest::newRow("start values: no real focus") << Setting(-20, 150, 20, false, false) << false;
    QTest::newRow("far source") << Setting(-200, 150, 20, false, false) << true;
    QTest::newRow("far source, thin") << Setting(-200, 150, 1, false, false) << true;
    QTest::newRow("far source, n 2.5") << Setting(-200, 250, 12, false, false) << true;
    QTest::newRow("n 2.0, source 30") << Setting(-30, 200, 10, false, false) << true;
    QTest::newRow("n 1.05: too weak") << Setting(-100, 105, 20, false, false) << false;
    QTest::newRow("plane wave") << Setting(-20, 150, 20, false, true) << true;
    QTest::newRow("plane wave, n 2.5") << Setting(-20, 250, 20, false, true) << true;
    QTest::newRow("plane wave, n 1.1") << Setting(-20, 110, 3, false, true) << true;
}

// 1/s + n/s' = (n - 1)/R at the front surface (s from the source to the vertex, s' behind the
// vertex in the glass; a plane wave has 1/s = 0), then the plane back face images a point d
// behind it in the glass to d / n behind it in the air.
void TestWaveOptics::paraxialFocusOfTheSphere() {
    QFETCH(Controls, controls);
    QFETCH(bool, converges);
    const WaveTrace trace = TraceWaves(controls);
    const WaveLens& lens = trace.lens;
    const double n = lens.index;
    const double R = lens.radius;
    const double s = lens.frontVertexX - lens.sourceX;
    const double vergence = (n - 1) / R - (controls.f_apeiro ? 0.0 : 1 / s);
    const bool real = vergence > 0 && lens.frontVertexX + n / vergence > lens.backX;
    QCOMPARE(real, converges);
    QCOMPARE(trace.paraxialFocus.has_value(), converges);
    if (!converges) {
        return;
    }
    const double image = lens.frontVertexX + n / vergence;
    const double expected = lens.backX + (image - lens.backX) / n;
    QVERIFY2(std::abs(*trace.paraxialFocus - expected) < 1e-5 * std::abs(expected),
             qPrintable(QStringLiteral("%1 against %2").arg(*trace.paraxialFocus).arg(expected)));
}

void TestWaveOptics::hyperbolaFromItsFarFocus_data() {
    QTest::addColumn<Controls>("controls");
    // The far focus lies at -a (2 + n), a = 6 λ / n; the source at initial_POINT λ - a: they
    // meet where initial_POINT = -6 (1 + n) / n.
    QTest::newRow("n 1.5") << Setting(-10, 150, 20, true, false);
    QTest::newRow("n 2.0") << Setting(-9, 200, 12, true, false);
    QTest::newRow("n 1.2, thin") << Setting(-11, 120, 2, true, false);
}

// From the far focus of a hyperbola of eccentricity n, every ray refracts parallel to the axis
// and every path to a plane across the glass holds the same count of waves.
void TestWaveOptics::hyperbolaFromItsFarFocus() {
    QFETCH(Controls, controls);
    const WaveTrace trace = TraceWaves(controls);
    const WaveLens& lens = trace.lens;
    QVERIFY(std::abs(lens.sourceX - (-2 * lens.a - lens.index * lens.a)) < 1e-9);
    const double plane = lens.backX - 0.25 * lens.glassWavelength;
    const double axial =
        trace.rays[FanHalf].air + (plane - trace.rays[FanHalf].entry.x) / lens.glassWavelength;
    for (const TracedRay& ray : trace.rays) {
        QVERIFY2(std::abs(ray.inGlass.y) < 1e-12, qPrintable(QString::number(ray.inGlass.y)));
        const double count = ray.air + (plane - ray.entry.x) / lens.glassWavelength;
        QVERIFY(std::abs(count - axial) < 1e-10);
        QCOMPARE(ray.fate, RayFate::Through);
        QVERIFY(!ray.crossing);
    }
    // Parallel rays come to no focus, and the summary says the source is on the front focal
    // point, a (n + 1) from the tip.
    QVERIFY(!trace.paraxialFocus);
    QVERIFY(!trace.crossingSpread);
    const std::optional<NearSource> why = SourceWithinFocalDistance(lens);
    QVERIFY(why && why->onFocalPoint);
    QVERIFY(std::abs(why->focal * lens.wavelength - lens.a * (lens.index + 1)) < 1e-9);
    const std::vector<LedgerLine> summary = LedgerSummary(trace, "en");
    // Every ray, not only those near the axis, runs parallel: no focus of either kind.
    QVERIFY(!trace.bestFocus);
    QVERIFY(std::any_of(summary.begin(), summary.end(), [](const LedgerLine& l) {
        return l.caption ==
               "Every ray runs parallel to the axis in the glass and leaves the lens parallel.";
    }));
}

void TestWaveOptics::agreement_data() {
    QTest::addColumn<QList<double>>("totals");
    QTest::addColumn<double>("rms");
    QTest::addColumn<double>("max");
    QTest::addColumn<double>("inStep");
    QTest::newRow("all equal: a bright focus") << QList<double>{40, 40, 40} << 0.0 << 0.0 << 1.0;
    QTest::newRow("whole waves apart are in step")
        << QList<double>{40, 41, 39, 42} << std::sqrt(1.5) << 2.0 << 1.0;
    QTest::newRow("half a wave apart cancel")
        << QList<double>{40, 40.5} << std::sqrt(0.125) << 0.5 << 0.0;
    QTest::newRow("a quarter wave")
        << QList<double>{40, 40.25} << std::sqrt(0.03125) << 0.25 << std::sqrt(0.5);
}

void TestWaveOptics::agreement() {
    QFETCH(QList<double>, totals);
    QFETCH(double, rms);
    QFETCH(double, max);
    QFETCH(double, inStep);
    const Agreement a = Agree({totals.begin(), totals.end()}, totals.front());
    QVERIFY(std::abs(a.rmsOpd - rms) < 1e-12);
    QVERIFY(std::abs(a.maxOpd - max) < 1e-12);
    QVERIFY(std::abs(a.inStep - inStep) < 1e-9);
}

void TestWaveOptics::bestFocusIsTheLeastRms_data() {
    QTest::addColumn<Controls>("controls");
    QTest::addColumn<bool>("found");
    QTest::newRow("far source") << Setting(-200, 150, 20, false, false) << true;
    QTest::newRow("plane wave, n 2.5") << Setting(-20, 250, 20, false, true) << true;
    QTest::newRow("hyperbola, plane wave") << Setting(-20, 150, 10, true, true) << true;
    QTest::newRow("start values: none") << Setting(-20, 150, 20, false, false) << false;
    QTest::newRow("parallel out of the hyperbola: none")
        << Setting(-10, 150, 20, true, false) << false;
}

// The wavefront error at (x, 0), computed here from the traced exit points: the rms of the
// counts about their mean, so that a delay common to every ray counts for nothing.
double WavefrontErrorAt(const WaveTrace& trace, double x) {
    std::vector<double> counts;
    for (const TracedRay& ray : trace.rays) {
        if (ray.total) {
            counts.push_back(ray.air + *ray.glass +
                             std::hypot(x - ray.exit->x, ray.exit->y) / trace.lens.wavelength);
        }
    }
    double mean = 0;
    for (const double w : counts) {
        mean += w / static_cast<double>(counts.size());
    }
    double squares = 0;
    for (const double w : counts) {
        squares += (w - mean) * (w - mean);
    }
    return std::sqrt(squares / static_cast<double>(counts.size()));
}

// The best focus is the least wavefront error over the range, as a plain fine scan finds it,
// and a hundredth of a wavelength either side of it is no better.
void TestWaveOptics::bestFocusIsTheLeastRms() {
    QFETCH(Controls, controls);
    QFETCH(bool, found);
    const WaveTrace trace = TraceWaves(controls);
    QCOMPARE(trace.bestFocus.has_value(), found);
    if (!found) {
        return;
    }
    const double best = *trace.bestFocus;
    const double B = trace.lens.backX;
    QVERIFY(best > B && best < B + BestFocusRange);
    const double atBest = WavefrontErrorAt(trace, best);
    for (double x = B + 0.05; x <= B + BestFocusRange; x += 0.05) {
        QVERIFY2(WavefrontErrorAt(trace, x) >= atBest - 1e-9,
                 qPrintable(QStringLiteral("rms at %1 below the best at %2").arg(x).arg(best)));
    }
    const double step = 0.01 * trace.lens.wavelength;
    QVERIFY(WavefrontErrorAt(trace, best - step) >= atBest - 1e-12);
    QVERIFY(WavefrontErrorAt(trace, best + step) >= atBest - 1e-12);
    // A delay common to every ray is no error: the best focus is not where the rays agree
    // best with the axial ray alone, unless that is the same place.
    QVERIFY(std::abs(RmsAboutMeanAt(trace, best) - atBest) < 1e-12);
}

void TestWaveOptics::bestFocusBetweenMarginalAndParaxial_data() {
    QTest::addColumn<Controls>("controls");
    QTest::newRow("sphere, plane wave, n 1.5") << Setting(-20, 150, 20, false, true);
    QTest::newRow("sphere, plane wave, n 2") << Setting(-20, 200, 10, false, true);
    QTest::newRow("sphere, source 200") << Setting(-200, 150, 20, false, false);
    QTest::newRow("sphere, source 60, n 2") << Setting(-60, 200, 5, false, false);
}

// Spherical aberration of a converging sphere: the edge rays cross the axis first, the rays
// near it last (at the paraxial focus), and the best focus lies between the two.
void TestWaveOptics::bestFocusBetweenMarginalAndParaxial() {
    QFETCH(Controls, controls);
    const WaveTrace trace = TraceWaves(controls);
    QVERIFY(trace.bestFocus && trace.paraxialFocus);
    // The outermost rays that get through and cross the axis (the edge may be held in the
    // glass by total reflection).
    std::size_t edge = 0;
    while (!trace.rays[edge].crossing) {
        ++edge;
    }
    const double marginal = *trace.rays[edge].crossing;
    QVERIFY(std::abs(*trace.rays[trace.rays.size() - 1 - edge].crossing - marginal) < 1e-9);
    QVERIFY2(marginal < *trace.bestFocus && *trace.bestFocus < *trace.paraxialFocus,
             qPrintable(QStringLiteral("marginal %1, best %2, paraxial %3")
                            .arg(marginal)
                            .arg(*trace.bestFocus)
                            .arg(*trace.paraxialFocus)));
}

void TestWaveOptics::convergedAgreement_data() {
    QTest::addColumn<Controls>("controls");
    QTest::addColumn<bool>("aliases");
    QTest::newRow("start values") << Setting(-20, 150, 20, false, false) << false;
    QTest::newRow("source 200, F 8") << Setting(-200, 150, 20, false, false, 8) << false;
    QTest::newRow("plane wave, F 7") << Setting(-20, 150, 20, false, true, 7) << false;
    QTest::newRow("source 60, n 2") << Setting(-60, 200, 5, false, false, 12) << false;
    QTest::newRow("hyperbola, plane wave: 25 rays alias")
        << Setting(-20, 150, 20, true, true) << true;
}

// The converged agreement at F is the phasor sum of the dense fan: computed here over the
// fan's counts with complex numbers, it matches; four times as many rays change it by less
// than 1e-3 where the counts differ by less than ten waves; the brightness is its square; and
// where 25 rays alias a spread of several waves, the 25-ray value overstates it.
void TestWaveOptics::convergedAgreement() {
    QFETCH(Controls, controls);
    QFETCH(bool, aliases);
    const WaveTrace trace = TraceWaves(controls);
    QVERIFY(trace.inStepAll && trace.brightness);
    const auto phasorMean = [&](int half) {
        std::complex<double> sum = 0;
        int through = 0;
        double least = 1e300;
        double most = -1e300;
        for (int j = -half; j <= half; ++j) {
            const TracedRay ray = TraceRay(trace.lens, 0.95 * *trace.aperture * j / half);
            if (ray.total) {
                sum += std::polar(1.0, 2 * std::numbers::pi * *ray.total);
                ++through;
                least = std::min(least, *ray.total);
                most = std::max(most, *ray.total);
            }
        }
        return std::pair{std::abs(sum) / through, most - least};
    };
    const auto [dense, spread] = phasorMean(DenseFanHalf);
    QVERIFY2(std::abs(*trace.inStepAll - dense) < 1e-9,
             qPrintable(QStringLiteral("%1 against %2").arg(*trace.inStepAll).arg(dense)));
    QCOMPARE(*trace.brightness, *trace.inStepAll * *trace.inStepAll);
    if (spread < 10) {
        QVERIFY(std::abs(phasorMean(4 * DenseFanHalf).first - dense) < 1e-3);
    }
    if (aliases) {
        QVERIFY2(*trace.inStepAll < *trace.inStep - 0.2,
                 qPrintable(QStringLiteral("2001 rays %1, 25 rays %2")
                                .arg(*trace.inStepAll)
                                .arg(*trace.inStep)));
    }
}

// The spread of arrival is the latest less the earliest count at F of the drawn rays.
void TestWaveOptics::arrivalSpread() {
    QFETCH(Controls, controls);
    const WaveTrace trace = TraceWaves(controls);
    double least = 1e300;
    double most = -1e300;
    for (const TracedRay& ray : trace.rays) {
        if (ray.total) {
            least = std::min(least, *ray.total);
            most = std::max(most, *ray.total);
        }
    }
    QVERIFY(trace.arrivalSpread);
    QVERIFY(std::abs(*trace.arrivalSpread - (most - least)) < 1e-9);
    QVERIFY(*trace.arrivalSpread >= *trace.maxOpd - 1e-12);
}

void TestWaveOptics::noFocusNearerThanTheFocalDistance_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("firstSource");
    // 1/s + n/s' = (n - 1)/R, R = 9 λ, the vertex 6 λ from the origin: the source bar 6 +
    // 9/(n - 1) stands on the front focal point (whole for these n), the next one beyond has a
    // real image.
    QTest::newRow("n 1.5") << 150 << 25;
    QTest::newRow("n 2") << 200 << 16;
    QTest::newRow("n 2.5") << 250 << 13;
    QTest::newRow("n 1.2") << 120 << 52;
}

// A source nearer than R/(n-1) has no focus, and the summary says why and how far to move it;
// on the focal point the light leaves parallel; one wavelength beyond, the rays near the axis
// do come to a focus behind the lens.
void TestWaveOptics::noFocusNearerThanTheFocalDistance() {
    QFETCH(int, index);
    QFETCH(int, firstSource);
    for (const int thickness : {1, 20}) {
        const WaveTrace on =
            TraceWaves(Setting(-(firstSource - 1), index, thickness, false, false));
        QVERIFY(!on.paraxialFocus);
        const std::optional<NearSource> focal = SourceWithinFocalDistance(on.lens);
        QVERIFY(focal && focal->onFocalPoint);
        const WaveTrace near =
            TraceWaves(Setting(-(firstSource - 2), index, thickness, false, false));
        QVERIFY(!near.paraxialFocus);
        const std::optional<NearSource> why = SourceWithinFocalDistance(near.lens);
        QVERIFY(why && !why->onFocalPoint);
        QVERIFY(std::abs(why->distance - (firstSource - 2 - 6)) < 1e-12);
        QVERIFY(std::abs(why->focal - 9 / (index / 100.0 - 1)) < 1e-9);
        const std::vector<LedgerLine> summary = LedgerSummary(near, "en");
        const std::string move =
            "Move the source farther than " + Format(why->focal, 2) + " wavelengths from the lens.";
        QVERIFY(std::any_of(summary.begin(), summary.end(),
                            [&](const LedgerLine& l) { return l.caption == move; }));
        // A text panel shows whole sentences: the figure's two lines of "No focus" are one.
        for (const std::string_view language : {"en", "el"}) {
            for (const std::string& sentence : SummarySentences(LedgerSummary(near, language))) {
                QVERIFY2(!sentence.ends_with(','), sentence.c_str());
            }
        }
        const std::string whole = "No paraxial focus: the source is " + Format(why->distance, 2) +
                                  " wavelengths from the lens, nearer than its front focal "
                                  "distance R/(n−1) = " +
                                  Format(why->focal, 2) + " wavelengths.";
        const std::vector<std::string> sentences = SummarySentences(summary);
        QVERIFY(std::find(sentences.begin(), sentences.end(), whole) != sentences.end());
        const WaveTrace far = TraceWaves(Setting(-firstSource, index, thickness, false, false));
        QVERIFY(far.paraxialFocus && *far.paraxialFocus > far.lens.backX);
        QVERIFY(!SourceWithinFocalDistance(far.lens));
    }
}

void TestWaveOptics::sourceInTheGlass_data() {
    QTest::addColumn<Controls>("controls");
    for (const int source : {-6, -5, -4, -3}) {
        QTest::addRow("sphere, source %d", source) << Setting(source, 150, 20, false, false);
        QTest::addRow("sphere, plane wave from %d", source)
            << Setting(source, 150, 20, false, true);
    }
}

// A source in or on the glass traces no ray and leaves the whole summary empty.
void TestWaveOptics::sourceInTheGlass() {
    QFETCH(Controls, controls);
    const WaveTrace trace = TraceWaves(controls);
    QVERIFY(trace.sourceInGlass);
    QVERIFY(trace.rays.empty());
    QVERIFY(!trace.aperture && !trace.axialCount && !trace.rmsOpd && !trace.maxOpd &&
            !trace.inStep && !trace.bestFocus && !trace.paraxialFocus && !trace.crossingSpread);
    // One wavelength further out, the source is in the air again.
    Controls out = controls;
    out.initial_POINT = -7;
    QVERIFY(!TraceWaves(out).sourceInGlass);
}

// Rays held in the glass by total reflection carry no count to F and are left out of the
// agreement, which the rays that get through still give.
void TestWaveOptics::totalReflection() {
    const WaveTrace trace = TraceWaves(Setting(-7, 250, 20, false, true));
    int held = 0;
    std::vector<double> totals;
    for (const TracedRay& ray : trace.rays) {
        if (ray.fate == RayFate::Tir) {
            ++held;
            QVERIFY(ray.exit && ray.glass && !ray.inAir);
            QVERIFY(!ray.after && !ray.total && !ray.opd && !ray.crossing);
        } else if (ray.total) {
            totals.push_back(*ray.total);
        }
    }
    QCOMPARE(held, 10);
    const Agreement a = Agree(totals, *trace.axialCount);
    QCOMPARE(*trace.rmsOpd, a.rmsOpd);
    QCOMPARE(*trace.inStep, a.inStep);
}

void TestWaveOptics::perfectSurface_data() {
    QTest::addColumn<Controls>("controls");
    for (const bool beam : {false, true}) {
        for (const int source : {-200, -20, -7}) {
            for (const int index : {105, 150, 250}) {
                for (const auto& [thickness, focus] : {std::pair{1, 1}, {8, 17}, {20, 50}}) {
                    Controls c = Setting(source, index, thickness, false, beam, focus);
                    c.perfectLens = true;
                    QTest::addRow("%s source %d n %d thickness %d focus %d",
                                  beam ? "plane wave," : "point source,", source, index, thickness,
                                  focus)
                        << c;
                }
            }
        }
    }
}

// The perfect surface: its vertex on the sphere's, its rim on the back plane, each of its
// points at the axial count by a path found here by a plain search over the back plane, and
// every traced ray arriving at F in step, crossing the axis at F.
void TestWaveOptics::perfectSurface() {
    QFETCH(Controls, controls);
    const WaveTrace trace = TraceWaves(controls);
    const WaveLens& lens = trace.lens;
    QCOMPARE(lens.shape, LensShape::Perfect);
    QVERIFY(!trace.noPerfectSurface);
    QCOMPARE(trace.rays.size(), std::size_t(FanRays));
    const Vec2 vertex = lens.surface[lens.surface.size() / 2];
    QVERIFY(std::abs(vertex.x - lens.frontVertexX) < 1e-9 && vertex.y == 0);
    QVERIFY(std::abs(lens.surface.back().x - lens.backX) < 1e-12);
    QVERIFY(std::abs(lens.surface.back().y - lens.rim) < 1e-12);
    const double n = lens.index;
    const double axial = (lens.frontVertexX - lens.sourceX) / lens.wavelength +
                         (lens.backX - lens.frontVertexX) * n / lens.wavelength +
                         (lens.focusX - lens.backX) / lens.wavelength;
    for (const Vec2 p : lens.surface) {
        // The least count from P through the plane to F, by golden-section search over t.
        const auto count = [&](double t) {
            return (n * std::hypot(lens.backX - p.x, t - p.y) +
                    std::hypot(lens.focusX - lens.backX, t)) /
                   lens.wavelength;
        };
        double lo = std::min(0.0, p.y);
        double hi = std::max(0.0, p.y);
        for (int k = 0; k < 200; ++k) {
            const double a = lo + (hi - lo) / 3;
            const double b = hi - (hi - lo) / 3;
            (count(a) < count(b) ? hi : lo) = count(a) < count(b) ? b : a;
        }
        const double fromSource = controls.f_apeiro
                                      ? (p.x - lens.sourceX) / lens.wavelength
                                      : std::hypot(p.x - lens.sourceX, p.y) / lens.wavelength;
        QVERIFY2(std::abs(fromSource + count((lo + hi) / 2) - axial) < 1e-9,
                 qPrintable(QStringLiteral("at (%1, %2)").arg(p.x).arg(p.y)));
    }
    for (const TracedRay& ray : trace.rays) {
        QCOMPARE(ray.fate, RayFate::Through);
        QVERIFY2(std::abs(*ray.opd) < 1e-9, qPrintable(QString::number(*ray.opd)));
        if (ray.crossing) {
            QVERIFY(std::abs(*ray.crossing - lens.focusX) < 1e-6 * (1 + std::abs(lens.focusX)));
        }
    }
    QVERIFY(*trace.inStep > 1 - 1e-12);
    // Converged over the dense fan too, at full brightness, and a flash arrives all at once.
    QVERIFY(std::abs(*trace.inStepAll - 1) < 1e-9);
    QVERIFY(std::abs(*trace.brightness - 1) < 1e-9);
    QVERIFY(*trace.arrivalSpread < 1e-9);
    QVERIFY(trace.sphereGap && *trace.sphereGap >= 0);
}

// Where no perfect surface exists, none is made up: the search refuses, and the view says so.
void TestWaveOptics::noPerfectSurface() {
    WaveLens lens = DescribeWaveLens(Setting(-20, 150, 20, false, false));
    lens.shape = LensShape::Perfect;
    // A back plane before the vertex leaves no glass for a surface to bound.
    lens.backX = lens.frontVertexX - 5;
    lens.focusX = lens.backX + 25;
    QVERIFY(!FindPerfectSurface(lens));
    WaveTrace none;
    none.lens = lens;
    none.noPerfectSurface = true;
    const WaveLedger english = MakeLedger(none, "en");
    QVERIFY(english.rows.empty());
    QCOMPARE(english.summary.size(), std::size_t(1));
    QCOMPARE(english.summary.front().Text(),
             std::string("No perfect surface exists for these settings: no surface is drawn."));
}

void TestWaveOptics::perfectLensFocusAndAperture_data() {
    QTest::addColumn<Controls>("controls");
    for (const int index : {106, 150, 250}) {
        for (const int source : {-200, -20, -7}) {
            Controls c = Setting(source, index, 20, false, false, 5);
            c.perfectLens = true;
            QTest::addRow("n %d source %d", index, source) << c;
        }
    }
}

// The perfect lens focuses at F: its rays near the axis cross it there, to 1e-6 units. Its
// aperture is the tangent point from the source: there the line from the source runs along the
// surface (its direction across the surface's own tangent, from points just above and below,
// vanishes), and the source sees no point of the surface higher up.
void TestWaveOptics::perfectLensFocusAndAperture() {
    QFETCH(Controls, controls);
    const WaveTrace trace = TraceWaves(controls);
    const WaveLens& lens = trace.lens;
    QVERIFY(trace.paraxialFocus);
    QVERIFY2(std::abs(*trace.paraxialFocus - lens.focusX) < 1e-6,
             qPrintable(QString::number(*trace.paraxialFocus - lens.focusX)));
    const double H = lens.perfectAperture;
    if (H >= lens.rim) {
        return; // The source sees the whole surface: no tangent point.
    }
    const auto point = [&](double y) {
        return Vec2{*PerfectSurfaceX(lens, y, lens.frontVertexX), y};
    };
    const double h = 1e-6 * H;
    const Vec2 tangent = point(H + h) - point(H - h);
    const Vec2 sight = point(H) - Vec2{lens.sourceX, 0};
    QVERIFY2(std::abs(Cross(Unit(sight), Unit(tangent))) < 1e-8,
             qPrintable(QString::number(Cross(Unit(sight), Unit(tangent)))));
    const auto angle = [&](double y) {
        const Vec2 p = point(y);
        return std::atan2(p.y, p.x - lens.sourceX);
    };
    for (const double beyond : {1.001, 1.01, 1.1}) {
        if (beyond * H < lens.rim) {
            QVERIFY(angle(beyond * H) < angle(H));
        }
    }
    QVERIFY(angle(0.999 * H) < angle(H));
}

QTEST_APPLESS_MAIN(TestWaveOptics)
#include "tst_wave_optics.moc"
