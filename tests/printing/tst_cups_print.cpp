#include "shell/main_window.h"
#include "shell/startup.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <QMessageBox>

#include <memory>

#include <unistd.h>

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

/// Runs a command of the print service's administration (as root, or through sudo -n); true
/// when it succeeded.
bool Admin(const QStringList& command) {
    QProcess p;
    if (::geteuid() == 0) {
        p.start(command.front(), command.mid(1));
    } else {
        p.start(QStringLiteral("sudo"), QStringList{QStringLiteral("-n")} + command);
    }
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

/// Runs the script that started the print service with `action` ("pause", "resume") on its
/// state: it stops and starts only the service it started, by its process id.
bool Service(const char* action) {
    QProcess p;
    p.start(qEnvironmentVariable("KYMATA_CUPS_SERVICE"),
            {QLatin1String(action), qEnvironmentVariable("KYMATA_CUPS_STATE")});
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool ServiceAnswers() {
    return Run(QStringLiteral("lpstat"), {QStringLiteral("-r")})
        .contains(QLatin1String("is running"));
}

} // namespace

class TestCupsPrint : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void printsThroughTheQueue_data();
    void printsThroughTheQueue();
    void lateFailureAndASecondPrint();
    // Last: its last row stops the print service and starts it again.
    void refusedPagesAreReported_data();
    void refusedPagesAreReported();

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
    QSignalSpy finished(w.get(), &DHMIOYRGO_KYKLO::PrintFinished);
    QVERIFY(w->PrintOn(printer));
    // Said printed only once the print service says the job is printing or done.
    QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty(), 30000);
    QCOMPARE(finished.first().at(0).toBool(), false);
    QCOMPARE(finished.first().at(1).toString(), QString());

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

void TestCupsPrint::refusedPagesAreReported_data() {
    QTest::addColumn<QString>("trouble");
    QTest::addColumn<bool>("greek");
    QTest::addColumn<QString>("expected");
    QTest::newRow("a queue that rejects jobs") << "reject" << false << "does not accept jobs now";
    QTest::newRow("a queue that rejects jobs, in Greek")
        << "reject" << true << "δεν δέχεται εργασίες τώρα";
    QTest::newRow("a queue deleted while the dialog is open")
        << "delete" << false << "no longer exists in the print service";
    // Taken, then not printed: the job is followed to its end.
    QTest::newRow("a stopped queue") << "disable" << false << "has stopped";
    QTest::newRow("a stopped queue, in Greek") << "disable" << true << "έχει σταματήσει";
    QTest::newRow("a printer that fails, the job aborted")
        << "abort-job" << false << "gave up the page";
    QTest::newRow("a printer that fails and stops itself")
        << "stop-printer" << false << "has stopped";
    // A printer that prints for 5 s before it fails: the job is followed to that end.
    QTest::newRow("a printer that fails after 5 s")
        << "abort-job-late" << false << "gave up the page";
    QTest::newRow("a printer that fails after 5 s, in Greek")
        << "abort-job-late" << true << "εγκατέλειψε";
    // Last: the service is stopped, and started again afterwards.
    QTest::newRow("a print service that stopped") << "stop" << false << "does not answer";
}

void TestCupsPrint::refusedPagesAreReported() {
    QFETCH(QString, trouble);
    QFETCH(bool, greek);
    QFETCH(QString, expected);
    const QString queue = QStringLiteral("KymataTrouble");
    // A printer that fails every job, with the error policy of the row; else the PDF printer.
    const bool late = trouble == QLatin1String("abort-job-late");
    if (late) {
        trouble = QStringLiteral("abort-job");
    }
    const bool failing =
        trouble == QLatin1String("abort-job") || trouble == QLatin1String("stop-printer");
    QStringList add{QStringLiteral("lpadmin"),
                    QStringLiteral("-p"),
                    queue,
                    QStringLiteral("-v"),
                    !failing ? QStringLiteral("cups-pdf:/")
                    : late   ? QStringLiteral("kymata-fail:/5")
                             : QStringLiteral("kymata-fail:/"),
                    QStringLiteral("-E"),
                    QStringLiteral("-m"),
                    QStringLiteral("lsb/usr/cups-pdf/CUPS-PDF_opt.ppd")};
    if (failing) {
        add << QStringLiteral("-o") << QStringLiteral("printer-error-policy=") + trouble;
    }
    QVERIFY(Admin(add));
    const std::unique_ptr<DHMIOYRGO_KYKLO> w(Main());
    if (!greek) {
        QTest::mouseClick(w->findChild<QRadioButton*>(QStringLiteral("AGLIKA")), Qt::LeftButton);
    }
    // The printer as the dialog leaves it chosen; then the trouble, before the page is sent.
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(queue);
    QCOMPARE(printer.printerName(), queue);
    if (trouble == QLatin1String("reject")) {
        QVERIFY(Admin({QStringLiteral("cupsreject"), queue}));
    } else if (trouble == QLatin1String("disable")) {
        QVERIFY(Admin({QStringLiteral("cupsdisable"), QStringLiteral("-r"),
                       QStringLiteral("paused by the test"), queue}));
    } else if (failing) {
        // The page goes; the printer fails it.
    } else if (trouble == QLatin1String("delete")) {
        QVERIFY(Admin({QStringLiteral("lpadmin"), QStringLiteral("-x"), queue}));
    } else {
        // Only a service the tests started may be stopped.
        if (!Service("pause")) {
            Admin({QStringLiteral("lpadmin"), QStringLiteral("-x"), queue});
            QSKIP("the print service was running before the tests: it is not stopped");
        }
        QTRY_VERIFY_WITH_TIMEOUT(!ServiceAnswers(), 10000);
    }
    // The page is sent off the window's thread and its job followed; the end is said.
    QSignalSpy finished(w.get(), &DHMIOYRGO_KYKLO::PrintFinished);
    const bool sent = w->PrintOn(printer);
    QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty(), 30000);
    const bool failed = finished.first().at(0).toBool();
    auto* box = w->findChild<QMessageBox*>();
    const QString said = box ? box->text() : QString();
    if (box) {
        box->accept();
    }
    QCOMPARE(said, finished.first().at(1).toString());
    if (trouble == QLatin1String("stop")) {
        QVERIFY(Service("resume"));
        QTRY_VERIFY_WITH_TIMEOUT(ServiceAnswers(), 10000);
    }
    Admin({QStringLiteral("lpadmin"), QStringLiteral("-x"), queue});
    QVERIFY(sent);
    QVERIFY(failed);
    QVERIFY2(said.contains(expected) && said.contains(queue), qPrintable(said));
}

// While a job is followed, PRINT and "Print lesson plan…" say in one sentence that the last
// page is still being sent (no dialog waits, nothing is dropped unsaid); the job's end is said
// after that, though it came 5 s after the printer began.
void TestCupsPrint::lateFailureAndASecondPrint() {
    const QString queue = QStringLiteral("KymataSlow");
    QVERIFY(Admin({QStringLiteral("lpadmin"), QStringLiteral("-p"), queue, QStringLiteral("-v"),
                   QStringLiteral("kymata-fail:/5"), QStringLiteral("-E"), QStringLiteral("-m"),
                   QStringLiteral("lsb/usr/cups-pdf/CUPS-PDF_opt.ppd"), QStringLiteral("-o"),
                   QStringLiteral("printer-error-policy=abort-job")}));
    const std::unique_ptr<DHMIOYRGO_KYKLO> w(Main());
    QTest::mouseClick(w->findChild<QRadioButton*>(QStringLiteral("AGLIKA")), Qt::LeftButton);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(queue);
    QSignalSpy finished(w.get(), &DHMIOYRGO_KYKLO::PrintFinished);
    QElapsedTimer since;
    since.start();
    QVERIFY(w->PrintOn(printer));
    QTest::qWait(1500);
    QVERIFY2(finished.isEmpty(), qPrintable(finished.value(0).value(1).toString()));
    w->Command1_Click();
    w->PrintLessonPlan();
    QVERIFY(!w->PrintOn(printer));
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 3, 5000);
    for (const QList<QVariant>& said : finished) {
        QCOMPARE(said.at(0).toBool(), true);
        QVERIFY2(said.at(1).toString().startsWith(
                     QStringLiteral("The last page is still being sent to \"KymataSlow\"")),
                 qPrintable(said.at(1).toString()));
    }
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 4, 20000);
    const qint64 ended = since.elapsed();
    Admin({QStringLiteral("lpadmin"), QStringLiteral("-x"), queue});
    QVERIFY2(ended > 5000, qPrintable(QString::number(ended)));
    QCOMPARE(finished.last().at(0).toBool(), true);
    QVERIFY2(finished.last().at(1).toString().contains(QLatin1String("gave up the page")),
             qPrintable(finished.last().at(1).toString()));
    for (QMessageBox* box : w->findChildren<QMessageBox*>()) {
        box->accept();
    }
}

QTEST_MAIN(TestCupsPrint)
#include "tst_cups_print.moc"
