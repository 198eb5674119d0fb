// The wave view's texts kept apart at every kind of setting: a strided scan of the scroll bars,
// every lens (sphere, hyperbola, the perfect one) and the plane wave, each drawn in both
// languages at normal and presentation type sizes, finds no two texts that overlap and no
// text over the lens's outline.

#include "construction/controls.h"
#include "drawing/recording_surface.h"
#include "waves/text_boxes.h"
#include "waves/wave_style.h"
#include "waves/wave_view.h"

#include <QTest>

#include <string>

using namespace kymata;
using namespace kymata::test;
using namespace kymata::waves;

namespace {

/// The first fault of one drawing, or empty.
std::string FaultOf(const Recording& figure) {
    const std::vector<TextItem> texts = TextsOf(figure);
    std::vector<Extent> extents;
    for (const TextItem& t : texts) {
        extents.push_back(ExtentOf(t, figure.box));
    }
    for (std::size_t i = 0; i < texts.size(); ++i) {
        for (std::size_t j = i + 1; j < texts.size(); ++j) {
            if (Overlap(extents[i], extents[j])) {
                return "'" + texts[i].text + "' and '" + texts[j].text + "'";
            }
        }
    }
    for (const Item& item : figure.items) {
        const auto* line = std::get_if<LineItem>(&item);
        if (!line || line->color != GlassEdge) {
            continue;
        }
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (Crosses(extents[i], line->x1, line->y1, line->x2, line->y2)) {
                return "'" + texts[i].text + "' over the lens";
            }
        }
    }
    return {};
}

/// min, min + stride, ... and max.
std::vector<int> Values(ControlRange range, int stride) {
    std::vector<int> values;
    for (int v = range.min; v < range.max; v += stride) {
        values.push_back(v);
    }
    values.push_back(range.max);
    return values;
}

std::string Describe(const Controls& c, std::string_view language, double scale) {
    return "--source " + std::to_string(c.initial_POINT) + " --focus " +
           std::to_string(c.fOCUS_POINT) + " --index " + std::to_string(c.n_DIATHLASI / 100.0) +
           " --thickness " + std::to_string(c.pachos) + (c.YPERVOLIKO ? " --hyperbola" : "") +
           (c.perfectLens ? " --lens perfect" : "") + (c.f_apeiro ? " --plane" : "") + " --lang " +
           std::string(language) + (scale > 1 ? " (presentation)" : "");
}

} // namespace

class TestWaveTextsApart : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void noTextMeetsAnother();
};

void TestWaveTextsApart::noTextMeetsAnother() {
    int settings = 0;
    int lens = 0;
    std::vector<std::string> faults;
    for (const int source : Values(initial_POINT_Range, 13)) {
        for (const int focus : Values(fOCUS_POINT_Range, 6)) {
            for (const int index : Values(n_DIATHLASI_Range, 21)) {
                for (const int thickness : Values(pachos_Range, 6)) {
                    Controls c;
                    c.view = View::Waves;
                    c.initial_POINT = source;
                    c.fOCUS_POINT = focus;
                    c.n_DIATHLASI = index;
                    c.pachos = thickness;
                    // Each lens in turn, and the plane wave at every seventh setting.
                    c.YPERVOLIKO = lens % 3 == 1;
                    c.perfectLens = lens % 3 == 2;
                    c.f_apeiro = settings % 7 == 3;
                    ++lens;
                    ++settings;
                    const WaveTrace trace = TraceWaves(c);
                    for (const std::string_view language : {"el", "en"}) {
                        for (const double scale : {1.0, PresentationTextScale}) {
                            RecordingSurface s;
                            s.TextScale = scale;
                            DrawWaveView(trace, language, s);
                            if (const std::string fault = FaultOf(s.Figure()); !fault.empty()) {
                                faults.push_back(Describe(c, language, scale) + ": " + fault);
                            }
                        }
                    }
                }
            }
        }
    }
    for (std::size_t i = 0; i < std::min<std::size_t>(faults.size(), 20); ++i) {
        qWarning("%s", faults[i].c_str());
    }
    QVERIFY2(settings >= 5000, qPrintable(QString::number(settings)));
    QVERIFY2(faults.empty(),
             qPrintable(QStringLiteral("%1 of %2 drawings").arg(faults.size()).arg(4 * settings)));
}

QTEST_APPLESS_MAIN(TestWaveTextsApart)
#include "tst_wave_texts_apart.moc"
