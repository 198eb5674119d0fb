#include "construction/controls.h"
#include "figure_checks.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace kymata;
using namespace kymata::test;

namespace {

constexpr Rgb Red{255, 0, 0};
constexpr Rgb Blue{0, 0, 255};

Controls WithSource(int source) {
    Controls c;
    c.initial_POINT = source;
    return c;
}

/// The wavefront segments: the lines drawn after the last ruler rail and before the axis
/// numbering.
std::vector<LineItem> Wavefronts(const Recording& figure) {
    std::size_t begin = 0;
    std::size_t end = figure.items.size();
    for (std::size_t i = 0; i < figure.items.size(); ++i) {
        const auto* line = std::get_if<LineItem>(&figure.items[i]);
        if (line && line->y1 == -65 && line->y2 == -65 && line->x2 == 150) {
            begin = i + 1;
        }
        const auto* text = std::get_if<TextItem>(&figure.items[i]);
        if (text && text->size == 6 && end == figure.items.size()) {
            end = i;
        }
    }
    std::vector<LineItem> out;
    for (std::size_t i = begin; i < end; ++i) {
        if (const auto* line = std::get_if<LineItem>(&figure.items[i])) {
            out.push_back(*line);
        }
    }
    return out;
}

std::vector<TextItem> TextsOfSize(const Recording& figure, double size) {
    std::vector<TextItem> out;
    for (const TextItem& t : ItemsOf<TextItem>(figure)) {
        if (t.size == size) {
            out.push_back(t);
        }
    }
    return out;
}

} // namespace

class TestSpherical : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startFigure();
    void raysPerSource_data();
    void raysPerSource();
    void sourceOnFrontVertex();
    void grazingRayBelowTheAxis();
    void farSourceFillsTablesToTheirEnd();
    void redrawIsRepeatable();
    void hyperbolaReplacesTheFigure();
    void coarseSweepIsFinite();
};

void TestSpherical::startFigure() {
    const Redraw r = DrawFigure(Controls{});
    const Recording& f = r.figure;
    QCOMPARE(f.box, (UserBox{-120, 120, 120, -120}));
    QCOMPARE(r.scene.SourceX, -100.0);

    // 13 rays, -60 to 60 degrees: one red refracted segment and one "#L = " label each.
    QCOMPARE(LinesOfColor(f, Red).size(), std::size_t(13));
    const auto rayLabels = TextsOfSize(f, 9.75);
    QCOMPARE(rayLabels.size(), std::size_t(13));
    QCOMPARE(QString::fromStdString(rayLabels[6].text), QStringLiteral("#L = 14.0"));
    QCOMPARE(rayLabels[6].angle, 0.0);
    QCOMPARE(rayLabels[0].color, (Rgb{255, 0, 55}));
    QCOMPARE(rayLabels[0].angle, -rayLabels[12].angle);

    // The axial ray's air walk: a tick at each of its 14 whole wavelengths, -100 to -35.
    int axialTicks = 0;
    for (const LineItem& l : ItemsOf<LineItem>(f)) {
        if (l.y1 == 0 && l.y2 == 1.25f && l.x1 == l.x2 && l.x1 >= -100 && l.x1 < -30) {
            ++axialTicks;
        }
    }
    QCOMPARE(axialTicks, 14);

    // The lens surface: the half circle facing the source.
    const auto circles = ItemsOf<CircleItem>(f);
    const auto arc = std::find_if(circles.begin(), circles.end(),
                                  [](const CircleItem& c) { return c.start.has_value(); });
    QVERIFY(arc != circles.end());
    QCOMPARE(arc->color, Blue);
    QCOMPARE(arc->x, 15.0f);
    QCOMPARE(arc->r, 45.0f);
    QVERIFY(std::abs(*arc->start - 1.5707963f) < 1e-6);
    QVERIFY(std::abs(*arc->end - 4.712389f) < 1e-6);

    // Axis numbering: the running count 15..34, one per glass wavelength from the vertex.
    const auto numbers = TextsOfSize(f, 6);
    QCOMPARE(numbers.size(), std::size_t(20));
    QCOMPARE(QString::fromStdString(numbers.front().text), QStringLiteral("15"));
    QCOMPARE(QString::fromStdString(numbers.back().text), QStringLiteral("34"));
    QCOMPARE(numbers.front().font, std::string("Times New Roman"));
    QVERIFY(std::abs(numbers.front().x - (-30 + 5 / 1.5 - 2)) < 1e-5);
    QCOMPARE(numbers.front().y, 0.0f);

    QVERIFY(!Wavefronts(f).empty());
    QVERIFY(FirstUnsoundItem(f).empty());
}

void TestSpherical::raysPerSource_data() {
    QTest::addColumn<int>("source");
    QTest::addColumn<int>("rays");
    QTest::newRow("start") << -20 << 13;
    QTest::newRow("inside the circle") << -3 << 17;
    QTest::newRow("inside, -5") << -5 << 17;
    QTest::newRow("just outside") << -7 << 5;
    QTest::newRow("far") << -200 << 17;
}

void TestSpherical::raysPerSource() {
    QFETCH(int, source);
    QFETCH(int, rays);
    const Redraw r = DrawFigure(WithSource(source));
    QCOMPARE(LinesOfColor(r.figure, Red).size(), std::size_t(rays));
    QVERIFY(FirstUnsoundItem(r.figure).empty());
}

void TestSpherical::sourceOnFrontVertex() {
    // The source sits on the lens: drawn like a source inside the circle, every ray from it
    // into the glass; the axial ray has no air path and enters along the axis.
    const Redraw r = DrawFigure(WithSource(-6));
    QCOMPARE(r.scene.SourceX, -30.0);
    const auto red = LinesOfColor(r.figure, Red);
    QCOMPARE(red.size(), std::size_t(17));
    const LineItem& axial = red[8];
    QCOMPARE(axial.x1, -30.0f);
    QCOMPARE(axial.y1, 0.0f);
    QCOMPARE(axial.y2, 0.0f);
    QVERIFY(axial.x2 > axial.x1);
    const auto labels = TextsOfSize(r.figure, 9.75);
    QCOMPARE(QString::fromStdString(labels[8].text), QStringLiteral("#L = 0.0"));
    QCOMPARE(labels[8].angle, 0.0);
    QVERIFY2(FirstUnsoundItem(r.figure).empty(), FirstUnsoundItem(r.figure).c_str());
}

void TestSpherical::grazingRayBelowTheAxis() {
    // At -42 the -60 degree ray meets the radius at a right angle; the sine rounds to just
    // below -1, and the ray passes unturned.
    const Redraw r = DrawFigure(WithSource(-42));
    QVERIFY2(FirstUnsoundItem(r.figure).empty(), FirstUnsoundItem(r.figure).c_str());
    const auto red = LinesOfColor(r.figure, Red);
    QCOMPARE(red.size(), std::size_t(15));
    const LineItem& grazing = red[1]; // -70, then -60
    const double ex = 15 - 45 * std::cos(-60 * std::numbers::pi / 180);
    const double ey = 45 * std::sin(-60 * std::numbers::pi / 180);
    QVERIFY(std::abs(grazing.x1 - ex) < 1e-4);
    const double incoming = ey / (ex + 210);
    const double refracted = (grazing.y2 - grazing.y1) / (grazing.x2 - grazing.x1);
    QVERIFY2(std::abs(incoming - refracted) < 1e-5, qPrintable(QString::number(refracted)));
}

void TestSpherical::farSourceFillsTablesToTheirEnd() {
    // Far enough out the marks of every ray outrun the 141 wave numbers of the tables: each
    // wave number that fits is joined across all 17 rays, and nothing beyond.
    for (const int source : {-150, -175, -200}) {
        const Redraw r = DrawFigure(WithSource(source));
        QVERIFY(FirstUnsoundItem(r.figure).empty());
        const auto rays = LinesOfColor(r.figure, Red).size();
        QCOMPARE(Wavefronts(r.figure).size(), std::size_t(140 * (rays - 1)));
    }
    // Nearer sources keep every wavefront the marks give.
    const Redraw near = DrawFigure(WithSource(-20));
    QVERIFY(Wavefronts(near.figure).size() < std::size_t(140 * 12));
}

void TestSpherical::redrawIsRepeatable() {
    Controls c;
    c.n_DIATHLASI = 180;
    RecordingSurface canvas;
    Scene scene;
    Labels labels;
    DrawConstruction(c, scene, labels, canvas);
    const Recording first = canvas.Figure();
    DrawConstruction(c, scene, labels, canvas);
    QCOMPARE(canvas.Figure(), first);
    // f_apeiro is never read by the spherical construction.
    c.f_apeiro = true;
    DrawConstruction(c, scene, labels, canvas);
    QCOMPARE(canvas.Figure(), first);
    QCOMPARE(canvas.ForeColor, (Rgb{0, 0, 0}));
    QCOMPARE(canvas.DrawWidth, 1);
    QCOMPARE(canvas.FontSize, 12.0);
}

void TestSpherical::hyperbolaReplacesTheFigure() {
    // With YPERVOLIKO checked the hyperbolic construction clears the canvas: only its figure
    // and the read-outs of every redraw remain.
    Controls c;
    c.YPERVOLIKO = true;
    const Redraw r = DrawFigure(c);
    QCOMPARE(r.figure.box, (UserBox{-180, 180, 180, -180}));
    QCOMPARE(std::get<LineItem>(r.figure.items.front()),
             (LineItem{-100, 0, 100, 0, {}, 1, LineStyle::Solid}));
    for (const CircleItem& circle : ItemsOf<CircleItem>(r.figure)) {
        QVERIFY(!circle.start);
    }
    QCOMPARE(QString::fromStdString(r.labels.Label3), QStringLiteral(" n = 1.5"));
    QCOMPARE(QString::fromStdString(r.labels.Label2), QStringLiteral(" Σημείο Εστίασης  = 5"));
}

void TestSpherical::coarseSweepIsFinite() {
    const std::vector<int> sources = {-200, -180, -150, -120, -100, -77, -76, -60, -42,
                                      -30,  -20,  -10,  -7,   -6,   -5,  -4,  -3};
    const std::vector<int> indices = {105, 106, 120, 137, 150, 173, 199, 222, 249, 250};
    int drawn = 0;
    for (const int source : sources) {
        for (const int focus : {1, 17, 33, 50}) {
            for (const int index : indices) {
                for (const int thickness : {1, 2, 7, 13, 20}) {
                    Controls c;
                    c.initial_POINT = source;
                    c.fOCUS_POINT = focus;
                    c.n_DIATHLASI = index;
                    c.pachos = thickness;
                    const Redraw r = DrawFigure(c);
                    const std::string bad = FirstUnsoundItem(r.figure);
                    if (!bad.empty()) {
                        QFAIL(qPrintable(QStringLiteral("source %1 focus %2 index %3 "
                                                        "thickness %4: %5")
                                             .arg(source)
                                             .arg(focus)
                                             .arg(index)
                                             .arg(thickness)
                                             .arg(QString::fromStdString(bad))));
                    }
                    ++drawn;
                }
            }
        }
    }
    QCOMPARE(drawn, 17 * 4 * 10 * 5);
}

QTEST_APPLESS_MAIN(TestSpherical)
#include "tst_spherical.moc"
