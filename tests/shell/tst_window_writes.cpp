// The window's saves over a write-protected file, and its prints to one: the window asks first,
// as an editor does; no keeps the file as it was and says so, yes replaces it and keeps its mode.

#include "shell/main_window.h"
#include "shell/startup.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPrinter>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

#include <sys/stat.h>

using namespace kymata;

class TestWindowWrites : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void writeProtectedIsAskedAbout_data();
    void writeProtectedIsAskedAbout();
};

void TestWindowWrites::writeProtectedIsAskedAbout_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    for (const char* name : {"figure.json", "plan.pdf", "page.pdf"}) {
        QTest::addRow("%s, no", name) << name << QMessageBox::No;
        QTest::addRow("%s, yes", name) << name << QMessageBox::Yes;
    }
}

void TestWindowWrites::writeProtectedIsAskedAbout() {
    QFETCH(QString, name);
    QFETCH(QMessageBox::StandardButton, answer);
    const QTemporaryDir dir;
    const QString path = dir.filePath(name);
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("kept");
    }
    // No write bit for anyone, so that root (which the system lets write anyway) sees it too.
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    const std::unique_ptr<DHMIOYRGO_KYKLO> w(Main());
    QTest::mouseClick(w->findChild<QRadioButton*>(QStringLiteral("AGLIKA")), Qt::LeftButton);
    QString asked;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        asked = box->text();
        box->button(answer)->click();
    });
    // The print dialog's "Print to file" too, which is no command line's --force.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    const bool saved = name == "plan.pdf"   ? w->SaveLessonPlan(path)
                       : name == "page.pdf" ? w->PrintOn(printer)
                                            : w->SaveFigure(path, 100);
    QCOMPARE(asked, path + QStringLiteral(" is write-protected. Replace it all the same?"));
    QCOMPARE(saved, answer == QMessageBox::Yes);
    QFile now(path);
    QVERIFY(now.open(QIODevice::ReadOnly));
    QCOMPARE(now.readAll() == "kept", answer == QMessageBox::No);
    struct stat after {};
    QCOMPARE(::stat(QFile::encodeName(path).constData(), &after), 0);
    QCOMPARE(int(after.st_mode & 07777), 0444);
    if (answer == QMessageBox::No) {
        auto* warned = w->findChild<QMessageBox*>();
        QVERIFY(warned && warned->text().contains(QLatin1String("you chose to keep it")));
    }
}

QTEST_MAIN(TestWindowWrites)
#include "tst_window_writes.moc"
