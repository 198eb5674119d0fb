#include "shell/window_help.h"

#include "figure/control_texts.h"
#include "shell/guide_dialog.h"
#include "shell/window_texts.h"

#include <QMessageBox>
#include <QScreen>

namespace kymata {

void WindowHelp::ShowGuide(std::string_view language) {
    if (!guide_) {
        guide_ = new GuideDialog(&window_);
        // On the screen whole, however small it is.
        if (const QScreen* shown = window_.screen()) {
            const QSize room = shown->availableGeometry().size() * 0.9;
            guide_->resize(guide_->size().boundedTo(room));
        }
    }
    guide_->ShowLanguage(language, Q(ControlTextsFor(language).helpTitle));
    guide_->show();
    guide_->raise();
    guide_->activateWindow();
}

void WindowHelp::FollowLanguage(std::string_view language) {
    if (guide_ && guide_->isVisible()) {
        guide_->ShowLanguage(language, Q(ControlTextsFor(language).helpTitle));
    }
}

void WindowHelp::ShowAbout(std::string_view language) {
    const ControlTexts texts = ControlTextsFor(language);
    auto* box = new QMessageBox(QMessageBox::Information, Q(texts.aboutTitle),
                                Q(texts.aboutText).arg(QStringLiteral(KYMATA_VERSION)),
                                QMessageBox::Ok, &window_);
    box->setObjectName(QStringLiteral("about"));
    box->setIconPixmap(window_.windowIcon().pixmap(64, 64));
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace kymata
