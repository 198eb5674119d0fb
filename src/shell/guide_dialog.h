#pragma once

#include <QDialog>

class QTextBrowser;

namespace kymata {

/// The built-in guide: what the figure shows, what each mark, colour and number means, what each
/// control does, and how to save, print and present, with pictures drawn from the program's own
/// figures. It is part of the program and needs no network.
class GuideDialog final : public QDialog {
    Q_OBJECT

public:
    explicit GuideDialog(QWidget* parent = nullptr);

    /// Shows the guide in Greek when `greek`, else in English.
    void ShowLanguage(bool greek, const QString& title);
    /// The address of the page shown.
    QUrl Page() const;
    /// The text of the page shown, without its markup.
    QString PlainText() const;

private:
    QTextBrowser* browser_;
};

} // namespace kymata
