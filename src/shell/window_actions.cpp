#include "shell/window_actions.h"
#include "construction/views.h"

#include "export/said.h"
#include "shell/canvas_widget.h"
#include "shell/window_state.h"
#include "shell/window_texts.h"
#include "texts/catalogue.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include <utility>

namespace kymata {

QAction* WindowActions::Add(const QKeySequence& shortcut) {
    auto* action = new QAction(&window_);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    window_.addAction(action);
    return action;
}

QAction* WindowActions::AddToggle(const QKeySequence& shortcut) {
    QAction* action = Add(shortcut);
    action->setCheckable(true);
    return action;
}

WindowActions::WindowActions(QWidget& window, CanvasWidget& canvas)
    : window_(window), canvas_(canvas) {
    leavePresentation->setEnabled(false);
    zoomIn->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    canvasMenu->setShortcuts({QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)});
    // A tenth of the canvas a press.
    const std::pair<QAction*, QPointF> pans[] = {
        {panLeft, {1, 0}}, {panRight, {-1, 0}}, {panUp, {0, 1}}, {panDown, {0, -1}}};
    for (const auto& [pan, direction] : pans) {
        connect(pan, &QAction::triggered, this,
                [this, direction] { canvas_.PanBy(direction * canvas_.width() / 10.0); });
    }
    connect(zoomIn, &QAction::triggered, this, [this] { canvas_.ZoomBy(1.25); });
    connect(zoomOut, &QAction::triggered, this, [this] { canvas_.ZoomBy(1 / 1.25); });
    connect(wholeFigure, &QAction::triggered, &canvas_, &CanvasWidget::ResetView);
    connect(showAll, &QAction::triggered, &canvas_, &CanvasWidget::ShowAll);
    connect(quit, &QAction::triggered, &window_, &QWidget::close);
    connect(leavePresentation, &QAction::triggered, this,
            [this] { presentation->setChecked(false); });
}

void WindowActions::ShowCanvasMenu(const QPoint& at, const MenuState& state) {
    auto* menu = new QMenu(&window_);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addActions({save, saveWorksheet, print, printWorksheet});
    menu->addSeparator();
    menu->addActions({live, presentation, waveView});
    menu->addMenu(ViewMenu(menu, state));
    menu->addActions(state.lesson);
    if (state.waves) {
        menu->addActions({play, step, slower, faster, flash, bestFocus});
    }
    menu->addSeparator();
    menu->addActions({zoomIn, zoomOut, wholeFigure, showAll});
    menu->addSeparator();
    menu->addMenu(LanguageMenu(menu, state.language));
    menu->addActions({help, about, quit});
    menu->popup(canvas_.mapToGlobal(at));
    // Opened from the keyboard, the menu takes the keys at once.
    menu->setActiveAction(menu->actions().value(0));
}

QMenu* WindowActions::LanguageMenu(QWidget* parent, const std::string& now) {
    // Each language named in itself, as the GREEK and ENGLISH switch names them.
    auto* menu = new QMenu(Said("window.languageMenu", now), parent);
    for (const std::string& code : CatalogueLanguages()) {
        QAction* choose = menu->addAction(Said("language.name", code));
        choose->setCheckable(true);
        choose->setChecked(code == now);
        connect(choose, &QAction::triggered, this, [this, code] { Q_EMIT LanguageChosen(code); });
    }
    return menu;
}

QMenu* WindowActions::ViewMenu(QWidget* parent, const MenuState& state) {
    // Every view of the table, named in the window's language, the one shown checked.
    auto* menu = new QMenu(Said("window.viewMenu", state.language), parent);
    for (const ViewTraits& row : ViewNames) {
        QAction* choose = menu->addAction(Said("view." + std::string(row.name), state.language));
        choose->setCheckable(true);
        choose->setChecked(row.view == state.shown);
        connect(choose, &QAction::triggered, this,
                [this, view = row.view] { Q_EMIT ViewChosen(view); });
    }
    return menu;
}

void WindowActions::ShowTexts(const ControlTexts& texts, std::string_view language) {
    save->setText(Q(texts.saveFigure));
    print->setText(Q(texts.print));
    quit->setText(Q(texts.quit));
    saveWorksheet->setText(Q(texts.saveWorksheet));
    printWorksheet->setText(Q(texts.printWorksheet));
    live->setText(Q(texts.liveDragging));
    presentation->setText(Q(texts.presentation));
    leavePresentation->setText(Q(texts.presentation));
    zoomIn->setText(Q(texts.zoomIn));
    zoomOut->setText(Q(texts.zoomOut));
    wholeFigure->setText(Q(texts.wholeFigure));
    showAll->setText(Q(texts.showAll));
    canvasMenu->setText(Q(texts.canvasMenu));
    help->setText(Q(texts.help));
    about->setText(Q(texts.about));
    waveView->setText(Q(texts.waveView));
    play->setText(Q(texts.playPause));
    step->setText(Q(texts.stepFrame));
    slower->setText(Q(texts.slower));
    faster->setText(Q(texts.faster));
    flash->setText(Q(texts.flash));
    bestFocus->setText(Said("bestFocus.action", language));
}

void WindowActions::ShowMotion(bool waves, bool playing, double speed) {
    play->setChecked(playing);
    slower->setEnabled(speed > WindowState::SlowestSpeed);
    faster->setEnabled(speed < WindowState::FastestSpeed);
    step->setEnabled(waves && !playing);
}

void WindowActions::ShowPresentation(bool on) {
    leavePresentation->setEnabled(on);
    presentation->setChecked(on);
}

} // namespace kymata
