#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace kymata {

/// Says `text` under `title` in a box over `window` that does not hold up the window: a
/// warning of what went wrong, or a note of what the user should know of what went well.
void ShowMessage(QWidget& window, QMessageBox::Icon icon, const QString& title,
                 const QString& text);

} // namespace kymata
