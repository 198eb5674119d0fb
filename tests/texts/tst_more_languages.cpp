// A language added as a translator adds one: a catalogue beside Greek and English, and its code
// in the list, with no change to the code. This test's own list is el, en and "qps", a made-up
// language whose every text is the English one in ⟦ ⟧. Drawn, described, said and printed in it,
// every text the program shows must carry the marks: a text without them did not come from the
// catalogue. The window and the command line take the language as they take Greek and English.

#include "construction/controls.h"
#include "export/command_line.h"
#include "export/command_options.h"
#include "figure/control_texts.h"
#include "figure/draw_construction.h"
#include "figure/figure_content.h"
#include "lesson/lesson.h"
#include "shell/canvas_menu.h"
#include "shell/main_window.h"
#include "texts/catalogue.h"
#include "texts/embedded_catalogues.h"
#include "texts/po_file.h"
#include "waves/wave_ledger.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace kymata;

namespace {

/// The message the made-up language leaves untranslated, which must read in English.
constexpr const char* LeftOut = "window.quit";

std::string ReadSource(const char* path) {
    QFile file(QString::fromUtf8(path));
    if (!file.open(QIODevice::ReadOnly)) {
        qFatal("cannot read %s", path);
    }
    return file.readAll().toStdString();
}

/// `text` as a quoted PO string.
std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\t':
            quoted += "\\t";
            break;
        default:
            quoted += c;
        }
    }
    return quoted + "\"";
}

/// The English catalogue made over into the language "qps": each text in ⟦ ⟧, one left out.
std::string PseudoCatalogue(const std::string& english) {
    std::string po = "msgid \"\"\nmsgstr \"Language: qps\\n\"\n";
    for (const texts::PoMessage& m : texts::ReadPo(english).messages) {
        const std::string text = m.key == LeftOut ? "" : "⟦" + m.text + "⟧";
        po += "\nmsgctxt " + Quoted(m.key) + "\nmsgid " + Quoted(m.source) + "\nmsgstr " +
              Quoted(text) + "\n";
    }
    return po;
}

/// True for a text that needs no translation: numbers, signs, and the one-letter names of
/// points, rays and quantities (F, A, B, X0, #L, n).
bool LanguageFree(const QString& text) {
    static const QRegularExpression free(
        QStringLiteral("^[\\s\\d.,:;=+\\-−–—±×/"
                       "%#()\\[\\]°′″'\"…·|<>≤≥≈λπ]*([A-Z]\\d?|#L|n)?[\\s\\d.,:;=+\\-−–/%()]*$"));
    return free.match(text).hasMatch();
}

/// The texts among `texts` that neither come from the made-up catalogue nor need translating.
QStringList NotFromTheCatalogue(const QStringList& texts) {
    QStringList left;
    for (const QString& text : texts) {
        if (!text.contains(QStringLiteral("⟦")) && !LanguageFree(text)) {
            left << text;
        }
    }
    return left;
}

QStringList TextsOf(const Recording& recording) {
    QStringList texts;
    for (const Item& item : recording.items) {
        if (const auto* t = std::get_if<TextItem>(&item)) {
            texts << QString::fromStdString(t->text);
        }
    }
    return texts;
}

QString Joined(const QStringList& texts) {
    return texts.join(QStringLiteral(" | "));
}

} // namespace

namespace kymata::texts {

/// The build's catalogues, read from the sources, and the made-up third one: this test's list
/// of languages, in place of the one the build embeds.
std::span<const EmbeddedCatalogue> EmbeddedCatalogues() {
    static const std::string greek = ReadSource(KYMATA_SOURCE_DIR "/data/i18n/el.po");
    static const std::string english = ReadSource(KYMATA_SOURCE_DIR "/data/i18n/en.po");
    static const std::string pseudo = PseudoCatalogue(english);
    static const EmbeddedCatalogue catalogues[] = {{"el", greek}, {"en", english}, {"qps", pseudo}};
    return catalogues;
}

} // namespace kymata::texts

class TestMoreLanguages : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void listedAndLookedUp();
    void figuresInTheLanguage_data();
    void figuresInTheLanguage();
    void wordsInTheLanguage();
    void windowInTheLanguage();
    void commandLineInTheLanguage_data();
    void commandLineInTheLanguage();
};

// The list names the third language after the two; a text it lacks reads in English, a text it
// has in its own words, and lists of languages name all three.
void TestMoreLanguages::listedAndLookedUp() {
    QCOMPARE(CatalogueLanguages(), (std::vector<std::string>{"el", "en", "qps"}));
    QCOMPARE(ShippedLanguage("qps"), std::string_view("qps"));
    QVERIFY(ShippedLanguage("qpz").empty());
    QCOMPARE(std::string(Text(LeftOut, "qps")), std::string(Text(LeftOut, "en")));
    QCOMPARE(std::string(Text("caption.print", "qps")), std::string("⟦PRINT⟧"));
    QCOMPARE(LanguageChoices("en"), std::string("el, en or qps"));
    QCOMPARE(LanguageChoices("el"), std::string("el, en ή qps"));
}

void TestMoreLanguages::figuresInTheLanguage_data() {
    QTest::addColumn<Controls>("controls");
    Controls c;
    SetTextLanguage(c, "qps");
    QTest::newRow("sphere") << c;
    Controls hyperbola = c;
    hyperbola.YPERVOLIKO = true;
    QTest::newRow("hyperbola") << hyperbola;
    Controls waves = c;
    waves.view = View::Waves;
    QTest::newRow("wave view") << waves;
    Controls far = waves;
    far.initial_POINT = -200;
    far.f_apeiro = true;
    QTest::newRow("wave view, plane wave") << far;
    Controls perfect = waves;
    perfect.perfectLens = true;
    QTest::newRow("perfect lens") << perfect;
    Controls near = waves;
    near.initial_POINT = -8;
    QTest::newRow("no focus") << near;
    Controls flash = waves;
    flash.flash = 30;
    QTest::newRow("a flash") << flash;
    for (int step = 1; step <= LessonStepCount(); ++step) {
        QTest::addRow("lesson step %d", step) << LessonScene(step, "qps");
    }
}

// Every text of the canvas, the printed page, the ledger and the canvas's description comes
// from the catalogue of the language chosen.
void TestMoreLanguages::figuresInTheLanguage() {
    QFETCH(Controls, controls);
    QCOMPARE(TextLanguage(controls), std::string_view("qps"));
    const FigureContent drawn = DrawFigureContent(controls);
    QStringList texts = TextsOf(drawn.canvas);
    QVERIFY(!texts.isEmpty());
    for (const std::string& label :
         {drawn.labels.Label1, drawn.labels.Label2, drawn.labels.Label3, drawn.labels.Label4}) {
        if (label.rfind("Label", 0) != 0) {
            texts << QString::fromStdString(label);
        }
    }
    const PrintedContent printed = PrintFigureContent(controls, false, {277, 190});
    texts << TextsOf(printed.page) << TextsOf(printed.content.canvas);
    texts << QString::fromStdString(DescribeFigure(controls, drawn.canvas));
    if (drawn.waves) {
        const waves::WaveLedger ledger = waves::MakeLedger(*drawn.waves, "qps");
        for (const std::string& column : ledger.columns) {
            texts << QString::fromStdString(column);
        }
        for (const waves::LedgerLine& line : ledger.summary) {
            texts << QString::fromStdString(line.caption);
        }
        texts << QString::fromStdString(ledger.rule);
    }
    QVERIFY2(NotFromTheCatalogue(texts).isEmpty(), qPrintable(Joined(NotFromTheCatalogue(texts))));
}

// The controls' captions and descriptions, the lesson's pages and the option's help.
void TestMoreLanguages::wordsInTheLanguage() {
    Controls c;
    SetTextLanguage(c, "qps");
    QStringList texts;
    for (const char* control :
         {"EIKON", "Command1", "initial_POINT", "fOCUS_POINT", "n_DIATHLASI", "pachos", "f_apeiro",
          "YPERVOLIKO", "ELLINIKA", "AGLIKA", "waveView", "perfectLens", "playButton",
          "flashButton", "lessonButton", "bestFocusButton"}) {
        const ControlDescription d = DescribeControl(control, c);
        texts << QString::fromStdString(d.name) << QString::fromStdString(d.description);
    }
    for (int step = 1; step <= LessonStepCount(); ++step) {
        const LessonPage page = LessonPageOf(step, "qps");
        for (const std::string& text : {page.title, page.text, page.question, page.answer}) {
            texts << QString::fromStdString(text);
        }
        texts << QString::fromStdString(LessonProgress(step, "qps"));
    }
    for (const CommandOption& option : CommandOptions()) {
        texts << OptionHelp(option, "qps");
    }
    texts.removeAll(QString());
    QVERIFY2(NotFromTheCatalogue(texts).isEmpty(), qPrintable(Joined(NotFromTheCatalogue(texts))));
}

// The Language menu lists every language; choosing the third leaves GREEK and ENGLISH both
// off and puts every caption, menu item and accessible name in it; GREEK brings Greek back.
void TestMoreLanguages::windowInTheLanguage() {
    const auto w = std::make_unique<DHMIOYRGO_KYKLO>();
    w->resize(1366, 768);
    w->show();
    w->DrawConstruction();
    QCOMPARE(w->Language(), std::string("el"));
    w->SetLanguage("qps");
    QCOMPARE(w->Language(), std::string("qps"));
    QCOMPARE(w->ReadControls().moreLanguage, std::string("qps"));
    auto* greek = w->findChild<QRadioButton*>(QStringLiteral("ELLINIKA"));
    auto* english = w->findChild<QRadioButton*>(QStringLiteral("AGLIKA"));
    QVERIFY(!greek->isChecked() && !english->isChecked());
    QStringList texts{w->windowTitle()};
    for (const QAbstractButton* button : w->findChildren<QAbstractButton*>()) {
        if (button->isVisibleTo(w.get()) && !button->text().isEmpty()) {
            texts << button->text() << button->accessibleName();
        }
    }
    for (const QLabel* label : w->findChildren<QLabel*>()) {
        if (label->isVisibleTo(w.get())) {
            texts << label->text();
        }
    }
    for (const QAction* action : w->findChildren<QAction*>()) {
        texts << action->text();
    }
    texts << w->findChild<QWidget*>(QStringLiteral("EIKON"))->accessibleDescription();
    texts.removeAll(QString());
    texts.removeAll(QString::fromStdString(std::string(Text(LeftOut, "en"))));
    QVERIFY2(NotFromTheCatalogue(texts).isEmpty(), qPrintable(Joined(NotFromTheCatalogue(texts))));

    // The canvas's menu offers the languages, each named in itself, the chosen one checked.
    const SeenSubmenu languages =
        CanvasSubmenu(*w->findChild<QWidget*>(QStringLiteral("EIKON")),
                      QString::fromStdString(std::string(Text("window.languageMenu", "qps"))));
    QCOMPARE(languages.items, (QStringList{QStringLiteral("Ελληνικά"), QStringLiteral("English"),
                                           QStringLiteral("⟦English⟧")}));
    QCOMPARE(languages.checked, QStringList{QStringLiteral("⟦English⟧")});
    // GREEK, clicked, is Greek again.
    QTest::mouseClick(greek, Qt::LeftButton);
    QCOMPARE(w->Language(), std::string("el"));
    QVERIFY(w->ReadControls().moreLanguage.empty());
    QCOMPARE(w->findChild<QAbstractButton*>(QStringLiteral("Command1"))->text(),
             QStringLiteral("ΕΚΤΥΠΩΣΗ"));
}

void TestMoreLanguages::commandLineInTheLanguage_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("export") << QStringList{"--lang", "qps", "--view", "waves"} << 0;
    QTest::newRow("print") << QStringList{"--lang", "qps", "--print-to", "page.json"} << 0;
    QTest::newRow("help") << QStringList{"--lang", "qps", "--help"} << 0;
    QTest::newRow("a bad value") << QStringList{"--lang", "qps", "--source", "4"} << 2;
    QTest::newRow("an unknown option") << QStringList{"--lang=qps", "--colour"} << 2;
    QTest::newRow("no folder") << QStringList{"--lang", "qps", "--export", "no/such/f.png"} << 1;
    QTest::newRow("no lens") << QStringList{"--lang", "qps", "--focus", "best"} << 2;
}

// --lang takes the third language: the figure's texts and every message of the command line
// are in it.
void TestMoreLanguages::commandLineInTheLanguage() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QTemporaryDir folder;
    const QString json = folder.filePath(QStringLiteral("figure.json"));
    QStringList command{QStringLiteral("kymata")};
    command << arguments;
    if (!arguments.contains(QStringLiteral("--print-to")) &&
        !arguments.contains(QStringLiteral("--export")) &&
        !arguments.contains(QStringLiteral("--help"))) {
        command << QStringLiteral("--export") << json;
    }
    QDir::setCurrent(folder.path());
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    QCOMPARE(RunCommandLine(command, outStream, errStream), exitCode);
    outStream.flush();
    errStream.flush();
    if (arguments.contains(QStringLiteral("--help"))) {
        // Its heading, its description, the exit codes and each option's help, marked; its
        // lines are broken where the help is wrapped.
        QVERIFY(out.startsWith(QStringLiteral("⟦Usage: kymata [options]⟧")));
        QVERIFY(out.count(QStringLiteral("⟦")) >= qsizetype(CommandOptions().size()) + 4);
        return;
    }
    QStringList said = (out + err).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (QString& line : said) {
        line = line.trimmed();
    }
    QVERIFY2(NotFromTheCatalogue(said).isEmpty(), qPrintable(Joined(NotFromTheCatalogue(said))));
    if (exitCode == 0 && !arguments.contains(QStringLiteral("--help"))) {
        QFile file(arguments.contains(QStringLiteral("--print-to"))
                       ? folder.filePath(QStringLiteral("page.json"))
                       : json);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonObject doc = QJsonDocument::fromJson(file.readAll()).object();
        QCOMPARE(doc["controls"].toObject()["language"].toString(), QStringLiteral("qps"));
        QVERIFY(doc["labels"].toObject()["Label1"].toString().contains(QStringLiteral("⟦")));
    }
}

QTEST_MAIN(TestMoreLanguages)
#include "tst_more_languages.moc"
