#include "construction/controls.h"
#include "drawing/worksheet.h"
#include "export/figure_export.h"
#include "export/page_output.h"
#include "figure/draw_construction.h"
#include "figure/figure_document.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace kymata;

namespace {

QJsonObject Parse(const std::string& json) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
}

QJsonObject Document(const FigureContent& content) {
    return Parse(FigureJson(content.controls, content.labels, content.canvas, std::nullopt,
                            content.worksheet));
}

/// True for a text that a worksheet shows with its number blanked.
bool IsBlanked(const QString& normal, const QString& sheet) {
    const qsizetype equals = normal.lastIndexOf(QLatin1Char('='));
    if (equals < 0 || !sheet.endsWith(QLatin1String(WorksheetBlank))) {
        return false;
    }
    return sheet.left(equals + 1) == normal.left(equals + 1) && sheet != normal;
}

} // namespace

class TestWorksheet : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void blankCount_data();
    void blankCount();
    void differsOnlyInTheCounts_data();
    void differsOnlyInTheCounts();
    void printedWorksheet();
};

void TestWorksheet::blankCount_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("blanked");
    QTest::newRow("ray label") << "#L = 14.0"
                               << "#L = ____";
    QTest::newRow("hyperbolic count") << "'total number of wavelengths from source to focus=45.00"
                                      << "'total number of wavelengths from source to focus=____";
    QTest::newRow("Greek count") << " αριθμός κυμάτων από πίσω μέρος σε εστία=5.00"
                                 << " αριθμός κυμάτων από πίσω μέρος σε εστία=____";
    QTest::newRow("no equals sign") << "15"
                                    << "____";
}

void TestWorksheet::blankCount() {
    QFETCH(QString, text);
    QFETCH(QString, blanked);
    QCOMPARE(QString::fromStdString(BlankCount(text.toStdString())), blanked);
}

void TestWorksheet::differsOnlyInTheCounts_data() {
    QTest::addColumn<bool>("hyperbola");
    QTest::addColumn<int>("source");
    QTest::addColumn<int>("blanks");
    QTest::addColumn<int>("dropped");
    QTest::newRow("spherical, start") << false << -20 << 13 << 20;
    QTest::newRow("spherical, far source") << false << -200 << 17 << 20;
    QTest::newRow("hyperbolic") << true << -20 << 4 << 0;
}

void TestWorksheet::differsOnlyInTheCounts() {
    QFETCH(bool, hyperbola);
    QFETCH(int, source);
    QFETCH(int, blanks);
    QFETCH(int, dropped);
    Controls c;
    c.YPERVOLIKO = hyperbola;
    c.initial_POINT = source;
    const QJsonObject normal = Document(DrawFigureContent(c));
    const QJsonObject sheet = Document(DrawFigureContent(c, true));
    QVERIFY(!normal.contains("worksheet"));
    QCOMPARE(sheet["worksheet"].toBool(), true);
    QCOMPARE(sheet["controls"], normal["controls"]);
    QCOMPARE(sheet["labels"], normal["labels"]);
    QCOMPARE(sheet["canvas"].toObject()["scale"], normal["canvas"].toObject()["scale"]);

    // Item by item: the same but for blanked counts and the axis numbering left out.
    const QJsonArray a = normal["canvas"].toObject()["items"].toArray();
    const QJsonArray b = sheet["canvas"].toObject()["items"].toArray();
    int i = 0;
    int j = 0;
    int blanked = 0;
    int left = 0;
    while (i < a.size()) {
        const QJsonObject x = a[i].toObject();
        const QJsonObject y = j < b.size() ? b[j].toObject() : QJsonObject();
        if (x == y) {
            ++i;
            ++j;
            continue;
        }
        QCOMPARE(x["type"].toString(), QStringLiteral("text"));
        if (!y.isEmpty() && IsBlanked(x["text"].toString(), y["text"].toString())) {
            QJsonObject rest = y;
            rest["text"] = x["text"];
            QCOMPARE(rest, x); // nothing else about the text changed
            ++blanked;
            ++i;
            ++j;
            continue;
        }
        // An axis number: a whole number in the small axis font, not on the worksheet.
        QCOMPARE(x["size"].toDouble(), 6.0);
        bool isNumber = false;
        x["text"].toString().toInt(&isNumber);
        QVERIFY(isNumber);
        ++left;
        ++i;
    }
    QCOMPARE(j, b.size());
    QCOMPARE(blanked, blanks);
    QCOMPARE(left, dropped);
}

void TestWorksheet::printedWorksheet() {
    Controls c;
    c.ELLINIKA = false;
    Scene scene;
    Labels labels;
    RecordingSurface canvas;
    DrawConstruction(c, scene, labels, canvas);
    PrinterPage page(PrintToPrintableMm());
    PrintConstruction(c, scene, labels, canvas, page);
    const Recording sheet = Worksheet(page.Figure());
    QStringList texts;
    for (const Item& item : sheet.items) {
        if (const auto* t = std::get_if<TextItem>(&item); t && t->size == 9) {
            texts << QString::fromStdString(t->text);
        }
    }
    QCOMPARE(texts, (QStringList{"LENS WIDTH = 100 # of Waves = 20.00", "  X0 =20 Wavelengths",
                                 " Focus point = 5", " n = 1.5",
                                 " total number of wavelengths from source to focus=____",
                                 " total number of wavelengths from end back of lens to "
                                 "focus=____"}));
}

QTEST_APPLESS_MAIN(TestWorksheet)
#include "tst_worksheet.moc"
