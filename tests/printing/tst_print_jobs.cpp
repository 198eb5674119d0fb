#include "construction/controls.h"
#include "export/page_output.h"
#include "export/painter_surface.h"
#include "figure_checks.h"
#include "printing/print_jobs.h"

#include <QPageLayout>
#include <QPageSize>
#include <QTest>

using namespace kymata;
using namespace kymata::test;

namespace {

constexpr Rgb Green{0, 255, 0};
constexpr Rgb Red{255, 0, 0};

/// One redraw followed by PRINT, as the window does them.
struct Printed {
    Scene scene;
    Labels labels;
    Recording canvas;
    Recording page;
    bool ended = false;
    int orientation = 0;
};

Printed Print(const Controls& controls, SizeMm printableMm = PrintToPrintableMm()) {
    Printed p;
    RecordingSurface canvas;
    DrawConstruction(controls, p.scene, p.labels, canvas);
    PrinterPage page(printableMm);
    PrintConstruction(controls, p.scene, p.labels, canvas, page);
    p.canvas = canvas.Take();
    p.page = page.Figure();
    p.ended = page.Ended();
    p.orientation = page.Orientation();
    return p;
}

std::vector<std::string> Texts(const Recording& r) {
    std::vector<std::string> out;
    for (const TextItem& t : ItemsOf<TextItem>(r)) {
        out.push_back(t.text);
    }
    return out;
}

Controls Hyperbolic(bool greek) {
    Controls c;
    c.YPERVOLIKO = true;
    c.ELLINIKA = greek;
    return c;
}

} // namespace

class TestPrintJobs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void hyperbolicPage();
    void hyperbolicPageTexts_data();
    void hyperbolicPageTexts();
    void hyperbolicPrintLeavesOnTheCanvas();
    void sphericalPage_data();
    void sphericalPage();
    void pageGeometry_data();
    void pageGeometry();
    void printedPagesAreFinite();
};

void TestPrintJobs::hyperbolicPage() {
    const Printed p = Print(Hyperbolic(true));
    QVERIFY(p.ended);
    QCOMPARE(p.orientation, PrinterPage::Landscape);
    QCOMPARE(p.page.box, (UserBox{-145, 100, 145, -100}));
    QVERIFY(std::abs(p.scene.SourceX - -120) < 1e-12);
    QVERIFY(std::abs(p.scene.LensWavelength - 3.3333333) < 1e-7);
    QCOMPARE(p.scene.hyperbola.HyperbolaState, 0);

    // a = 20, c = F = 30, T = 66.67: the foci of the back surface at T -+ F and the far focus
    // of the front hyperbola at -F - 2a, drawn once each.
    std::vector<float> foci;
    for (const CircleItem& c : ItemsOf<CircleItem>(p.page)) {
        if (c.color == Red) {
            foci.push_back(c.x);
        }
    }
    QCOMPARE(foci.size(), std::size_t(3));
    QVERIFY(std::abs(foci[0] - 36.666667) < 1e-4);
    QVERIFY(std::abs(foci[1] - 96.666667) < 1e-4);
    QVERIFY(std::abs(foci[2] - -70) < 1e-4);
    // The ruler over the lens starts at the vertex, -a.
    const auto lines = ItemsOf<LineItem>(p.page);
    QVERIFY(std::any_of(lines.begin(), lines.end(), [](const LineItem& l) {
        return l.x1 == -20 && l.y1 == 75 && l.x2 == 250 && l.y2 == 75;
    }));
    // Printing draws nothing green on the page: the normals go to the canvas.
    QVERIFY(LinesOfColor(p.page, Green).empty());
}

void TestPrintJobs::hyperbolicPageTexts_data() {
    QTest::addColumn<bool>("greek");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("label1");
    QTest::addColumn<QString>("label4");
    QTest::newRow("Greek")
        << true
        << QStringList{"Απόσταση εστίας υπερβολικού φακού από κορυφή σε μήκη λ=5.00",
                       " Ολικός αριθμός μηκών κύματος από πηγή σε εστία=45.00",
                       " αριθμός κυμάτων από πίσω μέρος σε εστία=5.00"}
        << " Σημείο Πηγής X= -20 XA = 100.0"
        << " AB = 20 μήκη κύματος";
    QTest::newRow("English")
        << false
        << QStringList{"distance of hyperbolic focus from hyperbolic top in "
                       "wavelengths =5.00",
                       " total number of wavelengths from source to focus=45.00",
                       "total number of wavelengths from end to focus=5.00"}
        << " INITIAL POINT  X= -20 XA = 100.0"
        << " AB = 20 wavelengths";
}

void TestPrintJobs::hyperbolicPageTexts() {
    QFETCH(bool, greek);
    QFETCH(QStringList, texts);
    QFETCH(QString, label1);
    QFETCH(QString, label4);
    const Printed p = Print(Hyperbolic(greek));
    QStringList printed;
    for (const TextItem& t : ItemsOf<TextItem>(p.page)) {
        printed << QString::fromStdString(t.text);
        QCOMPARE(t.x, -70.0f); // -F - 2a
        QCOMPARE(t.size, 13.0);
    }
    QCOMPARE(printed, texts);
    QCOMPARE(ItemsOf<TextItem>(p.page)[1].y, -60.0f);
    QCOMPARE(QString::fromStdString(p.labels.Label1), label1);
    QCOMPARE(QString::fromStdString(p.labels.Label4), label4);
}

void TestPrintJobs::hyperbolicPrintLeavesOnTheCanvas() {
    for (const bool greek : {true, false}) {
        const Printed p = Print(Hyperbolic(greek));
        QCOMPARE(p.canvas.box, (UserBox{-180, 180, 180, -180}));
        // Only the green normals of the fan and the four lines, in the language of the texts.
        QCOMPARE(LinesOfColor(p.canvas, Green).size(), std::size_t(56));
        QCOMPARE(ItemsOf<LineItem>(p.canvas).size(), std::size_t(56));
        QCOMPARE(ItemsOf<CircleItem>(p.canvas).size(), std::size_t(0));
        const std::vector<std::string> expected =
            greek ? std::vector<std::string>{"Απόσταση πηγής από κορυφή υπερβολής σε μήκη λ=20.00",
                                             "Απόσταση εστίας υπερβολικού φακού από κορυφή σε "
                                             "μήκη λ=5.00",
                                             " Ολικός αριθμός μηκών κύματος από πηγή σε "
                                             "εστία=45.00",
                                             " αριθμός κυμάτων από πίσω μέρος σε εστία=5.00"}
                  : std::vector<std::string>{
                        "distance of source from hyperbolic top in wavelengths =20.00",
                        "distance of hyperbolic focus from hyperbolic top in wavelengths =5.00",
                        "total number of wavelengths from source to focus=45.00",
                        "total number of wavelengths from end to focus=5.00"};
        QCOMPARE(Texts(p.canvas), expected);
        const auto texts = ItemsOf<TextItem>(p.canvas);
        QCOMPARE(texts[0].x, -110.0f); // -F - 4a
        QCOMPARE(texts[3].y, -160.0f);
    }
}

void TestPrintJobs::sphericalPage_data() {
    QTest::addColumn<bool>("greek");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("English") << false
                             << QStringList{
                                    "LENS WIDTH = 100 # of Waves = 20.00",
                                    "  X0 =20 Wavelengths",
                                    " Focus point = 5",
                                    " n = 1.5",
                                    " total number of wavelengths from source to focus=39.00",
                                    " total number of wavelengths from end back of lens to "
                                    "focus=5.00"};
    QTest::newRow("Greek") << true
                           << QStringList{"Εύρος φακού = 100 # κυμάτων = 20.00",
                                          "  X0 =20 Κύματα",
                                          " Σημείο Εστίασης = 5",
                                          " n = 1.5",
                                          " αριθμός κυμάτων από πηγή σε εστία=39.00",
                                          " αριθμός κυμάτων από πίσω μέρος σε εστία=5.00"};
}

void TestPrintJobs::sphericalPage() {
    QFETCH(bool, greek);
    QFETCH(QStringList, texts);
    Controls c;
    c.ELLINIKA = greek;
    const Printed p = Print(c);
    QVERIFY(p.ended);
    QCOMPARE(p.orientation, PrinterPage::Landscape);
    // The box has the landscape page's proportions: 140 units down.
    const SizeMm mm = PrintToPrintableMm();
    const double across = 70 * std::max(mm.width, mm.height) / std::min(mm.width, mm.height);
    QVERIFY(std::abs(p.page.box.right - across) < 1e-9);
    QCOMPARE(p.page.box.top, 70.0);
    // The spherical figure of the canvas, on the page, with its 13 rays.
    QCOMPARE(LinesOfColor(p.page, Red).size(), std::size_t(13));
    QStringList printed;
    for (const TextItem& t : ItemsOf<TextItem>(p.page)) {
        if (t.size == 9) {
            printed << QString::fromStdString(t.text);
        }
    }
    QCOMPARE(printed, texts);
    // The canvas keeps the figure that the redraw drew.
    Scene scene;
    Labels labels;
    RecordingSurface canvas;
    DrawConstruction(c, scene, labels, canvas);
    QCOMPARE(p.canvas, canvas.Figure());
    QCOMPARE(p.labels, labels);
}

void TestPrintJobs::pageGeometry_data() {
    QTest::addColumn<QSizeF>("paper");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<bool>("hyperbola");
    const QSizeF a4 = QPageSize(QPageSize::A4).size(QPageSize::Millimeter);
    const QSizeF letter = QPageSize(QPageSize::Letter).size(QPageSize::Millimeter);
    for (const bool hyperbola : {false, true}) {
        const char* job = hyperbola ? "hyperbolic" : "spherical";
        QTest::addRow("A4 portrait, %s", job) << a4 << false << hyperbola;
        QTest::addRow("A4 landscape, %s", job) << a4 << true << hyperbola;
        QTest::addRow("Letter portrait, %s", job) << letter << false << hyperbola;
        QTest::addRow("Letter landscape, %s", job) << letter << true << hyperbola;
    }
}

void TestPrintJobs::pageGeometry() {
    QFETCH(QSizeF, paper);
    QFETCH(bool, landscape);
    QFETCH(bool, hyperbola);
    Controls c;
    c.YPERVOLIKO = hyperbola;
    const QSizeF printableMm(paper.width() - 20, paper.height() - 20);
    const Printed p = Print(c, {printableMm.width(), printableMm.height()});
    // The printer's printable area in device pixels at 600 dpi, as it stands.
    const QSizeF upright = printableMm / 25.4 * 600;
    const QRectF area = landscape ? QRectF(0, 0, upright.height(), upright.width())
                                  : QRectF(0, 0, upright.width(), upright.height());
    const UserBox& b = p.page.box;
    const QRectF fitted = FitBox(b, area);
    const double across = fitted.width() / std::abs(b.right - b.left);
    const double down = fitted.height() / std::abs(b.top - b.bottom);
    QVERIFY(std::abs(across - down) < 1e-9 * across); // circles stay round
    QVERIFY(std::abs(fitted.center().x() - area.center().x()) < 1e-6);
    QVERIFY(std::abs(fitted.center().y() - area.center().y()) < 1e-6);
    QVERIFY(area.contains(fitted.adjusted(1e-6, 1e-6, -1e-6, -1e-6)));
    const bool fillsWidth = std::abs(fitted.width() - area.width()) < 1e-6;
    const bool fillsHeight = std::abs(fitted.height() - area.height()) < 1e-6;
    QVERIFY(fillsWidth || fillsHeight);
    if (landscape) {
        // The jobs' boxes are landscape-shaped; on a landscape page they fill it nearly whole.
        QVERIFY(fitted.width() * fitted.height() > 0.9 * area.width() * area.height());
    }
}

void TestPrintJobs::printedPagesAreFinite() {
    for (const bool hyperbola : {false, true}) {
        for (const int source : {-200, -77, -42, -20, -6, -3}) {
            for (const int index : {105, 150, 250}) {
                for (const int thickness : {1, 20}) {
                    Controls c;
                    c.YPERVOLIKO = hyperbola;
                    c.initial_POINT = source;
                    c.n_DIATHLASI = index;
                    c.pachos = thickness;
                    c.fOCUS_POINT = thickness == 1 ? 50 : 1;
                    const Printed p = Print(c);
                    QVERIFY(p.ended);
                    QVERIFY2(
                        FirstUnsoundItem(p.page).empty(),
                        qPrintable(
                            QStringLiteral("page, source %1 index %2").arg(source).arg(index)));
                    QVERIFY(FirstUnsoundItem(p.canvas).empty());
                }
            }
        }
    }
}

QTEST_APPLESS_MAIN(TestPrintJobs)
#include "tst_print_jobs.moc"
