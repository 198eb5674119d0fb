#pragma once

#include <QAbstractFileIconProvider>
#include <QObject>

class QCoreApplication;

namespace kymata {

/// File icons and type names from what a name is (a folder or a file), never from what is in
/// it. The toolkit's own provider reads a file's first bytes to guess its type, and a file of
/// the kernel (typed as /proc/ in a file dialog) can keep such a read waiting for ever, with the
/// whole window.
class PlainFileIcons final : public QAbstractFileIconProvider {
public:
    QIcon icon(IconType type) const override;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;
};

/// Gives every file dialog of the application, and every file-name completer in a dialog (as
/// the print dialog's "print to file" has), the plain icons before it is shown: the window's own
/// dialogs and those the toolkit opens (the print dialog's browse button) alike.
class PlainFileIconsForDialogs final : public QObject {
public:
    explicit PlainFileIconsForDialogs(QCoreApplication* application);

    /// The provider the dialogs get.
    const PlainFileIcons& Icons() const { return icons_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PlainFileIcons icons_;
};

} // namespace kymata
