// Where the window's controls go: measured in the current language and type, and placed for
// the window's size by `FitWindowLayout`.

#include "shell/window_placement.h"
#include "construction/controls.h"

#include "construction/scene_parameters.h"
#include "shell/window_controls.h"
#include "shell/window_texts.h"
#include "texts/catalogue.h"

#include <QLabel>
#include <QScrollBar>

#include <algorithm>

namespace kymata {

ControlSizes MeasureControls(const QWidget& window, const Scene& scene) {
    const auto control = [&window](const char* name) {
        return window.findChild<QWidget*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    };
    ControlSizes sizes;
    for (const WindowControl& c : WindowControls()) {
        if (c.kind == ControlKind::Bar) {
            sizes.hints.insert(QStringLiteral("scrollBar"), control(c.name)->sizeHint());
        } else if (c.kind != ControlKind::Readout) {
            sizes.hints.insert(QString::fromLatin1(c.name), control(c.name)->sizeHint());
        }
    }
    // The read-outs at their widest, in every language.
    const QWidget* readout = control("Label1");
    const QFontMetrics metrics(readout->font());
    int widest = 0;
    int thickness = 0;
    for (const std::string& language : CatalogueLanguages()) {
        Controls at;
        SetTextLanguage(at, language);
        at.initial_POINT = 200;
        at.fOCUS_POINT = 20;
        at.n_DIATHLASI = 250;
        at.pachos = 20;
        for (const std::string& text :
             {SourceCaption(at), FocusCaption(at), RefractiveIndexCaption(at)}) {
            widest = std::max(widest, metrics.horizontalAdvance(Q(text)));
        }
        thickness = std::max(thickness, metrics.horizontalAdvance(Q(ThicknessCaption(at, scene))));
    }
    const int pad = 2 * static_cast<const QLabel*>(readout)->margin() + metrics.averageCharWidth();
    sizes.readout = QSize(widest + pad, metrics.lineSpacing());
    sizes.hints.insert(QStringLiteral("Label4"), QSize(thickness + pad, metrics.lineSpacing()));
    return sizes;
}

WindowLayout PlaceControls(QWidget& window, const Scene& scene, double dpi, bool waves, bool lesson,
                           bool presentation) {
    const WindowLayout layout = FitWindowLayout(window.size(), dpi, MeasureControls(window, scene),
                                                waves, lesson, presentation);
    for (const FormLayout::Placement& p : layout.form.placements) {
        if (auto* control = window.findChild<QWidget*>(p.name, Qt::FindDirectChildrenOnly)) {
            control->setGeometry(p.rect);
        }
    }
    return layout;
}

} // namespace kymata
