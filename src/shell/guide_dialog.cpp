#include "shell/guide_dialog.h"

#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace kymata {

GuideDialog::GuideDialog(QWidget* parent) : QDialog(parent), browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("guide"));
    browser_->setObjectName(QStringLiteral("guideText"));
    // The guide's own links stay in the guide; nothing is fetched from anywhere else.
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(false);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_);
    layout->addWidget(buttons);
    resize(760, 820);
}

void GuideDialog::ShowLanguage(std::string_view language, const QString& title) {
    // A language without a guide of its own shows the English one.
    const QUrl page(language == "el" ? QStringLiteral("qrc:/guide/guide-el.html")
                                     : QStringLiteral("qrc:/guide/guide-en.html"));
    setWindowTitle(title);
    if (browser_->source() != page) {
        browser_->setSource(page);
    }
}

QUrl GuideDialog::Page() const {
    return browser_->source();
}

QString GuideDialog::PlainText() const {
    return browser_->toPlainText();
}

} // namespace kymata
