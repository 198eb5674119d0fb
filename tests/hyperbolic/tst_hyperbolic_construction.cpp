#include "construction/controls.h"
#include "construction/scene_parameters.h"
#include "figure_checks.h"
#include "hyperbolic/hyperbolic_construction.h"

#include <QTest>

using namespace kymata;
using namespace kymata::test;

namespace {

constexpr Rgb Green{0, 255, 0};
constexpr Rgb Blue{0, 0, 255};

Controls Hyperbolic() {
    Controls c;
    c.YPERVOLIKO = true;
    return c;
}

std::vector<std::string> Texts(const Recording& r) {
    std::vector<std::string> out;
    for (const TextItem& t : ItemsOf<TextItem>(r)) {
        out.push_back(t.text);
    }
    return out;
}

} // namespace

class TestHyperbolicConstruction : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startValues();
    void startFigure();
    void labels_data();
    void labels();
    void parallelBeamChangesNothing();
    void outlinesAreDrawnOnce();
    void sphericalRedrawRestoresTheSource();
    void everyIndexAndThicknessIsFinite();
    void coarseSweepIsFinite();
};

void TestHyperbolicConstruction::startValues() {
    Scene scene;
    const Controls c = Hyperbolic();
    ReadScene(c, scene);
    const HyperbolicGeometry h = DeriveHyperbolicGeometry(c, scene, -120);
    QVERIFY(std::abs(h.a - 20) < 1e-12);
    QVERIFY(std::abs(h.c - 30) < 1e-12);
    QVERIFY(std::abs(h.b - 22.360680) < 1e-6);
    QCOMPARE(h.F, 25.0);
    QVERIFY(std::abs(h.AB - 66.666667) < 1e-6);
    QVERIFY(std::abs(h.xB - 46.666667) < 1e-6);
    QVERIFY(std::abs(h.xF - 71.666667) < 1e-6);
    QVERIFY(std::abs(h.XA - 100) < 1e-12);
    QCOMPARE(h.N1, 20.0);
}

void TestHyperbolicConstruction::startFigure() {
    const Redraw r = DrawFigure(Hyperbolic());
    QCOMPARE(r.figure.box, (UserBox{-180, 180, 180, -180}));
    QVERIFY(std::abs(r.scene.SourceX - -120) < 1e-12);
    QCOMPARE(r.scene.hyperbola.HyperbolaState, 0);

    // One green normal per ray of the fan; each recorded ray gets a blue path in the glass.
    QCOMPARE(LinesOfColor(r.figure, Green).size(), std::size_t(56));
    const int recorded = r.scene.hyperbola.HyperbolaRayCount;
    QVERIFY(recorded > 0 && recorded <= 56);
    QCOMPARE(LinesOfColor(r.figure, Blue).size(), std::size_t(recorded));
    for (int k = 1; k <= recorded; ++k) {
        QVERIFY(r.scene.hyperbola.RayExitX[k] >= 0);
        QVERIFY(r.scene.hyperbola.RayExitX[k] < 0.2f);
    }

    // The four lines of counts in the language of the texts (Greek at the start), the English
    // ones without the stray apostrophe.
    const std::vector<std::string> texts = Texts(r.figure);
    const std::vector<std::string> expected = {
        "Απόσταση πηγής από κορυφή υπερβολής σε μήκη λ=20.00",
        "Απόσταση εστίας υπερβολικού φακού από κορυφή σε μήκη λ=5.00",
        " Ολικός αριθμός μηκών κύματος από πηγή σε εστία=45.00",
        " αριθμός κυμάτων από πίσω μέρος σε εστία=5.00"};
    QCOMPARE(texts, expected);
    Controls english = Hyperbolic();
    english.ELLINIKA = false;
    const std::vector<std::string> englishExpected = {
        "distance of source from hyperbolic top in wavelengths =20.00",
        "distance of hyperbolic focus from hyperbolic top in wavelengths =5.00",
        "total number of wavelengths from source to focus=45.00",
        "total number of wavelengths from end to focus=5.00"};
    QCOMPARE(Texts(DrawFigure(english).figure), englishExpected);
    const auto placed = ItemsOf<TextItem>(r.figure);
    QCOMPARE(placed[0].x, -40.0f);
    QCOMPARE(placed[0].y, 140.0f);
    QCOMPARE(placed[3].x, -70.0f);
    QCOMPARE(placed[3].y, -160.0f);
    QVERIFY(FirstUnsoundItem(r.figure).empty());
}

void TestHyperbolicConstruction::labels_data() {
    QTest::addColumn<bool>("greek");
    QTest::addColumn<QString>("label1");
    QTest::addColumn<QString>("label4");
    QTest::newRow("Greek") << true << " Σημείο πηγής  X= -20 XA = 100.0"
                           << " AB = 20 μήκη κύματος";
    QTest::newRow("English") << false << " INITIAL POINT  X= -20 XA = 100.0"
                             << " AB = 20 wavelengths";
}

void TestHyperbolicConstruction::labels() {
    QFETCH(bool, greek);
    QFETCH(QString, label1);
    QFETCH(QString, label4);
    Controls c = Hyperbolic();
    c.ELLINIKA = greek;
    const Redraw r = DrawFigure(c);
    QCOMPARE(QString::fromStdString(r.labels.Label1), label1);
    QCOMPARE(QString::fromStdString(r.labels.Label4), label4);
    QCOMPARE(QString::fromStdString(r.labels.Label3), QStringLiteral(" n = 1.5"));
}

void TestHyperbolicConstruction::parallelBeamChangesNothing() {
    for (const int source : {-200, -20, -3}) {
        Controls c = Hyperbolic();
        c.initial_POINT = source;
        const Redraw plain = DrawFigure(c);
        c.f_apeiro = true;
        const Redraw parallel = DrawFigure(c);
        QCOMPARE(parallel.figure, plain.figure);
        QCOMPARE(parallel.labels, plain.labels);
    }
}

void TestHyperbolicConstruction::outlinesAreDrawnOnce() {
    const Redraw r = DrawFigure(Hyperbolic());
    int dotted = 0;
    int redFoci = 0;
    for (const Item& item : r.figure.items) {
        if (const auto* l = std::get_if<LineItem>(&item); l && l->style == LineStyle::Dotted) {
            ++dotted;
        }
        if (const auto* c = std::get_if<CircleItem>(&item); c && c->color == Rgb{255, 0, 0}) {
            ++redFoci;
        }
    }
    // Left branch from -3a to -9a and the second hyperbola over 6a, a / 15 apart, two halves.
    QVERIFY2(dotted >= 2 * (90 + 90) && dotted <= 2 * (92 + 92),
             qPrintable(QString::number(dotted)));
    QCOMPARE(redFoci, 3);
}

void TestHyperbolicConstruction::sphericalRedrawRestoresTheSource() {
    RecordingSurface canvas;
    Scene scene;
    Labels labels;
    DrawConstruction(Hyperbolic(), scene, labels, canvas);
    QVERIFY(std::abs(scene.SourceX - -120) < 1e-12);
    DrawConstruction(Controls{}, scene, labels, canvas);
    QCOMPARE(scene.SourceX, -100.0);
    QCOMPARE(canvas.Figure().box, (UserBox{-120, 120, 120, -120}));
    QCOMPARE(canvas.Figure(), DrawFigure(Controls{}).figure);
}

void TestHyperbolicConstruction::everyIndexAndThicknessIsFinite() {
    // Every index with every thickness: where the rounding of the second hyperbola's vertex and
    // the left branch's first point bites.
    for (int index = 105; index <= 250; ++index) {
        for (int thickness = 1; thickness <= 20; ++thickness) {
            Controls c = Hyperbolic();
            c.n_DIATHLASI = index;
            c.pachos = thickness;
            const Redraw r = DrawFigure(c);
            const std::string bad = FirstUnsoundItem(r.figure);
            QVERIFY2(bad.empty(), qPrintable(QStringLiteral("index %1 thickness %2: %3")
                                                 .arg(index)
                                                 .arg(thickness)
                                                 .arg(QString::fromStdString(bad))));
        }
    }
}

void TestHyperbolicConstruction::coarseSweepIsFinite() {
    int drawn = 0;
    for (const int source : {-200, -150, -99, -50, -21, -10, -4, -3}) {
        for (const int focus : {1, 25, 50}) {
            for (const int index : {105, 131, 150, 199, 250}) {
                for (const int thickness : {1, 10, 20}) {
                    Controls c = Hyperbolic();
                    c.initial_POINT = source;
                    c.fOCUS_POINT = focus;
                    c.n_DIATHLASI = index;
                    c.pachos = thickness;
                    const Redraw r = DrawFigure(c);
                    QVERIFY2(FirstUnsoundItem(r.figure).empty(),
                             qPrintable(QStringLiteral("source %1 focus %2 index %3 "
                                                       "thickness %4")
                                            .arg(source)
                                            .arg(focus)
                                            .arg(index)
                                            .arg(thickness)));
                    QVERIFY(r.scene.hyperbola.HyperbolaRayCount <= 56);
                    ++drawn;
                }
            }
        }
    }
    QCOMPARE(drawn, 8 * 3 * 5 * 3);
}

QTEST_APPLESS_MAIN(TestHyperbolicConstruction)
#include "tst_hyperbolic_construction.moc"
