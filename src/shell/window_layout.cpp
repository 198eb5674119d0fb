#include "shell/window_layout.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

namespace kymata {

namespace {

/// The ledger is shown only where it gets at least this many pixels across and down.
constexpr int LedgerWidth = 200;
constexpr int LedgerHeight = 150;

const char* const WaveSwitches[] = {"perfectLens", "playButton", "flashButton", "speedLabel"};

void Place(FormLayout& layout, const QString& name, const QRect& rect) {
    for (FormLayout::Placement& p : layout.placements) {
        if (p.name == name) {
            p.rect = rect;
            return;
        }
    }
    layout.placements.push_back({name, rect});
}

QSize Hint(const ControlSizes& sizes, const char* name) {
    return sizes.hints.value(QString::fromLatin1(name), QSize(80, 24));
}

/// The rightmost pixel column that any control (not the canvas) takes.
int ControlsRight(const FormLayout& layout) {
    int right = 0;
    for (const FormLayout::Placement& p : layout.placements) {
        if (p.name != QLatin1String("EIKON") && p.name != QLatin1String("ledger") &&
            !p.rect.isEmpty()) {
            right = std::max(right, p.rect.right());
        }
    }
    return right;
}

/// The wave view's switch in the strip under the canvas, which the design leaves free, with
/// PERFECT LENS, PLAY, FLASH and the speed beside it while the wave view is on; the ledger in the
/// free space to the right of the controls, over the canvas's height.
void AddWaveControls(FormLayout& layout, QSize client, const ControlSizes& sizes, bool waves) {
    const QRect canvas = layout.Rect(QStringLiteral("EIKON"));
    const int gap = std::max(4, canvas.left());
    int x = canvas.left();
    const int y = canvas.bottom() + 1 + gap;
    int height = 0;
    for (const char* name :
         {"waveView", "perfectLens", "playButton", "flashButton", "speedLabel"}) {
        height = std::max(height, Hint(sizes, name).height());
    }
    for (const char* name :
         {"waveView", "perfectLens", "playButton", "flashButton", "speedLabel"}) {
        const bool shown = waves || std::string_view(name) == "waveView";
        const int width = Hint(sizes, name).width();
        Place(layout, QString::fromLatin1(name), shown ? QRect(x, y, width, height) : QRect());
        x += width + 2 * gap;
    }
    const int right = ControlsRight(layout);
    const int width = client.width() - right - 2 * gap;
    Place(layout, QStringLiteral("ledger"),
          waves && width >= LedgerWidth ? QRect(right + gap, canvas.top(), width, canvas.height())
                                        : QRect());
}

/// The designed arrangement around a canvas of `side` pixels, with the wave view's controls.
FormLayout AroundCanvas(QSize client, double dpi, double side, const ControlSizes& sizes,
                        bool waves) {
    FormLayout layout = ComputeFormLayout(client, dpi, side);
    AddWaveControls(layout, client, sizes, waves);
    return layout;
}

/// True when the designed arrangement is still usable: the languages end above the focus bar,
/// and the scroll bars are at least as tall as the toolkit draws them.
bool Roomy(const FormLayout& layout, const ControlSizes& sizes) {
    return layout.Rect(QStringLiteral("AGLIKA")).bottom() <
               layout.Rect(QStringLiteral("fOCUS_POINT")).top() &&
           layout.Rect(QStringLiteral("fOCUS_POINT")).height() >= Hint(sizes, "scrollBar").height();
}

/// One line of the compact panel: its controls, placed left to right.
struct Item {
    const char* name;
    QSize size;
};

/// The compact panel: the controls in the design's order from top to bottom, each scroll bar
/// on a line of its own with its read-out to its right, the switches and buttons flowing onto
/// as many lines as `width` needs. Returns the panel's height.
int FlowPanel(FormLayout& layout, QPoint origin, int width, const ControlSizes& sizes, bool waves) {
    const int gap = std::max(6, sizes.readout.height() / 2);
    const int barHeight = std::max(Hint(sizes, "scrollBar").height(),
                                   static_cast<int>(std::lround(1.6 * sizes.readout.height())));
    int y = origin.y();
    const auto flow = [&](const std::vector<Item>& items) {
        int x = origin.x();
        int lineHeight = 0;
        for (const Item& item : items) {
            const int w = std::min(item.size.width(), width);
            if (x > origin.x() && x + w > origin.x() + width) {
                x = origin.x();
                y += lineHeight + gap;
                lineHeight = 0;
            }
            Place(layout, QString::fromLatin1(item.name),
                  QRect(QPoint(x, y), QSize(w, item.size.height())));
            x += w + gap;
            lineHeight = std::max(lineHeight, item.size.height());
        }
        y += lineHeight + gap;
    };
    const auto hinted = [&](const char* name) { return Item{name, Hint(sizes, name)}; };
    flow({hinted("Command1"), hinted("YPERVOLIKO"), hinted("ELLINIKA"), hinted("AGLIKA")});
    // A read-out takes one line where it has room for its widest text, else two.
    const int barWidth = std::max(width - gap - sizes.readout.width(), width * 4 / 7);
    const int labelWidth = width - gap - barWidth;
    const int widest = std::max(sizes.readout.width(), Hint(sizes, "Label4").width());
    const int labelHeight = sizes.readout.height() * (labelWidth >= widest ? 1 : 2);
    const char* const bars[][2] = {{"initial_POINT", "Label1"},
                                   {"fOCUS_POINT", "Label2"},
                                   {"pachos", "Label4"},
                                   {"n_DIATHLASI", "Label3"}};
    for (const auto& pair : bars) {
        const int lineHeight = std::max(barHeight, labelHeight);
        Place(layout, QString::fromLatin1(pair[0]),
              QRect(origin.x(), y + (lineHeight - barHeight) / 2, barWidth, barHeight));
        Place(layout, QString::fromLatin1(pair[1]),
              QRect(origin.x() + barWidth + gap, y, labelWidth, lineHeight));
        y += lineHeight + gap;
    }
    if (waves) {
        flow({hinted("f_apeiro"), hinted("waveView"), hinted("perfectLens")});
        flow({hinted("playButton"), hinted("flashButton"), hinted("speedLabel")});
    } else {
        flow({hinted("f_apeiro"), hinted("waveView")});
        for (const char* name : WaveSwitches) {
            Place(layout, QString::fromLatin1(name), QRect());
        }
    }
    return y - gap - origin.y();
}

/// The compact panel's least width: its widest control, and a scroll bar beside a read-out.
int PanelWidth(const ControlSizes& sizes) {
    int width = sizes.readout.width() * 2;
    for (auto it = sizes.hints.cbegin(); it != sizes.hints.cend(); ++it) {
        if (it.key() != QLatin1String("scrollBar") && it.key() != QLatin1String("Label4")) {
            width = std::max(width, it.value().width());
        }
    }
    return width;
}

WindowLayout Compact(QSize client, const ControlSizes& sizes, bool waves) {
    WindowLayout result;
    const int w = client.width();
    const int h = client.height();
    const int margin = std::max(4, std::min(w, h) / 100);
    FormLayout& layout = result.form;
    if (w >= h) {
        result.arrangement = Arrangement::Beside;
        const int panel = PanelWidth(sizes);
        const int side = std::max(1, std::min(h - 2 * margin, w - 3 * margin - panel));
        Place(layout, QStringLiteral("EIKON"), QRect(margin, margin, side, side));
        const int left = 2 * margin + side;
        const int width = std::max(panel, std::min(w - left - margin, panel * 3 / 2));
        FlowPanel(layout, QPoint(left, margin), width, sizes, waves);
        const int ledgerLeft = left + width + margin;
        Place(layout, QStringLiteral("ledger"),
              waves && w - ledgerLeft - margin >= LedgerWidth
                  ? QRect(ledgerLeft, margin, w - ledgerLeft - margin, side)
                  : QRect());
        return result;
    }
    result.arrangement = Arrangement::Below;
    // The panel's height for the whole width decides how much is left for the canvas.
    FormLayout trial;
    const int width = w - 2 * margin;
    const int panelHeight = FlowPanel(trial, QPoint(0, 0), width, sizes, waves);
    const int side = std::max(1, std::min(width, h - 3 * margin - panelHeight));
    Place(layout, QStringLiteral("EIKON"), QRect((w - side) / 2, margin, side, side));
    const int top = 2 * margin + side;
    const int used = FlowPanel(layout, QPoint(margin, top), width, sizes, waves);
    const int ledgerTop = top + used + margin;
    Place(layout, QStringLiteral("ledger"),
          waves && h - ledgerTop - margin >= LedgerHeight
              ? QRect(margin, ledgerTop, width, h - ledgerTop - margin)
              : QRect());
    return result;
}

} // namespace

bool FitsInside(const FormLayout& layout, QSize client) {
    const QRect area(QPoint(0, 0), client);
    return std::all_of(
        layout.placements.begin(), layout.placements.end(),
        [&](const FormLayout::Placement& p) { return p.rect.isEmpty() || area.contains(p.rect); });
}

WindowLayout FitWindowLayout(QSize client, double dpi, const ControlSizes& sizes, bool waves) {
    const int h = std::max(1, client.height());
    WindowLayout result;
    result.form = AroundCanvas(client, dpi, 0.9 * h, sizes, waves);
    if (FitsInside(result.form, client) && Roomy(result.form, sizes)) {
        return result;
    }
    if (client.width() >= client.height()) {
        // The largest canvas, a pixel at a time, around which the designed arrangement fits.
        for (int side = static_cast<int>(0.9 * h); side > 0; --side) {
            FormLayout shrunk = AroundCanvas(client, dpi, side, sizes, waves);
            if (!Roomy(shrunk, sizes)) {
                break;
            }
            if (FitsInside(shrunk, client)) {
                result.arrangement = Arrangement::Shrunk;
                result.form = std::move(shrunk);
                return result;
            }
        }
    }
    return Compact(client, sizes, waves);
}

} // namespace kymata
