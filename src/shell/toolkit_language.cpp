#include "shell/toolkit_language.h"

#include <QCoreApplication>
#include <QTranslator>

namespace kymata {

namespace {

QTranslator& Greek() {
    static QTranslator* translator = [] {
        auto* t = new QTranslator(QCoreApplication::instance());
        if (!t->load(QStringLiteral(":/i18n/qtbase_el.qm"))) {
            qWarning("kymata: the Greek texts of the dialogs are missing from the program");
        }
        return t;
    }();
    return *translator;
}

bool& Installed() {
    static bool installed = false;
    return installed;
}

} // namespace

void UseToolkitLanguage(bool greek) {
    if (greek == Installed()) {
        return;
    }
    if (greek) {
        QCoreApplication::installTranslator(&Greek());
    } else {
        QCoreApplication::removeTranslator(&Greek());
    }
    Installed() = greek;
}

bool ToolkitSpeaksGreek() {
    return Installed();
}

} // namespace kymata
