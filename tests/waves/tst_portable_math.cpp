// The wave view's own transcendental functions agree with the C library to a few units in the
// last place over their whole range, keep its conventions at zeros, infinities and NaN, and
// keep the identities the optics relies on.

#include "waves/portable_math.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <numbers>
#include <random>

using namespace kymata::waves;

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

/// Units in the last place between a and b, scaled at the larger of them (or at 1 near zero).
double Ulps(double a, double b) {
    const double scale = std::max({std::abs(a), std::abs(b), 1e-300});
    return std::abs(a - b) / (scale * std::numeric_limits<double>::epsilon());
}

bool Same(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || (a == b && std::signbit(a) == std::signbit(b));
}

} // namespace

class TestPortableMath : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void specialValues_data();
    void specialValues();
    void closeToTheLibrary_data();
    void closeToTheLibrary();
    void identities();
};

void TestPortableMath::specialValues_data() {
    QTest::addColumn<double>("got");
    QTest::addColumn<double>("expected");
    const double pi = std::numbers::pi;
    QTest::newRow("hypot 3 4") << PortableHypot(3, 4) << 5.0;
    QTest::newRow("hypot of huge") << PortableHypot(3e300, 4e300) << 5e300;
    QTest::newRow("hypot of tiny") << PortableHypot(3e-310, 4e-310) << 5e-310;
    QTest::newRow("hypot of inf and nan") << PortableHypot(Inf, NaN) << Inf;
    QTest::newRow("hypot of nan") << PortableHypot(NaN, 1) << NaN;
    QTest::newRow("atan2 +0 +0") << PortableAtan2(0.0, 0.0) << 0.0;
    QTest::newRow("atan2 -0 +0") << PortableAtan2(-0.0, 0.0) << -0.0;
    QTest::newRow("atan2 +0 -0") << PortableAtan2(0.0, -0.0) << pi;
    QTest::newRow("atan2 -0 -1") << PortableAtan2(-0.0, -1) << -pi;
    QTest::newRow("atan2 up") << PortableAtan2(2, 0) << pi / 2;
    QTest::newRow("atan2 down") << PortableAtan2(-2, 0) << -pi / 2;
    QTest::newRow("atan2 inf inf") << PortableAtan2(Inf, -Inf) << 3 * pi / 4;
    QTest::newRow("atan2 nan") << PortableAtan2(NaN, 1) << NaN;
    QTest::newRow("asin 1") << PortableAsin(1) << pi / 2;
    QTest::newRow("asin -1") << PortableAsin(-1) << -pi / 2;
    QTest::newRow("asin beyond 1 is NaN") << PortableAsin(1.0000000000000002) << NaN;
    QTest::newRow("cos of inf is NaN") << PortableCosSin(Inf).cos << NaN;
    QTest::newRow("sin 0") << PortableCosSin(0).sin << 0.0;
}

void TestPortableMath::specialValues() {
    QFETCH(double, got);
    QFETCH(double, expected);
    QVERIFY2(Same(got, expected) || Ulps(got, expected) <= 1,
             qPrintable(
                 QStringLiteral("%1, expected %2").arg(got, 0, 'g', 17).arg(expected, 0, 'g', 17)));
}

void TestPortableMath::closeToTheLibrary_data() {
    QTest::addColumn<double>("scale");
    QTest::newRow("angles within a turn") << 1.0;
    QTest::newRow("canvas lengths") << 300.0;
    QTest::newRow("counts of many waves") << 6000.0;
    QTest::newRow("small") << 1e-6;
}

void TestPortableMath::closeToTheLibrary() {
    QFETCH(double, scale);
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> uniform(-scale, scale);
    double worst = 0;
    for (int i = 0; i < 100000; ++i) {
        const double x = uniform(random);
        const double y = uniform(random);
        const CosSin cs = PortableCosSin(x);
        // Near a zero of the function the library's value is tiny and its own argument rounding
        // dominates; there the error is measured against 1.
        worst = std::max({worst, Ulps(PortableHypot(x, y), std::hypot(x, y)),
                          Ulps(PortableAtan2(y, x), std::atan2(y, x)),
                          std::abs(cs.cos - std::cos(x)) / std::numeric_limits<double>::epsilon() /
                              std::max(1.0, std::abs(x) / 4),
                          std::abs(cs.sin - std::sin(x)) / std::numeric_limits<double>::epsilon() /
                              std::max(1.0, std::abs(x) / 4)});
        const double s = std::fmod(x, 1.0);
        worst = std::max(worst, Ulps(PortableAsin(s), std::asin(s)));
    }
    QVERIFY2(worst <= 8, qPrintable(QString::number(worst)));
}

void TestPortableMath::identities() {
    for (double a = -20; a <= 20; a += 0.001) {
        const CosSin cs = PortableCosSin(a);
        QVERIFY(std::abs(cs.cos * cs.cos + cs.sin * cs.sin - 1) < 4e-16);
        const double back = PortableAtan2(cs.sin, cs.cos);
        QVERIFY(std::abs(std::remainder(back - a, 2 * std::numbers::pi)) < 1e-14);
    }
}

QTEST_APPLESS_MAIN(TestPortableMath)
#include "tst_portable_math.moc"
