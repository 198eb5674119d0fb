#include "drawing/number_text.h"

#include <QTest>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

using namespace kymata;

namespace {

/// What the standard library's floating-point `to_chars` writes: the texts of every figure
/// document, which the portable texts must match byte for byte.
template <typename T> QString Library(T value, bool fixed) {
    char text[1200];
    const auto result =
        fixed ? std::to_chars(text, text + sizeof text, value, std::chars_format::fixed)
              : std::to_chars(text, text + sizeof text, value);
    return QString::fromLatin1(text, static_cast<int>(result.ptr - text));
}

template <typename T> bool SameAsLibrary(T value, QString& mismatch) {
    const QString shortest = QString::fromStdString(portable::ShortestText(value));
    const QString fixed = QString::fromStdString(portable::ShortestFixedText(value));
    if (shortest != Library(value, false) || fixed != Library(value, true)) {
        mismatch = QStringLiteral("%1 / %2 against %3 / %4")
                       .arg(shortest, fixed, Library(value, false), Library(value, true));
        return false;
    }
    return true;
}

} // namespace

class TestNumberText : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void texts_data();
    void texts();
    void matchesTheLibrary();
};

void TestNumberText::texts_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("single");
    QTest::addColumn<QString>("shortest");
    QTest::addColumn<QString>("fixed");
    QTest::newRow("index") << 1.05 << false << "1.05"
                           << "1.05";
    QTest::newRow("whole") << 20.0 << false << "20"
                           << "20";
    QTest::newRow("negative zero") << -0.0 << false << "-0"
                                   << "-0";
    QTest::newRow("zero") << 0.0 << false << "0"
                          << "0";
    QTest::newRow("tiny: scientific is shorter") << 1e-7 << false << "1e-07"
                                                 << "0.0000001";
    QTest::newRow("large: scientific is shorter") << 1e20 << false << "1e+20"
                                                  << "100000000000000000000";
    QTest::newRow("a tie keeps fixed") << 10000.0 << false << "10000"
                                       << "10000";
    QTest::newRow("one shorter: scientific") << 100000.0 << false << "1e+05"
                                             << "100000";
    QTest::newRow("single: its own shortest digits") << double(66.666667f) << true << "66.666664"
                                                     << "66.666664";
    QTest::newRow("single third") << double(1.0f / 3) << true << "0.33333334"
                                  << "0.33333334";
    QTest::newRow("double third") << 1.0 / 3 << false << "0.3333333333333333"
                                  << "0.3333333333333333";
    QTest::newRow("single beyond exact integers") << double(337422528.0f) << true << "337422528"
                                                  << "337422528";
    QTest::newRow("power of two: the nearest 16 digits do not read back")
        << std::ldexp(-1.0, -44) << false << "-5.684341886080802e-14"
        << "-0.00000000000005684341886080802";
    QTest::newRow("not finite") << std::numeric_limits<double>::infinity() << false << "inf"
                                << "inf";
}

void TestNumberText::texts() {
    QFETCH(double, value);
    QFETCH(bool, single);
    QFETCH(QString, shortest);
    QFETCH(QString, fixed);
    const auto text = [](auto x) {
        return std::pair{QString::fromStdString(ShortestText(x)),
                         QString::fromStdString(ShortestFixedText(x))};
    };
    const auto portableText = [](auto x) {
        return std::pair{QString::fromStdString(portable::ShortestText(x)),
                         QString::fromStdString(portable::ShortestFixedText(x))};
    };
    const auto expected = std::pair{shortest, fixed};
    if (single) {
        QCOMPARE(text(static_cast<float>(value)), expected);
        QCOMPARE(portableText(static_cast<float>(value)), expected);
    } else {
        QCOMPARE(text(value), expected);
        QCOMPARE(portableText(value), expected);
    }
}

// The portable texts are byte for byte what the library writes: over every kind of value, random
// bit patterns of both precisions and the coordinates a figure holds (multiples of small powers
// of two, then rounded to single precision).
void TestNumberText::matchesTheLibrary() {
    std::mt19937_64 random(20261208);
    QString mismatch;
    for (int i = 0; i < 60000; ++i) {
        const std::uint64_t bits = random();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        const auto high = static_cast<std::uint32_t>(bits >> 32);
        float f;
        std::memcpy(&f, &high, sizeof f);
        const double coordinate =
            std::ldexp(double(bits % 2000000) - 1000000, -static_cast<int>(i % 30));
        const bool same = (!std::isfinite(d) || SameAsLibrary(d, mismatch)) &&
                          (!std::isfinite(f) || SameAsLibrary(f, mismatch)) &&
                          SameAsLibrary(coordinate, mismatch) &&
                          SameAsLibrary(static_cast<float>(coordinate), mismatch);
        QVERIFY2(same, qPrintable(mismatch));
    }
    // Powers of two, whose neighbours lie closer below than above: there the shortest text that
    // reads back may not be the nearest one of its length.
    for (int e = -1074; e <= 1023; ++e) {
        const double d = std::ldexp(1.0, e);
        QVERIFY2(SameAsLibrary(d, mismatch) && SameAsLibrary(-3 * d, mismatch),
                 qPrintable(mismatch));
    }
    for (int e = -149; e <= 127; ++e) {
        QVERIFY2(SameAsLibrary(std::ldexp(1.0f, e), mismatch), qPrintable(mismatch));
    }
}

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_number_text.moc"
