// The wave view as drawn and as written: its recording, the wavefronts, the ledger, the
// markers, worksheets and the figure document.

#include "construction/controls.h"
#include "construction/number_format.h"
#include "drawing/recording_surface.h"
#include "drawing/worksheet.h"
#include "figure/figure_content.h"
#include "figure/figure_document.h"
#include "printing/print_jobs.h"
#include "waves/wave_focus.h"
#include "waves/wave_ledger.h"
#include "waves/wave_overlays.h"
#include "waves/wave_view.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace kymata;
using namespace kymata::waves;

namespace {

Controls Waves(int source = -20, int index = 150, bool hyperbola = false, bool beam = false) {
    Controls c;
    c.view = View::Waves;
    c.initial_POINT = source;
    c.n_DIATHLASI = index;
    c.YPERVOLIKO = hyperbola;
    c.f_apeiro = beam;
    return c;
}

QJsonObject Document(const FigureContent& content) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(FigureJson(content))).object();
}

std::vector<TextItem> Texts(const Recording& r) {
    std::vector<TextItem> texts;
    for (const Item& item : r.items) {
        if (const auto* t = std::get_if<TextItem>(&item)) {
            texts.push_back(*t);
        }
    }
    return texts;
}

bool Inside(const UserBox& b, double x, double y) {
    return x >= std::min(b.left, b.right) && x <= std::max(b.left, b.right) &&
           y >= std::min(b.top, b.bottom) && y <= std::max(b.top, b.bottom);
}

} // namespace

Q_DECLARE_METATYPE(kymata::Controls)

class TestWaveView : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void figureIsWholeAndFinite_data();
    void figureIsWholeAndFinite();
    void wavefrontsAreEqualCounts_data();
    void wavefrontsAreEqualCounts();
    void phaseErrorWraps_data();
    void phaseErrorWraps();
    void ledgerInBothLanguages();
    void farMarkersAreNamed();
    void worksheetBlanksTheCounts();
    void documentOfTheWaveView();
    void documentWithTheSourceInTheGlass();
    void classicDocumentHasNoWaves();
    void printedPage();
    void crestsAtAPhase_data();
    void crestsAtAPhase();
    void crestsMoveOneWavelengthAPeriod();
    void flashIsOneCrest();
    void perfectLensDocument();
};

void TestWaveView::figureIsWholeAndFinite_data() {
    QTest::addColumn<Controls>("controls");
    QTest::newRow("start values") << Waves();
    QTest::newRow("far source") << Waves(-200);
    QTest::newRow("hyperbola") << Waves(-20, 150, true);
    QTest::newRow("plane wave") << Waves(-20, 250, false, true);
    QTest::newRow("hyperbola, plane wave, n 1.05") << Waves(-200, 105, true, true);
    QTest::newRow("source in the glass") << Waves(-4);
}

// The box holds the source (or, far away, names it at its edge), the lens and F; every item is
// finite and inside the box.
void TestWaveView::figureIsWholeAndFinite() {
    QFETCH(Controls, controls);
    const FigureContent content = DrawFigureContent(controls);
    QVERIFY(content.waves);
    const WaveTrace& trace = *content.waves;
    const UserBox& box = content.canvas.box;
    QVERIFY(box.top > box.bottom && box.right > box.left);
    // One unit the same length both ways on the square canvas.
    QVERIFY(std::abs((box.right - box.left) - (box.top - box.bottom)) <
            1e-9 * (box.right - box.left));
    if (LayOutWaveView(trace, 1).sourceAtEdge) {
        const auto texts = Texts(content.canvas);
        QVERIFY(trace.lens.parallelBeam ||
                std::any_of(texts.begin(), texts.end(),
                            [](const TextItem& t) { return t.text.starts_with("S: "); }));
    } else {
        QVERIFY(Inside(box, trace.lens.sourceX, 0));
    }
    QVERIFY(Inside(box, trace.lens.focusX, 0));
    QVERIFY(Inside(box, trace.lens.backX, trace.lens.rim));
    QVERIFY(Inside(box, trace.lens.frontVertexX, -trace.lens.rim));
    for (const Item& item : content.canvas.items) {
        std::visit(
            [&](const auto& it) {
                using T = std::decay_t<decltype(it)>;
                if constexpr (std::is_same_v<T, LineItem>) {
                    QVERIFY(std::isfinite(it.x1) && std::isfinite(it.y1) && std::isfinite(it.x2) &&
                            std::isfinite(it.y2));
                    const double slack = 1e-3 * (box.right - box.left);
                    const UserBox wide{box.left - slack, box.top + slack, box.right + slack,
                                       box.bottom - slack};
                    QVERIFY(Inside(wide, it.x1, it.y1) && Inside(wide, it.x2, it.y2));
                } else if constexpr (std::is_same_v<T, PolylineItem>) {
                    QVERIFY(it.xy.size() >= 4 && it.xy.size() % 2 == 0);
                    for (std::size_t i = 0; i + 1 < it.xy.size(); i += 2) {
                        QVERIFY(std::isfinite(it.xy[i]) && std::isfinite(it.xy[i + 1]));
                        QVERIFY(Inside(box, it.xy[i], it.xy[i + 1]));
                    }
                } else {
                    QVERIFY(std::isfinite(it.x) && std::isfinite(it.y));
                }
            },
            item);
    }
    const auto texts = Texts(content.canvas);
    QVERIFY(!texts.empty());
    if (trace.sourceInGlass) {
        const std::string sentence =
            "Η πηγή βρίσκεται μέσα στο γυαλί ή πάνω του: καμία ακτίνα δεν σχεδιάζεται.";
        QVERIFY(std::any_of(texts.begin(), texts.end(),
                            [&](const TextItem& t) { return t.text == sentence; }));
    }
}

void TestWaveView::wavefrontsAreEqualCounts_data() {
    QTest::addColumn<Controls>("controls");
    QTest::newRow("point source") << Waves(-60);
    QTest::newRow("plane wave") << Waves(-60, 150, false, true);
    QTest::newRow("hyperbola") << Waves(-30, 200, true);
}

// A wavefront of count m in the air before the lens is the circle of radius m λ about the
// source (the plane x = start + m λ for the plane wave); in the glass its points lie m - A of a
// glass wavelength along each ray from the entry point.
void TestWaveView::wavefrontsAreEqualCounts() {
    QFETCH(Controls, controls);
    const WaveTrace trace = TraceWaves(controls);
    const WaveLens& lens = trace.lens;
    const WaveViewLayout layout = LayOutWaveView(trace, 1);
    int checked = 0;
    for (const TracedRay& ray : trace.rays) {
        const auto path = RayPath(ray, lens, layout.box);
        for (int m = 1; m < 400; ++m) {
            const auto p = PointAtCount(path, m);
            if (!p) {
                continue;
            }
            ++checked;
            if (m <= ray.air) {
                const double along =
                    controls.f_apeiro ? p->x - lens.sourceX : Distance({lens.sourceX, 0}, *p);
                QVERIFY(std::abs(along - m * lens.wavelength) < 1e-9);
            } else if (ray.glass && m <= ray.air + *ray.glass) {
                QVERIFY(std::abs(Distance(ray.entry, *p) - (m - ray.air) * lens.glassWavelength) <
                        1e-9);
            } else if (ray.exit) {
                QVERIFY(std::abs(Distance(*ray.exit, *p) -
                                 (m - ray.air - *ray.glass) * lens.wavelength) < 1e-9);
            }
        }
    }
    QVERIFY(checked > 100);
}

void TestWaveView::phaseErrorWraps_data() {
    QTest::addColumn<double>("opd");
    QTest::addColumn<double>("degrees");
    QTest::newRow("in step") << 0.0 << 0.0;
    QTest::newRow("whole waves are in step") << 3.0 << 0.0;
    QTest::newRow("a quarter") << 0.25 << 90.0;
    QTest::newRow("half a wave is +180") << 0.5 << 180.0;
    QTest::newRow("minus half a wave is +180 too") << -0.5 << 180.0;
    QTest::newRow("three quarters is -90") << 0.75 << -90.0;
    QTest::newRow("negative") << -1.25 << -90.0;
}

void TestWaveView::phaseErrorWraps() {
    QFETCH(double, opd);
    QFETCH(double, degrees);
    QVERIFY(std::abs(PhaseErrorDegrees(opd) - degrees) < 1e-9);
}

void TestWaveView::ledgerInBothLanguages() {
    const WaveTrace trace = TraceWaves(Waves(-200));
    const WaveLedger english = MakeLedger(trace, "en");
    const WaveLedger greek = MakeLedger(trace, "el");
    QCOMPARE(english.rows.size(), std::size_t(FanRays));
    // For the class: ray, height in wavelengths, waves to F, difference, in step; then the
    // details behind them.
    QCOMPARE(english.columns.size(), std::size_t(10));
    QCOMPARE(english.classColumns, std::size_t(5));
    QCOMPARE(english.columns[2], std::string("waves to F"));
    QVERIFY(!english.rule.empty() && english.rule != greek.rule);
    QCOMPARE(english.rows.front().front(), std::string("-12"));
    QCOMPARE(english.rows.back().front(), std::string("12"));
    QCOMPARE(english.summary.size(), greek.summary.size());
    QCOMPARE(english.summary.front().Text(),
             std::string("Count along the axis to F, W0 (waves) = 219.00"));
    QCOMPARE(greek.summary.front().Text(),
             std::string("Κύματα κατά μήκος του άξονα ως το F, W0 = 219.00"));
    for (std::size_t i = 0; i < english.summary.size(); ++i) {
        QCOMPARE(english.summary[i].value, greek.summary[i].value);
        QVERIFY(english.summary[i].caption != greek.summary[i].caption);
    }
    // The axial ray: its whole count, no difference, within 1/8 wave, its phase 0.
    QCOMPARE(english.rows[FanHalf][2], std::string("219.00"));
    QCOMPARE(english.rows[FanHalf][3], std::string("+0.00"));
    QCOMPARE(english.rows[FanHalf][4], std::string("yes"));
    QCOMPARE(english.rows[FanHalf][8], std::string("0"));
    // Heights in wavelengths: the edge ray enters 0.95 H above the axis.
    QCOMPARE(english.rows.back()[1], Format(0.95 * *trace.aperture / 5, 2));
    // "within 1/8 wave" follows the rule: within an eighth of a wave of a whole number of
    // waves, the limit of the colour classes too.
    for (std::size_t k = 0; k < trace.rays.size(); ++k) {
        const double opd = *trace.rays[k].opd;
        const double off = std::abs(opd - std::round(opd));
        QCOMPARE(english.rows[k][4], std::string(off <= 0.125 ? "yes" : "no"));
        QCOMPARE(english.rows[k][4] == "yes", ClassifyPhase(opd) == PhaseClass::InStep);
    }
}

// A focus too far to draw is named in words with its distance behind the lens; a best focus
// that is no focus (a perfect focus there as wide as the light) is neither drawn nor named.
void TestWaveView::farMarkersAreNamed() {
    const WaveTrace trace = TraceWaves(Waves(-20, 105, false, true));
    QVERIFY(trace.paraxialFocus);
    const WaveViewLayout layout = LayOutWaveView(trace, 1);
    QVERIFY(!Inside(layout.box, *trace.paraxialFocus, 0));
    QCOMPARE(layout.named.size(),
             std::size_t(trace.bestFocus && !BestFocusIsNoFocus(trace) ? 2 : 1));
    RecordingSurface canvas;
    DrawWaveView(trace, "en", canvas);
    bool named = false;
    for (const TextItem& t : Texts(canvas.Figure())) {
        named =
            named || t.text == "Paraxial focus (off the figure), wavelengths behind the lens = " +
                                   Format((*trace.paraxialFocus - trace.lens.backX) / 5, 2);
    }
    QVERIFY(named);
}

void TestWaveView::worksheetBlanksTheCounts() {
    const FigureContent sheet = DrawFigureContent(Waves(-200), true);
    int blanks = 0;
    for (const TextItem& t : Texts(sheet.canvas)) {
        if (t.text.find('=') != std::string::npos) {
            QVERIFY2(t.text.ends_with(std::string("= ") + WorksheetBlank), t.text.c_str());
            ++blanks;
        }
    }
    // W0, rms and max OPD, in step and brightness at F, the perfect focus's spot, the best focus
    // and its distance from F, the paraxial focus and the spread of the crossings, and the
    // in-step meter.
    QCOMPARE(blanks, 11);
    // The counts written beside the rays are blanked whole.
    static const QRegularExpression count(QStringLiteral("^[0-9]+\\.[0-9][0-9]$"));
    int written = 0;
    for (const TextItem& t : Texts(sheet.canvas)) {
        QVERIFY2(!count.match(QString::fromStdString(t.text)).hasMatch(), t.text.c_str());
        written += t.text == WorksheetBlank ? 1 : 0;
    }
    QCOMPARE(written, 7);
}

void TestWaveView::documentOfTheWaveView() {
    const FigureContent content = DrawFigureContent(Waves(-200, 150, false, false));
    const QJsonObject doc = Document(content);
    QCOMPARE(doc["view"].toString(), QStringLiteral("waves"));
    const QJsonObject w = doc["waves"].toObject();
    QCOMPARE(w.keys(),
             (QStringList{"aperture", "arrivalSpread", "axialCount", "backFace", "bestFocus",
                          "brightness", "focus", "inStep", "inStepAll", "lens", "maxOpd",
                          "parallelBeam", "paraxialFocus", "rays", "rim", "rmsOpd", "source"}));
    QCOMPARE(w["lens"].toString(), QStringLiteral("sphere"));
    QCOMPARE(w["source"].toDouble(), -1000.0);
    QCOMPARE(w["axialCount"].toDouble(), *content.waves->axialCount);
    const QJsonArray rays = w["rays"].toArray();
    QCOMPARE(rays.size(), 25);
    double previous = -1e9;
    for (const QJsonValue& v : rays) {
        const QJsonObject ray = v.toObject();
        QCOMPARE(ray.keys(), (QStringList{"after", "air", "crossing", "entry", "exit", "fate",
                                          "glass", "height", "opd", "total"}));
        QVERIFY(ray["height"].toDouble() > previous);
        previous = ray["height"].toDouble();
        QCOMPARE(ray["fate"].toString(), QStringLiteral("through"));
        QCOMPARE(ray["entry"].toArray().size(), 2);
    }
    // The axial ray runs along the axis: it crosses it nowhere.
    QVERIFY(rays[12].toObject()["crossing"].isNull());
    QCOMPARE(rays[12].toObject()["opd"].toDouble(), 0.0);
    // Parallel out of the hyperbola: no focus at all, written as null.
    const QJsonObject parallel =
        Document(DrawFigureContent(Waves(-10, 150, true)))["waves"].toObject();
    QVERIFY(parallel["bestFocus"].isNull() && parallel["paraxialFocus"].isNull());
}

void TestWaveView::documentWithTheSourceInTheGlass() {
    const QJsonObject w = Document(DrawFigureContent(Waves(-3)))["waves"].toObject();
    QCOMPARE(w["rays"].toArray().size(), 0);
    for (const char* key : {"aperture", "axialCount", "rmsOpd", "maxOpd", "inStep", "inStepAll",
                            "brightness", "arrivalSpread", "bestFocus", "paraxialFocus"}) {
        QVERIFY2(w[key].isNull(), key);
    }
}

// The classic documents stay as they were: no view, no waves; "Parallel BEAM" changes nothing.
void TestWaveView::classicDocumentHasNoWaves() {
    Controls c;
    const std::string classic = FigureJson(DrawFigureContent(c));
    QVERIFY(classic.find("\"view\"") == std::string::npos);
    QVERIFY(classic.find("\"waves\"") == std::string::npos);
    c.f_apeiro = true;
    const FigureContent beam = DrawFigureContent(c);
    QVERIFY(!beam.waves);
    QCOMPARE(beam.canvas, DrawFigureContent(Controls{}).canvas);
}

void TestWaveView::printedPage() {
    const PrintedContent printed =
        PrintFigureContent(Waves(-60, 180, true), false, PrintToPrintableMm());
    QVERIFY(printed.ended);
    QCOMPARE(printed.orientation, PageSurface::Landscape);
    QVERIFY(printed.content.waves);
    const UserBox& b = printed.page.box;
    const SizeMm page = PrintToPrintableMm();
    const double aspect = std::max(page.width, page.height) / std::min(page.width, page.height);
    QVERIFY(std::abs((b.right - b.left) / (b.top - b.bottom) - aspect) < 1e-9);
    // The page and the canvas show the same optics.
    QCOMPARE(Texts(printed.page).back().text, Texts(printed.content.canvas).back().text);
}

void TestWaveView::crestsAtAPhase_data() {
    QTest::addColumn<Controls>("controls");
    QTest::addColumn<double>("phase");
    QTest::newRow("start values, a quarter") << Waves() << 0.25;
    QTest::newRow("hyperbola, 0.6") << Waves(-30, 200, true) << 0.6;
    QTest::newRow("plane wave, 0.95") << Waves(-40, 150, false, true) << 0.95;
}

// Every drawn crest at phase t joins points of running count m + t on the rays (to the single
// precision of the recording).
void TestWaveView::crestsAtAPhase() {
    QFETCH(Controls, controls);
    QFETCH(double, phase);
    const WaveTrace trace = TraceWaves(controls);
    RecordingSurface canvas;
    DrawWaveView(trace, "el", canvas, 1, {phase, std::nullopt});
    const WaveViewLayout layout = LayOutWaveView(trace, 1);
    std::vector<std::vector<PathPiece>> paths;
    for (const TracedRay& ray : trace.rays) {
        paths.push_back(RayPath(ray, trace.lens, layout.box));
    }
    const double span = layout.box.right - layout.box.left;
    int crests = 0; // points of crests checked
    for (const Item& item : canvas.Figure().items) {
        const auto* front = std::get_if<PolylineItem>(&item);
        if (!front || !(front->color == Rgb{0, 90, 190})) {
            continue;
        }
        for (std::size_t i = 0; i + 1 < front->xy.size(); i += 2) {
            const Vec2 end{front->xy[i], front->xy[i + 1]};
            bool found = false;
            for (const auto& path : paths) {
                const PathPiece& last = path.back();
                for (int m = 0; !found && m + phase <= last.EndCount(); ++m) {
                    const auto p = PointAtCount(path, m + phase);
                    found = p && Distance(*p, end) < 1e-6 * span;
                }
            }
            QVERIFY2(found, qPrintable(QStringLiteral("(%1, %2)").arg(end.x).arg(end.y)));
            ++crests;
        }
    }
    QVERIFY(crests > 100);
}

// Half a period on, each crest has moved half a wavelength along its ray: λ/2 in air, λ/(2n) in
// the glass, where the light is slower.
void TestWaveView::crestsMoveOneWavelengthAPeriod() {
    const WaveTrace trace = TraceWaves(Waves(-30, 180));
    const WaveLens& lens = trace.lens;
    const WaveViewLayout layout = LayOutWaveView(trace, 1);
    int air = 0;
    int glass = 0;
    for (const TracedRay& ray : trace.rays) {
        const auto path = RayPath(ray, lens, layout.box);
        for (int m = 0; m + 1 < path.back().EndCount(); ++m) {
            const double from = m + 0.2;
            const double to = m + 0.7;
            const auto p = PointAtCount(path, from);
            const auto q = PointAtCount(path, to);
            QVERIFY(p && q);
            const bool inGlass = from > ray.air && to < ray.air + ray.glass.value_or(0);
            const bool inAir = to < ray.air || from > ray.air + ray.glass.value_or(1e9);
            if (inGlass) {
                QVERIFY(std::abs(Distance(*p, *q) - 0.5 * lens.glassWavelength) < 1e-9);
                ++glass;
            } else if (inAir) {
                QVERIFY(std::abs(Distance(*p, *q) - 0.5 * lens.wavelength) < 1e-9);
                ++air;
            }
        }
    }
    QVERIFY(air > 100 && glass > 100);
}

// A flash draws one crest only, and the ledger says how spread its arrival at F is.
void TestWaveView::flashIsOneCrest() {
    Controls c = Waves(-200);
    c.flash = 210.0;
    const FigureContent content = DrawFigureContent(c);
    int crests = 0;
    for (const Item& item : content.canvas.items) {
        const auto* front = std::get_if<PolylineItem>(&item);
        crests += front && front->color == Rgb{0, 90, 190} ? 1 : 0;
    }
    // One crest: one polyline, or a few where rays that do not reach the count part it.
    QVERIFY(crests >= 1 && crests <= 12);
    const auto texts = Texts(content.canvas);
    QVERIFY(std::any_of(texts.begin(), texts.end(), [&](const TextItem& t) {
        return t.text == "Εύρος χρόνων άφιξης στο F, τελευταία − πρώτη (περίοδοι) = " +
                             Format(*content.waves->arrivalSpread, 2);
    }));
    const QJsonObject w = Document(content)["waves"].toObject();
    QCOMPARE(w["flash"].toDouble(), 210.0);
    QVERIFY(!w.contains("phase"));
}

// The perfect lens is written as such, with its surface sampled, beside the sphere dotted.
void TestWaveView::perfectLensDocument() {
    Controls c = Waves(-60, 180);
    c.perfectLens = true;
    const FigureContent content = DrawFigureContent(c);
    const QJsonObject w = Document(content)["waves"].toObject();
    QCOMPARE(w["lens"].toString(), QStringLiteral("perfect"));
    const QJsonArray surface = w["surface"].toArray();
    QCOMPARE(surface.size(), 97);
    QCOMPARE(surface[48].toArray()[0].toDouble(), content.waves->lens.frontVertexX);
    QCOMPARE(surface[96].toArray()[1].toDouble(), w["rim"].toDouble());
    QVERIFY(w["maxOpd"].toDouble() < 1e-9);
    bool sphere = false;
    for (const Item& item : content.canvas.items) {
        const auto* arc = std::get_if<CircleItem>(&item);
        sphere = sphere || (arc && arc->start && arc->style == LineStyle::Dotted &&
                            std::abs(arc->r - 45) < 1e-6);
    }
    QVERIFY(sphere);
    const auto texts = Texts(content.canvas);
    QVERIFY(std::any_of(texts.begin(), texts.end(), [](const TextItem& t) {
        return t.text.starts_with(
            "Μέγιστη απόσταση τέλειας επιφάνειας από τη σφαίρα, κατά μήκος του άξονα (μήκη κύματος "
            "στο γυαλί) = ");
    }));
}

QTEST_APPLESS_MAIN(TestWaveView)
#include "tst_wave_view.moc"
