// The lesson's words checked on the scenes they describe: every claim of a narration or an
// answer holds for the optics of its own step, and every number it quotes is the one the core
// computes, rounded as shown.

#include "construction/controls.h"
#include "construction/number_format.h"
#include "figure/figure_content.h"
#include "lesson/lesson.h"
#include "texts/catalogue.h"
#include "waves/wave_ledger.h"
#include "waves/wave_trace.h"

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

} // namespace

class TestLesson : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyStepInBothLanguages_data();
    void everyStepInBothLanguages();
    void timingFillsAClass();
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

// Every step has a title, a narration of at most about 70 words, a question and an answer, all
// their numbers filled in, in both languages; its figure draws.
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

// "The ray along the axis travels the fewest wavelengths from S to the lens: 14.0; the rays
// towards the edge travel farther, up to 20.1": the classic figure's "#L" labels, the axial
// one the distance from the source to the sphere's vertex.
void TestLesson::wavesFromAPoint() {
    const Controls scene = LessonScene(StepOf("point"), "en");
    QCOMPARE(scene.view, View::Classic);
    std::vector<double> counts;
    for (const Item& item : DrawFigureContent(scene).canvas.items) {
        if (const auto* t = std::get_if<TextItem>(&item); t && t->text.starts_with("#L = ")) {
            counts.push_back(std::stod(t->text.substr(5)));
        }
    }
    QVERIFY(counts.size() >= 3);
    const double axial = counts[counts.size() / 2];
    QCOMPARE(axial, *std::min_element(counts.begin(), counts.end()));
    // The sphere's vertex is 6 wavelengths left of the origin; the source is at -20.
    QCOMPARE(axial, 14.0);
    const std::string says = Says("point");
    QVERIFY(Contains(says, "The ray along the axis: 14.0 wavelengths"));
    QVERIFY(Contains(says, std::string("up to ") +
                               Format(*std::max_element(counts.begin(), counts.end()), 1)));
}

// "A glass wavelength is λ/n; with n = 1.5 it is 0.67 of a wavelength in air; 20 glass
// wavelengths are 13.33 in air."
void TestLesson::slowerInGlass() {
    const std::string says = Says("glass");
    QVERIFY(Contains(says, "With n = 1.5 it is 0.67 of a wavelength in air"));
    QVERIFY(Contains(says, "20 ÷ 1.5 = 13.33 wavelengths in air"));
    const WaveLens lens = DescribeWaveLens(LessonScene(StepOf("glass"), "en"));
    QCOMPARE(Format((lens.backX - lens.frontVertexX) / lens.wavelength, 2), std::string("13.33"));
}

// "14 in air and 20 in the glass: 34 waves; the last number on the axis is 34."
void TestLesson::wavefrontsCountTheAxis() {
    std::string last;
    for (const Item& item : DrawFigureContent(LessonScene(StepOf("fronts"), "en")).canvas.items) {
        if (const auto* t = std::get_if<TextItem>(&item); t && t->role == TextRole::AxisCount) {
            last = t->text;
        }
    }
    QCOMPARE(last, std::string("34"));
    QVERIFY(Contains(Says("fronts"), "14 in air and 20 in the glass: 34 waves"));
}

// "The counts at F run from 39.00 to 41.05: this lens does not focus the light here. The source
// is 14 wavelengths from the lens, nearer than its front focal distance R/(n-1) = 18; on the
// source bar, 25 or more focuses."
void TestLesson::startValuesDoNotFocus() {
    const WaveTrace trace = TraceOf("nofocus");
    QVERIFY(!trace.paraxialFocus && !trace.bestFocus);
    const auto [least, most] = CountsAtF(trace);
    const std::string says = Says("nofocus");
    QVERIFY(Contains(says, std::string("run from ") + Format(least, 2) + std::string(" to ") +
                               Format(most, 2)));
    QVERIFY(most - least > 1);
    // R = 9 λ, n = 1.5: R / (n - 1) = 18 λ; the source 20 - 6 = 14 λ from the vertex.
    const double focal = 9 / (trace.lens.index - 1);
    QCOMPARE(focal, 18.0);
    QCOMPARE((trace.lens.frontVertexX - trace.lens.sourceX) / trace.lens.wavelength, 14.0);
    QVERIFY(Contains(says, "only 14 wavelengths from the lens"));
    QVERIFY(Contains(says, "R/(n−1) = 9 ÷ 0.50 = 18 wavelengths"));
    Controls bar = LessonScene(StepOf("nofocus"), "en");
    bar.initial_POINT = -25;
    QVERIFY(TraceWaves(bar).paraxialFocus);
    bar.initial_POINT = -24;
    QVERIFY(!TraceWaves(bar).paraxialFocus);
    QVERIFY(Contains(says, "that is 25 or more"));
}

// "The best focus is 8.21 wavelengths behind the lens and F is near it, at 8; every count lies
// between 221.98 and 222.09, less than a quarter of a wave apart, in step 98 %."
void TestLesson::aFartherSourceFocuses() {
    const WaveTrace trace = TraceOf("far");
    QVERIFY(trace.bestFocus && trace.paraxialFocus);
    const double best = Behind(trace, *trace.bestFocus);
    QVERIFY(std::abs(best - 8) < 0.5);
    const auto [least, most] = CountsAtF(trace);
    QVERIFY(most - least < 0.25);
    QVERIFY(*trace.inStepAll > 0.9);
    const std::string says = Says("far");
    QVERIFY(Contains(says, std::string("is ") + Format(best, 2) + " wavelengths behind the lens"));
    QVERIFY(Contains(says, std::string("between ") + Format(least, 2) + std::string(" and ") +
                               Format(most, 2)));
    QVERIFY(Contains(says, std::string("(") + Format(100 * *trace.inStepAll, 0) + " %)"));
    // The difference the answer gives is that of the numbers it shows.
    const double shown = std::stod(Format(most, 2)) - std::stod(Format(least, 2));
    QVERIFY(Contains(says, std::string("= ") + Format(shown, 2) + " waves"));
    QVERIFY(Contains(says, "194 wavelengths from the lens"));
    QCOMPARE((trace.lens.frontVertexX - trace.lens.sourceX) / trace.lens.wavelength, 194.0);
}

// "Away from the best focus the counts disagree, 0.59 waves apart, and the crests mostly
// cancel: only 54 % in step." Mostly cancel: the brightness is below a half, and well below
// that at the best focus.
void TestLesson::offTheFocusTheCountsDisagree() {
    const WaveTrace off = TraceOf("offfocus");
    const WaveTrace near = TraceOf("far");
    QCOMPARE(off.lens.sourceX, near.lens.sourceX);
    QCOMPARE(off.lens.backX, near.lens.backX);
    const auto [least, most] = CountsAtF(off);
    QVERIFY(most - least > 0.25);
    QVERIFY(*off.brightness < 0.5);
    QVERIFY(*off.brightness < *near.brightness);
    const std::string says = Says("offfocus");
    QVERIFY(Contains(says, std::string("only ") + Format(100 * *off.inStepAll, 0) + " % in step"));
    QVERIFY(Contains(says, std::string("from ") + Format(least, 2) + std::string(" to ") +
                               Format(most, 2)));
}

// "Every path from S to F holds 39.00 waves; the long paths near the edge run through thin
// glass; all in step (100 %); the front differs from the sphere by up to 8.46 glass
// wavelengths."
void TestLesson::thePerfectSurface() {
    const WaveTrace trace = TraceOf("perfect");
    QVERIFY(trace.maxOpd && *trace.maxOpd < 1e-9);
    QVERIFY(*trace.inStepAll > 1 - 1e-9);
    const TracedRay& edge = trace.rays.front();
    const TracedRay& axis = trace.rays[FanHalf];
    QVERIFY(*edge.glass < *axis.glass);
    QVERIFY(edge.air + *edge.after > axis.air + *axis.after);
    const std::string says = Says("perfect");
    QVERIFY(Contains(says, std::string("holds the same number of waves: ") +
                               Format(*trace.axialCount, 2)));
    QCOMPARE(Format(*trace.axialCount, 2), std::string("39.00"));
    QVERIFY(Contains(says, std::string("by up to ") + Format(*trace.sphereGap, 2) +
                               " glass wavelengths"));
    QVERIFY(Contains(says, "(100 %)"));
}

// "The flash has travelled 39.00 waves: along the axis it has just reached F; along the rays
// near the edge it still has up to 2.05 waves to go. Only the 0.05 left over matters for a
// steady wave."
void TestLesson::aFlashArrivesSpreadOut() {
    const Controls scene = LessonScene(StepOf("flash"), "en");
    const WaveTrace trace = TraceWaves(scene);
    QVERIFY(scene.flash && std::abs(*scene.flash - *trace.axialCount) < 1e-9);
    const auto [least, most] = CountsAtF(trace);
    // The latest arrivals are those of rays in the outer third of the fan.
    for (int k = -FanHalf / 3 * 2 + 1; k < FanHalf / 3 * 2; ++k) {
        QVERIFY(*trace.rays[static_cast<std::size_t>(k + FanHalf)].total < most);
    }
    const double late = most - *trace.axialCount;
    QVERIFY(late > 1);
    const std::string says = Says("flash");
    QVERIFY(Contains(says, std::string("still has up to ") + Format(late, 2) + " waves to go"));
    QVERIFY(Contains(says,
                     std::string("only the ") + Format(late - std::floor(late), 2) + " left over"));
    // A steady wave: in step to within the fraction; the phasor of the two agrees with it.
    QVERIFY(std::abs(PhaseErrorDegrees(late)) < 360 * 0.06);
}

// "With the source at its far focus, 10 wavelengths in front of its tip, every ray is bent
// parallel to the axis in the glass; every path to the back holds 30.00 waves; no focus."
void TestLesson::theHyperbolaMakesParallelLight() {
    const WaveTrace trace = TraceOf("hyperbola");
    QCOMPARE(trace.lens.shape, LensShape::Hyperbola);
    for (const TracedRay& ray : trace.rays) {
        QVERIFY(std::abs(ray.inGlass.y) < 1e-9);
        QVERIFY(std::abs(ray.air + *ray.glass - 30) < 1e-9);
    }
    QVERIFY(!trace.paraxialFocus && !trace.bestFocus);
    // The far focus: a (n + 1) in front of the tip, 4 λ × 2.5 = 10 λ.
    QVERIFY(std::abs((trace.lens.frontVertexX - trace.lens.sourceX) -
                     trace.lens.a * (trace.lens.index + 1)) < 1e-9);
    QVERIFY(Contains(Says("hyperbola"), "every path holds 30.00 waves"));
}

// "F = 8, 98 % in step: there the counts agree best." The brightest F is the whole F nearest
// the best focus, and its counts agree within a quarter of a wave.
void TestLesson::yourTurnHasTheBrightestF() {
    const std::string answer = LessonPageOf(StepOf("yourturn"), "en").answer;
    QVERIFY(answer.starts_with("F = "));
    const int f = std::stoi(answer.substr(4));
    Controls scene = LessonScene(StepOf("yourturn"), "en");
    const WaveTrace start = TraceWaves(scene);
    QCOMPARE(f, static_cast<int>(std::lround(Behind(start, *start.bestFocus))));
    scene.fOCUS_POINT = f;
    const WaveTrace at = TraceWaves(scene);
    const auto [least, most] = CountsAtF(at);
    QVERIFY(most - least < 0.25);
    for (const int other : {f - 1, f + 1}) {
        scene.fOCUS_POINT = other;
        QVERIFY(*TraceWaves(scene).inStepAll < *at.inStepAll);
    }
    QVERIFY(Contains(answer, Format(100 * *at.inStepAll, 0) + " % in step"));
}

// The lesson's member of a figure document.
void TestLesson::lessonDocument() {
    const LessonPage page = LessonPageOf(4, "el");
    const QJsonObject o =
        QJsonDocument::fromJson(QByteArray::fromStdString(LessonJson(page))).object();
    QCOMPARE(o.keys(), (QStringList{"answer", "question", "step", "steps", "text", "title"}));
    QCOMPARE(o["step"].toInt(), 4);
    QCOMPARE(o["steps"].toInt(), LessonStepCount());
    QCOMPARE(o["title"].toString(), QString::fromStdString(page.title));
    QCOMPARE(LessonProgress(3, "en"),
             std::string("Step 3 of ").append(std::to_string(LessonStepCount())));
}

QTEST_APPLESS_MAIN(TestLesson)
#include "tst_lesson.moc"
