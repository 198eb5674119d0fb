#include "shell/window_layout.h"

#include "shell/window_controls.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kymata {

namespace {

/// The ledger and the lesson are shown only where they get at least this many pixels across and
/// down.
constexpr int LedgerWidth = 200;
constexpr int LedgerHeight = 150;
/// The lesson's part of the side region when it shares it with the ledger, and the least width
/// in which its narration reads without a scroll bar on a laptop.
constexpr double LessonShare = 0.55;
constexpr int LessonWidth = 300;

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
            p.name != QLatin1String("lesson") && !p.rect.isEmpty()) {
            right = std::max(right, p.rect.right());
        }
    }
    return right;
}

/// The panels beside the figure in `region`: the lesson's narration when `lesson`, the wave
/// view's ledger when `waves`, the lesson above the ledger when both are shown.
void PlaceSide(FormLayout& layout, const QRect& region, bool waves, bool lesson) {
    QRect lessonRect;
    QRect ledgerRect;
    if (lesson && region.width() < LessonWidth) {
        // Too narrow to read: the arrangement that gives the lesson more room is sought.
        lesson = false;
    }
    if (!region.isEmpty()) {
        if (lesson && waves) {
            const int top = static_cast<int>(LessonShare * region.height());
            lessonRect = QRect(region.left(), region.top(), region.width(), top);
            const QRect rest(region.left(), region.top() + top, region.width(),
                             region.height() - top);
            ledgerRect = rest.height() >= LedgerHeight ? rest : QRect();
        } else if (lesson) {
            lessonRect = region;
        } else if (waves) {
            ledgerRect = region;
        }
    }
    Place(layout, QStringLiteral("lesson"), lessonRect);
    Place(layout, QStringLiteral("ledger"), ledgerRect);
}

/// The wave view's switch and LESSON in the strip under the canvas, which the design leaves
/// free, with PERFECT LENS, PLAY, FLASH, F → BEST FOCUS and the speed beside them while the
/// wave view is on (in a second row where the window is too narrow for one); the
/// lesson and the ledger in the free space to the right of the controls, over the canvas's
/// height.
void AddWaveControls(FormLayout& layout, QSize client, const ControlSizes& sizes, bool waves,
                     bool lesson) {
    const QRect canvas = layout.Rect(QStringLiteral("EIKON"));
    const int gap = std::max(4, canvas.left());
    int x = canvas.left();
    int y = canvas.bottom() + 1 + gap;
    int height = 0;
    for (const WindowControl& c : WindowControls()) {
        if (c.inStrip) {
            height = std::max(height, Hint(sizes, c.name).height());
        }
    }
    for (const WindowControl& c : WindowControls()) {
        if (!c.inStrip) {
            continue;
        }
        const char* const name = c.name;
        const bool shown = waves || !c.wavesOnly;
        const int width = Hint(sizes, name).width();
        // The strip goes on in a second row where the window ends.
        if (shown && x > canvas.left() && x + width > client.width() - gap) {
            x = canvas.left();
            y += height + gap;
        }
        Place(layout, QString::fromLatin1(name), shown ? QRect(x, y, width, height) : QRect());
        if (shown) {
            x += width + 2 * gap;
        }
    }
    const int right = ControlsRight(layout);
    const int width = client.width() - right - 2 * gap;
    PlaceSide(layout,
              width >= LedgerWidth ? QRect(right + gap, canvas.top(), width, canvas.height())
                                   : QRect(),
              waves, lesson);
}

/// True when `rect` lies inside `client` and meets no shown placement but `name`'s own.
bool Free(const FormLayout& layout, const QString& name, const QRect& rect, QSize client) {
    if (!QRect(QPoint(0, 0), client).contains(rect)) {
        return false;
    }
    return std::none_of(layout.placements.begin(), layout.placements.end(),
                        [&](const FormLayout::Placement& p) {
                            return p.name != name && !p.rect.isEmpty() && p.rect.intersects(rect);
                        });
}

/// How much narrower than its size hint a check box may be: the style's padding after the
/// caption, which the design's own captions do without.
constexpr int CaptionSlack = 4;

/// Where the caption of a control placed at `rect` shows: the middle half of its height, as wide
/// as the toolkit draws the control with its caption.
QRect CaptionBand(const QRect& rect, QSize hint) {
    return QRect(rect.left(), rect.top() + rect.height() / 4,
                 std::max(1, hint.width() - CaptionSlack), std::max(1, rect.height() / 2));
}

/// The designed rectangles are sized for the design's own captions; a caption that needs more
/// room (ΕΛΛΗΝΙΚΑ, «Παράλληλη ΔΕΣΜΗ») gets it where it is free: in place, widened, or else at
/// the nearest free height in its column. A caption is never cut or covered.
void FitCaptions(FormLayout& layout, QSize client, const ControlSizes& sizes) {
    // The check boxes and options only: a push button centres its caption within its frame.
    for (const WindowControl& c : WindowControls()) {
        if (c.kind != ControlKind::Captioned) {
            continue;
        }
        const char* const name = c.name;
        const QString key = QString::fromLatin1(name);
        const QRect rect = layout.Rect(key);
        const QSize hint = Hint(sizes, name);
        if (rect.isEmpty()) {
            continue;
        }
        const QRect wider(rect.topLeft(),
                          QSize(std::max(rect.width(), hint.width()), rect.height()));
        if (Free(layout, key, CaptionBand(rect, hint), client)) {
            // Its caption has room: the control is made as wide as the caption, where the
            // design's width would cut more than the style's padding off it.
            if (rect.width() + CaptionSlack < hint.width()) {
                Place(layout, key, wider);
            }
            continue;
        }
        const int reach = client.height() / 3;
        for (int step = 2; step <= reach; step += 2) {
            const QRect down = wider.translated(0, step);
            const QRect up = wider.translated(0, -step);
            const QRect* found = Free(layout, key, down, client) ? &down
                                 : Free(layout, key, up, client) ? &up
                                                                 : nullptr;
            if (found) {
                Place(layout, key, *found);
                break;
            }
        }
    }
}

/// In presentation mode the read-outs on one line where the room beside them is free: the
/// design gives them the width of their texts at the design's size, which the larger type
/// wraps onto three or four lines.
void FitReadouts(FormLayout& layout, QSize client, const ControlSizes& sizes) {
    for (const WindowControl& c : WindowControls()) {
        if (c.kind != ControlKind::Readout) {
            continue;
        }
        const QString key = QString::fromLatin1(c.name);
        const QRect rect = layout.Rect(key);
        // The thickness read-out is measured on its own; the others share the widest line.
        const int line =
            sizes.hints.contains(key) ? Hint(sizes, c.name).width() : sizes.readout.width();
        if (rect.isEmpty() || rect.width() >= line) {
            continue;
        }
        // One line, as wide as its text, a pixel clear of what stands just above it.
        const int height = std::min(rect.height(), sizes.readout.height() * 3 / 2);
        const QRect wider(rect.topLeft() + QPoint(0, 1), QSize(line, height));
        if (Free(layout, key, wider, client)) {
            Place(layout, key, wider);
        }
    }
}

/// True when every caption shows whole, clear of the other controls.
bool CaptionsWhole(const FormLayout& layout, QSize client, const ControlSizes& sizes) {
    for (const WindowControl& c : WindowControls()) {
        const QString key = QString::fromLatin1(c.name);
        const QRect rect = layout.Rect(key);
        if (c.kind == ControlKind::Captioned && !rect.isEmpty() &&
            !Free(layout, key, CaptionBand(rect, Hint(sizes, c.name)), client)) {
            return false;
        }
    }
    return true;
}

/// The designed arrangement around a canvas of `side` pixels, with the wave view's controls.
FormLayout AroundCanvas(QSize client, double dpi, double side, const ControlSizes& sizes,
                        bool waves, bool lesson, bool presentation) {
    FormLayout layout = ComputeFormLayout(client, dpi, side);
    FitCaptions(layout, client, sizes);
    if (presentation) {
        FitReadouts(layout, client, sizes);
    }
    AddWaveControls(layout, client, sizes, waves, lesson);
    return layout;
}

/// True when the lesson, if it is open, has its panel.
bool LessonShown(const FormLayout& layout, bool lesson) {
    return !lesson || !layout.Rect(QStringLiteral("lesson")).isEmpty();
}

/// True when the designed arrangement is still usable: the languages end above the focus bar,
/// and the scroll bars are at least as tall as the toolkit draws them.
bool Roomy(const FormLayout& layout, const ControlSizes& sizes) {
    return layout.Rect(QStringLiteral("AGLIKA")).bottom() <
               layout.Rect(QStringLiteral("fOCUS_POINT")).top() &&
           layout.Rect(QStringLiteral("fOCUS_POINT")).height() >= Hint(sizes, "scrollBar").height();
}

/// The compact panel: the controls in the design's order from top to bottom, each scroll bar
/// on a line of its own with its read-out to its right, the switches and buttons flowing onto
/// as many lines as `width` needs. Returns the panel's height.
int FlowPanel(FormLayout& layout, QPoint origin, int width, const ControlSizes& sizes, bool waves) {
    const int gap = std::max(6, sizes.readout.height() / 2);
    const int barHeight = std::max(Hint(sizes, "scrollBar").height(),
                                   static_cast<int>(std::lround(1.6 * sizes.readout.height())));
    int y = origin.y();
    // A line of the switches and buttons in the table's order, the wave view's only with it,
    // flowing on where `width` ends.
    const auto line = [&](int number) {
        int x = origin.x();
        int lineHeight = 0;
        for (const WindowControl& c : WindowControls()) {
            if (c.kind == ControlKind::Bar || c.kind == ControlKind::Readout ||
                c.panelLine != number) {
                continue;
            }
            if (c.wavesOnly && !waves) {
                Place(layout, QString::fromLatin1(c.name), QRect());
                continue;
            }
            const QSize size = Hint(sizes, c.name);
            const int w = std::min(size.width(), width);
            if (x > origin.x() && x + w > origin.x() + width) {
                x = origin.x();
                y += lineHeight + gap;
                lineHeight = 0;
            }
            Place(layout, QString::fromLatin1(c.name),
                  QRect(QPoint(x, y), QSize(w, size.height())));
            x += w + gap;
            lineHeight = std::max(lineHeight, size.height());
        }
        if (x > origin.x()) {
            y += lineHeight + gap;
        }
    };
    line(0);
    // A read-out takes one line where it has room for its widest text, else two.
    const int barWidth = std::max(width - gap - sizes.readout.width(), width * 4 / 7);
    const int labelWidth = width - gap - barWidth;
    const int widest = std::max(sizes.readout.width(), Hint(sizes, "Label4").width());
    const int labelHeight = sizes.readout.height() * (labelWidth >= widest ? 1 : 2);
    const std::vector<WindowControl>& table = WindowControls();
    for (std::size_t k = 0; k + 1 < table.size(); ++k) {
        if (table[k].kind != ControlKind::Bar) {
            continue;
        }
        const int lineHeight = std::max(barHeight, labelHeight);
        Place(layout, QString::fromLatin1(table[k].name),
              QRect(origin.x(), y + (lineHeight - barHeight) / 2, barWidth, barHeight));
        Place(layout, QString::fromLatin1(table[k + 1].name),
              QRect(origin.x() + barWidth + gap, y, labelWidth, lineHeight));
        y += lineHeight + gap;
    }
    line(2);
    line(3);
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

WindowLayout Compact(QSize client, const ControlSizes& sizes, bool waves, bool lesson) {
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
        const int used = FlowPanel(layout, QPoint(left, margin), width, sizes, waves);
        const int ledgerLeft = left + width + margin;
        const QRect right(ledgerLeft, margin, w - ledgerLeft - margin, side);
        // Without room to the right, the lesson goes under the panel and the ledger is left out.
        const QRect under(left, 2 * margin + used, width, h - 3 * margin - used);
        if (right.width() >= LedgerWidth) {
            PlaceSide(layout, right, waves, lesson);
        } else {
            PlaceSide(layout, QRect(), waves, lesson);
            if (lesson && under.height() >= LedgerHeight) {
                Place(layout, QStringLiteral("lesson"), under);
            }
        }
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
    PlaceSide(layout,
              h - ledgerTop - margin >= LedgerHeight
                  ? QRect(margin, ledgerTop, width, h - ledgerTop - margin)
                  : QRect(),
              waves, lesson);
    return result;
}

} // namespace

bool FitsInside(const FormLayout& layout, QSize client) {
    const QRect area(QPoint(0, 0), client);
    return std::all_of(
        layout.placements.begin(), layout.placements.end(),
        [&](const FormLayout::Placement& p) { return p.rect.isEmpty() || area.contains(p.rect); });
}

WindowLayout FitWindowLayout(QSize client, double dpi, const ControlSizes& sizes, bool waves,
                             bool lesson, bool presentation) {
    const int h = std::max(1, client.height());
    WindowLayout result;
    result.form = AroundCanvas(client, dpi, 0.9 * h, sizes, waves, lesson, presentation);
    if (FitsInside(result.form, client) && Roomy(result.form, sizes) &&
        CaptionsWhole(result.form, client, sizes) && LessonShown(result.form, lesson)) {
        return result;
    }
    if (client.width() >= client.height()) {
        // The largest canvas, a pixel at a time, around which the designed arrangement fits.
        for (int side = static_cast<int>(0.9 * h); side > 0; --side) {
            FormLayout shrunk = AroundCanvas(client, dpi, side, sizes, waves, lesson, presentation);
            if (!Roomy(shrunk, sizes)) {
                break;
            }
            if (FitsInside(shrunk, client) && CaptionsWhole(shrunk, client, sizes) &&
                LessonShown(shrunk, lesson)) {
                result.arrangement = Arrangement::Shrunk;
                result.form = std::move(shrunk);
                return result;
            }
        }
    }
    return Compact(client, sizes, waves, lesson);
}

} // namespace kymata
