#include "shell/dialog_room.h"

#include <QDialog>
#include <QFileDialog>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLayout>
#include <QListView>
#include <QSplitter>
#include <QStyle>
#include <QTreeView>

#include <algorithm>

namespace kymata {

namespace {

/// The width a scrolled view needs beside its contents: its frame and a vertical scroll bar.
int ViewChrome(const QAbstractScrollArea& view) {
    return 2 * view.frameWidth() + view.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

} // namespace

void GiveFileDialogRoom(QFileDialog& dialog) {
    auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    auto* places = dialog.findChild<QListView*>(QStringLiteral("sidebar"));
    auto* splitter = dialog.findChild<QSplitter*>(QStringLiteral("splitter"));
    if (!tree || !places || !splitter) {
        return;
    }
    dialog.ensurePolished();
    QHeaderView* header = tree->header();
    int columns = 0;
    for (int i = 0; i < header->count(); ++i) {
        if (header->isSectionHidden(i)) {
            continue;
        }
        const int width = std::max(header->sectionSize(i), header->sectionSizeHint(i));
        header->resizeSection(i, width);
        columns += width;
    }
    columns += ViewChrome(*tree);
    const int side = std::max(places->sizeHintForColumn(0), 0) + ViewChrome(*places);
    splitter->setSizes({side, columns});
    const QMargins margins = dialog.layout() ? dialog.layout()->contentsMargins() : QMargins();
    const int width = side + splitter->handleWidth() + columns + margins.left() + margins.right();
    dialog.resize(std::max(dialog.sizeHint().width(), width), dialog.sizeHint().height());
}

void GiveTitleRoom(QDialog& dialog) {
    // Beside the title: the window's icon and its close, minimize and maximize buttons.
    const int buttons = 5 * dialog.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    // Title bars often set their title in bold and a little larger.
    QFont bold = dialog.font();
    bold.setBold(true);
    bold.setPointSizeF(1.2 * bold.pointSizeF());
    const int title = QFontMetrics(bold).horizontalAdvance(dialog.windowTitle());
    dialog.resize(std::max(dialog.sizeHint().width(), title + buttons), dialog.sizeHint().height());
}

} // namespace kymata
