#include "shell/file_icons.h"

#include <QApplication>
#include <QCompleter>
#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QStyle>

namespace kymata {

QIcon PlainFileIcons::icon(IconType type) const {
    // The icon theme's, where there is one; else the widget style's own, which is never empty:
    // a dialog scales each icon, and an empty one would be complained of on stderr.
    const QIcon themed = QAbstractFileIconProvider::icon(type);
    if (!themed.isNull() && !themed.availableSizes().isEmpty()) {
        return themed;
    }
    const QStyle::StandardPixmap standard = type == Computer   ? QStyle::SP_ComputerIcon
                                            : type == Desktop  ? QStyle::SP_DesktopIcon
                                            : type == Trashcan ? QStyle::SP_TrashIcon
                                            : type == Network  ? QStyle::SP_DriveNetIcon
                                            : type == Drive    ? QStyle::SP_DriveHDIcon
                                            : type == Folder   ? QStyle::SP_DirIcon
                                                               : QStyle::SP_FileIcon;
    return QApplication::style()->standardIcon(standard);
}

QIcon PlainFileIcons::icon(const QFileInfo& info) const {
    // isDir() asks the file system about the name; it never opens the file.
    return QAbstractFileIconProvider::icon(info.isDir() ? Folder : File);
}

QString PlainFileIcons::type(const QFileInfo& info) const {
    if (info.isDir()) {
        return QCoreApplication::translate("QFileDialog", "Folder");
    }
    const QString suffix = info.suffix();
    // "Αρχείο PNG" in Greek: the whole phrase is translated, in the language's own word order.
    return suffix.isEmpty()
               ? QCoreApplication::translate("QFileDialog", "File")
               : QCoreApplication::translate("QAbstractFileIconProvider", "%1 File",
                                             "%1 is a file name suffix, for example txt")
                     .arg(suffix.toUpper());
}

PlainFileIconsForDialogs::PlainFileIconsForDialogs(QCoreApplication* application)
    : QObject(application) {
    application->installEventFilter(this);
}

bool PlainFileIconsForDialogs::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show) {
        if (auto* files = qobject_cast<QFileDialog*>(watched)) {
            if (files->iconProvider() != &icons_) {
                files->setIconProvider(&icons_);
            }
        }
        if (auto* dialog = qobject_cast<QDialog*>(watched)) {
            for (QCompleter* completer : dialog->findChildren<QCompleter*>()) {
                if (auto* model = qobject_cast<QFileSystemModel*>(completer->model())) {
                    model->setIconProvider(&icons_);
                }
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kymata
