#include "drawing/recording_surface.h"
#include "export/painter_surface.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <numbers>

using namespace kymata;

namespace {

QImage Paint(const Recording& recording, int size = 200) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PainterSurface surface(painter, QRectF(0, 0, size, size));
    Replay(recording, surface);
    return image;
}

bool Inked(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 160;
}

} // namespace

class TestSurfaces : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void clsKeepsSettings();
    void printMovesOneLineDown_data();
    void printMovesOneLineDown();
    void itemsCarryPenAndStyle();
    void rescaleKeepsCanvasPositions();
    void outsideIsKeptAndClipped();
    void replayReproducesTheRecording();
    void yPointsUpOnThePainter();
    void arcRunsCounterClockwise_data();
    void arcRunsCounterClockwise();
};

void TestSurfaces::clsKeepsSettings() {
    RecordingSurface s;
    s.Scale(-120, 120, 120, -120);
    s.ForeColor = {10, 20, 30};
    s.DrawWidth = 3;
    s.DrawStyle = LineStyle::Dotted;
    s.FontSize = 6;
    s.Line(0, 0, 1, 1);
    s.CurrentX = 5;
    s.CurrentY = 5;
    s.Cls();
    QVERIFY(s.Figure().items.empty());
    QCOMPARE(s.Box(), (UserBox{-120, 120, 120, -120}));
    QCOMPARE(s.ForeColor, (Rgb{10, 20, 30}));
    QCOMPARE(s.DrawWidth, 3);
    QCOMPARE(s.DrawStyle, LineStyle::Dotted);
    QCOMPARE(s.FontSize, 6.0);
    QCOMPARE(s.CurrentX, -120.0f);
    QCOMPARE(s.CurrentY, 120.0f);
    // A degenerate box is no box: the old one stays.
    s.Scale(0, 0, 0, 10);
    QCOMPARE(s.Box(), (UserBox{-120, 120, 120, -120}));
}

void TestSurfaces::printMovesOneLineDown_data() {
    QTest::addColumn<double>("top");
    QTest::addColumn<double>("bottom");
    QTest::newRow("y up") << 120.0 << -120.0;
    QTest::newRow("y down") << 0.0 << 1000.0;
}

void TestSurfaces::printMovesOneLineDown() {
    QFETCH(double, top);
    QFETCH(double, bottom);
    RecordingSurface s;
    s.Scale(-50, top, 50, bottom);
    s.FontSize = 12;
    s.CurrentX = 10;
    s.CurrentY = 20;
    s.Print("first");
    s.Print("second");
    const auto& items = s.Figure().items;
    QCOMPARE(items.size(), std::size_t(2));
    const auto& first = std::get<TextItem>(items[0]);
    const auto& second = std::get<TextItem>(items[1]);
    QCOMPARE(first.x, 10.0f);
    QCOMPARE(first.y, 20.0f);
    QCOMPARE(second.x, -50.0f); // back to the left edge
    const double line = 12 * 96.0 / 72 * 1.15 * std::abs(bottom - top) / 1000;
    const double down = bottom < top ? -line : line;
    QVERIFY(std::abs(second.y - (20 + down)) < 1e-4);
    QCOMPARE(first.font, std::string("Times New Roman"));
}

void TestSurfaces::itemsCarryPenAndStyle() {
    RecordingSurface s;
    s.DrawWidth = 2;
    s.DrawStyle = LineStyle::Dotted;
    s.Line(0, 0, 1, 0);
    s.Line(0, 0, 1, 0, Rgb{255, 0, 0});
    s.Circle(1, 2, 3);
    s.Arc(1, 2, 3, Rgb{0, 0, 255}, 1.0f, 2.0f);
    const auto& items = s.Figure().items;
    QCOMPARE(std::get<LineItem>(items[0]), (LineItem{0, 0, 1, 0, {}, 2, LineStyle::Dotted}));
    QCOMPARE(std::get<LineItem>(items[1]).color, (Rgb{255, 0, 0}));
    QVERIFY(!std::get<CircleItem>(items[2]).start);
    QCOMPARE(*std::get<CircleItem>(items[3]).end, 2.0f);
}

void TestSurfaces::rescaleKeepsCanvasPositions() {
    RecordingSurface s;
    s.Scale(-100, 100, 100, -100);
    s.Line(-100, 100, 0, 0);
    s.Circle(50, 0, 10);
    s.Scale(-200, 200, 200, -200);
    const auto& items = s.Figure().items;
    QCOMPARE(std::get<LineItem>(items[0]), (LineItem{-200, 200, 0, 0, {}, 1, LineStyle::Solid}));
    QCOMPARE(std::get<CircleItem>(items[1]).x, 100.0f);
    QCOMPARE(std::get<CircleItem>(items[1]).r, 20.0f);
    QCOMPARE(s.Figure().box, (UserBox{-200, 200, 200, -200}));
}

void TestSurfaces::outsideIsKeptAndClipped() {
    RecordingSurface s;
    s.Scale(-100, 100, 100, -100);
    s.DrawWidth = 10;
    s.Line(-1e7f, 0, 1e7f, 0);
    s.Line(500, 500, 600, 600);
    s.Circle(0, 0, 1e6f);
    QCOMPARE(s.Figure().items.size(), std::size_t(3));
    // On the painter the long line is cut to the image; the rest falls outside.
    const QImage image = Paint(s.Figure());
    QVERIFY(Inked(image, 0, 100));
    QVERIFY(Inked(image, 199, 100));
    QVERIFY(!Inked(image, 100, 50));
}

void TestSurfaces::replayReproducesTheRecording() {
    RecordingSurface s;
    s.Scale(-120, 120, 120, -120);
    s.DrawWidth = 3;
    s.Line(1, 2, 3, 4, Rgb{1, 2, 3});
    s.DrawStyle = LineStyle::Dotted;
    s.Arc(0, 0, 5, std::nullopt, 0.5f, 1.5f);
    s.FontAngle = 30;
    s.FontName = "";
    s.CurrentX = 7;
    s.Print("#L = 1.0");
    RecordingSurface copy;
    copy.FontSize = 33;
    Replay(s.Figure(), copy);
    QCOMPARE(copy.Figure(), s.Figure());
    QCOMPARE(copy.FontSize, 33.0);
}

void TestSurfaces::yPointsUpOnThePainter() {
    RecordingSurface s;
    s.Scale(-100, 100, 100, -100);
    s.DrawWidth = 4;
    s.Line(0, 50, 0, 90); // upper half of the figure
    const QImage image = Paint(s.Figure());
    QVERIFY(Inked(image, 100, 30));
    QVERIFY(!Inked(image, 100, 170));
}

void TestSurfaces::arcRunsCounterClockwise_data() {
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("end");
    QTest::addColumn<QPoint>("inked");
    QTest::addColumn<QPoint>("blank");
    constexpr double pi = std::numbers::pi;
    QTest::newRow("left half") << pi / 2 << 3 * pi / 2 << QPoint(20, 100) << QPoint(180, 100);
    QTest::newRow("upper half") << 0.0 << pi << QPoint(100, 20) << QPoint(100, 180);
    QTest::newRow("wraps through zero")
        << 3 * pi / 2 << pi / 2 << QPoint(180, 100) << QPoint(20, 100);
}

void TestSurfaces::arcRunsCounterClockwise() {
    QFETCH(double, start);
    QFETCH(double, end);
    QFETCH(QPoint, inked);
    QFETCH(QPoint, blank);
    RecordingSurface s;
    s.Scale(-100, 100, 100, -100);
    s.DrawWidth = 5;
    s.Arc(0, 0, 80, std::nullopt, float(start), float(end));
    const QImage image = Paint(s.Figure());
    QVERIFY(Inked(image, inked.x(), inked.y()));
    QVERIFY(!Inked(image, blank.x(), blank.y()));
}

QTEST_MAIN(TestSurfaces)
#include "tst_surfaces.moc"
