#include "shell/toolkit_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace kymata {

namespace {

/// The translator installed now, and its language.
struct Installed {
    std::unique_ptr<QTranslator> translator;
    std::string language = "en";
};

Installed& Current() {
    static Installed installed;
    return installed;
}

/// The toolkit's texts in `language`: the program's own, else the system's; empty when neither
/// has them.
std::unique_ptr<QTranslator> TranslatorFor(std::string_view language) {
    auto translator = std::make_unique<QTranslator>();
    const QString name =
        QStringLiteral("qtbase_") +
        QString::fromUtf8(language.data(), static_cast<qsizetype>(language.size()));
    if (translator->load(name, QStringLiteral(":/i18n")) ||
        translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return translator;
    }
    if (language == "el") {
        qWarning("kymata: the Greek texts of the dialogs are missing from the program");
    }
    return nullptr;
}

} // namespace

void UseToolkitLanguage(std::string_view language) {
    Installed& now = Current();
    if (language == now.language) {
        return;
    }
    if (now.translator) {
        QCoreApplication::removeTranslator(now.translator.get());
        now.translator.reset();
    }
    now.language = "en";
    if (language != "en") {
        now.translator = TranslatorFor(language);
        if (now.translator) {
            QCoreApplication::installTranslator(now.translator.get());
            now.language = language;
        }
    }
    // The dialogs' dates and sizes follow the window's language too, not the system's: a Greek
    // window under an English locale shows «10/12/26» and «KiB», not "10 Dec 2026" and "bytes".
    static const QLocale system;
    const QLocale wanted(QString::fromStdString(now.language));
    QLocale::setDefault(wanted.language() == system.language() || now.language == "en" ? system
                                                                                       : wanted);
}

std::string ToolkitLanguage() {
    return Current().language;
}

} // namespace kymata
