#pragma once

#include <QDialog>

#include <string_view>

class QTextBrowser;

namespace kymata {

/// The built-in guide: what the figure shows, what each mark, colour and number means, what each
/// control does, and how to save, print and present, with pictures drawn from the program's own
/// figures. It is part of the program and needs no network.
class GuideDialog final : public QDialog {
    Q_OBJECT

public:
    explicit GuideDialog(QWidget* parent = nullptr);

    /// Shows the guide in `language`: Greek or English, the English one for a language that
    /// has no guide of its own.
    void ShowLanguage(std::string_view language, const QString& title);
    /// The address of the page shown.
    QUrl Page() const;
    /// The text of the page shown, without its markup.
    QString PlainText() const;

private:
    QTextBrowser* browser_;
};

} // namespace kymata
