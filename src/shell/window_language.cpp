// The window's language: GREEK, ENGLISH or a language beyond them from the Language menu, and
// every caption, menu item and accessible text in it.

#include "shell/main_window.h"

#include "export/said.h"
#include "figure/control_texts.h"
#include "shell/canvas_widget.h"
#include "shell/guide_dialog.h"
#include "shell/toolkit_language.h"
#include "shell/window_texts.h"
#include "texts/catalogue.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace kymata {

std::string DHMIOYRGO_KYKLO::Language() const {
    if (!state_.MoreLanguage().empty()) {
        return state_.MoreLanguage();
    }
    return ELLINIKA->isChecked() ? "el" : "en";
}

void DHMIOYRGO_KYKLO::ShowLanguageSwitch(const Controls& c) {
    state_.SetMoreLanguage(c.moreLanguage);
    if (c.moreLanguage.empty()) {
        (c.ELLINIKA ? ELLINIKA : AGLIKA)->setChecked(true);
        return;
    }
    // Neither GREEK nor ENGLISH: both off, which the switch allows only while it is not
    // exclusive.
    for (QRadioButton* language : {ELLINIKA, AGLIKA}) {
        language->setAutoExclusive(false);
        language->setChecked(false);
        language->setAutoExclusive(true);
    }
}

void DHMIOYRGO_KYKLO::SetLanguage(std::string_view language) {
    if (language == Language()) {
        return;
    }
    Controls c = ReadControls();
    SetTextLanguage(c, language);
    for (QRadioButton* button : {ELLINIKA, AGLIKA}) {
        button->blockSignals(true);
    }
    ShowLanguageSwitch(c);
    for (QRadioButton* button : {ELLINIKA, AGLIKA}) {
        button->blockSignals(false);
    }
    // As a click on GREEK or ENGLISH does.
    EIKON->Surface().Cls();
    DrawConstruction();
}

void DHMIOYRGO_KYKLO::ShowWindowTexts(const Controls& controls) {
    const std::string_view language = TextLanguage(controls);
    UseToolkitLanguage(language);
    const ControlTexts texts = ControlTextsFor(language);
    setWindowTitle(Q(texts.windowTitle));
    Command1->setText(Q(texts.printCaption));
    f_apeiro->setText(Q(texts.parallelBeamCaption));
    YPERVOLIKO->setText(Q(texts.hyperbolaCaption));
    ELLINIKA->setText(Q(texts.greekCaption));
    AGLIKA->setText(Q(texts.englishCaption));
    saveAction_->setText(Q(texts.saveFigure));
    printAction_->setText(Q(texts.print));
    quitAction_->setText(Q(texts.quit));
    saveWorksheetAction_->setText(Q(texts.saveWorksheet));
    printWorksheetAction_->setText(Q(texts.printWorksheet));
    liveAction_->setText(Q(texts.liveDragging));
    presentationAction_->setText(Q(texts.presentation));
    leavePresentationAction_->setText(Q(texts.presentation));
    zoomInAction_->setText(Q(texts.zoomIn));
    zoomOutAction_->setText(Q(texts.zoomOut));
    wholeFigureAction_->setText(Q(texts.wholeFigure));
    showAllAction_->setText(Q(texts.showAll));
    canvasMenuAction_->setText(Q(texts.canvasMenu));
    helpAction_->setText(Q(texts.help));
    aboutAction_->setText(Q(texts.about));
    if (guide_ && guide_->isVisible()) {
        guide_->ShowLanguage(language, Q(texts.helpTitle));
    }
    waveViewAction_->setText(Q(texts.waveView));
    waveView_->setText(Q(texts.waveViewCaption));
    playAction_->setText(Q(texts.playPause));
    stepAction_->setText(Q(texts.stepFrame));
    slowerAction_->setText(Q(texts.slower));
    fasterAction_->setText(Q(texts.faster));
    flashAction_->setText(Q(texts.flash));
    flashButton_->setText(Q(texts.flashCaption));
    perfectLens_->setText(Q(texts.perfectLensCaption));
    ShowLessonTexts(language);
    ShowMotionControls();
    // Captions of another length in the other language: the controls are laid out for them.
    if (captionsLanguage_ != language) {
        captionsLanguage_ = std::string(language);
        ApplyLayout();
    }
    QStringList named;
    for (const DesignedControl& d : DesignedControls()) {
        named << QString::fromLatin1(d.name);
    }
    named << waveView_->objectName() << perfectLens_->objectName() << playButton_->objectName()
          << flashButton_->objectName() << lessonButton_->objectName()
          << bestFocusButton_->objectName();
    for (const QString& name : named) {
        if (auto* control = findChild<QWidget*>(name, Qt::FindDirectChildrenOnly)) {
            const ControlDescription a = DescribeControl(name.toStdString(), controls);
            control->setAccessibleName(Q(a.name));
            control->setAccessibleDescription(Q(a.description));
        }
    }
    // The canvas tells what it shows now, then how to reach its menu.
    EIKON->setAccessibleDescription(Q(DescribeFigure(controls, EIKON->Figure())) +
                                    QLatin1Char(' ') +
                                    Q(DescribeControl("EIKON", controls).description));
}

QMenu* DHMIOYRGO_KYKLO::LanguageMenu(QWidget* parent) {
    // Each language named in itself, as the GREEK and ENGLISH switch names them.
    auto* menu = new QMenu(Said("window.languageMenu", Language()), parent);
    const std::string now = Language();
    for (const std::string& code : CatalogueLanguages()) {
        QAction* choose = menu->addAction(Said("language.name", code));
        choose->setCheckable(true);
        choose->setChecked(code == now);
        connect(choose, &QAction::triggered, this, [this, code] { SetLanguage(code); });
    }
    return menu;
}

QMenu* DHMIOYRGO_KYKLO::ViewMenu(QWidget* parent) {
    // Every view of the table, named in the window's language, the one shown checked.
    auto* menu = new QMenu(Said("window.viewMenu", Language()), parent);
    const View shown = state_.ShownView();
    for (const ViewTraits& row : ViewNames) {
        QAction* choose = menu->addAction(Said("view." + std::string(row.name), Language()));
        choose->setCheckable(true);
        choose->setChecked(row.view == shown);
        connect(choose, &QAction::triggered, this, [this, view = row.view] { ShowView(view); });
    }
    return menu;
}

} // namespace kymata
