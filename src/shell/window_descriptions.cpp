#include "shell/window_descriptions.h"

#include "figure/control_texts.h"
#include "shell/canvas_widget.h"
#include "shell/form_layout.h"
#include "shell/window_controls.h"
#include "shell/window_texts.h"

#include <QStringList>

namespace kymata {

void DescribeControls(QWidget& window, const Controls& controls) {
    // The designed controls and the canvas, and the strip's switches and buttons but those
    // that describe themselves.
    QStringList named;
    for (const DesignedControl& d : DesignedControls()) {
        named << QString::fromLatin1(d.name);
    }
    for (const WindowControl& c : WindowControls()) {
        if (c.inStrip && c.kind != ControlKind::Note && !c.ownDescription) {
            named << QString::fromLatin1(c.name);
        }
    }
    for (const QString& name : named) {
        if (auto* control = window.findChild<QWidget*>(name, Qt::FindDirectChildrenOnly)) {
            const ControlDescription a = DescribeControl(name.toStdString(), controls);
            control->setAccessibleName(Q(a.name));
            control->setAccessibleDescription(Q(a.description));
        }
    }
    auto* canvas =
        window.findChild<CanvasWidget*>(QStringLiteral("EIKON"), Qt::FindDirectChildrenOnly);
    canvas->setAccessibleDescription(Q(DescribeFigure(controls, canvas->Figure())) +
                                     QLatin1Char(' ') +
                                     Q(DescribeControl("EIKON", controls).description));
}

} // namespace kymata
