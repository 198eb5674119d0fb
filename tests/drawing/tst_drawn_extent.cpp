#include "drawing/drawn_extent.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace kymata;

Q_DECLARE_METATYPE(Recording)
Q_DECLARE_METATYPE(std::optional<Extent>)

class TestDrawnExtent : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void extent_data();
    void extent();
};

namespace {

/// The canvas's box: y up, 240 units across 1000 reference pixels.
template <typename... Items> Recording On(Items... items) {
    Recording figure{UserBox{-120, 120, 120, -120}, {}};
    (figure.items.emplace_back(std::move(items)), ...);
    return figure;
}

TextItem Text(const char* text, double angle) {
    TextItem t{0, 0, text, {0, 0, 0}, "", 10, angle};
    return t;
}

constexpr Rgb Black{0, 0, 0};

} // namespace

void TestDrawnExtent::extent_data() {
    QTest::addColumn<Recording>("figure");
    QTest::addColumn<std::optional<Extent>>("expected");
    QTest::newRow("a line beyond the box")
        << On(LineItem{-150, -90, 10, 300, Black, 1, LineStyle::Solid})
        << std::optional(Extent{-150, -90, 10, 300});
    QTest::newRow("an arc counts as its whole circle")
        << On(CircleItem{10, 0, 5, Black, 1, LineStyle::Solid, 0.0f, 1.0f})
        << std::optional(Extent{5, -5, 15, 5});
    QTest::newRow("a polyline's points")
        << On(PolylineItem{{0, 0, 3, -4, -2, 8}, Black, 1, LineStyle::Dotted})
        << std::optional(Extent{-2, -4, 3, 8});
    // 10 points are 13.33 reference pixels, 3.2 units; four letters 0.7 of that across each.
    QTest::newRow("a text runs right and down the page")
        << On(Text("#L=1", 0)) << std::optional(Extent{0, -3.2, 4 * 0.7 * 3.2, 0});
    QTest::newRow("a turned text may reach any way")
        << On(Text("ab", 30)) << std::optional(Extent{-5.5055, -5.5055, 5.5055, 5.5055});
    QTest::newRow("letters, not bytes")
        << On(Text("λλ", 0)) << std::optional(Extent{0, -3.2, 2 * 0.7 * 3.2, 0});
    const float nan = std::numeric_limits<float>::quiet_NaN();
    QTest::newRow("a point at infinity is left out")
        << On(LineItem{nan, 0, 1, 1, Black, 1, LineStyle::Solid},
              LineItem{2, 2, 3, 3, Black, 1, LineStyle::Solid})
        << std::optional(Extent{1, 1, 3, 3});
    QTest::newRow("nothing drawn") << On() << std::optional<Extent>();
    QTest::newRow("nothing finite drawn")
        << On(LineItem{nan, nan, nan, 1, Black, 1, LineStyle::Solid}) << std::optional<Extent>();
}

void TestDrawnExtent::extent() {
    QFETCH(Recording, figure);
    QFETCH(std::optional<Extent>, expected);
    const std::optional<Extent> got = DrawnExtent(figure);
    QCOMPARE(got.has_value(), expected.has_value());
    if (got) {
        const double tolerance = 1e-3;
        QVERIFY2(std::abs(got->minX - expected->minX) < tolerance &&
                     std::abs(got->minY - expected->minY) < tolerance &&
                     std::abs(got->maxX - expected->maxX) < tolerance &&
                     std::abs(got->maxY - expected->maxY) < tolerance,
                 qPrintable(QStringLiteral("%1 %2 %3 %4")
                                .arg(got->minX)
                                .arg(got->minY)
                                .arg(got->maxX)
                                .arg(got->maxY)));
        // The union with the box holds both.
        const Extent u = Union(*got, figure.box);
        QVERIFY(u.minX <= std::min(got->minX, -120.0) && u.maxY >= std::max(got->maxY, 120.0));
    }
}

QTEST_GUILESS_MAIN(TestDrawnExtent)
#include "tst_drawn_extent.moc"
