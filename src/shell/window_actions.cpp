// The window's actions: the keys, the canvas menu, saving, printing, presentation, the guide
// and the About box.

#include "shell/main_window.h"

#include "construction/number_format.h"
#include "export/figure_export.h"
#include "export/said.h"
#include "figure/control_texts.h"
#include "shell/canvas_widget.h"
#include "shell/guide_dialog.h"
#include "shell/print_dispatch.h"
#include "shell/printer_output.h"
#include "shell/replace_protected.h"
#include "shell/window_texts.h"
#include "texts/catalogue.h"
#include "waves/wave_focus.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QToolTip>

#include <utility>

namespace kymata {

void DHMIOYRGO_KYKLO::CreateActions() {
    saveAction_ = AddAction(QKeySequence(Qt::CTRL | Qt::Key_S));
    printAction_ = AddAction(QKeySequence(Qt::CTRL | Qt::Key_P));
    quitAction_ = AddAction(QKeySequence(Qt::CTRL | Qt::Key_Q));
    saveWorksheetAction_ = AddAction(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    printWorksheetAction_ = AddAction(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    liveAction_ = AddAction(QKeySequence(Qt::CTRL | Qt::Key_D));
    liveAction_->setCheckable(true);
    presentationAction_ = AddAction(QKeySequence(Qt::Key_F5));
    presentationAction_->setCheckable(true);
    leavePresentationAction_ = AddAction(QKeySequence(Qt::Key_Escape));
    leavePresentationAction_->setEnabled(false);
    zoomInAction_ = AddAction(QKeySequence(Qt::CTRL | Qt::Key_Plus));
    zoomInAction_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    zoomOutAction_ = AddAction(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    wholeFigureAction_ = AddAction(QKeySequence(Qt::CTRL | Qt::Key_0));
    showAllAction_ = AddAction(QKeySequence(Qt::CTRL | Qt::Key_9));
    // The canvas menu from the keyboard, wherever the focus is.
    canvasMenuAction_ = AddAction(QKeySequence(Qt::SHIFT | Qt::Key_F10));
    canvasMenuAction_->setShortcuts(
        {QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)});
    helpAction_ = AddAction(QKeySequence(Qt::Key_F1));
    aboutAction_ = AddAction({});
    // A zoomed view pans with Ctrl and the arrow keys, a tenth of the canvas a press.
    const std::pair<Qt::Key, QPointF> pans[] = {{Qt::Key_Left, {1, 0}},
                                                {Qt::Key_Right, {-1, 0}},
                                                {Qt::Key_Up, {0, 1}},
                                                {Qt::Key_Down, {0, -1}}};
    for (const auto& [key, direction] : pans) {
        QAction* pan = AddAction(QKeySequence(Qt::CTRL | key));
        connect(pan, &QAction::triggered, this,
                [this, direction] { EIKON->PanBy(direction * EIKON->width() / 10.0); });
    }
    waveViewAction_ = AddAction(QKeySequence(Qt::Key_F6));
    waveViewAction_->setCheckable(true);
    playAction_ = AddAction(QKeySequence(Qt::Key_Space));
    playAction_->setCheckable(true);
    stepAction_ = AddAction(QKeySequence(Qt::Key_Period));
    slowerAction_ = AddAction(QKeySequence(Qt::Key_BracketLeft));
    fasterAction_ = AddAction(QKeySequence(Qt::Key_BracketRight));
    flashAction_ = AddAction(QKeySequence(Qt::Key_L));
    bestFocusAction_ = AddAction(QKeySequence(Qt::Key_B));
    connect(saveAction_, &QAction::triggered, this, &DHMIOYRGO_KYKLO::SaveFigureAs);
    connect(printAction_, &QAction::triggered, this, &DHMIOYRGO_KYKLO::Command1_Click);
    connect(quitAction_, &QAction::triggered, this, &QWidget::close);
    connect(saveWorksheetAction_, &QAction::triggered, this, &DHMIOYRGO_KYKLO::SaveWorksheetAs);
    connect(printWorksheetAction_, &QAction::triggered, this, &DHMIOYRGO_KYKLO::PrintWorksheet);
    connect(liveAction_, &QAction::toggled, this, &DHMIOYRGO_KYKLO::SetLiveDragging);
    connect(presentationAction_, &QAction::toggled, this, &DHMIOYRGO_KYKLO::SetPresentation);
    connect(leavePresentationAction_, &QAction::triggered, this,
            [this] { presentationAction_->setChecked(false); });
    connect(zoomInAction_, &QAction::triggered, this, [this] { EIKON->ZoomBy(1.25); });
    connect(zoomOutAction_, &QAction::triggered, this, [this] { EIKON->ZoomBy(1 / 1.25); });
    connect(wholeFigureAction_, &QAction::triggered, EIKON, &CanvasWidget::ResetView);
    connect(showAllAction_, &QAction::triggered, EIKON, &CanvasWidget::ShowAll);
    connect(canvasMenuAction_, &QAction::triggered, this,
            [this] { ShowCanvasMenu(EIKON->rect().center()); });
    connect(helpAction_, &QAction::triggered, this, &DHMIOYRGO_KYKLO::ShowGuide);
    connect(aboutAction_, &QAction::triggered, this, &DHMIOYRGO_KYKLO::ShowAbout);
    connect(waveViewAction_, &QAction::triggered, this, &DHMIOYRGO_KYKLO::SetWaveView);
    connect(playAction_, &QAction::triggered, this, &DHMIOYRGO_KYKLO::SetPlaying);
    connect(stepAction_, &QAction::triggered, this, &DHMIOYRGO_KYKLO::StepFrame);
    connect(slowerAction_, &QAction::triggered, this, [this] { SetSpeed(Speed() / 2); });
    connect(fasterAction_, &QAction::triggered, this, [this] { SetSpeed(Speed() * 2); });
    connect(flashAction_, &QAction::triggered, this, &DHMIOYRGO_KYKLO::Flash);
    connect(bestFocusAction_, &QAction::triggered, this, &DHMIOYRGO_KYKLO::MoveFocusToBestFocus);
}

QString DHMIOYRGO_KYKLO::MoveFocusToBestFocus() {
    const Controls controls = ReadControls();
    const std::string language = Language();
    const auto say = [&language](std::string_view key,
                                 std::initializer_list<std::string_view> values) {
        return Q(Text(key, language, values));
    };
    QString said;
    if (controls.perfectLens) {
        said = say("bestFocus.perfect", {});
    } else if (const auto choice = waves::FocusBarNearBestFocus(controls)) {
        said =
            choice->clamped
                ? say("bestFocus.beyond", {Format(choice->behind, 2), std::to_string(choice->bar)})
                : say("bestFocus.moved", {std::to_string(choice->bar), Format(choice->behind, 2)});
        fOCUS_POINT->setValue(choice->bar);
    } else {
        said = say("bestFocus.none",
                   {std::to_string(std::lround(waves::BestFocusRange / scene_.Wavelength))});
    }
    // Said where the eye is, and to a screen reader.
    bestFocusButton_->setAccessibleDescription(said);
    QAccessibleEvent alert(bestFocusButton_, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
    QToolTip::showText(bestFocusButton_->mapToGlobal(QPoint(0, -bestFocusButton_->height())), said,
                       bestFocusButton_);
    return said;
}

QAction* DHMIOYRGO_KYKLO::AddAction(const QKeySequence& shortcut) {
    auto* action = new QAction(this);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    return action;
}

void DHMIOYRGO_KYKLO::ShowCanvasMenu(const QPoint& at) {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(saveAction_);
    menu->addAction(saveWorksheetAction_);
    menu->addAction(printAction_);
    menu->addAction(printWorksheetAction_);
    menu->addSeparator();
    menu->addAction(liveAction_);
    menu->addAction(presentationAction_);
    menu->addAction(waveViewAction_);
    menu->addMenu(ViewMenu(menu));
    menu->addAction(lessonAction_);
    menu->addAction(lessonPlanSaveAction_);
    menu->addAction(lessonPlanPrintAction_);
    if (ShowsWaves()) {
        menu->addAction(playAction_);
        menu->addAction(stepAction_);
        menu->addAction(slowerAction_);
        menu->addAction(fasterAction_);
        menu->addAction(flashAction_);
        menu->addAction(bestFocusAction_);
    }
    menu->addSeparator();
    menu->addAction(zoomInAction_);
    menu->addAction(zoomOutAction_);
    menu->addAction(wholeFigureAction_);
    menu->addAction(showAllAction_);
    menu->addSeparator();
    menu->addMenu(LanguageMenu(menu));
    menu->addAction(helpAction_);
    menu->addAction(aboutAction_);
    menu->addAction(quitAction_);
    menu->popup(EIKON->mapToGlobal(at));
    // Opened from the keyboard, the menu takes the keys at once.
    menu->setActiveAction(menu->actions().value(0));
}

void DHMIOYRGO_KYKLO::Warn(const QString& title, const QString& message) {
    auto* box = new QMessageBox(QMessageBox::Warning, title, message, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void DHMIOYRGO_KYKLO::Tell(const QString& title, const QString& message) {
    auto* box = new QMessageBox(QMessageBox::Information, title, message, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void DHMIOYRGO_KYKLO::ShowGuide() {
    if (!guide_) {
        guide_ = new GuideDialog(this);
        // On the screen whole, however small it is.
        if (const QScreen* shown = screen()) {
            const QSize room = shown->availableGeometry().size() * 0.9;
            guide_->resize(guide_->size().boundedTo(room));
        }
    }
    const std::string language = Language();
    guide_->ShowLanguage(language, Q(ControlTextsFor(language).helpTitle));
    guide_->show();
    guide_->raise();
    guide_->activateWindow();
}

void DHMIOYRGO_KYKLO::ShowAbout() {
    const ControlTexts texts = ControlTextsFor(Language());
    auto* box = new QMessageBox(QMessageBox::Information, Q(texts.aboutTitle),
                                Q(texts.aboutText).arg(QStringLiteral(KYMATA_VERSION)),
                                QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("about"));
    box->setIconPixmap(windowIcon().pixmap(64, 64));
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void DHMIOYRGO_KYKLO::SaveFigureAs() {
    SaveAs(false);
}

void DHMIOYRGO_KYKLO::SaveWorksheetAs() {
    SaveAs(true);
}

void DHMIOYRGO_KYKLO::PrintWorksheet() {
    PrintWithDialog(true);
}

void DHMIOYRGO_KYKLO::SetLiveDragging(bool on) {
    for (QScrollBar* bar : {initial_POINT, fOCUS_POINT, n_DIATHLASI, pachos}) {
        bar->setTracking(on);
    }
    liveAction_->setChecked(on);
}

void DHMIOYRGO_KYKLO::SetPresentation(bool on) {
    if (on == EIKON->Presentation()) {
        return;
    }
    if (on) {
        windowedGeometry_ = geometry();
        showFullScreen();
    } else {
        showNormal();
        setGeometry(windowedGeometry_);
    }
    EIKON->SetPresentation(on);
    // Redrawn with the texts of the new size, so that their lines keep apart.
    DrawConstruction();
    // The controls and read-outs grow with the canvas's texts, so that a class reads them too.
    QFont font = QApplication::font(this);
    font.setPointSizeF(font.pointSizeF() * ControlScale());
    setFont(font);
    ApplyLayout();
    leavePresentationAction_->setEnabled(on);
    presentationAction_->setChecked(on);
    EnableLessonKeys();
}

double DHMIOYRGO_KYKLO::ControlScale() const {
    return EIKON->Presentation() ? CanvasWidget::PresentationText : 1.0;
}

void DHMIOYRGO_KYKLO::SaveAs(bool worksheet) {
    const ControlTexts texts = ControlTextsFor(Language());
    const QStringList filters = {QStringLiteral("PNG (*.png)"), QStringLiteral("SVG (*.svg)"),
                                 QStringLiteral("PDF (*.pdf)"), QStringLiteral("JSON (*.json)")};
    QString filter = filters.front();
    const QString suggested =
        worksheet ? QStringLiteral("kymata-worksheet.png") : QStringLiteral("kymata-figure.png");
    // The toolkit's own dialog, which speaks the window's language; a desktop's native one
    // would keep the desktop's.
    QString path =
        QFileDialog::getSaveFileName(this, Q(texts.saveTitle), suggested, filters.join(";;"),
                                     &filter, QFileDialog::DontUseNativeDialog);
    if (path.isEmpty()) {
        return;
    }
    if (!FigureFormatForPath(path)) {
        // No known extension: the one of the chosen type.
        path += QLatin1Char('.') + filter.section(QLatin1Char('.'), 1).chopped(1);
    }
    int size = 1000;
    if (FigureFormatForPath(path) == FigureFormat::Png) {
        bool ok = false;
        size = QInputDialog::getInt(this, Q(texts.pngSizeTitle), Q(texts.pngSizeLabel), 1000, 10,
                                    8000, 100, &ok);
        if (!ok) {
            return;
        }
    }
    SaveFigure(path, size, worksheet);
}

bool DHMIOYRGO_KYKLO::SaveFigure(const QString& path, int pngSize, bool worksheet) {
    const auto format = FigureFormatForPath(path);
    const ControlTexts texts = ControlTextsFor(Language());
    if (!format) {
        Warn(Q(texts.saveFigure), Q(texts.saveFailed) + QLatin1Char('\n') +
                                      Said("window.unknownExtension", Language(), {path}));
        return false;
    }
    const WriteResult written = WriteAskingForProtected(
        this, Q(texts.saveFigure), path,
        [&] {
            return WriteFigure(path, *format, DrawFigureContent(ReadControls(), worksheet), pngSize,
                               Language());
        },
        Language());
    if (!written.ok) {
        Warn(Q(texts.saveFigure), Q(texts.saveFailed) + QLatin1Char('\n') + written.error);
    } else if (!written.note.isEmpty()) {
        Tell(Q(texts.saveFigure), written.note);
    }
    return written.ok;
}

void DHMIOYRGO_KYKLO::Command1_Click() {
    PrintWithDialog(false);
}

void DHMIOYRGO_KYKLO::WhenPrintServiceAnswers(PrintAsked asked, std::function<void()> open) {
    // The print dialog and the printer ask the print service for its printers, and would wait
    // on one that takes connections and never answers: it is asked first, off the window's
    // thread, with a bounded wait.
    print_->AskService(asked, Language(), std::move(open));
}

void DHMIOYRGO_KYKLO::PrintWithDialog(bool worksheet) {
    // The standard dialog, with the default printer chosen; the user may pick another printer
    // or printing to a PDF file. Cancel prints nothing and changes nothing.
    WhenPrintServiceAnswers(PrintAsked::Figure, [this, worksheet] {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageOrientation(QPageLayout::Landscape);
        QPrintDialog dialog(&printer, this);
        dialog.setWindowTitle(Q(ControlTextsFor(Language()).printCaption));
        if (dialog.exec() == QDialog::Accepted) {
            PrintOn(printer, worksheet);
        }
    });
}

bool DHMIOYRGO_KYKLO::PrintOn(QPrinter& printer, bool worksheet) {
    const PrintOutcome outcome =
        PrintToPrinter(printer, ReadControls(), scene_, labels_, EIKON->Surface(), worksheet);
    ShowLabels();
    EIKON->update();
    if (!outcome.ok) {
        ShowPrintEnd(true, outcome.message);
        return false;
    }
    if (!outcome.message.isEmpty()) {
        Tell(Q(ControlTextsFor(Language()).printCaption), outcome.message);
    }
    if (outcome.request) {
        const bool free = !print_->Busy();
        print_->Send(*outcome.request, Language());
        return free;
    }
    return true;
}

void DHMIOYRGO_KYKLO::ShowPrintEnd(bool failed, const QString& said) {
    if (!said.isEmpty()) {
        auto* box = new QMessageBox(failed ? QMessageBox::Warning : QMessageBox::Information,
                                    Q(ControlTextsFor(Language()).printCaption), said,
                                    QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    }
    Q_EMIT PrintFinished(failed, said);
}

} // namespace kymata
