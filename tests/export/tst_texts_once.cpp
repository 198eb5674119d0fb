// Every text once in every file: the halo that keeps a text readable over the rays is a path
// under it, never copies of the text, so that the printed page's and the figure's PDF read
// each line once and the SVG holds one text element a text; on the screen the halo is there,
// the same at every redraw.

#include "drawing/recording_surface.h"
#include "export/kymata_process.h"
#include "export/painter_surface.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace kymata;

namespace {

/// The texts of a recording in a figure document (its "canvas" or its "page").
QStringList TextsOf(const QString& json, const QString& part) {
    QFile file(json);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QStringList texts;
    const QJsonArray items =
        QJsonDocument::fromJson(file.readAll()).object()[part].toObject()["items"].toArray();
    for (const QJsonValue& item : items) {
        if (item["type"].toString() == QLatin1String("text")) {
            texts << item["text"].toString();
        }
    }
    return texts;
}

/// The letters of `text`, spaces left out and ligatures read as their letters.
qsizetype Letters(const QString& text) {
    const QString plain = text.normalized(QString::NormalizationForm_KC);
    return std::count_if(plain.begin(), plain.end(), [](QChar c) { return !c.isSpace(); });
}

} // namespace

class TestTextsOnce : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void eachTextOnce_data();
    void eachTextOnce();
    void haloOnTheScreen();
};

void TestTextsOnce::eachTextOnce_data() {
    QTest::addColumn<QString>("output");
    QTest::addColumn<QStringList>("scene");
    for (const char* output : {"--print-to", "--export"}) {
        QTest::addRow("%s, spherical", output) << output << QStringList{"--lang", "en"};
        QTest::addRow("%s, hyperbolic, Greek", output) << output << QStringList{"--hyperbola"};
        QTest::addRow("%s, wave view", output) << output << QStringList{"--view", "waves"};
    }
}

// The PDF holds as many letters as the recording's texts and its longest text once; the SVG's
// text elements hold the recording's letters, once.
void TestTextsOnce::eachTextOnce() {
    QFETCH(QString, output);
    QFETCH(QStringList, scene);
    const QTemporaryDir dir;
    const QString json = dir.filePath(QStringLiteral("f.json"));
    QCOMPARE(RunKymata(QStringList{output, json} + scene).exitCode, 0);
    const QStringList texts =
        TextsOf(json, output == QLatin1String("--export") ? QStringLiteral("canvas")
                                                          : QStringLiteral("page"));
    QVERIFY(!texts.isEmpty());
    const QString longest =
        *std::max_element(texts.begin(), texts.end(),
                          [](const QString& a, const QString& b) { return a.size() < b.size(); });

    const QString pdf = dir.filePath(QStringLiteral("f.pdf"));
    QCOMPARE(RunKymata(QStringList{output, pdf} + scene).exitCode, 0);
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
    if (!text.waitForFinished(60000) || text.exitCode() != 0) {
        QSKIP("pdftotext (poppler-utils) is not installed");
    }
    const QString read = QString::fromUtf8(text.readAllStandardOutput());
    const qsizetype recorded = Letters(texts.join(QString()));
    QVERIFY2(Letters(read) <= recorded + recorded / 10 && Letters(read) >= recorded * 9 / 10,
             qPrintable(QStringLiteral("%1 letters read, %2 recorded:\n%3")
                            .arg(Letters(read))
                            .arg(recorded)
                            .arg(read)));
    const QString simplified = read.normalized(QString::NormalizationForm_KC).simplified();
    QCOMPARE(simplified.count(longest.simplified()), texts.count(longest));

    if (output == QLatin1String("--export")) {
        const QString svg = dir.filePath(QStringLiteral("f.svg"));
        QCOMPARE(RunKymata(QStringList{output, svg} + scene).exitCode, 0);
        QFile file(svg);
        QVERIFY(file.open(QIODevice::ReadOnly));
        // A text whose letters come from two fonts is two text elements, each of its part.
        QXmlStreamReader xml(&file);
        QString written;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement &&
                xml.name() == QLatin1String("text")) {
                written += xml.readElementText(QXmlStreamReader::IncludeChildElements);
            }
        }
        QCOMPARE(Letters(written), recorded);
    }
}

// A text on black has a white ring round its letters, drawn alike at the first redraw and at
// the next, when the haloed text is reused.
void TestTextsOnce::haloOnTheScreen() {
    RecordingSurface recording;
    recording.Scale(0, 0, 100, 100);
    recording.DrawWidth = 400;
    recording.Line(0, 50, 100, 50, Rgb{0, 0, 0});
    recording.FontSize = 40;
    recording.ForeColor = {0, 0, 0};
    recording.CurrentX = 10;
    recording.CurrentY = 60;
    recording.Print("Halo");
    const auto paint = [&] {
        QImage image(200, 200, QImage::Format_ARGB32);
        QPainter painter(&image);
        PainterSurface surface(painter, QRectF(0, 0, 200, 200));
        Replay(recording.Figure(), surface);
        return image;
    };
    const QImage first = paint();
    // The black stroke covers the rows 60 to 140; the text stands on it from row 120.
    int white = 0;
    for (int y = 65; y < 135; ++y) {
        for (int x = 0; x < first.width(); ++x) {
            white += qGray(first.pixel(x, y)) > 200;
        }
    }
    QVERIFY2(white > 30, qPrintable(QString::number(white)));
    QCOMPARE(paint(), first);
}

QTEST_MAIN(TestTextsOnce)
#include "tst_texts_once.moc"
