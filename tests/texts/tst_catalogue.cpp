// The message catalogues: every shipped language has every message, with the placeholders of
// its English source; every key the code asks for exists; faulty catalogues are refused; and no
// Greek text is left in the sources, outside the catalogues.

#include "construction/controls.h"
#include "construction/views.h"
#include "texts/catalogue.h"
#include "texts/po_file.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <map>
#include <set>

using namespace kymata;
using namespace kymata::texts;

namespace {

/// The messages of a language by key.
std::map<std::string, PoMessage> MessagesOf(const std::string& code) {
    std::map<std::string, PoMessage> byKey;
    for (PoMessage& m : ReadPo(CatalogueSource(code)).messages) {
        byKey.emplace(m.key, m);
    }
    return byKey;
}

/// The texts a catalogue may hold the same in every language: a language named in itself, and
/// an option's name before the sentence that follows it, and key names.
const std::set<std::string> SameEverywhere{"caption.english", "page.speedKeys"};

QStringList SourceFiles() {
    QStringList files;
    QDirIterator it(QStringLiteral(KYMATA_SOURCE_DIR "/src"),
                    {QStringLiteral("*.cpp"), QStringLiteral("*.h"), QStringLiteral("*.js"),
                     QStringLiteral("*.html")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        files << it.next();
    }
    return files;
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyLanguageReads();
    void everyMessageTranslated_data();
    void everyMessageTranslated();
    void faultyCatalogues_data();
    void faultyCatalogues();
    void everyKeyUsedExists();
    void everyKeyIsUsed();
    void everyViewNamed();
    void noGreekOutsideTheCatalogues();
    void noEnglishOutsideTheCatalogues();
    void lookUp();
};

// The languages of the build's list, Greek and English first; each catalogue reads whole.
void TestCatalogue::everyLanguageReads() {
    const std::vector<std::string> languages = CatalogueLanguages();
    QVERIFY(languages.size() >= 2);
    QVERIFY(std::find(languages.begin(), languages.end(), "el") != languages.end());
    QVERIFY(std::find(languages.begin(), languages.end(), "en") != languages.end());
    for (const std::string& code : languages) {
        const PoFile po = ReadPo(CatalogueSource(code));
        QVERIFY2(po.error.empty(), (code + ": " + po.error).c_str());
        QVERIFY(po.messages.size() > 100);
    }
}

void TestCatalogue::everyMessageTranslated_data() {
    QTest::addColumn<QString>("language");
    for (const std::string& code : CatalogueLanguages()) {
        QTest::newRow(code.c_str()) << QString::fromStdString(code);
    }
}

// Each language has no key that English lacks, the English source texts, and in every
// translated message the source's placeholders. Greek and English, the languages of the
// GREEK/ENGLISH switch, translate every message, Greek with a text of its own where it is not
// English; another language may be translated in part: what it lacks shows in English, as
// gettext does, and is listed, not failed. Every fault of a catalogue is listed at once.
void TestCatalogue::everyMessageTranslated() {
    QFETCH(QString, language);
    const std::string code = language.toStdString();
    const bool whole = code == "el" || code == "en";
    const auto english = MessagesOf("en");
    const auto messages = MessagesOf(code);
    QStringList faults;
    QStringList untranslated;
    for (const auto& [key, m] : english) {
        const auto found = messages.find(key);
        const QString name = QString::fromStdString(key);
        if (found == messages.end() || found->second.text.empty()) {
            (whole ? faults : untranslated) << QStringLiteral("no translation of ") + name;
            continue;
        }
        const PoMessage& t = found->second;
        if (t.source != m.source) {
            faults << QStringLiteral("another source text for ") + name;
        }
        auto want = Placeholders(m.source);
        auto have = Placeholders(t.text);
        std::sort(want.begin(), want.end());
        std::sort(have.begin(), have.end());
        if (want != have) {
            faults << QStringLiteral("other placeholders in ") + name;
        }
        if (code != "en" && !SameEverywhere.contains(key) && t.text == m.text) {
            (code == "el" ? faults : untranslated) << QStringLiteral("left in English: ") + name;
        }
    }
    for (const auto& [key, t] : messages) {
        if (!english.contains(key)) {
            faults << QStringLiteral("a key English lacks: ") + QString::fromStdString(key);
        }
    }
    if (!untranslated.isEmpty()) {
        qInfo("%s: %lld messages show in English:\n%s", qPrintable(language),
              static_cast<long long>(untranslated.size()), qPrintable(untranslated.join('\n')));
    }
    QVERIFY2(faults.isEmpty(), qPrintable(language + QStringLiteral(":\n") + faults.join('\n')));
}

void TestCatalogue::faultyCatalogues_data() {
    QTest::addColumn<QString>("po");
    QTest::addColumn<QString>("error");
    QTest::newRow("reads") << "msgctxt \"a\"\nmsgid \"A\"\nmsgstr \"α\"\n"
                           << "";
    QTest::newRow("continued lines")
        << "#, flag\nmsgctxt \"a\"\nmsgid \"\"\n\"A \\\"b\\\"\\n\"\nmsgstr \"α\"\n\"β\"\n"
        << "";
    QTest::newRow("unclosed quote") << "msgctxt \"a\"\nmsgid \"A\nmsgstr \"α\"\n"
                                    << "line 2: the quoted text is not closed or has an "
                                       "unknown escape";
    QTest::newRow("unknown escape") << "msgctxt \"a\"\nmsgid \"A\\q\"\nmsgstr \"α\"\n"
                                    << "line 2: the quoted text is not closed or has an "
                                       "unknown escape";
    QTest::newRow("plural") << "msgctxt \"a\"\nmsgid \"A\"\nmsgid_plural \"As\"\n"
                            << "line 3: plural forms are not used in these catalogues";
    QTest::newRow("msgstr alone") << "msgctxt \"a\"\nmsgstr \"α\"\n"
                                  << "line 2: msgstr without its msgid";
    QTest::newRow("stray line") << "msgctxt \"a\"\nmsgid \"A\"\nmsgstr \"α\"\nnonsense\n"
                                << "line 4: a line that is neither a comment, a keyword nor a "
                                   "quoted text";
}

void TestCatalogue::faultyCatalogues() {
    QFETCH(QString, po);
    QFETCH(QString, error);
    const PoFile file = ReadPo(po.toStdString());
    QCOMPARE(QString::fromStdString(file.error), error);
    if (error.isEmpty()) {
        QCOMPARE(file.messages.size(), std::size_t(1));
        QCOMPARE(file.messages[0].key, std::string("a"));
        QVERIFY(file.messages[0].text.starts_with("α"));
    }
}

// Every key that a source names in the catalogue's form (a family, a dot, a name) outside its
// comments exists.
void TestCatalogue::everyKeyUsedExists() {
    const auto english = MessagesOf("en");
    static const QRegularExpression key(QStringLiteral(
        "\"((?:classic|hyperbolic|spherical|window|caption|describe|ledger|waves|cli|start|"
        "write|export|system|list|language|bestFocus|print|lesson|stage|figure|page|web)\\.[A-Za-"
        "z0-9.-]*"
        "[A-"
        "Za-z0-9])\""));
    int found = 0;
    for (const QString& path : SourceFiles()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QString text;
        for (const QByteArray& line : file.readAll().split('\n')) {
            if (!line.trimmed().startsWith("//")) {
                text += QString::fromUtf8(line) + QLatin1Char('\n');
            }
        }
        for (const QRegularExpressionMatch& m : key.globalMatch(text)) {
            ++found;
            QVERIFY2(english.contains(m.captured(1).toStdString()),
                     qPrintable(path + QStringLiteral(": ") + m.captured(1)));
        }
    }
    QVERIFY(found > 100);
}

// Every key of the catalogue is used: a source names it whole, or names the family it belongs to
// ("lesson.", "cli.option.") where the code composes keys from a table. A key left behind when
// its text is no longer said, or misspelt, fails here, each one listed.
void TestCatalogue::everyKeyIsUsed() {
    QString sources;
    for (const QString& path : SourceFiles()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        sources += QString::fromUtf8(file.readAll());
    }
    QStringList unused;
    for (const auto& [key, m] : MessagesOf("en")) {
        QString family = QString::fromStdString(key);
        bool used = sources.contains(QLatin1Char('"') + family + QLatin1Char('"'));
        for (qsizetype dot = family.lastIndexOf(QLatin1Char('.')); !used && dot > 0;
             dot = family.lastIndexOf(QLatin1Char('.'))) {
            family.truncate(dot);
            used = sources.contains(QLatin1Char('"') + family + QStringLiteral(".\""));
        }
        if (!used) {
            unused << QString::fromStdString(key);
        }
    }
    QVERIFY2(unused.isEmpty(),
             qPrintable(QStringLiteral("keys no code uses:\n") + unused.join('\n')));
}

// The View menu names each view of the table from the catalogue, differently in each
// language: a new view without its name fails here.
void TestCatalogue::everyViewNamed() {
    for (const ViewTraits& row : ViewNames) {
        const std::string key = "view." + std::string(row.name);
        const std::string_view greek = Text(key, "el");
        const std::string_view english = Text(key, "en");
        QVERIFY2(english != key && greek != english, key.c_str());
    }
}

// A Greek letter in a string of the sources is a text outside the catalogues.
void TestCatalogue::noGreekOutsideTheCatalogues() {
    static const QRegularExpression greekLiteral(
        QStringLiteral("[\"`'][^\"`'\\n]*[\\x{0370}-\\x{03FF}][^\"`'\\n]*[\"`']"));
    for (const QString& path : SourceFiles()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        int line = 0;
        for (const QByteArray& bytes : file.readAll().split('\n')) {
            ++line;
            const QString text = QString::fromUtf8(bytes).trimmed();
            if (text.startsWith(QLatin1String("//")) || text.startsWith(QLatin1String("///"))) {
                continue;
            }
            QVERIFY2(!greekLiteral.match(text).hasMatch(),
                     qPrintable(QStringLiteral("%1:%2: %3").arg(path).arg(line).arg(text)));
        }
    }
}

// A string of the sources that reads as English words (two words, or one capitalised word) is
// a text outside the catalogues, unless it is one of these: names (fonts, the program, keys),
// the toolkit's own messages that the start recognises, texts for developers (the proof rig's
// findings, the catalogue reader's faults, an error between the page and its module).
void TestCatalogue::noEnglishOutsideTheCatalogues() {
    const std::vector<std::pair<QString, QString>> allowed{
        {"", "Times New Roman"},
        {"", "DejaVu Sans"},
        {"", "Arial"},
        {"", "Kymata"},
        {"/src/construction/number_format.cpp", "Infinity"},
        {"/src/figure/sweep_checks.cpp", ""},
        {"/src/texts/po_file.cpp", ""},
        {"/src/shell/main.cpp", "display"},
        {"/src/shell/main.cpp", "platform plugin"},
        {"/src/shell/main.cpp", "XDG_RUNTIME_DIR"},
        {"/src/shell/toolkit_language.cpp", "kymata: the Greek texts of the dialogs"},
        {"/src/shell/file_icons.cpp", "Folder"},
        {"/src/shell/file_icons.cpp", "File"},
        {"/src/shell/file_icons.cpp", "is a file name suffix"},
        {"/src/web/bindings/module.cpp", "no such step of the lesson"},
        {"/src/web/page/page-controls.js", "Escape"},
        {".js", "use strict"},
        {"/src/web/page/index.html", ""},
    };
    static const QRegularExpression literal(
        QStringLiteral("\"((?:[^\"\\\\\\n]|\\\\.)*)\"|'((?:[^'\\\\\\n]|\\\\.)*)'|`((?:[^`\\\\]|"
                       "\\\\.)*)`"));
    static const QRegularExpression words(
        QStringLiteral("[A-Za-z]{2,} +[A-Za-z]{2,}|^[A-Z][a-z]{2,}[.:!?…]?$"));
    int scanned = 0;
    for (const QString& path : SourceFiles()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const bool cpp = path.endsWith(QLatin1String(".cpp")) || path.endsWith(QLatin1String(".h"));
        int line = 0;
        for (const QByteArray& bytes : file.readAll().split('\n')) {
            ++line;
            const QString text = QString::fromUtf8(bytes);
            const QString trimmed = text.trimmed();
            if (trimmed.startsWith(QLatin1String("//")) || trimmed.startsWith(QLatin1Char('*')) ||
                trimmed.startsWith(QLatin1String("/*")) || trimmed.startsWith(QLatin1String("#"))) {
                continue;
            }
            // A comment after the code ends what is scanned.
            const qsizetype comment = text.indexOf(QLatin1String(" // "));
            for (const QRegularExpressionMatch& m : literal.globalMatch(text)) {
                if (comment >= 0 && m.capturedStart() > comment) {
                    break;
                }
                // In C++ only double quotes make strings; a quote mark between them is a letter.
                const QString string =
                    cpp ? m.captured(1) : m.captured(1) + m.captured(2) + m.captured(3);
                if ((cpp && m.captured(1).isNull()) || string.startsWith(QLatin1Char('<'))) {
                    continue;
                }
                ++scanned;
                if (!words.match(string).hasMatch()) {
                    continue;
                }
                const bool isAllowed =
                    std::any_of(allowed.begin(), allowed.end(), [&](const auto& a) {
                        return path.endsWith(a.first) && string.contains(a.second);
                    });
                QVERIFY2(
                    isAllowed,
                    qPrintable(QStringLiteral("%1:%2: \"%3\"").arg(path).arg(line).arg(string)));
            }
        }
    }
    QVERIFY(scanned > 1000);
}

// Lookups: the language's text, placeholders filled in order, a missing key shown as itself.
void TestCatalogue::lookUp() {
    QCOMPARE(std::string(Text("caption.print", "el")), std::string("ΕΚΤΥΠΩΣΗ"));
    QCOMPARE(std::string(Text("caption.print", "en")), std::string("PRINT"));
    QCOMPARE(Text("classic.readout.thickness", "el", {"100", "20.00"}),
             std::string("Φάρδος Φακού = 100 # κυμάτων = 20.00"));
    QCOMPARE(std::string(Text("no.such.key", "en")), std::string("no.such.key"));
    QCOMPARE(FillPlaceholders("%2 and %1, %3 stays", {"a", "b"}), std::string("b and a, %3 stays"));
}

QTEST_APPLESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
