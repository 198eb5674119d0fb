#include "figure/control_texts.h"

#include "construction/scene.h"
#include "construction/scene_parameters.h"

#include <algorithm>
#include <cmath>

#include <cstdio>

namespace kymata {

namespace {

/// `pattern` with its "%1" replaced by `value`.
std::string Fill(std::string pattern, const std::string& value) {
    if (const auto at = pattern.find("%1"); at != std::string::npos) {
        pattern.replace(at, 2, value);
    }
    return pattern;
}

/// A refractive index of `hundredths` hundredths as the read-outs write it: "1.50".
std::string IndexText(int hundredths) {
    char text[16];
    std::snprintf(text, sizeof text, "%d.%02d", hundredths / 100, hundredths % 100);
    return text;
}

} // namespace

ControlTexts ControlTextsFor(bool greek) {
    if (greek) {
        return {"Αποθήκευση σχήματος ως…",
                "Αποθήκευση φύλλου εργασίας ως…",
                "Εκτύπωση…",
                "Εκτύπωση φύλλου εργασίας…",
                "Ζωντανή μετακίνηση",
                "Λειτουργία παρουσίασης",
                "Μεγέθυνση",
                "Σμίκρυνση",
                "Ολόκληρο το σχήμα",
                "Έξοδος",
                "Αποθήκευση σχήματος",
                "Μέγεθος εικόνας PNG",
                "Πλευρά σε εικονοστοιχεία:",
                "Το σχήμα δεν αποθηκεύτηκε.",
                "Κυματική εικόνα",
                "ΚΥΜΑΤΙΚΗ ΕΙΚΟΝΑ",
                "Κύματα από την πηγή ως το F, ακτίνα προς ακτίνα",
                "Κίνηση / παύση",
                "ΚΙΝΗΣΗ ▶",
                "ΠΑΥΣΗ ❚❚",
                "Ένα καρέ μπροστά",
                "Πιο αργά",
                "Πιο γρήγορα",
                "Μία λάμψη",
                "ΛΑΜΨΗ",
                "ΤΕΛΕΙΟΣ ΦΑΚΟΣ",
                "Ταχύτητα %1× (Space, [, ], .)",
                "Όλα όσα σχεδιάστηκαν",
                "Μενού του σχήματος",
                "Οδηγός…",
                "Σχετικά με το Kymata…",
                "Σχετικά με το Kymata",
                "Kymata %1\n"
                "Κύματα και ακτίνες σε φακό: γιατί ένας φακός εστιάζει.\n\n"
                "Άδεια: GNU General Public License, έκδοση 3 ή νεότερη· χωρίς καμία εγγύηση.\n\n"
                "Για ένα πρόβλημα γράψτε στους προγραμματιστές του Kymata, στον κατάλογο "
                "προβλημάτων του έργου από όπου πήρατε το πρόγραμμα: την έκδοση, τι κάνατε και τι "
                "είδατε.",
                "Οδηγός του Kymata"};
    }
    return {"Save figure as…",
            "Save worksheet as…",
            "Print…",
            "Print worksheet…",
            "Live dragging",
            "Presentation mode",
            "Zoom in",
            "Zoom out",
            "Whole figure",
            "Quit",
            "Save figure",
            "PNG image size",
            "Side in pixels:",
            "The figure was not saved.",
            "Wave view",
            "WAVE VIEW",
            "Waves from the source to F, ray by ray",
            "Play / pause",
            "PLAY ▶",
            "PAUSE ❚❚",
            "One frame on",
            "Slower",
            "Faster",
            "One flash",
            "FLASH",
            "PERFECT LENS",
            "Speed %1× (Space, [, ], .)",
            "Show all",
            "Canvas menu",
            "Guide…",
            "About Kymata…",
            "About Kymata",
            "Kymata %1\n"
            "Waves and rays through a lens: why a lens focuses.\n\n"
            "Licence: GNU General Public License, version 3 or later; no warranty.\n\n"
            "To report a problem, write to the Kymata developers in the issue tracker of the "
            "project you got the program from: the version, what you did and what you saw.",
            "Kymata guide"};
}

namespace {

/// Where the source stands, as a sentence without its full stop. The source bar counts from the
/// origin; the spherical lens begins nearer the source, at its front vertex, and the hyperbolic
/// construction counts the source from its tip.
std::string SourcePlace(const Controls& c) {
    const bool el = c.ELLINIKA;
    const std::string bar = std::to_string(-c.initial_POINT);
    if (c.YPERVOLIKO) {
        return el ? "Η πηγή απέχει " + bar + " μήκη κύματος από την κορυφή του φακού"
                  : "The source is " + bar + " wavelengths in front of the lens's tip";
    }
    Scene scene;
    ReadScene(c, scene);
    const SphericalGeometry g = DeriveSphericalGeometry(c, scene);
    const long fromLens = std::lround((g.FrontVertexX - scene.SourceX) / scene.Wavelength);
    if (fromLens <= 0) {
        return el ? "Η πηγή απέχει " + bar +
                        " μήκη κύματος από την αρχή των αξόνων, μέσα στο "
                        "γυαλί του φακού"
                  : "The source is " + bar +
                        " wavelengths from the origin, in the glass of the lens";
    }
    const std::string lens = std::to_string(fromLens);
    return el ? "Η πηγή απέχει " + bar + " μήκη κύματος από την αρχή των αξόνων, " + lens +
                    " μήκη κύματος μπροστά από τον φακό"
              : "The source is " + bar + " wavelengths from the origin, " + lens +
                    " in front of the lens";
}

/// The name and explanation of each control, as a reader of the form would put them.
ControlDescription Explain(std::string_view name, const Controls& c) {
    const bool el = c.ELLINIKA;
    const std::string n = IndexText(c.n_DIATHLASI);
    if (name == "EIKON") {
        return el ? ControlDescription{"Σχήμα κατασκευής",
                                       "Οι ακτίνες από την πηγή μέσα από τον φακό, με τα "
                                       "μήκη κύματος σημειωμένα. Μενού: αποθήκευση και "
                                       "εκτύπωση."}
                  : ControlDescription{"Construction figure",
                                       "The rays from the source through the lens, with "
                                       "their wavelengths ticked. Menu: save and print."};
    }
    if (name == "Command1") {
        return el ? ControlDescription{"Εκτύπωση", "Εκτυπώνει την τρέχουσα κατασκευή."}
                  : ControlDescription{"Print", "Prints the current construction."};
    }
    if (name == "initial_POINT") {
        return {el ? "Θέση πηγής" : "Source position",
                SourcePlace(c) + (el ? " (από 3 έως 200)." : " (3 to 200).")};
    }
    if (name == "fOCUS_POINT") {
        const std::string waves = std::to_string(c.fOCUS_POINT);
        return el ? ControlDescription{"Σημείο-στόχος F",
                                       Fill("Το F βρίσκεται %1 μήκη κύματος πίσω από τον φακό "
                                            "(από 1 έως 50): εκεί συγκρίνονται τα κύματα των "
                                            "ακτίνων. Η μετακίνησή του δεν αλλάζει τον φακό.",
                                            waves)}
                  : ControlDescription{"Target point F",
                                       Fill("F is %1 wavelengths behind the lens (1 to 50): "
                                            "where the counts of the rays are compared. Moving "
                                            "it does not change the lens.",
                                            waves)};
    }
    if (name == "n_DIATHLASI") {
        return el ? ControlDescription{"Δείκτης διάθλασης", Fill("n = %1, από 1.05 έως 2.50.", n)}
                  : ControlDescription{"Refractive index", Fill("n = %1, from 1.05 to 2.50.", n)};
    }
    if (name == "pachos") {
        const std::string waves = std::to_string(c.pachos);
        return el ? ControlDescription{"Πάχος φακού",
                                       Fill("Ο φακός έχει πάχος %1 μήκη κύματος στο γυαλί "
                                            "(από 1 έως 20).",
                                            waves)}
                  : ControlDescription{"Lens thickness",
                                       Fill("The lens is %1 glass wavelengths thick (1 to "
                                            "20).",
                                            waves)};
    }
    if (name == "f_apeiro") {
        return el ? ControlDescription{"Παράλληλη δέσμη",
                                       "Στην κυματική εικόνα η πηγή γίνεται επίπεδο κύμα, φως "
                                       "από πολύ μακρινή πηγή· το κλασικό σχήμα δεν αλλάζει."}
                  : ControlDescription{"Parallel beam",
                                       "Wave view only: a plane wave, light from a very distant "
                                       "source. The classic figures do not change."};
    }
    if (name == "YPERVOLIKO") {
        return el ? ControlDescription{"Υπερβολικός φακός",
                                       "Σχεδιάζει φακό με υπερβολική μπροστινή "
                                       "επιφάνεια."}
                  : ControlDescription{"Hyperbolic lens", "Draws a lens whose front surface is a "
                                                          "hyperbola."};
    }
    if (name == "waveView") {
        return el ? ControlDescription{"Κυματική εικόνα",
                                       "Σχεδιάζει με ακρίβεια κάθε ακτίνα μέσα από τον φακό· "
                                       "μετά τον φακό μετρά τα κύματα ευθεία από το σημείο "
                                       "εξόδου ως το F και δείχνει πόσο καλά φτάνουν σε φάση "
                                       "(F6)."}
                  : ControlDescription{"Wave view",
                                       "Traces every ray exactly through the lens; after it, "
                                       "counts the waves straight from where the ray leaves the "
                                       "glass to F, and shows how well they arrive in step "
                                       "(F6)."};
    }
    if (name == "playButton") {
        return el ? ControlDescription{"Κίνηση", "Κινεί τις κορυφές των κυμάτων: ένα μήκος "
                                                 "κύματος σε κάθε περίοδο (Space)."}
                  : ControlDescription{"Play", "Moves the crests of the waves on by one "
                                               "wavelength each period (Space)."};
    }
    if (name == "perfectLens") {
        return el ? ControlDescription{"Τέλειος φακός",
                                       "Η μπροστινή επιφάνεια στην οποία κάθε ακτίνα "
                                       "φτάνει στο F με τον ίδιο αριθμό κυμάτων."}
                  : ControlDescription{"Perfect lens",
                                       "The front surface on which every ray arrives "
                                       "at F with the same count of waves."};
    }
    if (name == "flashButton") {
        return el ? ControlDescription{"Λάμψη", "Στέλνει μία κορυφή από την πηγή μέσα από "
                                                "τον φακό (L)."}
                  : ControlDescription{"Flash", "Sends one crest from the source through the "
                                                "lens (L)."};
    }
    if (name == "ELLINIKA") {
        return el ? ControlDescription{"Ελληνικά", "Όλα τα κείμενα στα ελληνικά."}
                  : ControlDescription{"Greek", "All texts in Greek."};
    }
    if (name == "AGLIKA") {
        return el ? ControlDescription{"Αγγλικά", "Όλα τα κείμενα στα αγγλικά."}
                  : ControlDescription{"English", "All texts in English."};
    }
    if (name == "Label1") {
        return {el ? "Ένδειξη πηγής" : "Source read-out", {}};
    }
    if (name == "Label2") {
        return {el ? "Ένδειξη εστίας" : "Focus read-out", {}};
    }
    if (name == "Label3") {
        return {el ? "Ένδειξη δείκτη διάθλασης" : "Refractive index read-out", {}};
    }
    return {el ? "Ένδειξη πάχους" : "Thickness read-out", {}};
}

/// The controls that show their own name: a caption ("HYPERBOLA", "PRINT") or a text (the
/// read-outs).
bool ShowsItsName(std::string_view name) {
    return name != "EIKON" && name != "initial_POINT" && name != "fOCUS_POINT" &&
           name != "n_DIATHLASI" && name != "pachos";
}

} // namespace

ControlDescription DescribeControl(std::string_view name, const Controls& controls) {
    ControlDescription d = Explain(name, controls);
    if (ShowsItsName(name)) {
        // What the user sees is the name, so that a screen reader says it and voice control
        // finds the control by it; what it means goes into the description.
        d.description = d.description.empty() ? d.name : d.name + ": " + d.description;
        d.name.clear();
    }
    return d;
}

namespace {

/// A scene scroll bar: its range of raw values and how a raw value turns into the value its
/// read-out shows, shown = raw × scale.
struct SceneBar {
    std::string_view name;
    ControlRange range;
    double scale;
};

/// The source bar runs from -200 to -3: the source is 200 to 3 wavelengths away. The index bar
/// counts hundredths.
constexpr SceneBar SceneBars[] = {{"initial_POINT", initial_POINT_Range, -1.0},
                                  {"fOCUS_POINT", fOCUS_POINT_Range, 1.0},
                                  {"n_DIATHLASI", n_DIATHLASI_Range, 0.01},
                                  {"pachos", pachos_Range, 1.0}};

const SceneBar* FindBar(std::string_view name) {
    for (const SceneBar& bar : SceneBars) {
        if (bar.name == name) {
            return &bar;
        }
    }
    return nullptr;
}

} // namespace

std::optional<ShownValue> ShownBarValue(std::string_view name, int raw) {
    const SceneBar* bar = FindBar(name);
    if (!bar) {
        return std::nullopt;
    }
    const double ends[] = {bar->range.min * bar->scale, bar->range.max * bar->scale};
    return ShownValue{raw * bar->scale,
                      name == "n_DIATHLASI" ? IndexText(raw) : std::to_string(raw < 0 ? -raw : raw),
                      std::min(ends[0], ends[1]), std::max(ends[0], ends[1]), std::abs(bar->scale)};
}

std::optional<int> RawBarValue(std::string_view name, double shown) {
    const SceneBar* bar = FindBar(name);
    if (!bar || !std::isfinite(shown)) {
        return std::nullopt;
    }
    return static_cast<int>(std::lround(std::clamp(shown / bar->scale, -1e6, 1e6)));
}

std::string DescribeFigure(const Controls& c, const Recording& figure) {
    const bool el = c.ELLINIKA;
    std::string text;
    if (c.view == View::Waves) {
        text = el ? "Κυματική εικόνα" : "Wave view";
        if (c.perfectLens) {
            text += el ? ", τέλειος φακός" : ", perfect lens";
        } else if (c.YPERVOLIKO) {
            text += el ? ", υπερβολικός φακός" : ", hyperbolic lens";
        } else {
            text += el ? ", σφαιρικός φακός" : ", spherical lens";
        }
        if (c.f_apeiro) {
            text += el ? ", παράλληλη δέσμη" : ", parallel beam";
        }
        text += ". ";
    } else {
        text = c.YPERVOLIKO
                   ? (el ? "Κατασκευή υπερβολικού φακού. " : "Hyperbolic lens construction. ")
                   : (el ? "Κατασκευή σφαιρικού φακού. " : "Spherical lens construction. ");
    }
    const std::string focus = std::to_string(c.fOCUS_POINT);
    const std::string thickness = std::to_string(c.pachos);
    const std::string n = IndexText(c.n_DIATHLASI);
    text +=
        SourcePlace(c) +
        (el ? ", σημείο-στόχος F " + focus + " μήκη κύματος πίσω από τον φακό, δείκτης διάθλασης " +
                  n + ", πάχος " + thickness + " μήκη κύματος στο γυαλί."
            : ", target point F " + focus + " wavelengths behind the lens, refractive index " + n +
                  ", thickness " + thickness + " glass wavelengths.");
    // The figure's own texts, as printed: the counts along the rays, the count on the axis and
    // any notes and summaries.
    std::string counts;
    std::string axis;
    std::string notes;
    for (const Item& item : figure.items) {
        const auto* t = std::get_if<TextItem>(&item);
        if (!t || t->text.find_first_not_of(' ') == std::string::npos) {
            continue;
        }
        std::string& list = t->role == TextRole::Count       ? counts
                            : t->role == TextRole::AxisCount ? axis
                                                             : notes;
        list += (list.empty() ? "" : "; ") + t->text;
    }
    if (!counts.empty()) {
        text += (el ? " Αριθμοί στο σχήμα: " : " Counts on the figure: ") + counts + ".";
    }
    if (!axis.empty()) {
        text += (el ? " Κύματα στον άξονα: " : " Waves on the axis: ") + axis + ".";
    }
    if (!notes.empty()) {
        text += (el ? " Κείμενα στο σχήμα: " : " Texts on the figure: ") + notes + ".";
    }
    return text;
}

} // namespace kymata
