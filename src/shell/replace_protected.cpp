#include "shell/replace_protected.h"

#include "export/said.h"

#include <QMessageBox>

namespace kymata {

WriteResult WriteAskingForProtected(QWidget* parent, const QString& title, const QString& path,
                                    const std::function<WriteResult()>& write,
                                    std::string_view language) {
    WriteResult written = write();
    if (!written.writeProtected) {
        return written;
    }
    const auto answer = QMessageBox::question(
        parent, title, Said("window.replaceProtected", language, {Printable(path)}),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes) {
        return WriteFailure(path, Said("write.protectedKept", language), language);
    }
    const WriteProtectionWaived waived;
    return write();
}

} // namespace kymata
