#include "shell/main_window.h"
#include "shell/startup.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

#include <memory>

using namespace kymata;

namespace {

/// Where the PDF queue puts what it prints: the user's PDF folder, or the anonymous spool.
QStringList OutputFolders() {
    return {QDir::home().filePath(QStringLiteral("PDF")),
            QStringLiteral("/var/spool/cups-pdf/ANONYMOUS")};
}

QString NewestPdfSince(const QDateTime& since) {
    QString newest;
    QDateTime newestTime = since;
    for (const QString& folder : OutputFolders()) {
        const QFileInfoList files =
            QDir(folder).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files);
        for (const QFileInfo& f : files) {
            if (f.lastModified() >= newestTime && f.size() > 0) {
                newest = f.absoluteFilePath();
                newestTime = f.lastModified();
            }
        }
    }
    return newest;
}

QString Run(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestCupsPrint : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void printsThroughTheQueue_data();
    void printsThroughTheQueue();

private:
    QString queue_;
};

void TestCupsPrint::initTestCase() {
    QFile state(qEnvironmentVariable("KYMATA_CUPS_STATE"));
    if (!state.open(QIODevice::ReadOnly)) {
        QSKIP("the print service was not set up for this run");
    }
    const QString status = QString::fromUtf8(state.readLine()).trimmed();
    if (status != QLatin1String("ready")) {
        QSKIP(qPrintable(QStringLiteral("no print service: ") + status));
    }
    for (const QString& line : QString::fromUtf8(state.readAll()).split('\n')) {
        if (line.startsWith(QLatin1String("queue="))) {
            queue_ = line.mid(6);
        }
    }
    QVERIFY(!queue_.isEmpty());
}

void TestCupsPrint::printsThroughTheQueue_data() {
    QTest::addColumn<bool>("hyperbola");
    QTest::addColumn<QColor>("stroke");
    // The spherical page has its blue lens surface, the hyperbolic one its magenta back mark.
    QTest::newRow("spherical") << false << QColor(0, 0, 255);
    QTest::newRow("hyperbolic") << true << QColor(255, 5, 250);
}

void TestCupsPrint::printsThroughTheQueue() {
    QFETCH(bool, hyperbola);
    QFETCH(QColor, stroke);
    const std::unique_ptr<DHMIOYRGO_KYKLO> w(Main());
    QTest::mouseClick(w->findChild<QRadioButton*>(QStringLiteral("AGLIKA")), Qt::LeftButton);
    if (hyperbola) {
        QTest::mouseClick(w->findChild<QCheckBox*>(QStringLiteral("YPERVOLIKO")), Qt::LeftButton);
    }
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(queue_);
    QCOMPARE(printer.printerName(), queue_);
    QVERIFY(w->PrintOn(printer));

    QString pdf;
    QTRY_VERIFY_WITH_TIMEOUT(!(pdf = NewestPdfSince(before)).isEmpty(), 60000);
    QTest::qWait(500); // let the queue finish writing
    const QString info = Run(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))), qPrintable(info));
    // The printed texts went through the queue as fonts of the page.
    const QString fonts = Run(QStringLiteral("pdffonts"), {pdf});
    QVERIFY2(fonts.count(QLatin1Char('\n')) >= 3, qPrintable(fonts));
    // The figure is on it: ink of the construction's colours across the page.
    const QString image = QDir::temp().filePath(QStringLiteral("kymata-cups-page"));
    Run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-singlefile"),
         QStringLiteral("-png"), pdf, image});
    const QImage page(image + QStringLiteral(".png"));
    QVERIFY(!page.isNull());
    int dark = 0;
    int coloured = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            dark += qGray(c.rgb()) < 100;
            coloured += std::abs(c.red() - stroke.red()) < 90 &&
                        std::abs(c.green() - stroke.green()) < 90 &&
                        std::abs(c.blue() - stroke.blue()) < 90 && qGray(c.rgb()) < 200;
        }
    }
    QVERIFY2(dark > page.width() * page.height() / 100, qPrintable(QString::number(dark)));
    QVERIFY2(coloured > 10, qPrintable(QString::number(coloured)));
    QFile::remove(image + QStringLiteral(".png"));
    QFile::remove(pdf);
}

QTEST_MAIN(TestCupsPrint)
#include "tst_cups_print.moc"
