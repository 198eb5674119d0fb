#include "construction/controls.h"
#include "figure/sweep_checks.h"

#include <QTest>

#include <cmath>
#include <functional>
#include <limits>

using namespace kymata;
using namespace kymata::sweep;

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
const UserBox Canvas{-120, 120, 120, -120};

using ProbeCall = std::function<void(PhysicsChecker&)>;

} // namespace

Q_DECLARE_METATYPE(ProbeCall)

class TestSweepChecks : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void validator_data();
    void validator();
    void physics_data();
    void physics();
    void sampleSettingsObeyThePhysics_data();
    void sampleSettingsObeyThePhysics();
};

void TestSweepChecks::validator_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("radius");
    QTest::addColumn<bool>("sound");
    QTest::newRow("inside") << 50.0 << 1.0 << true;
    QTest::newRow("far but sane") << 9000.0 << 5000.0 << true;
    QTest::newRow("beyond the bound") << 2e4 << 1.0 << false;
    QTest::newRow("not a number") << NaN << 1.0 << false;
    QTest::newRow("infinite radius") << 0.0 << double(INFINITY) << false;
}

void TestSweepChecks::validator() {
    QFETCH(double, x);
    QFETCH(double, radius);
    QFETCH(bool, sound);
    FigureValidator v;
    v.Check(Canvas, LineItem{float(x), 0, 0, 0, {}, 1, {}});
    v.Check(Canvas, CircleItem{0, 0, float(radius), {}, 1, {}, {}, {}});
    v.Check(Canvas, TextItem{float(x), 0, "t", {}, "", 9, 0});
    QCOMPARE(v.Items(), std::int64_t(3));
    QCOMPARE(v.Failed(), !sound);
    v.Reset();
    QVERIFY(!v.Failed());
}

void TestSweepChecks::physics_data() {
    QTest::addColumn<ProbeCall>("call");
    QTest::addColumn<bool>("holds");
    // A ray at 30 degrees to the normal (1, 0), refracted into n = 1.5.
    const double sinIn = 0.5;
    const double t2 = std::asin(sinIn / 1.5);
    const double inX = std::cos(std::asin(sinIn));
    QTest::newRow("Snell holds") << ProbeCall([=](PhysicsChecker& p) {
        p.Refraction(inX, -sinIn, 1, 0, std::cos(t2), -std::sin(t2), 1.5, true);
    }) << true;
    QTest::newRow("Snell broken") << ProbeCall([=](PhysicsChecker& p) {
        p.Refraction(inX, -sinIn, 1, 0, std::cos(t2), -std::sin(t2) * 1.001, 1.5, true);
    }) << false;
    QTest::newRow("unturned grazing ray is not checked") << ProbeCall([=](PhysicsChecker& p) {
        p.Refraction(inX, -sinIn, 1, 0, inX, -sinIn, 1.5, false);
    }) << true;
    QTest::newRow("air ticks a wavelength apart") << ProbeCall([](PhysicsChecker& p) {
        p.BeginTicks(ConstructionProbe::Medium::Air);
        p.Tick(-100, 0);
        p.Tick(-95, 0);
        p.Tick(-92, 4);
    }) << true;
    QTest::newRow("air ticks too close") << ProbeCall([](PhysicsChecker& p) {
        p.BeginTicks(ConstructionProbe::Medium::Air);
        p.Tick(-100, 0);
        p.Tick(-95.01, 0);
    }) << false;
    QTest::newRow("glass ticks a glass wavelength apart") << ProbeCall([](PhysicsChecker& p) {
        p.BeginTicks(ConstructionProbe::Medium::Glass);
        p.Tick(0, 0);
        p.Tick(0, 2);
        p.BeginTicks(ConstructionProbe::Medium::Glass);
        p.Tick(50, 50); // a new run: no gap to the last one
    }) << true;
    QTest::newRow("exit within a step")
        << ProbeCall([](PhysicsChecker& p) { p.Exit(0.05, 15, 0.1); }) << true;
    QTest::newRow("exit before the back face")
        << ProbeCall([](PhysicsChecker& p) { p.Exit(-0.01, 15, 0.1); }) << false;
    QTest::newRow("exit beyond one step")
        << ProbeCall([](PhysicsChecker& p) { p.Exit(0.2, 15, 0.1); }) << false;
}

void TestSweepChecks::physics() {
    QFETCH(ProbeCall, call);
    QFETCH(bool, holds);
    Scene scene;
    scene.Wavelength = 5;
    scene.LensWavelength = 2;
    PhysicsChecker checker(scene);
    call(checker);
    QVERIFY2(checker.Failed() == !holds, checker.Fault().c_str());
}

void TestSweepChecks::sampleSettingsObeyThePhysics_data() {
    QTest::addColumn<int>("source");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("thickness");
    for (const int source : {-200, -42, -20, -7, -3}) {
        for (const int index : {105, 150, 250}) {
            QTest::addRow("source %d, index %d", source, index) << source << index << 20;
        }
    }
    QTest::newRow("thin lens") << -20 << 150 << 1;
}

void TestSweepChecks::sampleSettingsObeyThePhysics() {
    QFETCH(int, source);
    QFETCH(int, index);
    QFETCH(int, thickness);
    SweepRig rig;
    for (const bool hyperbola : {false, true}) {
        Controls c;
        c.initial_POINT = source;
        c.n_DIATHLASI = index;
        c.pachos = thickness;
        c.YPERVOLIKO = hyperbola;
        rig.Draw(c);
        rig.Print(c);
    }
    QVERIFY2(!rig.validator.Failed(), rig.validator.Fault().c_str());
    QVERIFY2(!rig.physics.Failed(), rig.physics.Fault().c_str());
    QVERIFY(rig.physics.Checks() > 100);
}

QTEST_APPLESS_MAIN(TestSweepChecks)
#include "tst_sweep_checks.moc"
