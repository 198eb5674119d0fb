#include "construction/helpers.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <numbers>

using namespace kymata;

Q_DECLARE_METATYPE(std::optional<double>)

namespace {

constexpr double Empty = std::numeric_limits<double>::quiet_NaN();

std::optional<double> Expected(double v) {
    return std::isnan(v) ? std::nullopt : std::optional<double>(v);
}

Scene StartScene() {
    Scene s;
    s.Wavelength = 5;
    s.RefractiveIndex = 1.5;
    s.LensWavelength = 5 / 1.5;
    s.SourceX = -100;
    s.FrontRadius = 45;
    return s;
}

} // namespace

class TestHelpers : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void det2AndDistance();
    void arcSin_data();
    void arcSin();
    void safeArcSin_data();
    void safeArcSin();
    void refractAtSphere_data();
    void refractAtSphere();
    void refractionObeysSnell_data();
    void refractionObeysSnell();
};

void TestHelpers::det2AndDistance() {
    QCOMPARE(Det2(1, 2, 3, 4), -2.0);
    QCOMPARE(Det2(3, 4, 1, 2), 2.0);
    QCOMPARE(Distance(0, 0, 3, 4), 5.0);
    QCOMPARE(Distance(3, 4, 0, 0), 5.0);
    QCOMPARE(Distance(-100, 0, -48, 14), std::sqrt(52.0 * 52 + 14 * 14));
}

void TestHelpers::arcSin_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("expected");
    QTest::newRow("half") << 0.5 << 0.5235987756;
    QTest::newRow("minus half") << -0.5 << -0.5235987756;
    QTest::newRow("zero") << 0.0 << 0.0;
    QTest::newRow("near one") << 0.999999 << 1.5693821131;
    QTest::newRow("minus one") << -1.0 << -std::numbers::pi / 2;
    QTest::newRow("one is empty") << 1.0 << Empty;
    QTest::newRow("two is empty") << 2.0 << Empty;
    QTest::newRow("grazing below the axis") << -1.0000000000000002 << Empty;
    QTest::newRow("below minus one") << -1.5 << Empty;
    QTest::newRow("not a number") << Empty << Empty;
}

void TestHelpers::arcSin() {
    QFETCH(double, x);
    QFETCH(double, expected);
    const std::optional<double> got = ArcSin(x);
    QCOMPARE(got.has_value(), Expected(expected).has_value());
    if (got) {
        QVERIFY2(std::abs(*got - expected) < 1e-9, qPrintable(QString::number(*got, 'g', 17)));
    }
}

void TestHelpers::safeArcSin_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("expected");
    QTest::addColumn<bool>("setsPi");
    QTest::newRow("one") << 1.0 << 1.5707963268 << true;
    QTest::newRow("minus one") << -1.0 << -1.5707963268 << true;
    QTest::newRow("0.9") << 0.9 << 1.1197695150 << true;
    QTest::newRow("source 30 left: 45/115") << 45.0 / 115 << 0.4020485 << true;
    QTest::newRow("above one: empty, Pi untouched") << 1.5 << Empty << false;
    QTest::newRow("below minus one: empty, Pi set") << -1.5 << Empty << true;
}

void TestHelpers::safeArcSin() {
    QFETCH(double, x);
    QFETCH(double, expected);
    QFETCH(bool, setsPi);
    Scene scene;
    scene.Pi = 7;
    const std::optional<double> got = SafeArcSin(x, scene);
    QCOMPARE(got.has_value(), Expected(expected).has_value());
    if (got) {
        QVERIFY(std::abs(*got - expected) < 1e-7);
    }
    QCOMPARE(scene.Pi, setsPi ? 3.141592653589793 : 7.0);
}

void TestHelpers::refractAtSphere_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("sourceX");
    QTest::addColumn<double>("dirX");
    QTest::addColumn<double>("dirY");
    QTest::newRow("above the axis") << -48.0 << 14.0 << -100.0 << 53.719074 << 3.776381;
    QTest::newRow("mirror below") << -48.0 << -14.0 << -100.0 << 53.719074 << -3.776381;
    QTest::newRow("on the axis") << -50.0 << 0.0 << -100.0 << 50.0 << 0.0;
    QTest::newRow("steep: turned past the axis")
        << -30.0 << 40.0 << -100.0 << 78.943381 << -16.368952;
    QTest::newRow("origin: no normal, unturned") << 0.0 << 0.0 << -100.0 << 100.0 << 0.0;
    QTest::newRow("point on the source") << -100.0 << 0.0 << -100.0 << 0.0 << 0.0;
}

void TestHelpers::refractAtSphere() {
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, sourceX);
    QFETCH(double, dirX);
    QFETCH(double, dirY);
    Scene scene = StartScene();
    scene.SourceX = sourceX;
    const RayDirection d = RefractAtSphere(x, y, scene);
    QVERIFY2(std::abs(d.DirX - dirX) < 2e-5, qPrintable(QString::number(d.DirX, 'g', 9)));
    QVERIFY2(std::abs(d.DirY - dirY) < 2e-5, qPrintable(QString::number(d.DirY, 'g', 9)));
    // The returned vector keeps the length of the incoming one.
    QVERIFY(std::abs(std::hypot(d.DirX, d.DirY) - std::hypot(x - sourceX, y)) < 1e-4);
}

void TestHelpers::refractionObeysSnell_data() {
    QTest::addColumn<double>("n");
    QTest::addColumn<double>("sourceX");
    for (const double n : {1.05, 1.5, 2.5}) {
        for (const double sx : {-1000.0, -100.0, -35.0}) {
            QTest::addRow("n %g, source %g", n, sx) << n << sx;
        }
    }
}

void TestHelpers::refractionObeysSnell() {
    QFETCH(double, n);
    QFETCH(double, sourceX);
    Scene scene = StartScene();
    scene.RefractiveIndex = n;
    scene.SourceX = sourceX;
    for (int a = -80; a <= 80; a += 10) {
        const double rad = a * std::numbers::pi / 180;
        const double x = 15 - 45 * std::cos(rad);
        const double y = 45 * std::sin(rad);
        if ((x - sourceX) * x + y * y >= 0) {
            continue; // the ray does not run into the surface there
        }
        const RayDirection d = RefractAtSphere(x, y, scene);
        // Sines of the signed angles from the radius (x, y) to the incoming and refracted rays.
        const double r = std::hypot(x, y);
        const double sinIn = Det2(x - sourceX, y, x, y) / (std::hypot(x - sourceX, y) * r);
        const double sinOut = Det2(d.DirX, d.DirY, x, y) / (std::hypot(d.DirX, d.DirY) * r);
        if (std::abs(sinIn) < 1) {
            QVERIFY2(std::abs(sinIn - n * sinOut) < 1e-6,
                     qPrintable(QStringLiteral("angle %1").arg(a)));
        }
    }
}

QTEST_APPLESS_MAIN(TestHelpers)
#include "tst_helpers.moc"
