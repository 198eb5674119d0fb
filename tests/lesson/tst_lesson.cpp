// The lesson's words checked on the scenes they describe: every claim of a narration or an
// answer holds for the optics of its own step, and every number it quotes is the one the core
// computes, rounded as shown.

#include "construction/controls.h"
#include "construction/number_format.h"
#include "construction/scene_parameters.h"
#include "drawing/surface.h"
#include "figure/figure_content.h"
#include "lesson/lesson.h"
#include "lesson/lesson_figure.h"
#include "texts/catalogue.h"
#include "waves/wave_ledger.h"
#include "waves/wave_trace.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace kymata;
using namespace kymata::waves;

namespace {

/// The step whose key is `key` (1-based).
int StepOf(std::string_view key) {
    const auto& steps = LessonSteps();
    const auto found =
        std::find_if(steps.begin(), steps.end(), [&](const LessonStep& s) { return s.key == key; });
    return static_cast<int>(found - steps.begin()) + 1;
}

WaveTrace TraceOf(std::string_view key) {
    return TraceWaves(LessonScene(StepOf(key), "en"));
}

/// The English page of the step `key`, all its texts in one string.
std::string Says(std::string_view key) {
    const LessonPage page = LessonPageOf(StepOf(key), "en");
    return page.text + " | " + page.question + " | " + page.answer;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::pair<double, double> CountsAtF(const WaveTrace& trace) {
    double least = INFINITY;
    double most = -INFINITY;
    for (const TracedRay& ray : trace.rays) {
        if (ray.total) {
            least = std::min(least, *ray.total);
            most = std::max(most, *ray.total);
        }
    }
    return {least, most};
}

/// In wavelengths: where x lies behind the back face.
double Behind(const WaveTrace& trace, double x) {
    return (x - trace.lens.backX) / trace.lens.wavelength;
}

/// The numbers written in `text` ("14", "39.00"), as they stand.
QStringList NumbersIn(const std::string& text) {
    static const QRegularExpression number(QStringLiteral("\\d+(?:\\.\\d+)?"));
    QStringList numbers;
    for (const QRegularExpressionMatch& m : number.globalMatch(QString::fromStdString(text))) {
        numbers << m.captured();
    }
    return numbers;
}

/// Whether `text` holds the word or words `key`, whole and in any case.
bool HoldsWord(const std::string& text, const std::string& key) {
    const QRegularExpression word(
        QStringLiteral("(^|\\W)") + QRegularExpression::escape(QString::fromStdString(key)) +
            QStringLiteral("($|\\W)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    return QString::fromStdString(text).contains(word);
}

std::vector<TextItem> FigureTexts(const Recording& figure) {
    std::vector<TextItem> texts;
    for (const Item& item : figure.items) {
        if (const auto* t = std::get_if<TextItem>(&item)) {
            texts.push_back(*t);
        }
    }
    return texts;
}

/// A text's box in user units (y up): one line high below its top-left corner, as wide as its
/// letters at a generous 0.6 em each.
UserBox TextBox(const TextItem& t, const UserBox& box) {
    const double unit = std::abs(box.right - box.left) / Surface::ReferencePixels;
    const double pixels = t.size * 96 / 72 * unit;
    const auto letters = static_cast<double>(
        std::count_if(t.text.begin(), t.text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
    return {t.x, t.y, t.x + 0.6 * pixels * letters, t.y - pixels};
}

bool Overlap(const UserBox& a, const UserBox& b) {
    return a.left < b.right && b.left < a.right && a.bottom < b.top && b.bottom < a.top;
}

} // namespace

class TestLesson : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyStepInBothLanguages_data();
    void everyStepInBothLanguages();
    void timingFillsAClass();
    void everyBeat_data();
    void everyBeat();
    void wavesFromAPoint();
    void slowerInGlass();
    void wavefrontsCountTheAxis();
    void startValuesDoNotFocus();
    void aFartherSourceFocuses();
    void offTheFocusTheCountsDisagree();
    void thePerfectSurface();
    void aFlashArrivesSpreadOut();
    void theHyperbolaMakesParallelLight();
    void yourTurnHasTheBrightestF();
    void lessonDocument();
};

void TestLesson::everyStepInBothLanguages_data() {
    QTest::addColumn<int>("step");
    QTest::addColumn<bool>("greek");
    for (int step = 1; step <= LessonStepCount(); ++step) {
        for (const bool greek : {true, false}) {
            QTest::addRow("%d %s", step, greek ? "el" : "en") << step << greek;
        }
    }
}

// Every step has a title, words for the teacher to ask with of at most about 70 words, a
// question and an answer, all their numbers filled in, in both languages; its figure draws.
void TestLesson::everyStepInBothLanguages() {
    QFETCH(int, step);
    QFETCH(bool, greek);
    const LessonPage page = LessonPageOf(step, SwitchLanguage(greek));
    QCOMPARE(page.step, step);
    QCOMPARE(page.steps, LessonStepCount());
    static const QRegularExpression placeholder(QStringLiteral("%[1-9]"));
    for (const std::string& text : {page.title, page.text, page.question, page.answer}) {
        QVERIFY(!text.empty());
        QVERIFY2(!QString::fromStdString(text).contains(placeholder), text.c_str());
    }
    const qsizetype words =
        QString::fromStdString(page.text).split(QLatin1Char(' '), Qt::SkipEmptyParts).size();
    QVERIFY2(words <= 76, qPrintable(QString::number(words)));
    const LessonPage other = LessonPageOf(step, SwitchLanguage(!greek));
    QVERIFY(other.title != page.title && other.text != page.text);
    const Controls scene = LessonScene(step, SwitchLanguage(greek));
    QCOMPARE(scene.ELLINIKA, greek);
    const FigureContent content = DrawFigureContent(scene);
    QVERIFY(!content.canvas.items.empty());
    QCOMPARE(content.waves.has_value(), scene.view == View::Waves);
}

void TestLesson::timingFillsAClass() {
    int minutes = 0;
    for (const LessonStep& s : LessonSteps()) {
        QVERIFY(s.minutes > 0);
        minutes += s.minutes;
    }
    QCOMPARE(minutes, 45);
    QVERIFY(LessonStepCount() >= 8);
}

void TestLesson::everyBeat_data() {
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("beat");
    QTest::addColumn<bool>("greek");
    for (int step = 1; step <= LessonStepCount(); ++step) {
        for (int beat = 1; beat <= LessonBeatCount(step); ++beat) {
            for (const bool greek : {true, false}) {
                QTest::addRow("%d.%d %s", step, beat, greek ? "el" : "en") << step << beat << greek;
            }
        }
    }
}

// Every beat as a class sees it: two to four beats, asking first and explaining last; at most 25
// words on the stage; its figure's texts large, apart and off the glass. The question's numbers
// stand on its figure, and it gives nothing of the answer away: neither its words nor its figure
// hold the answer's key word or any of its numbers, and each of those numbers is written large
// on the figure of a later beat.
void TestLesson::everyBeat() {
    QFETCH(int, step);
    QFETCH(int, beat);
    QFETCH(bool, greek);
    const std::string_view language = SwitchLanguage(greek);
    const int beats = LessonBeatCount(step);
    QVERIFY(beats >= 2 && beats <= 4);
    const BeatPage page = BeatPageOf(step, beat, language);
    QCOMPARE(page.kind, beat == 1       ? BeatKind::Ask
                        : beat == beats ? BeatKind::Explain
                                        : BeatKind::Look);
    static const QRegularExpression placeholder(QStringLiteral("%[1-9]"));
    qsizetype words = 0;
    for (const std::string& text : page.onScreen) {
        QVERIFY2(!QString::fromStdString(text).contains(placeholder), text.c_str());
        words += QString::fromStdString(text).split(QLatin1Char(' '), Qt::SkipEmptyParts).size();
    }
    QVERIFY2(words <= 25, qPrintable(QString::number(words)));
    QVERIFY(!page.notes.empty() && !QString::fromStdString(page.notes).contains(placeholder));

    const Recording figure = DrawBeatFigure(step, beat, language);
    const UserBox glass =
        LessonGlassBox(DescribeWaveLens(LessonBeatOf(step, beat, language).scene));
    const std::vector<TextItem> texts = FigureTexts(figure);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        QVERIFY(texts[i].size >= 24);
        const UserBox a = TextBox(texts[i], figure.box);
        QVERIFY2(!Overlap(a, glass), texts[i].text.c_str());
        QVERIFY2(a.left >= figure.box.left && a.right <= figure.box.right, texts[i].text.c_str());
        for (std::size_t j = i + 1; j < texts.size(); ++j) {
            QVERIFY2(!Overlap(a, TextBox(texts[j], figure.box)),
                     (texts[i].text + " / " + texts[j].text).c_str());
        }
    }
    // Ticks a class can count from the back row: 12 px apart on a figure 85 % of 1080 px high.
    const LessonBeat b = LessonBeatOf(step, beat, language);
    if (b.figure.ticks) {
        const WaveLens lens = DescribeWaveLens(b.scene);
        const double shortest = b.figure.glassTicks ? lens.glassWavelength : lens.wavelength;
        const double pixels = shortest * Surface::ReferencePixels /
                              std::abs(figure.box.right - figure.box.left) * 0.85 * 1080 /
                              Surface::ReferencePixels;
        QVERIFY2(pixels >= 12, qPrintable(QString::number(pixels)));
    }

    if (page.kind != BeatKind::Ask) {
        return;
    }
    std::string asked;
    for (const std::string& text : page.onScreen) {
        asked += text + "\n";
    }
    for (const TextItem& t : texts) {
        asked += t.text + "\n";
    }
    // The numbers the question names stand on its own figure, large.
    for (const QString& number : NumbersIn(page.question)) {
        QVERIFY2(std::any_of(texts.begin(), texts.end(),
                             [&](const TextItem& t) { return NumbersIn(t.text).contains(number); }),
                 qPrintable(number));
    }
    QVERIFY2(HoldsWord(page.answer, page.keyword), page.keyword.c_str());
    QVERIFY2(!HoldsWord(asked, page.keyword), page.keyword.c_str());
    // The window's panel shows the ask beat's notes before the answer: they hold none of its
    // numbers either (their choices may name its key word).
    const QStringList given = NumbersIn(asked + page.notes);
    for (const QString& number : NumbersIn(page.answer)) {
        QVERIFY2(!given.contains(number), qPrintable(number));
        bool shown = false;
        for (int later = 2; later <= beats && !shown; ++later) {
            for (const TextItem& t : FigureTexts(DrawBeatFigure(step, later, language))) {
                shown = shown || (t.size >= 24 && NumbersIn(t.text).contains(number));
            }
        }
        QVERIFY2(shown, qPrintable(number));
    }
}

// "The ray along the axis: 14.0 waves. The outer ray has 20.2": the counts in air from S to the
// front surface, the axial one the distance from the source to the sphere's vertex.
void TestLesson::wavesFromAPoint() {
    const WaveTrace trace = TraceOf("point");
    const double axis = trace.rays[LessonAxisRay].air;
    QCOMPARE(axis, 14.0);
    for (const TracedRay& ray : trace.rays) {
        QVERIFY(ray.air >= axis);
    }
    const double outer = trace.rays[LessonOuterRay].air;
    QCOMPARE(outer, std::max_element(trace.rays.begin(), trace.rays.end(), [](auto& a, auto& b) {
                        return a.air < b.air;
                    })->air);
    const std::string says = Says("point");
    QVERIFY(Contains(says, "The ray along the axis: 14.0 waves"));
    QVERIFY(Contains(says, "The outer ray has " + Format(outer, 1)));
}

// "It is shorter: 20 waves fit across the glass, where only 13.33 would fit in air."
void TestLesson::slowerInGlass() {
    const std::string says = Says("glass");
    QVERIFY(Contains(says, "20 waves fit across the glass, where only 13.33 would fit in air"));
    const WaveLens lens = DescribeWaveLens(LessonScene(StepOf("glass"), "en"));
    QCOMPARE(Format((lens.backX - lens.frontVertexX) / lens.wavelength, 2), std::string("13.33"));
    // The axis ray's glass count is the thickness in glass wavelengths.
    QCOMPARE(Format(*TraceOf("glass").rays[LessonAxisRay].glass, 2), std::string("20.00"));
}

// "34 waves: 14 in air and 20 in the glass", and the wavefront of count 34 meets the axis at the
// back face.
void TestLesson::wavefrontsCountTheAxis() {
    const WaveTrace trace = TraceOf("fronts");
    const TracedRay& axis = trace.rays[LessonAxisRay];
    QCOMPARE(Format(axis.air + *axis.glass, 6), std::string("34.000000"));
    QVERIFY(Contains(Says("fronts"), "34 waves: 14 in air and 20 in the glass"));
}

// "No: 39.00 and 39.48, half a wave apart: crest meets trough. S is too near: near the axis the
// light still spreads after the lens." The source lies within the front focal distance: no
// focus, and the rays near the axis still spread behind the lens.
void TestLesson::startValuesDoNotFocus() {
    const WaveTrace trace = TraceOf("nofocus");
    QVERIFY(!trace.paraxialFocus && !trace.bestFocus);
    const double axis = *trace.rays[LessonAxisRay].total;
    const double inner = *trace.rays[LessonInnerRay].total;
    // Half a wave apart, to within a tenth: crest against trough.
    QVERIFY(std::abs(std::abs(PhaseErrorDegrees(inner - axis)) - 180) < 36);
    const std::string says = Says("nofocus");
    QVERIFY(Contains(says, "No: " + Format(axis, 2) + " and " + Format(inner, 2) +
                               ", half a wave apart"));
    QVERIFY(!trace.rays[LessonInnerRay].crossing);
    // R = 9 λ, n = 1.5: R / (n - 1) = 18 λ; the source 20 - 6 = 14 λ from the vertex.
    QCOMPARE(9 / (trace.lens.index - 1), 18.0);
    const std::string notes = BeatPageOf(StepOf("nofocus"), 3, "en").notes;
    QVERIFY(Contains(notes, "only 14 wavelengths from the lens"));
    QVERIFY(Contains(notes, "R/(n−1) = 9 ÷ 0.50 = 18 wavelengths"));
    Controls bar = LessonScene(StepOf("nofocus"), "en");
    bar.initial_POINT = -25;
    QVERIFY(TraceWaves(bar).paraxialFocus);
    bar.initial_POINT = -24;
    QVERIFY(!TraceWaves(bar).paraxialFocus);
    QVERIFY(Contains(notes, "25 or more focuses"));
}

// "Yes, nearly: 222.00 and 221.98, 0.02 apart: practically equal": every count at F, not only
// the two named, within a quarter of a wave; F near the best focus.
void TestLesson::aFartherSourceFocuses() {
    const WaveTrace trace = TraceOf("far");
    QVERIFY(trace.bestFocus && trace.paraxialFocus);
    QVERIFY(std::abs(Behind(trace, *trace.bestFocus) - 8) < 0.5);
    const auto [least, most] = CountsAtF(trace);
    QVERIFY(most - least < 0.25);
    QVERIFY(*trace.brightness > 0.9);
    const std::string says = Says("far");
    QVERIFY(Contains(says, "Yes, nearly: " + Format(*trace.rays[LessonAxisRay].total, 2) + " and " +
                               Format(*trace.rays[LessonOuterRay].total, 2)));
    const double apart = std::abs(std::stod(Format(*trace.rays[LessonOuterRay].total, 2)) -
                                  std::stod(Format(*trace.rays[LessonAxisRay].total, 2)));
    QVERIFY(apart < 0.05);
    QVERIFY(Contains(says, Format(apart, 2) + " apart: practically equal"));
    QVERIFY(Contains(says, "194 wavelengths away"));
    // Where each ray behind the lens meets the axis, from its exit point and direction.
    double first = INFINITY;
    double last = -INFINITY;
    for (const TracedRay& ray : trace.rays) {
        if (ray.exit && ray.inAir && ray.exit->y * ray.inAir->y < 0) {
            const double x = ray.exit->x - ray.exit->y * ray.inAir->x / ray.inAir->y;
            first = std::min(first, Behind(trace, x));
            last = std::max(last, Behind(trace, x));
        }
    }
    QVERIFY(first < 8 && 8 < last);
    QVERIFY(Contains(BeatPageOf(StepOf("far"), 1, "en").notes,
                     "near its best focus (" + Format(Behind(trace, *trace.bestFocus), 1) +
                         "); the rays cross the axis from " + Format(first, 0) + " to " +
                         Format(last, 0) + " wavelengths"));
    QCOMPARE((trace.lens.frontVertexX - trace.lens.sourceX) / trace.lens.wavelength, 194.0);
}

// "It is dim: 234.00 and 233.41 do not agree ... Brightness: 29 % of a perfect focus": more
// than a quarter of a wave apart, the brightness the square of the agreement, well below that
// at the best focus.
void TestLesson::offTheFocusTheCountsDisagree() {
    const WaveTrace off = TraceOf("offfocus");
    const WaveTrace near = TraceOf("far");
    QCOMPARE(off.lens.sourceX, near.lens.sourceX);
    QCOMPARE(off.lens.backX, near.lens.backX);
    const double axis = *off.rays[LessonAxisRay].total;
    const double outer = *off.rays[LessonOuterRay].total;
    QVERIFY(std::abs(axis - outer) > 0.25 && std::abs(axis - outer) < 0.75);
    QVERIFY(*off.brightness < 0.5 && *off.brightness < *near.brightness);
    QCOMPARE(*off.brightness, *off.inStepAll * *off.inStepAll);
    const std::string says = Says("offfocus");
    QVERIFY(Contains(says, Format(axis, 2) + " and " + Format(outer, 2) + " do not agree"));
    QVERIFY(Contains(says, "Brightness: " + Format(100 * *off.brightness, 0) +
                               " % of a perfect focus at this F"));
}

// "No: every ray brings 39.00 waves. The outer path is longer, but it crosses thinner glass."
void TestLesson::thePerfectSurface() {
    const WaveTrace trace = TraceOf("perfect");
    QVERIFY(trace.maxOpd && *trace.maxOpd < 1e-9);
    QVERIFY(*trace.inStepAll > 1 - 1e-9);
    const TracedRay& edge = trace.rays.front();
    const TracedRay& axis = trace.rays[FanHalf];
    QVERIFY(*edge.glass < *axis.glass);
    QVERIFY(edge.air + *edge.after > axis.air + *axis.after);
    QCOMPARE(Format(*trace.axialCount, 2), std::string("39.00"));
    QVERIFY(Contains(Says("perfect"), "every ray brings 39.00 waves"));
    QVERIFY(Contains(BeatPageOf(StepOf("perfect"), 1, "en").notes,
                     "by up to " + Format(*trace.sphereGap, 2) + " glass wavelengths"));
}

// "Behind: on the orange ray it still has 0.48 waves to go to F": the crest at the axial count,
// and step 4's ray's count at F that much greater; the outer ray, whole waves later, would bring
// a steady wave's crest together with the axis ray's.
void TestLesson::aFlashArrivesSpreadOut() {
    const Controls scene = LessonScene(StepOf("flash"), "en");
    const WaveTrace trace = TraceWaves(scene);
    QVERIFY(scene.flash && std::abs(*scene.flash - *trace.axialCount) < 1e-9);
    QCOMPARE(trace.lens.sourceX, TraceOf("nofocus").lens.sourceX);
    QCOMPARE(trace.lens.focusX, TraceOf("nofocus").lens.focusX);
    const double late = *trace.rays[LessonInnerRay].total - *trace.axialCount;
    QVERIFY(late > 0.25);
    QVERIFY(Contains(Says("flash"), "still has " + Format(late, 2) + " waves to go to F"));
    const double outer = *trace.rays[LessonOuterRay].total - *trace.axialCount;
    QVERIFY(outer > 1 && std::abs(outer - std::round(outer)) < 0.05);
    QVERIFY(Contains(BeatPageOf(StepOf("flash"), 3, "en").notes,
                     "like the outer ray's " + Format(outer, 2)));
}

// "Flat: every path from S to the back of the glass holds 30.00 waves. The light leaves in
// parallel: no focus."
void TestLesson::theHyperbolaMakesParallelLight() {
    const WaveTrace trace = TraceOf("hyperbola");
    QCOMPARE(trace.lens.shape, LensShape::Hyperbola);
    for (const TracedRay& ray : trace.rays) {
        QVERIFY(std::abs(ray.inGlass.y) < 1e-9);
        QVERIFY(std::abs(ray.air + *ray.glass - 30) < 1e-9);
        QVERIFY(std::abs(ray.inAir->y) < 1e-9);
    }
    QVERIFY(!trace.paraxialFocus && !trace.bestFocus);
    // The far focus: a (n + 1) in front of the tip, 4 λ × 2.5 = 10 λ.
    QVERIFY(std::abs((trace.lens.frontVertexX - trace.lens.sourceX) -
                     trace.lens.a * (trace.lens.index + 1)) < 1e-9);
    QVERIFY(Contains(Says("hyperbola"), "holds 30.00 waves"));
    // Light runs its paths both ways: turned round, parallel light inside the glass leaves for the
    // far focus, as the notes say.
    QVERIFY(Contains(BeatPageOf(StepOf("hyperbola"), 3, "en").notes,
                     "brings parallel light exactly to its far focus"));
}

// "F = 9: 98.4 % in step, more than at its neighbours": the meter at one decimal tells the best F
// apart from both neighbours, and it is the whole F nearest the best focus.
void TestLesson::yourTurnHasTheBrightestF() {
    const std::string answer = LessonPageOf(StepOf("yourturn"), "en").answer;
    QVERIFY(answer.starts_with("F = "));
    const int f = std::stoi(answer.substr(4));
    Controls scene = LessonScene(StepOf("yourturn"), "en");
    const WaveTrace start = TraceWaves(scene);
    QCOMPARE(f, static_cast<int>(std::lround(Behind(start, *start.bestFocus))));
    // The class sees F there when it looks; the question starts it elsewhere.
    QCOMPARE(LessonBeatOf(StepOf("yourturn"), 2, "en").scene.fOCUS_POINT, f);
    QVERIFY(LessonBeatOf(StepOf("yourturn"), 1, "en").scene.fOCUS_POINT != f);
    // The source's distance from the lens as the stage gives it, and X0 as the window reads it.
    const std::string given = LessonGivenLines(StepOf("yourturn"), "en").front();
    const std::string x0 = std::to_string(-scene.initial_POINT);
    QVERIFY(Contains(
        given, Format((start.lens.frontVertexX - start.lens.sourceX) / start.lens.wavelength, 0) +
                   " wavelengths from the lens (X0 = " + x0 + ")"));
    QVERIFY(Contains(SourceCaption(scene), "=" + x0 + " "));
    // Not the F that step 5 already showed.
    QVERIFY(f != LessonScene(StepOf("far"), "en").fOCUS_POINT);
    scene.fOCUS_POINT = f;
    const std::string best = Format(100 * *TraceWaves(scene).inStepAll, 1);
    QVERIFY(Contains(answer, best + " % in step"));
    // Unique on the stage's one decimal, and on the window's meter in whole per cent too.
    const std::string whole = Format(100 * *TraceWaves(scene).inStepAll, 0);
    for (int other = fOCUS_POINT_Range.min; other <= fOCUS_POINT_Range.max; ++other) {
        scene.fOCUS_POINT = other;
        if (other != f) {
            const double inStep = 100 * *TraceWaves(scene).inStepAll;
            QVERIFY(std::stod(Format(inStep, 1)) < std::stod(best));
            QVERIFY(std::stod(Format(inStep, 0)) < std::stod(whole));
        }
    }
}

// The lesson's member of a figure document.
void TestLesson::lessonDocument() {
    const LessonPage page = LessonPageOf(4, "el");
    const QJsonObject o =
        QJsonDocument::fromJson(QByteArray::fromStdString(LessonJson(page))).object();
    QCOMPARE(o.keys(), (QStringList{"answer", "question", "step", "steps", "text", "title"}));
    const QJsonObject b =
        QJsonDocument::fromJson(QByteArray::fromStdString(LessonJson(BeatPageOf(4, 3, "en"))))
            .object();
    QCOMPARE(b.keys(), (QStringList{"answer", "beat", "beats", "kind", "notes", "onScreen",
                                    "question", "step", "steps", "title"}));
    QCOMPARE(b["kind"].toString(), QStringLiteral("explain"));
    QCOMPARE(b["onScreen"].toArray().first().toString(),
             QString::fromStdString(LessonPageOf(4, "en").answer));
    QCOMPARE(o["step"].toInt(), 4);
    QCOMPARE(o["steps"].toInt(), LessonStepCount());
    QCOMPARE(o["title"].toString(), QString::fromStdString(page.title));
    QCOMPARE(LessonProgress(3, "en"),
             std::string("Step 3 of ").append(std::to_string(LessonStepCount())));
}

QTEST_APPLESS_MAIN(TestLesson)
#include "tst_lesson.moc"
