#include "shell/window_messages.h"

namespace kymata {

void ShowMessage(QWidget& window, QMessageBox::Icon icon, const QString& title,
                 const QString& text) {
    auto* box = new QMessageBox(icon, title, text, QMessageBox::Ok, &window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace kymata
