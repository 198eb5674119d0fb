#include "construction/scene.h"
#include "drawing/recording_surface.h"
#include "hyperbolic/hyperbola.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace kymata;

namespace {

constexpr double NoPoint = std::numeric_limits<double>::quiet_NaN();
const double B = std::sqrt(500.0); // b for n = 1.5, a = 20

Scene StartScene() {
    Scene s;
    s.Wavelength = 5;
    s.RefractiveIndex = 1.5;
    s.LensWavelength = 5 / 1.5;
    s.SourceX = -120;
    return s;
}

bool Near(double got, double expected, double tolerance = 2e-6) {
    return std::abs(got - expected) <= tolerance;
}

} // namespace

class TestHyperbola : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void hyperbolaRoot_data();
    void hyperbolaRoot();
    void roundedRoot();
    void refractAtHyperbola_data();
    void refractAtHyperbola();
    void nothingRecorded_data();
    void nothingRecorded();
    void tablesNeverOverflow();
    void fanAngles();
};

void TestHyperbola::hyperbolaRoot_data() {
    QTest::addColumn<double>("m");
    QTest::addColumn<double>("d");
    QTest::addColumn<double>("expected");
    QTest::newRow("axis: the vertex") << 0.0 << -160.0 << 20.0;
    QTest::newRow("axis, any offset") << 0.0 << -7.0 << 20.0;
    QTest::newRow("slope 0.01") << 0.01 << -160.0 << 34.906579;
    QTest::newRow("slope -0.01") << -0.01 << -160.0 << 34.906579;
    QTest::newRow("slope 0.02") << 0.02 << -160.0 << 60.603760;
    QTest::newRow("asymptote slope: no point") << B / 20 << -160.0 << NoPoint;
    QTest::newRow("beyond the asymptotes") << 2.0 << -160.0 << NoPoint;
    QTest::newRow("not a slope") << NoPoint << -160.0 << NoPoint;
}

void TestHyperbola::hyperbolaRoot() {
    QFETCH(double, m);
    QFETCH(double, d);
    QFETCH(double, expected);
    const std::optional<double> X = HyperbolaRoot(m, d, 20, B);
    QCOMPARE(X.has_value(), !std::isnan(expected));
    if (X) {
        QVERIFY2(Near(*X, expected), qPrintable(QString::number(*X, 'g', 12)));
    }
}

void TestHyperbola::roundedRoot() {
    QCOMPARE(RoundedRoot(4.0), std::optional<double>(2.0));
    QCOMPARE(RoundedRoot(0.0), std::optional<double>(0.0));
    QCOMPARE(RoundedRoot(-2.220446049250313e-16), std::optional<double>(0.0));
    QVERIFY(!RoundedRoot(-0.01));
    QVERIFY(!RoundedRoot(std::numeric_limits<double>::quiet_NaN()));
    // The first point of the left branch, u = -3a, whose radicand is 0 but for rounding.
    for (int index = 105; index <= 250; ++index) {
        const double a = 6 * 5 / (index / 100.0);
        const auto y = RoundedRoot(std::pow(-3 * a + 2 * a, 2) / (a * a) - 1);
        QVERIFY(y.has_value());
        QVERIFY(*y < 1e-7);
    }
}

void TestHyperbola::refractAtHyperbola_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<QPointF>("normalFrom");
    QTest::addColumn<QPointF>("normalTo");
    QTest::addColumn<QPointF>("exit");
    QTest::newRow("surface point above the axis")
        << -15.0 << 16.770510 << QPointF(-28.217013, 23.863503) << QPointF(-1.782987, 9.677516)
        << QPointF(0.054574, 15.613350);
    QTest::newRow("mirror point below")
        << -15.0 << -16.770510 << QPointF(-28.217013, -23.863503) << QPointF(-1.782987, -9.677516)
        << QPointF(0.054574, -15.613350);
    // On the axis the normal is horizontal and the ray passes unturned, along the axis.
    QTest::newRow("vertex") << -20.0 << 0.0 << QPointF(-35, 0) << QPointF(-5, 0)
                            << QPointF(0.0, 0.0);
}

void TestHyperbola::refractAtHyperbola() {
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(QPointF, normalFrom);
    QFETCH(QPointF, normalTo);
    QFETCH(QPointF, exit);
    Scene scene = StartScene();
    RecordingSurface canvas;
    RefractAtHyperbola(x, y, 20, B, scene, canvas);

    QCOMPARE(canvas.Figure().items.size(), std::size_t(1));
    const auto normal = std::get<LineItem>(canvas.Figure().items[0]);
    QCOMPARE(normal.color, (Rgb{0, 255, 0}));
    QVERIFY(Near(normal.x1, normalFrom.x(), 2e-5) && Near(normal.y1, normalFrom.y(), 2e-5));
    QVERIFY(Near(normal.x2, normalTo.x(), 2e-5) && Near(normal.y2, normalTo.y(), 2e-5));

    const HyperbolaTables& t = scene.hyperbola;
    if (y == 0) {
        // The axial ray reaches the back face at the origin: there or one step beyond it.
        QVERIFY(t.HyperbolaRayCount == 0 ||
                (t.RayExitY[1] == 0 && t.RayExitX[1] >= 0 && t.RayExitX[1] <= 0.1f));
        return;
    }
    QCOMPARE(t.HyperbolaState, 1);
    QCOMPARE(t.HyperbolaRayCount, 1);
    QVERIFY2(Near(t.RayExitX[1], exit.x(), 2e-5), qPrintable(QString::number(t.RayExitX[1])));
    QVERIFY2(Near(t.RayExitY[1], exit.y(), 2e-5), qPrintable(QString::number(t.RayExitY[1])));
    // The exit lies just beyond the back face: within one march step of 0.001 L.
    QVERIFY(t.RayExitX[1] >= 0 && t.RayExitX[1] < 0.001 * std::hypot(x + 120, y));
}

void TestHyperbola::nothingRecorded_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("sourceX");
    QTest::newRow("point beyond the back face") << 5.0 << 30.0 << -120.0;
    QTest::newRow("ray turned away: the march gives up") << -15.0 << 16.770510 << 100.0;
}

void TestHyperbola::nothingRecorded() {
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, sourceX);
    Scene scene = StartScene();
    scene.SourceX = sourceX;
    scene.hyperbola.RayExitX[1] = 42;
    RecordingSurface canvas;
    RefractAtHyperbola(x, y, 20, B, scene, canvas);
    QCOMPARE(canvas.Figure().items.size(), std::size_t(1)); // the normal only
    QCOMPARE(scene.hyperbola.HyperbolaState, 0);
    QCOMPARE(scene.hyperbola.HyperbolaRayCount, 0);
    QCOMPARE(scene.hyperbola.RayExitX[1], 42.0f);
}

void TestHyperbola::tablesNeverOverflow() {
    Scene scene = StartScene();
    RecordingSurface canvas;
    for (int i = 0; i < 205; ++i) {
        RefractAtHyperbola(-15, 16.770510, 20, B, scene, canvas);
    }
    QCOMPARE(scene.hyperbola.HyperbolaRayCount, HyperbolaTables::Capacity);
    QCOMPARE(scene.hyperbola.HyperbolaState, HyperbolaTables::Capacity);
    QCOMPARE(scene.hyperbola.RayExitX[0], 0.0f);
    QCOMPARE(canvas.Figure().items.size(), std::size_t(205));
}

void TestHyperbola::fanAngles() {
    const std::vector<double> angles = HyperbolicFanAngles();
    const double v = std::atan(0.5) / 4;
    QCOMPARE(angles.size(), std::size_t(56));
    QCOMPARE(angles.front(), -0.25 * v);
    QVERIFY(Near(angles.front(), -0.02898, 1e-5));
    QVERIFY(Near(angles.back(), 0.3 * v, 1e-15));
    QVERIFY(Near(angles[1] - angles[0], 0.001159, 1e-6));
    QVERIFY(std::abs(angles[25]) < 1e-15); // the angle nearest 0
}

QTEST_APPLESS_MAIN(TestHyperbola)
#include "tst_hyperbola.moc"
