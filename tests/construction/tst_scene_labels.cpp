#include "construction/controls.h"
#include "construction/number_format.h"
#include "construction/scene_parameters.h"
#include "drawing/recording_surface.h"
#include "figure/draw_construction.h"

#include <QTest>

using namespace kymata;

class TestSceneLabels : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void formatPatterns_data();
    void formatPatterns();
    void plainNumbers_data();
    void plainNumbers();
    void intIsFloor();
    void labels_data();
    void labels();
    void sceneQuantities_data();
    void sceneQuantities();
    void readoutsWithoutDrawing_data();
    void readoutsWithoutDrawing();
};

void TestSceneLabels::formatPatterns_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expected");
    QTest::newRow("2.5 rounds away") << 2.5 << 0 << "3";
    QTest::newRow("-2.5 rounds away") << -2.5 << 0 << "-3";
    QTest::newRow("2.4") << 2.4 << 0 << "2";
    QTest::newRow("-0.4 is 0, not -0") << -0.4 << 0 << "0";
    QTest::newRow("100") << 100.0 << 0 << "100";
    QTest::newRow("two decimals") << 20.0 << 2 << "20.00";
    QTest::newRow("2.675 as written") << 2.675 << 2 << "2.68";
    QTest::newRow("carry into whole") << 9.995 << 2 << "10.00";
    QTest::newRow("one decimal") << 14.04 << 1 << "14.0";
    QTest::newRow("one decimal, negative") << -0.25 << 1 << "-0.3";
    QTest::newRow("small") << 0.004 << 2 << "0.00";
    QTest::newRow("large") << 123456789.0 << 0 << "123456789";
}

void TestSceneLabels::formatPatterns() {
    QFETCH(double, x);
    QFETCH(int, decimals);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(Format(x, decimals)), expected);
}

void TestSceneLabels::plainNumbers_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<QString>("expected");
    QTest::newRow("1.5") << 150 / 100.0 << "1.5";
    QTest::newRow("1.05") << 105 / 100.0 << "1.05";
    QTest::newRow("2.5") << 250 / 100.0 << "2.5";
    QTest::newRow("2") << 200 / 100.0 << "2";
    QTest::newRow("1.1") << 110 / 100.0 << "1.1";
    QTest::newRow("20") << 20.0 << "20";
}

void TestSceneLabels::plainNumbers() {
    QFETCH(double, x);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(PlainNumber(x)), expected);
}

void TestSceneLabels::intIsFloor() {
    QCOMPARE(Int(2.7), 2.0);
    QCOMPARE(Int(-0.4), -1.0);
    QCOMPARE(Int(-2.5), -3.0);
    QCOMPARE(Int(3.0), 3.0);
}

void TestSceneLabels::labels_data() {
    QTest::addColumn<bool>("greek");
    QTest::addColumn<int>("source");
    QTest::addColumn<int>("focus");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("thickness");
    QTest::addColumn<QString>("label1");
    QTest::addColumn<QString>("label2");
    QTest::addColumn<QString>("label3");
    QTest::addColumn<QString>("label4");
    QTest::newRow("start, Greek") << true << -20 << 5 << 150 << 20 << "  X0 =20 μήκη κύματος"
                                  << " Σημείο Εστίασης  = 5"
                                  << " n = 1.5"
                                  << "Φάρδος Φακού = 100 # κυμάτων = 20.00";
    QTest::newRow("start, English") << false << -20 << 5 << 150 << 20 << "  X0 =20 Wavelengths"
                                    << " Focus point = 5"
                                    << " n = 1.5"
                                    << "LENS WIDTH = 100 # of Waves = 20.00";
    QTest::newRow("lowest index") << false << -200 << 50 << 105 << 1 << "  X0 =200 Wavelengths"
                                  << " Focus point = 50"
                                  << " n = 1.05"
                                  << "LENS WIDTH = 5 # of Waves = 1.00";
    QTest::newRow("highest index") << true << -3 << 1 << 250 << 7 << "  X0 =3 μήκη κύματος"
                                   << " Σημείο Εστίασης  = 1"
                                   << " n = 2.5"
                                   << "Φάρδος Φακού = 35 # κυμάτων = 7.00";
}

void TestSceneLabels::labels() {
    QFETCH(bool, greek);
    QFETCH(int, source);
    QFETCH(int, focus);
    QFETCH(int, index);
    QFETCH(int, thickness);
    Controls c;
    c.ELLINIKA = greek;
    c.initial_POINT = source;
    c.fOCUS_POINT = focus;
    c.n_DIATHLASI = index;
    c.pachos = thickness;
    Scene scene;
    ReadScene(c, scene);
    const Labels l = SceneLabels(c, scene);
    QFETCH(QString, label1);
    QFETCH(QString, label2);
    QFETCH(QString, label3);
    QFETCH(QString, label4);
    QCOMPARE(QString::fromStdString(l.Label1), label1);
    QCOMPARE(QString::fromStdString(l.Label2), label2);
    QCOMPARE(QString::fromStdString(l.Label3), label3);
    QCOMPARE(QString::fromStdString(l.Label4), label4);
}

void TestSceneLabels::sceneQuantities_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("thickness");
    QTest::addColumn<double>("lensWavelength");
    QTest::addColumn<double>("backVertexX");
    QTest::addColumn<double>("focusX");
    QTest::newRow("start") << 150 << 20 << 3.3333333 << 36.666667 << 61.666667;
    QTest::newRow("n 1.05") << 105 << 20 << 4.7619048 << 65.238095 << 90.238095;
    QTest::newRow("n 2.5") << 250 << 20 << 2.0 << 10.0 << 35.0;
    QTest::newRow("one glass wave") << 150 << 1 << 3.3333333 << -26.666667 << -1.666667;
}

void TestSceneLabels::sceneQuantities() {
    QFETCH(int, index);
    QFETCH(int, thickness);
    QFETCH(double, lensWavelength);
    QFETCH(double, backVertexX);
    QFETCH(double, focusX);
    Controls c;
    c.n_DIATHLASI = index;
    c.pachos = thickness;
    Scene scene;
    ReadScene(c, scene);
    const SphericalGeometry g = DeriveSphericalGeometry(c, scene);
    QCOMPARE(scene.Wavelength, 5);
    QCOMPARE(scene.FrontRadius, 45);
    QCOMPARE(scene.SourceX, -100.0);
    QCOMPARE(scene.Pi, 3.141592653589793);
    QVERIFY(std::abs(scene.LensWavelength - lensWavelength) < 1e-7);
    QCOMPARE(g.SurfaceCentreX, 15.0);
    QCOMPARE(g.FrontVertexX, -30.0);
    QVERIFY(std::abs(g.LensThickness - thickness * lensWavelength) < 1e-6);
    QVERIFY(std::abs(g.BackVertexX - backVertexX) < 1e-6);
    QVERIFY(std::abs(g.FocusX - focusX) < 1e-6);
}

QTEST_APPLESS_MAIN(TestSceneLabels)
void TestSceneLabels::readoutsWithoutDrawing_data() {
    QTest::addColumn<bool>("hyperbola");
    QTest::addColumn<bool>("waves");
    QTest::addColumn<bool>("greek");
    QTest::newRow("spherical, Greek") << false << false << true;
    QTest::newRow("hyperbolic, English") << true << false << false;
    QTest::newRow("wave view, hyperbolic, Greek") << true << true << true;
}

// What a dragged thumb's read-outs show is what the redraw on release writes, and working it
// out changes neither the scene nor the figure on the canvas.
void TestSceneLabels::readoutsWithoutDrawing() {
    QFETCH(bool, hyperbola);
    QFETCH(bool, waves);
    QFETCH(bool, greek);
    Controls start;
    start.YPERVOLIKO = hyperbola;
    start.ELLINIKA = greek;
    start.view = waves ? View::Waves : View::Classic;
    Scene scene;
    Labels labels;
    RecordingSurface canvas;
    DrawFigure(start, scene, labels, canvas);
    const Recording figure = canvas.Figure();
    const Labels drawn = labels;
    for (const int source : {-3, -57, -200}) {
        Controls dragged = start;
        dragged.initial_POINT = source;
        dragged.n_DIATHLASI = 105 + (-source) % 146;
        const Labels preview = ReadoutsFor(dragged, scene);
        QCOMPARE(canvas.Figure(), figure);
        Scene released = scene;
        Labels written;
        RecordingSurface redrawn;
        DrawFigure(dragged, released, written, redrawn);
        QCOMPARE(preview, written);
        QVERIFY(preview != drawn);
    }
    // The scene still gives the first figure's read-outs.
    QCOMPARE(ReadoutsFor(start, scene), drawn);
}

#include "tst_scene_labels.moc"
