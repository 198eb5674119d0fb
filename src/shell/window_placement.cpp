// Where the window's controls go: measured in the current language and type, and placed for
// the window's size by `FitWindowLayout`.

#include "shell/main_window.h"

#include "construction/scene_parameters.h"
#include "shell/canvas_widget.h"
#include "shell/ledger_panel.h"
#include "shell/lesson_panel.h"
#include "shell/window_texts.h"
#include "texts/catalogue.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>

namespace kymata {

ControlSizes DHMIOYRGO_KYKLO::MeasureControls() const {
    ControlSizes sizes;
    for (QWidget* control :
         {static_cast<QWidget*>(Command1), static_cast<QWidget*>(YPERVOLIKO),
          static_cast<QWidget*>(ELLINIKA), static_cast<QWidget*>(AGLIKA),
          static_cast<QWidget*>(f_apeiro), static_cast<QWidget*>(waveView_),
          static_cast<QWidget*>(perfectLens_), static_cast<QWidget*>(playButton_),
          static_cast<QWidget*>(flashButton_), static_cast<QWidget*>(speedLabel_),
          static_cast<QWidget*>(lessonButton_), static_cast<QWidget*>(bestFocusButton_)}) {
        sizes.hints.insert(control->objectName(), control->sizeHint());
    }
    sizes.hints.insert(QStringLiteral("scrollBar"), initial_POINT->sizeHint());
    // The read-outs at their widest, in every language, so that the layout does not follow
    // the values.
    const QFontMetrics metrics(Label1->font());
    int readout = 0;
    int thickness = 0;
    for (const std::string& language : CatalogueLanguages()) {
        Controls widest;
        SetTextLanguage(widest, language);
        widest.initial_POINT = 200;
        widest.fOCUS_POINT = 20;
        widest.n_DIATHLASI = 250;
        widest.pachos = 20;
        for (const std::string& text :
             {SourceCaption(widest), FocusCaption(widest), RefractiveIndexCaption(widest)}) {
            readout = std::max(readout, metrics.horizontalAdvance(Q(text)));
        }
        thickness =
            std::max(thickness, metrics.horizontalAdvance(Q(ThicknessCaption(widest, scene_))));
    }
    const int pad = 2 * Label1->margin() + metrics.averageCharWidth();
    sizes.readout = QSize(readout + pad, metrics.lineSpacing());
    sizes.hints.insert(QStringLiteral("Label4"), QSize(thickness + pad, metrics.lineSpacing()));
    return sizes;
}

void DHMIOYRGO_KYKLO::ApplyLayout() {
    const QScreen* shown = screen();
    const double dpi = (shown ? shown->logicalDotsPerInch() : 96.0) * ControlScale();
    if (!lessonButton_) {
        return; // Still being made: the lesson's controls come last.
    }
    const WindowLayout layout = FitWindowLayout(size(), dpi, MeasureControls(), ShowsWaves(),
                                                LessonStep() > 0, EIKON->Presentation());
    arrangement_ = layout.arrangement;
    for (const FormLayout::Placement& p : layout.form.placements) {
        if (auto* control = findChild<QWidget*>(p.name, Qt::FindDirectChildrenOnly)) {
            control->setGeometry(p.rect);
        }
    }
    ledger_->setVisible(ShowsWaves() && !layout.form.Rect(QStringLiteral("ledger")).isEmpty());
    lesson_->SetScale(ControlScale());
    // The ledger grows with the controls in presentation mode.
    ledger_->SetScale(ControlScale());
}

void DHMIOYRGO_KYKLO::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ApplyLayout();
}

} // namespace kymata
