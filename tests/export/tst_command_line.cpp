#include "construction/views.h"
#include "export/command_line.h"
#include "export/command_options.h"
#include "export/kymata_process.h"
#include "lesson/lesson.h"
#include "lesson/lesson_figure.h"
#include "texts/catalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <sys/stat.h>
#include <unistd.h>

using namespace kymata;

namespace {

/// The real program run headless; `fileSizeLimit` > 0 caps the size of any file it writes, as
/// a full disk would.
Run Kymata(const QStringList& arguments, qint64 fileSizeLimit = 0) {
    return RunKymata(arguments, {}, {}, fileSizeLimit);
}

/// The names of the core's views as an English sentence lists choices: "classic or waves".
QString ViewChoices() {
    QString choices;
    for (std::size_t i = 0; i < std::size(ViewNames); ++i) {
        choices += i == 0                         ? QString()
                   : i + 1 < std::size(ViewNames) ? QStringLiteral(", ")
                                                  : QString::fromUtf8(Text("list.lastJoin", "en"));
        choices += QString::fromUtf8(ViewNames[i].name);
    }
    return choices;
}

QJsonObject ReadJson(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QJsonDocument::fromJson(file.readAll()).object();
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void exportsEachFormat_data();
    void exportsEachFormat();
    void jsonDocument();
    void sceneOptionsReachTheFigure();
    void badUsage_data();
    void badUsage();
    void unwritablePath_data();
    void unwritablePath();
    void fullDiskKeepsTheOldFile();
    void printTo_data();
    void printTo();
    void waveView();
    void movingWaves();
    void printToErrors_data();
    void printToErrors();
    void helpAndVersion();
    void windowStartOptions_data();
    void windowStartOptions();
    void helpMatchesTheReadme();
    void withoutDisplayWritesTheStartFigure();
    void lessonStepExports_data();
    void lessonStepExports();
    void lessonBeatExports_data();
    void lessonBeatExports();
    void lessonPlan_data();
    void lessonPlan();
    void focusBest_data();
    void focusBest();
    void messagesInTheUsersLanguage_data();
    void messagesInTheUsersLanguage();
    void manPageListsEveryOption();
    void fileSizeLimitLeavesNothing_data();
    void fileSizeLimitLeavesNothing();
    void framesAllOrNothing_data();
    void framesAllOrNothing();
    void namesAndLinks();
    void windowThatCannotOpen_data();
    void windowThatCannotOpen();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString Path(const QString& name) const { return dir_->filePath(name); }
};

void TestCommandLine::init() {
    dir_ = std::make_unique<QTemporaryDir>();
}

void TestCommandLine::exportsEachFormat_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("extra");
    QTest::newRow("png, default size") << "figure.png" << QStringList{};
    QTest::newRow("png, 300 px") << "small.PNG" << QStringList{"--size", "300"};
    QTest::newRow("svg") << "figure.svg" << QStringList{};
    QTest::newRow("pdf") << "figure.pdf" << QStringList{"--lang", "en"};
    QTest::newRow("json") << "figure.json" << QStringList{};
}

void TestCommandLine::exportsEachFormat() {
    QFETCH(QString, name);
    QFETCH(QStringList, extra);
    const QString path = Path(name);
    const Run run = Kymata(QStringList{"--export", path} + extra);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QString());
    QVERIFY(QFile::exists(path));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files).size(), 1); // no temporary left
    if (name.endsWith(QLatin1String("png"), Qt::CaseInsensitive)) {
        const QImage image(path);
        const int side = extra.isEmpty() ? 1000 : 300;
        QCOMPARE(image.size(), QSize(side, side));
        QCOMPARE(image.pixelColor(0, 0), QColor(Qt::white));
    } else if (name.endsWith(QLatin1String("svg"))) {
        QSvgRenderer svg(path);
        QVERIFY(svg.isValid());
        QCOMPARE(svg.viewBox(), QRect(0, 0, 1000, 1000));
    } else if (name.endsWith(QLatin1String("pdf"))) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("%PDF-"));
        QVERIFY(bytes.trimmed().endsWith("%%EOF"));
    } else {
        QVERIFY(!ReadJson(path).isEmpty());
    }
}

void TestCommandLine::jsonDocument() {
    const QString path = Path("f.json");
    QCOMPARE(Kymata({"--export", path}).exitCode, 0);
    const QJsonObject doc = ReadJson(path);
    QCOMPARE(doc.keys(), (QStringList{"canvas", "controls", "labels"}));
    const QJsonObject controls = doc["controls"].toObject();
    QCOMPARE(controls["source"].toInt(), -20);
    QCOMPARE(controls["focus"].toInt(), 5);
    QCOMPARE(controls["index"].toInt(), 150);
    QCOMPARE(controls["thickness"].toInt(), 20);
    QCOMPARE(controls["hyperbola"].toBool(), false);
    QCOMPARE(controls["parallelBeam"].toBool(), false);
    QCOMPARE(controls["language"].toString(), QStringLiteral("el"));
    const QJsonObject labels = doc["labels"].toObject();
    QCOMPARE(labels["Label1"].toString(), QStringLiteral("  X0 =20 μήκη κύματος"));
    QCOMPARE(labels["Label4"].toString(), QStringLiteral("Φάρδος Φακού = 100 # κυμάτων = 20.00"));
    const QJsonObject canvas = doc["canvas"].toObject();
    QCOMPARE(canvas["scale"].toArray(), (QJsonArray{-120, 120, 120, -120}));

    const QRegularExpression hexColor(QStringLiteral("^#[0-9a-f]{6}$"));
    QSet<QString> kinds;
    for (const QJsonValue& v : canvas["items"].toArray()) {
        const QJsonObject item = v.toObject();
        const QString type = item["type"].toString();
        kinds.insert(type);
        QVERIFY(hexColor.match(item["color"].toString()).hasMatch());
        QStringList expected;
        if (type == QLatin1String("line")) {
            expected = {"color", "style", "type", "width", "x1", "x2", "y1", "y2"};
        } else if (type == QLatin1String("circle")) {
            expected = {"color", "r", "style", "type", "width", "x", "y"};
            if (item.contains("start")) {
                expected = {"color", "end", "r", "start", "style", "type", "width", "x", "y"};
            }
        } else {
            QCOMPARE(type, QStringLiteral("text"));
            expected = {"angle", "color", "font", "size", "text", "type", "x", "y"};
        }
        QCOMPARE(item.keys(), expected);
    }
    QCOMPARE(kinds, (QSet<QString>{"line", "circle", "text"}));
}

void TestCommandLine::sceneOptionsReachTheFigure() {
    const QString path = Path("f.json");
    const Run run = Kymata({"--export", path, "--source", "-3", "--focus", "50", "--index", "2.5",
                            "--thickness", "1", "--lang", "en", "--parallel-beam"});
    QCOMPARE(run.exitCode, 0);
    const QJsonObject doc = ReadJson(path);
    const QJsonObject controls = doc["controls"].toObject();
    QCOMPARE(controls["source"].toInt(), -3);
    QCOMPARE(controls["focus"].toInt(), 50);
    QCOMPARE(controls["index"].toInt(), 250);
    QCOMPARE(controls["thickness"].toInt(), 1);
    QCOMPARE(controls["parallelBeam"].toBool(), true);
    QCOMPARE(controls["language"].toString(), QStringLiteral("en"));
    const QJsonObject labels = doc["labels"].toObject();
    QCOMPARE(labels["Label3"].toString(), QStringLiteral(" n = 2.5"));
    QCOMPARE(labels["Label2"].toString(), QStringLiteral(" Focus point = 50"));
}

void TestCommandLine::badUsage_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("mentions");
    QTest::newRow("source too near") << QStringList{"--source", "-2"} << "-200 to -3";
    QTest::newRow("source not a number") << QStringList{"--source", "far"} << "--source";
    QTest::newRow("focus zero") << QStringList{"--focus", "0"} << "1 to 50";
    QTest::newRow("thickness 21") << QStringList{"--thickness", "21"} << "1 to 20";
    QTest::newRow("index too low") << QStringList{"--index", "1.04"} << "1.05 to 2.50";
    QTest::newRow("index between steps") << QStringList{"--index", "1.505"} << "steps of 0.01";
    QTest::newRow("index nan") << QStringList{"--index", "nan"} << "--index";
    QTest::newRow("index with comma") << QStringList{"--index", "1,5"} << "--index";
    QTest::newRow("size too large") << QStringList{"--size", "100000"} << "10 to 8000";
    // "qps", a made-up code, stands for a language the program lacks.
    QTest::newRow("language") << QStringList{"--lang", "qps"}
                              << QString::fromStdString(LanguageChoices("en"));
    QTest::newRow("unknown option") << QStringList{"--colour", "red"} << "colour";
    QTest::newRow("stray argument") << QStringList{"extra"} << "extra";
    QTest::newRow("unknown view") << QStringList{"--view", "qps"} << ViewChoices();
    QTest::newRow("view in capitals") << QStringList{"--view", "WAVES"} << ViewChoices();
    QTest::newRow("view without a value") << QStringList{"--view"} << "--view";
    QTest::newRow("phase of a whole period")
        << QStringList{"--view", "waves", "--phase", "1"} << "not including 1";
    QTest::newRow("negative phase")
        << QStringList{"--view", "waves", "--phase", "-0.1"} << "from 0 up to";
    QTest::newRow("phase without the wave view") << QStringList{"--phase", "0.5"} << "--view waves";
    QTest::newRow("flash too far")
        << QStringList{"--view", "waves", "--flash", "1e6"} << "0 to 10000";
    QTest::newRow("unknown lens") << QStringList{"--view", "waves", "--lens", "ellipse"}
                                  << "sphere, hyperbola or perfect";
    QTest::newRow("perfect lens without the wave view")
        << QStringList{"--lens", "perfect"} << "--view waves";
    QTest::newRow("hyperbola and the perfect lens")
        << QStringList{"--view", "waves", "--lens", "perfect", "--hyperbola"} << "together";
    QTest::newRow("animate a PNG")
        << QStringList{"--view", "waves", "--animate"} << "not an SVG file";
    QTest::newRow("animate without the wave view") << QStringList{"--animate"} << "--view waves";
    QTest::newRow("one frame") << QStringList{"--view", "waves", "--frames", "1"} << "2 to 1000";
    QTest::newRow("frames and a phase")
        << QStringList{"--view", "waves", "--frames", "5", "--phase", "0.5"} << "leave out";
    QTest::newRow("phase and flash")
        << QStringList{"--view", "waves", "--phase", "0.5", "--flash", "3"} << "not both";
    QTest::newRow("a beat without a step")
        << QStringList{"--beat", "2"} << "--beat goes with --lesson N";
    QTest::newRow("a beat out of range")
        << QStringList{"--lesson", "3", "--beat", "0"} << "from 1 to 3";
    QTest::newRow("a beat with a worksheet")
        << QStringList{"--lesson", "3", "--beat", "1", "--worksheet"}
        << "--beat writes one figure with --export; leave out --worksheet";
}

void TestCommandLine::badUsage() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, mentions);
    const QString path = Path("figure.png");
    const Run run = Kymata(QStringList{"--export", path} + arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(mentions), qPrintable(run.err));
    QCOMPARE(run.err.count(QLatin1Char('\n')), 1);
    QVERIFY(!QFile::exists(path));
}

void TestCommandLine::unwritablePath_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("unknown extension") << "figure.bmp" << 2;
    QTest::newRow("no extension") << "figure" << 2;
    QTest::newRow("missing folder") << "no/such/folder/figure.png" << 1;
    QTest::newRow("folder in the way") << "taken.json" << 1;
}

void TestCommandLine::unwritablePath() {
    QFETCH(QString, name);
    QFETCH(int, exitCode);
    QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("taken.json")));
    const QString path = Path(name);
    const Run run = Kymata({"--export", path});
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(path), qPrintable(run.err));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files).size(), 0);
}

void TestCommandLine::fullDiskKeepsTheOldFile() {
    const QString path = Path("figure.png");
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old figure");
    }
    const Run failed = Kymata({"--export", path}, 4096);
    QCOMPARE(failed.exitCode, 1);
    QVERIFY2(failed.err.contains(path), qPrintable(failed.err));
    QFile old(path);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old figure"));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files).size(), 1);
    old.close();

    QCOMPARE(Kymata({"--export", path}).exitCode, 0);
    QCOMPARE(QImage(path).size(), QSize(1000, 1000));
}

void TestCommandLine::printTo_data() {
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<QJsonArray>("pageScale");
    QTest::addColumn<QJsonArray>("canvasScale");
    QTest::newRow("spherical") << QStringList{} << QJsonArray{} << QJsonArray{-120, 120, 120, -120};
    QTest::newRow("hyperbolic") << QStringList{"--hyperbola"} << QJsonArray{-145, 100, 145, -100}
                                << QJsonArray{-180, 180, 180, -180};
    QTest::newRow("classic view, said")
        << QStringList{"--view", "classic"} << QJsonArray{} << QJsonArray{-120, 120, 120, -120};
}

void TestCommandLine::printTo() {
    QFETCH(QStringList, extra);
    QFETCH(QJsonArray, pageScale);
    QFETCH(QJsonArray, canvasScale);
    const QString json = Path("page.json");
    QCOMPARE(Kymata(QStringList{"--print-to", json} + extra).exitCode, 0);
    const QJsonObject doc = ReadJson(json);
    QCOMPARE(doc.keys(), (QStringList{"canvas", "controls", "labels", "page"}));
    const QJsonObject page = doc["page"].toObject();
    QCOMPARE(page.keys(), (QStringList{"items", "scale"}));
    QVERIFY(!page["items"].toArray().isEmpty());
    if (!pageScale.isEmpty()) {
        QCOMPARE(page["scale"].toArray(), pageScale);
    } else {
        QCOMPARE(page["scale"].toArray()[1].toDouble(), 70.0);
    }
    QCOMPARE(doc["canvas"].toObject()["scale"].toArray(), canvasScale);

    const QString pdf = Path("page.pdf");
    const Run run = Kymata(QStringList{"--print-to", pdf} + extra);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QString());
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("%PDF-"));
}

// The wave view through every output: its document says so and carries the optics, and the
// page PRINT prints is the view on a landscape page.
void TestCommandLine::waveView() {
    const QString json = Path("waves.json");
    QCOMPARE(Kymata({"--view", "waves", "--hyperbola", "--export", json}).exitCode, 0);
    QJsonObject doc = ReadJson(json);
    QCOMPARE(doc["view"].toString(), QStringLiteral("waves"));
    QCOMPARE(doc["waves"].toObject()["lens"].toString(), QStringLiteral("hyperbola"));
    QCOMPARE(doc["waves"].toObject()["rays"].toArray().size(), 25);
    QVERIFY(!doc["waves"].toObject().contains("phase"));
    QCOMPARE(Kymata({"--view", "waves", "--phase", "0.25", "--export", json}).exitCode, 0);
    QCOMPARE(ReadJson(json)["waves"].toObject()["phase"].toDouble(), 0.25);
    QVERIFY(!doc["canvas"].toObject()["items"].toArray().isEmpty());

    const QString page = Path("waves-page.json");
    QCOMPARE(Kymata({"--view=waves", "--print-to", page, "--lang", "en"}).exitCode, 0);
    doc = ReadJson(page);
    QCOMPARE(doc.keys(), (QStringList{"canvas", "controls", "labels", "page", "view", "waves"}));
    const QJsonArray scale = doc["page"].toObject()["scale"].toArray();
    const double across = std::abs(scale[2].toDouble() - scale[0].toDouble());
    const double down = std::abs(scale[1].toDouble() - scale[3].toDouble());
    QVERIFY(across > down); // landscape

    for (const char* name : {"waves.png", "waves.svg", "waves.pdf"}) {
        const Run run = Kymata({"--view", "waves", "--source", "-5", "--export", Path(name)});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(QFileInfo(Path(name)).size() > 0);
    }
}

// One period of moving crests: an SVG that animates itself for one second and loops, or PNG
// frames in a folder; the animation's frames are the crests at their phases.
void TestCommandLine::movingWaves() {
    const QString svg = Path("moving.svg");
    const Run run = Kymata({"--view", "waves", "--hyperbola", "--export", svg, "--animate"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(QSvgRenderer(svg).isValid());
    // Each frame is shown from its start for a thirtieth of a one-second period, again every
    // period: together they cover the period once, without gaps or overlaps.
    QFile file(svg);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QList<double> starts;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"animate") {
            const QXmlStreamAttributes a = xml.attributes();
            QCOMPARE(a.value("attributeName"), u"visibility");
            QCOMPARE(a.value("dur"), u"1s");
            QCOMPARE(a.value("repeatCount"), u"indefinite");
            QVERIFY(std::abs(a.value("keyTimes").split(u';').last().toDouble() - 1.0 / 30) < 1e-9);
            starts << a.value("begin").chopped(1).toDouble();
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(starts.size(), 30);
    for (int i = 0; i < 30; ++i) {
        QVERIFY(std::abs(starts[i] - i / 30.0) < 1e-9);
    }

    const QString folder = Path("frames");
    QCOMPARE(
        Kymata({"--view", "waves", "--export", folder, "--frames", "4", "--size", "200"}).exitCode,
        0);
    const QStringList frames = QDir(folder).entryList({"*.png"}, QDir::Files, QDir::Name);
    QCOMPARE(frames,
             (QStringList{"frame-000.png", "frame-001.png", "frame-002.png", "frame-003.png"}));
    const QImage first(QDir(folder).filePath(frames[0]));
    const QImage second(QDir(folder).filePath(frames[1]));
    QCOMPARE(first.size(), QSize(200, 200));
    QVERIFY(first != second);
    const QString still = Path("still.png");
    QCOMPARE(Kymata({"--view", "waves", "--export", still, "--size", "200"}).exitCode, 0);
    QCOMPARE(QImage(still), first);
}

void TestCommandLine::printToErrors_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("mentions");
    QTest::newRow("png is not a page")
        << QStringList{"--print-to", "page.png"} << 2 << ".pdf or .json";
    QTest::newRow("bad index") << QStringList{"--print-to", "page.pdf", "--index", "3"} << 2
                               << "1.05 to 2.50";
    QTest::newRow("both outputs") << QStringList{"--print-to", "page.pdf", "--export", "f.png"} << 2
                                  << "not both";
    QTest::newRow("missing folder")
        << QStringList{"--print-to", "no/such/page.pdf"} << 1 << "no/such/page.pdf";
}

void TestCommandLine::printToErrors() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, mentions);
    for (QString& a : arguments) {
        if (a.contains(QLatin1Char('.'))) {
            a = Path(a);
        }
    }
    const Run run = Kymata(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(mentions), qPrintable(run.err));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files).size(), 0);
}

void TestCommandLine::windowStartOptions_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("mentions");
    QTest::newRow("scene options")
        << QStringList{"--source", "-30", "--lang", "en", "--hyperbola", "--index", "1.65"} << 0
        << "written by: kymata --source -30 --lang en --hyperbola --index 1.65 --export "
           "kymata-figure.png";
    QTest::newRow("the wave view's lens")
        << QStringList{"--view=waves", "--lens", "perfect", "--parallel-beam"} << 0
        << "--view=waves --lens perfect";
    // Refused as for an export, before any window or file.
    QTest::newRow("source out of range")
        << QStringList{"--source", "-300"} << 2 << "from -200 to -3";
    QTest::newRow("index between steps") << QStringList{"--index", "1.555"} << 2 << "0.01";
    QTest::newRow("unknown option") << QStringList{"--colour", "red"} << 2 << "colour";
    QTest::newRow("an export's size")
        << QStringList{"--size", "300"} << 2 << "--size goes with --export";
    QTest::newRow("a worksheet") << QStringList{"--worksheet"} << 2 << "--worksheet goes with";
    QTest::newRow("a still phase")
        << QStringList{"--view", "waves", "--phase", "0.5"} << 2 << "--phase goes with";
    QTest::newRow("a lesson step")
        << QStringList{"--lesson", "4", "--lang", "en"} << 0 << "--lesson 4 --lang en";
    QTest::newRow("a lesson step beyond the last")
        << QStringList{"--lesson", "11"} << 2
        << "--lesson: '11' is not valid; give an integer "
           "from 1 to 10";
    QTest::newRow("a lesson step that is no number")
        << QStringList{"--lesson", "two"} << 2 << "--lesson: 'two' is not valid";
    QTest::newRow("a lesson step with a scene option")
        << QStringList{"--lesson", "2", "--source", "-30"} << 2
        << "--lesson sets the scene of its step; leave out --source";
}

// `kymata` with scene options and nothing to write opens the window with those controls; with
// no display it writes the start figure of those controls instead.
void TestCommandLine::windowStartOptions() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, mentions);
    const Run run = RunKymata(arguments, dir_->path());
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2((exitCode == 0 ? run.out : run.err).contains(mentions), qPrintable(run.out + run.err));
    QString error;
    QTextStream errors(&error);
    const std::optional<WindowStart> found =
        WindowStartControls(QStringList{QStringLiteral("kymata")} << arguments, errors);
    const std::optional<Controls> start =
        found ? std::optional<Controls>(found->controls) : std::nullopt;
    QCOMPARE(start.has_value(), exitCode == 0);
    if (exitCode != 0) {
        QVERIFY(error.endsWith(QLatin1Char('\n')) && error.count(QLatin1Char('\n')) == 1);
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files).size(), 0);
        return;
    }
    // The start figure is the export of the same options.
    const QString exported = Path(QStringLiteral("same.png"));
    QCOMPARE(Kymata(QStringList(arguments) << "--export" << exported).exitCode, 0);
    QCOMPARE(QImage(Path(QStringLiteral("kymata-figure.png"))), QImage(exported));
    if (arguments.contains(QStringLiteral("--lesson"))) {
        QCOMPARE(found->lessonStep, std::optional<int>(4));
        QVERIFY(*start == LessonScene(4, "en"));
    } else if (arguments.contains(QStringLiteral("--hyperbola"))) {
        QCOMPARE(start->initial_POINT, -30);
        QCOMPARE(start->n_DIATHLASI, 165);
        QVERIFY(start->YPERVOLIKO && !start->ELLINIKA && start->view == View::Classic);
    } else {
        QVERIFY(start->view == View::Waves && start->perfectLens && start->f_apeiro);
    }
}

void TestCommandLine::helpAndVersion() {
    const Run help = Kymata({"--help"});
    QCOMPARE(help.exitCode, 0);
    for (const char* option : {"--export", "--size", "--source", "--focus", "--index",
                               "--thickness", "--hyperbola", "--parallel-beam", "--lang"}) {
        QVERIFY2(help.out.contains(QLatin1String(option)), option);
    }
    QVERIFY(help.out.contains(QStringLiteral("Exit codes")));
    const Run version = Kymata({"--version"});
    QCOMPARE(version.exitCode, 0);
    QVERIFY(version.out.startsWith(QStringLiteral("kymata ")));
}

void TestCommandLine::helpMatchesTheReadme() {
    const Run help = Kymata({"--help"});
    QFile readme(QStringLiteral(KYMATA_README));
    QVERIFY(readme.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(readme.readAll());
    QVERIFY2(text.contains(help.out),
             "README.md should hold the output of kymata --help: run make docs to write it");
}

void TestCommandLine::withoutDisplayWritesTheStartFigure() {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        env.remove(QLatin1String(name));
    }
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(dir_->path());
    process.start(QStringLiteral(KYMATA_BINARY), {});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    QVERIFY2(out.contains(QStringLiteral("no display was found")), qPrintable(out));
    QVERIFY(out.contains(QStringLiteral("kymata --export kymata-figure.png")));
    QCOMPARE(QImage(Path("kymata-figure.png")).size(), QSize(1000, 1000));
}

void TestCommandLine::lessonStepExports_data() {
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("lang");
    for (int step = 1; step <= LessonStepCount(); ++step) {
        for (const char* lang : {"el", "en"}) {
            QTest::addRow("step %d, %s", step, lang) << step << QString::fromLatin1(lang);
        }
    }
}

// Every step of the lesson exports in both languages: its figure is that of its scene, and the
// JSON document ends with the step's texts.
void TestCommandLine::lessonStepExports() {
    QFETCH(int, step);
    QFETCH(QString, lang);
    const QString json = Path(QStringLiteral("step.json"));
    const QStringList lesson{"--lesson", QString::number(step), "--lang", lang};
    QCOMPARE(Kymata(QStringList(lesson) << "--export" << json).exitCode, 0);
    QFile file(json);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const QJsonObject doc = QJsonDocument::fromJson(bytes).object();
    const QJsonObject o = doc["lesson"].toObject();
    const LessonPage page = LessonPageOf(step, lang.toStdString());
    QCOMPARE(o["step"].toInt(), step);
    QCOMPARE(o["steps"].toInt(), LessonStepCount());
    QCOMPARE(o["title"].toString(), QString::fromStdString(page.title));
    QCOMPARE(o["answer"].toString(), QString::fromStdString(page.answer));
    // The lesson's member comes last; before it, the document of the same scene.
    QVERIFY(bytes.lastIndexOf("\"lesson\"") > bytes.lastIndexOf("\"canvas\""));
    const Controls scene = LessonScene(step, lang.toStdString());
    QCOMPARE(doc["controls"].toObject()["source"].toInt(), scene.initial_POINT);
    QCOMPARE(doc["controls"].toObject()["focus"].toInt(), scene.fOCUS_POINT);
    QCOMPARE(doc.contains("waves"), scene.view == View::Waves);
    const QString png = Path(QStringLiteral("step.png"));
    QCOMPARE(Kymata(QStringList(lesson) << "--export" << png << "--size"
                                        << "200")
                 .exitCode,
             0);
    QVERIFY(!QImage(png).isNull());
    // Its printed page, as PRINT prints it, with the step's texts after the page.
    const QString pagePath = Path(QStringLiteral("page.json"));
    QCOMPARE(Kymata(QStringList(lesson) << "--print-to" << pagePath).exitCode, 0);
    QFile printed(pagePath);
    QVERIFY(printed.open(QIODevice::ReadOnly));
    const QJsonObject pageDoc = QJsonDocument::fromJson(printed.readAll()).object();
    QVERIFY(pageDoc.contains("page"));
    QCOMPARE(pageDoc["lesson"].toObject()["step"].toInt(), step);
}

void TestCommandLine::lessonBeatExports_data() {
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("beat");
    QTest::addColumn<QString>("lang");
    for (int step = 1; step <= LessonStepCount(); ++step) {
        for (int beat = 1; beat <= LessonBeatCount(step); ++beat) {
            for (const char* lang : {"el", "en"}) {
                QTest::addRow("%d.%d %s", step, beat, lang)
                    << step << beat << QString::fromLatin1(lang);
            }
        }
    }
}

// Every beat of every step exports in both languages: its figure is the beat's, and the
// document's "lesson" object carries the beat and its texts.
void TestCommandLine::lessonBeatExports() {
    QFETCH(int, step);
    QFETCH(int, beat);
    QFETCH(QString, lang);
    const QString json = Path(QStringLiteral("beat.json"));
    QCOMPARE(Kymata({"--lesson", QString::number(step), "--beat", QString::number(beat), "--lang",
                     lang, "--export", json})
                 .exitCode,
             0);
    QFile file(json);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonObject doc = QJsonDocument::fromJson(file.readAll()).object();
    const QJsonObject o = doc["lesson"].toObject();
    const BeatPage page = BeatPageOf(step, beat, lang.toStdString());
    QCOMPARE(o["step"].toInt(), step);
    QCOMPARE(o["beat"].toInt(), beat);
    QCOMPARE(o["beats"].toInt(), LessonBeatCount(step));
    QCOMPARE(o["kind"].toString(), QString::fromUtf8(BeatKindName(page.kind).data()));
    QCOMPARE(o["title"].toString(), QString::fromStdString(page.title));
    QCOMPARE(o["onScreen"].toArray().size(), static_cast<qsizetype>(page.onScreen.size()));
    QCOMPARE(o["onScreen"].toArray().first().toString(),
             QString::fromStdString(page.onScreen.front()));
    QCOMPARE(o["notes"].toString(), QString::fromStdString(page.notes));
    QCOMPARE(o["question"].toString(), QString::fromStdString(page.question));
    QCOMPARE(o["answer"].toString(), QString::fromStdString(page.answer));
    const QJsonArray items = doc["canvas"].toObject()["items"].toArray();
    QCOMPARE(items.size(),
             static_cast<qsizetype>(DrawBeatFigure(step, beat, lang.toStdString()).items.size()));
}

void TestCommandLine::lessonPlan_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("mentions");
    QTest::newRow("Greek") << QStringList{"--lesson-plan", "plan.pdf"} << 0 << "";
    QTest::newRow("English") << QStringList{"--lesson-plan", "plan.pdf", "--lang", "en"} << 0 << "";
    QTest::newRow("not a PDF") << QStringList{"--lesson-plan", "plan.txt"} << 2
                               << "plan.txt' is not a PDF file";
    QTest::newRow("with a scene option")
        << QStringList{"--lesson-plan", "plan.pdf", "--source", "-30"} << 2
        << "--lesson-plan goes with --lang alone";
    QTest::newRow("into a missing folder")
        << QStringList{"--lesson-plan", "no/such/plan.pdf"} << 1 << "no/such/plan.pdf";
}

// The teacher's notes: an A4 PDF with every step's title and answer and the student sheet, in
// the language asked for; bad usage and a failed write leave nothing behind.
void TestCommandLine::lessonPlan() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, mentions);
    for (QString& a : arguments) {
        if (a.endsWith(QLatin1String(".pdf")) || a.endsWith(QLatin1String(".txt"))) {
            a = Path(a);
        }
    }
    const Run run = Kymata(arguments);
    QCOMPARE(run.exitCode, exitCode);
    if (exitCode != 0) {
        QVERIFY2(run.err.contains(mentions), qPrintable(run.err));
        QCOMPARE(run.err.count(QLatin1Char('\n')), 1);
        QCOMPARE(
            QDir(dir_->path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).size(),
            0);
        return;
    }
    const QString pdf = Path(QStringLiteral("plan.pdf"));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!text.waitForFinished(60000) || text.exitCode() != 0) {
        QSKIP("pdftotext (poppler-utils) is not installed");
    }
    // Ligatures such as "ﬀ" read as their letters.
    const QString words = QString::fromUtf8(text.readAllStandardOutput())
                              .normalized(QString::NormalizationForm_KC)
                              .simplified();
    const bool greek = !arguments.contains(QStringLiteral("en"));
    for (int step = 1; step <= LessonStepCount(); ++step) {
        const LessonPage page = LessonPageOf(step, SwitchLanguage(greek));
        QVERIFY2(words.contains(QString::fromStdString(page.title)), page.title.c_str());
        // The answer's first words, which a line break in the PDF does not part.
        const QString answer = QString::fromStdString(page.answer).section(QLatin1Char(' '), 0, 2);
        QVERIFY2(words.contains(answer), qPrintable(answer));
    }
    QVERIFY(words.contains(greek ? QStringLiteral("Φύλλο του μαθητή")
                                 : QStringLiteral("Student sheet")));
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY(info.waitForFinished(60000));
    const QString about = QString::fromUtf8(info.readAllStandardOutput());
    QVERIFY2(about.contains(QStringLiteral("(A4)")), qPrintable(about));
    const int pages =
        about.section(QStringLiteral("Pages:"), 1).simplified().section(' ', 0, 0).toInt();
    QVERIFY2(pages > LessonStepCount(), qPrintable(QString::number(pages)));
}

void TestCommandLine::focusBest_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<int>("focus");
    QTest::addColumn<QString>("says");
    QTest::newRow("far source") << QStringList{"--source", "-200"} << 0 << 8 << "";
    QTest::newRow("far source, wave view")
        << QStringList{"--source", "-200", "--view", "waves"} << 0 << 8 << "";
    QTest::newRow("beyond the bar") << QStringList{"--source", "-25"} << 0 << 50
                                    << "beyond 50, and a perfect focus there would be as wide as "
                                       "the light: no focus. F is set to 50";
    QTest::newRow("no focus") << QStringList{} << 2 << 0
                              << "no best focus (no point of least wavefront error) within 400";
    QTest::newRow("the perfect lens")
        << QStringList{"--view", "waves", "--lens", "perfect"} << 2 << 0 << "made for its F";
}

// --focus best: the whole step nearest the best focus that the wave view finds for the same
// lens, the bar's end where it lies beyond, said so; one sentence that says nothing is written
// and exit 2 where there is none or the lens is made for its F.
void TestCommandLine::focusBest() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(int, focus);
    QFETCH(QString, says);
    const QString json = Path(QStringLiteral("best.json"));
    const Run run = Kymata(QStringList(arguments) << "--focus"
                                                  << "best"
                                                  << "--lang"
                                                  << "en"
                                                  << "--export" << json);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2((exitCode == 0 ? run.out : run.err).contains(says), qPrintable(run.out + run.err));
    if (exitCode != 0) {
        QCOMPARE(run.err.count(QLatin1Char('\n')), 1);
        // The sentence matches the exit: nothing is written, F is not "kept" for an export.
        QVERIFY2(run.err.contains(QStringLiteral("nothing is written"), Qt::CaseInsensitive),
                 qPrintable(run.err));
        QVERIFY(!QFile::exists(json));
        return;
    }
    QFile file(json);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(
        QJsonDocument::fromJson(file.readAll()).object()["controls"].toObject()["focus"].toInt(),
        focus);
    // The chosen F is the nearest whole step to the wave view's best focus (or the bar's end).
    const QString waves = Path(QStringLiteral("waves.json"));
    QStringList at = arguments;
    at.removeAll(QStringLiteral("--view"));
    at.removeAll(QStringLiteral("waves"));
    QCOMPARE(Kymata(QStringList(at) << "--view"
                                    << "waves"
                                    << "--focus" << QString::number(focus) << "--export" << waves)
                 .exitCode,
             0);
    QFile wavesFile(waves);
    QVERIFY(wavesFile.open(QIODevice::ReadOnly));
    const QJsonObject w = QJsonDocument::fromJson(wavesFile.readAll()).object()["waves"].toObject();
    const double behind = (w["bestFocus"].toDouble() - w["backFace"].toDouble()) / 5;
    QVERIFY2(std::abs(behind - focus) <= 0.5 || (focus == 50 && behind > 50),
             qPrintable(QString::number(behind)));
}

void TestCommandLine::messagesInTheUsersLanguage_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("says");
    const QStringList badSource{"--source", "3", "--export", "f.png"};
    const QString greekBadSource =
        QStringLiteral("--source: το «3» δεν είναι έγκυρο· δώστε ακέραιο από -200 έως -3\n");
    const QString englishBadSource =
        QStringLiteral("--source: '3' is not valid; give an integer from -200 to -3\n");
    QTest::newRow("Greek locale") << badSource << QStringList{"LANG=el_GR.UTF-8"} << 2
                                  << greekBadSource;
    QTest::newRow("--lang el, C locale")
        << (QStringList{"--lang", "el"} << badSource) << QStringList{} << 2 << greekBadSource;
    QTest::newRow("--lang en wins over a Greek locale")
        << (QStringList{"--lang=en"} << badSource) << QStringList{"LC_ALL=el_GR.UTF-8"} << 2
        << englishBadSource;
    QTest::newRow("a language the program lacks")
        << badSource << QStringList{"LANG=qps_QP.UTF-8"} << 2 << englishBadSource;
    QTest::newRow("LANGUAGE list")
        << badSource << QStringList{"LANG=en_US.UTF-8", "LANGUAGE=qps:el:en"} << 2
        << greekBadSource;
    QTest::newRow("C locale ignores LANGUAGE")
        << badSource << QStringList{"LC_ALL=C", "LANGUAGE=el"} << 2 << englishBadSource;
    QTest::newRow("an unwritable file, in Greek")
        << QStringList{"--export", "no/such/folder/f.png"} << QStringList{"LANG=el_GR.UTF-8"} << 1
        << QStringLiteral("το no/such/folder/f.png δεν μπορεί να γραφτεί: Δεν υπάρχει τέτοιο "
                          "αρχείο ή φάκελος\n");
    QTest::newRow("an unknown option, in Greek")
        << QStringList{"--colour", "red"} << QStringList{"LANG=el_GR.UTF-8"} << 2
        << QStringLiteral("άγνωστη επιλογή «--colour» (δείτε το --help για τις επιλογές)\n");
    QTest::newRow("help, in Greek") << QStringList{"--help"} << QStringList{"LANG=el_GR.UTF-8"} << 0
                                    << QStringLiteral("Χρήση: kymata [επιλογές]\n");
    QTest::newRow("an empty file name") << QStringList{"--export", ""} << QStringList{} << 2
                                        << QStringLiteral("--export: no file name was given\n");
}

// The command line speaks --lang's language, else the user's own as the locale variables name
// it, else English; the figure's default language stays Greek either way.
void TestCommandLine::messagesInTheUsersLanguage() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, environment);
    QFETCH(int, exitCode);
    QFETCH(QString, says);
    QList<std::pair<QString, QString>> variables;
    for (const QString& v : environment) {
        variables.append({v.section(QLatin1Char('='), 0, 0), v.section(QLatin1Char('='), 1)});
    }
    QTemporaryDir folder;
    const Run run = RunKymata(arguments, folder.path(), variables);
    QCOMPARE(run.exitCode, exitCode);
    const QString said = exitCode == 0 ? run.out : run.err;
    QVERIFY2(exitCode == 0 ? said.startsWith(says) : said == says, qPrintable(said));
}

// The man page's options are the command line's, in its order, with the same placeholders.
void TestCommandLine::manPageListsEveryOption() {
    QFile page(QStringLiteral(KYMATA_SOURCE_DIR "/data/kymata.1"));
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(page.readAll());
    const QString options =
        text.section(QStringLiteral(".SH OPTIONS\n"), 1).section(QStringLiteral(".SH "), 0, 0);
    QStringList listed;
    for (const QString& entry : options.split(QStringLiteral(".TP\n"), Qt::SkipEmptyParts)) {
        QString heading = entry.section(QLatin1Char('\n'), 0, 0);
        heading.remove(QRegularExpression(QStringLiteral("^\\.B[IR]? ")))
            .remove(QLatin1Char('\\'))
            .remove(QLatin1Char('"'));
        listed << heading.section(QStringLiteral(", "), -1).simplified();
    }
    const auto utf8 = [](std::string_view t) {
        return QString::fromUtf8(t.data(), qsizetype(t.size()));
    };
    QStringList expected;
    for (const CommandOption& option : CommandOptions()) {
        QString line = QStringLiteral("--") + utf8(option.name);
        if (option.value != OptionValue::None) {
            line += QLatin1Char(' ') + (option.valueName.empty()
                                            ? OptionWords(option).join(QLatin1Char('|'))
                                            : utf8(option.valueName));
        }
        expected << line;
    }
    if (listed != expected) {
        qWarning("data/kymata.1 lists other options than the program: run make docs to write them");
    }
    QCOMPARE(listed, expected);
}

void TestCommandLine::fileSizeLimitLeavesNothing_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("target");
    const QStringList waves{"--view", "waves"};
    QTest::newRow("png") << QStringList{"--export", "t.png"} << "t.png";
    QTest::newRow("svg") << QStringList{"--export", "t.svg"} << "t.svg";
    QTest::newRow("pdf") << QStringList{"--export", "t.pdf"} << "t.pdf";
    QTest::newRow("json") << QStringList{"--export", "t.json"} << "t.json";
    QTest::newRow("printed page, pdf") << QStringList{"--print-to", "t.pdf"} << "t.pdf";
    QTest::newRow("printed page, json") << QStringList{"--print-to", "t.json"} << "t.json";
    QTest::newRow("moving svg") << (waves + QStringList{"--animate", "--export", "t.svg"})
                                << "t.svg";
    QTest::newRow("lesson plan") << QStringList{"--lesson-plan", "t.pdf"} << "t.pdf";
    QTest::newRow("frames") << (waves + QStringList{"--frames", "4", "--export", "t"}) << "t";
}

// A file-size limit (ulimit -f, as on shared school servers) makes every kind of output fail
// with one sentence and exit 1: the old file untouched, no temporary file or folder left.
void TestCommandLine::fileSizeLimitLeavesNothing() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, target);
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath(target);
    const bool frames = arguments.contains(QStringLiteral("--frames"));
    if (!frames) {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    const Run run = RunKymata(arguments, folder.path(), {}, 2048);
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err, QStringLiteral("cannot write %1: File too large\n").arg(target));
    const QStringList left =
        QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    QCOMPARE(left, frames ? QStringList() : QStringList{target});
    if (!frames) {
        QFile old(path);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old"));
    }
}

void TestCommandLine::framesAllOrNothing_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("says");
    QTest::addColumn<int>("frames");
    QTest::newRow("a new folder") << "" << 0 << "" << 3;
    QTest::newRow("an empty folder") << "empty" << 0 << "" << 3;
    QTest::newRow("an earlier run's six frames")
        << "frames" << 0 << "held 6 frames of an earlier run; they are replaced" << 3;
    QTest::newRow("a folder with other files")
        << "others" << 1 << "the folder already holds other files" << -1;
    QTest::newRow("a file") << "file" << 1 << "it is a file, not a folder" << -1;
    QTest::newRow("a FIFO") << "fifo" << 1 << "it is a FIFO, not a folder" << -1;
}

// Frames go into a folder whole or not at all: never a sequence mixed with an earlier run's,
// never a half-written folder; every refusal says why and leaves what was there.
void TestCommandLine::framesAllOrNothing() {
    QFETCH(QString, before);
    QFETCH(int, exitCode);
    QFETCH(QString, says);
    QFETCH(int, frames);
    QTemporaryDir folder;
    const QString out = QDir(folder.path()).filePath(QStringLiteral("out"));
    if (before == QLatin1String("file")) {
        QFile f(out);
        QVERIFY(f.open(QIODevice::WriteOnly));
    } else if (before == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(out).constData(), 0600), 0);
    } else if (!before.isEmpty()) {
        QVERIFY(QDir().mkdir(out));
        for (int i = 0; before == QLatin1String("frames") && i < 6; ++i) {
            QFile f(QDir(out).filePath(QStringLiteral("frame-%1.png").arg(i, 3, 10, QChar('0'))));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        if (before == QLatin1String("others")) {
            QFile f(QDir(out).filePath(QStringLiteral("notes.txt")));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
    }
    const Run run = RunKymata(
        {"--view", "waves", "--frames", "3", "--size", "40", "--export", "out"}, folder.path());
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2((exitCode == 0 ? run.out : run.err).contains(says), qPrintable(run.out + run.err));
    if (frames >= 0) {
        QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"frame-000.png", "frame-001.png", "frame-002.png"}));
    } else if (before == QLatin1String("others")) {
        QCOMPARE(QDir(out).entryList(QDir::Files).size(), 1);
    }
    // Nothing of the run is left beside it.
    QCOMPARE(QDir(folder.path())
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QStringList{"out"});
}

// A name as long as the file system allows is written (the temporary name is short); a file
// with another name (a hard link) is replaced under this one alone, which is said.
void TestCommandLine::namesAndLinks() {
    QTemporaryDir folder;
    const QString longName = QString(251, QLatin1Char('a')) + QStringLiteral(".png");
    const Run written = RunKymata({"--size", "20", "--export", longName}, folder.path());
    QCOMPARE(written.exitCode, 0);
    QVERIFY(QFileInfo(QDir(folder.path()).filePath(longName)).size() > 0);
    const QString first = QDir(folder.path()).filePath(QStringLiteral("f.json"));
    const QString second = QDir(folder.path()).filePath(QStringLiteral("g.json"));
    {
        QFile f(first);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    QCOMPARE(::link(QFile::encodeName(first).constData(), QFile::encodeName(second).constData()),
             0);
    const Run linked = RunKymata({"--export", "f.json"}, folder.path());
    QCOMPARE(linked.exitCode, 0);
    QVERIFY2(linked.out.contains(QStringLiteral("f.json had 1 other name(s) (hard links)")),
             qPrintable(linked.out));
    QFile other(second);
    QVERIFY(other.open(QIODevice::ReadOnly));
    QCOMPARE(other.readAll(), QByteArray("old"));
    QVERIFY(QFileInfo(first).size() > 100);
}

void TestCommandLine::windowThatCannotOpen_data() {
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("says");
    QTest::newRow("a framebuffer that is not there")
        << "linuxfb" << QStringList{} << "(QT_QPA_PLATFORM is \"linuxfb\")";
    QTest::newRow("no DRM device") << "eglfs" << QStringList{} << "(QT_QPA_PLATFORM is \"eglfs\")";
    QTest::newRow("no EGL display")
        << "minimalegl" << QStringList{} << "(QT_QPA_PLATFORM is \"minimalegl\")";
    QTest::newRow("-display names the display tried")
        << "xcb" << QStringList{"-display", ":98"} << "the display \":98\" cannot be opened";
    QTest::newRow("a platform that does not exist")
        << "nowhere" << QStringList{} << "there is no windowing platform \"nowhere\"";
}

// A window start on a platform that cannot open a screen ends with exit 1 and one sentence
// naming what to check, never with the toolkit's abort.
void TestCommandLine::windowThatCannotOpen() {
    QFETCH(QString, platform);
    QFETCH(QStringList, arguments);
    QFETCH(QString, says);
    const QString plugin = QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                           QStringLiteral("/platforms/libq%1.so").arg(platform);
    if (platform != QLatin1String("nowhere") && !QFile::exists(plugin)) {
        QSKIP(qPrintable(QStringLiteral("the toolkit has no platform ") + platform));
    }
    const Run run = RunKymata(arguments << QStringLiteral("--lang") << QStringLiteral("en"), {},
                              {{QStringLiteral("QT_QPA_PLATFORM"), platform},
                               {QStringLiteral("DISPLAY"), QStringLiteral(":97")}});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.startsWith(QStringLiteral("kymata: the window cannot open: ")) &&
                 run.err.count(QLatin1Char('\n')) == 1 && run.err.contains(says),
             qPrintable(run.err));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
