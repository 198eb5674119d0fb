// The wave view's point at a glance: the counts written on the figure are the ledger's, each
// ray after the lens drawn in its phase class, the meter's share the converged in-step value,
// the fan plot's curve each ray's count less the axial one against its height; every text is
// at least 14 points and no two texts overlap, in both languages, for near and far sources,
// both lenses and the perfect one.

#include "construction/controls.h"
#include "construction/number_format.h"
#include "drawing/recording_surface.h"
#include "waves/text_boxes.h"
#include "waves/wave_ledger.h"
#include "waves/wave_overlays.h"
#include "waves/wave_view.h"

#include <QTest>

#include <algorithm>
#include <cmath>

using namespace kymata;
using namespace kymata::test;
using namespace kymata::waves;

namespace {

Controls Scene(int source, bool hyperbola = false, bool perfect = false, bool greek = false,
               int focus = 5) {
    Controls c;
    c.view = View::Waves;
    c.initial_POINT = source;
    c.YPERVOLIKO = hyperbola;
    c.perfectLens = perfect;
    c.ELLINIKA = greek;
    c.fOCUS_POINT = focus;
    return c;
}

Recording Draw(const WaveTrace& trace, std::string_view language, double textScale = 1) {
    RecordingSurface s;
    s.TextScale = textScale;
    DrawWaveView(trace, language, s);
    return s.Figure();
}

} // namespace

Q_DECLARE_METATYPE(kymata::Controls)

class TestWaveGlance : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void countsOnTheFigure_data();
    void countsOnTheFigure();
    void legibleAndApart_data();
    void legibleAndApart();
    void phaseClasses_data();
    void phaseClasses();
};

void TestWaveGlance::countsOnTheFigure_data() {
    QTest::addColumn<Controls>("controls");
    for (const bool greek : {false, true}) {
        const char* l = greek ? "el" : "en";
        QTest::addRow("sphere, start, %s", l) << Scene(-20, false, false, greek);
        QTest::addRow("sphere, far, %s", l) << Scene(-200, false, false, greek, 8);
        QTest::addRow("hyperbola, %s", l) << Scene(-20, true, false, greek);
        QTest::addRow("perfect lens, %s", l) << Scene(-60, false, true, greek, 12);
        QTest::addRow("near source, %s", l) << Scene(-7, false, false, greek);
        QTest::addRow("far F, %s", l) << Scene(-100, false, false, greek, 50);
        Controls beam = Scene(-20, false, false, greek, 7);
        beam.f_apeiro = true;
        QTest::addRow("plane wave, %s", l) << beam;
        Controls dense = Scene(-40, false, false, greek, 3);
        dense.n_DIATHLASI = 250;
        dense.pachos = 1;
        QTest::addRow("n 2.5, thin, %s", l) << dense;
        Controls flash = Scene(-200, false, false, greek, 8);
        flash.flash = 150.0;
        QTest::addRow("a flash, %s", l) << flash;
        // Where the summary once ran into the counts, and a count into the fan plot.
        Controls near = Scene(-13, false, false, greek, 1);
        near.n_DIATHLASI = 105;
        near.pachos = 7;
        QTest::addRow("near source, thin glass, %s", l) << near;
        Controls steep = Scene(-200, false, true, greek, 1);
        steep.n_DIATHLASI = 192;
        steep.pachos = 7;
        QTest::addRow("perfect lens, n 1.92, %s", l) << steep;
    }
}

// The written counts are the ledger's totals of the rays k = 0, ±4, ±8, ±12, in their class's
// colour; the meter says the converged in-step value; the fan plot draws one point a ray.
void TestWaveGlance::countsOnTheFigure() {
    QFETCH(Controls, controls);
    const WaveTrace trace = TraceWaves(controls);
    const Recording figure = Draw(trace, TextLanguage(controls));
    const WaveLedger ledger = MakeLedger(trace, TextLanguage(controls));
    std::vector<std::string> expected;
    std::vector<Rgb> colours;
    for (std::size_t i = 0; i < trace.rays.size(); ++i) {
        if (trace.rays[i].total && WritesItsCount(static_cast<int>(i) - FanHalf)) {
            expected.push_back(ledger.rows[i][2]);
            colours.push_back(StyleOf(ClassifyPhase(*trace.rays[i].opd)).colour);
        }
    }
    std::vector<std::string> written;
    std::vector<Rgb> writtenColours;
    std::string meter;
    for (const TextItem& t : TextsOf(figure)) {
        if (t.role == TextRole::Count && t.text.find('=') == std::string::npos) {
            written.push_back(t.text);
            writtenColours.push_back(t.color);
        }
        if (t.text.find(" = ") != std::string::npos && t.text.ends_with(" %") &&
            t.role == TextRole::Count) {
            meter = t.text;
        }
    }
    auto sortedExpected = expected;
    auto sortedWritten = written;
    std::sort(sortedExpected.begin(), sortedExpected.end());
    std::sort(sortedWritten.begin(), sortedWritten.end());
    QCOMPARE(sortedWritten, sortedExpected);
    QVERIFY(expected.size() >= 5);
    QVERIFY2(meter.ends_with("= " + Format(100 * *trace.inStepAll, 0) + " %"), meter.c_str());
    // The fan plot: a polyline of one point a ray that gets through, its x ordered as the
    // rays' count less the axial one.
    std::size_t through = 0;
    for (const TracedRay& ray : trace.rays) {
        through += ray.opd ? 1 : 0;
    }
    const PolylineItem* curve = nullptr;
    for (const Item& item : figure.items) {
        if (const auto* p = std::get_if<PolylineItem>(&item); p && p->color == Rgb{0, 0, 0}) {
            curve = p;
        }
    }
    QVERIFY(curve);
    QCOMPARE(curve->xy.size(), 2 * through);
    // The points lie on a straight map of (count less the axial one, height): the same scale
    // between any two rays.
    std::vector<const TracedRay*> plotted;
    for (const TracedRay& ray : trace.rays) {
        if (ray.opd) {
            plotted.push_back(&ray);
        }
    }
    const auto scale = [&](std::size_t a, std::size_t b, int axis) {
        const double along = axis == 0 ? *plotted[b]->opd - *plotted[a]->opd
                                       : plotted[b]->height - plotted[a]->height;
        return (curve->xy[2 * b + axis] - curve->xy[2 * a + axis]) / along;
    };
    const double heightScale = scale(0, plotted.size() - 1, 1);
    for (std::size_t k = 1; k < plotted.size(); ++k) {
        QVERIFY(std::abs(scale(0, k, 1) - heightScale) < 1e-3 * std::abs(heightScale));
    }
    std::size_t widest = 0;
    for (std::size_t k = 1; k < plotted.size(); ++k) {
        if (std::abs(*plotted[k]->opd - *plotted[0]->opd) >
            std::abs(*plotted[widest]->opd - *plotted[0]->opd)) {
            widest = k;
        }
    }
    if (widest > 0 && std::abs(*plotted[widest]->opd - *plotted[0]->opd) > 1e-6) {
        const double opdScale = scale(0, widest, 0);
        for (std::size_t k = 1; k < plotted.size(); ++k) {
            if (std::abs(*plotted[k]->opd - *plotted[0]->opd) > 1e-3) {
                QVERIFY(std::abs(scale(0, k, 0) - opdScale) < 1e-3 * std::abs(opdScale));
            }
        }
    }
    std::size_t at = 0;
    const TracedRay* previous = nullptr;
    for (const TracedRay& ray : trace.rays) {
        if (!ray.opd) {
            continue;
        }
        if (previous) {
            // Larger count, farther right; higher ray, higher point.
            const float dx = curve->xy[2 * at] - curve->xy[2 * at - 2];
            const double dOpd = *ray.opd - *previous->opd;
            QVERIFY(std::abs(dOpd) < 1e-9 || (dx > 0) == (dOpd > 0));
            QVERIFY(curve->xy[2 * at + 1] > curve->xy[2 * at - 1]);
        }
        previous = &ray;
        ++at;
    }
}

void TestWaveGlance::legibleAndApart_data() {
    countsOnTheFigure_data();
}

// Every text at least 14 points; no two texts overlap, also in presentation mode's type half
// again as large, whose lines keep apart as the letters grow.
void TestWaveGlance::legibleAndApart() {
    QFETCH(Controls, controls);
    const WaveTrace trace = TraceWaves(controls);
    for (const double textScale : {1.0, 1.5}) {
        const Recording figure = Draw(trace, TextLanguage(controls), textScale);
        const std::vector<TextItem> texts = TextsOf(figure);
        std::vector<Extent> extents;
        for (const TextItem& t : texts) {
            QVERIFY2(t.size >= 14 * textScale, t.text.c_str());
            extents.push_back(ExtentOf(t, figure.box));
        }
        for (std::size_t i = 0; i < texts.size(); ++i) {
            for (std::size_t j = i + 1; j < texts.size(); ++j) {
                QVERIFY2(!Overlap(extents[i], extents[j]),
                         qPrintable(QStringLiteral("'%1' and '%2' at %3")
                                        .arg(QString::fromStdString(texts[i].text),
                                             QString::fromStdString(texts[j].text))
                                        .arg(textScale)));
            }
        }
    }
}

void TestWaveGlance::phaseClasses_data() {
    QTest::addColumn<double>("opd");
    QTest::addColumn<int>("phase");
    QTest::newRow("on the axis") << 0.0 << int(PhaseClass::InStep);
    QTest::newRow("an eighth") << 0.125 << int(PhaseClass::InStep);
    QTest::newRow("whole waves late") << 2.05 << int(PhaseClass::InStep);
    QTest::newRow("a fifth early") << -0.2 << int(PhaseClass::NearlyInStep);
    QTest::newRow("a quarter") << 0.25 << int(PhaseClass::NearlyInStep);
    QTest::newRow("a third") << 1.34 << int(PhaseClass::OutOfStep);
    QTest::newRow("half a wave") << 0.5 << int(PhaseClass::OutOfStep);
}

// The classes follow the fraction of a wave left over, whole waves aside; they are told apart
// by colour and by line width or style, so that greyscale prints keep them apart.
void TestWaveGlance::phaseClasses() {
    QFETCH(double, opd);
    QFETCH(int, phase);
    QCOMPARE(int(ClassifyPhase(opd)), phase);
    const PhaseStyle a = StyleOf(PhaseClass::InStep);
    const PhaseStyle b = StyleOf(PhaseClass::NearlyInStep);
    const PhaseStyle c = StyleOf(PhaseClass::OutOfStep);
    QVERIFY(a.width != b.width && (b.width != c.width || b.style != c.style));
}

QTEST_APPLESS_MAIN(TestWaveGlance)
#include "tst_wave_glance.moc"
