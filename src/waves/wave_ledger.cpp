#include "waves/wave_ledger.h"

#include "construction/number_format.h"

#include <cmath>

namespace kymata::waves {

namespace {

constexpr const char* Missing = "—";

std::string Number(const std::optional<double>& value, int decimals) {
    return value ? Format(*value, decimals) : Missing;
}

/// The texts of one language, each named where it is given.
struct Words {
    const char* height;
    const char* air;
    const char* glass;
    const char* after;
    const char* total;
    const char* phase;
    const char* fate;
    const char* axialCount;
    const char* rmsOpd;
    const char* maxOpd;
    const char* inStepAll;
    const char* brightness;
    const char* bestFocus;
    const char* bestFromF;
    /// Before and after the largest distance searched, in wavelengths.
    const char* noBestFocus;
    const char* noBestFocusEnd;
    const char* paraxialFocus;
    const char* noParaxialFocus;
    /// The source nearer than the front focal distance: before the source's distance, between
    /// it and the focal distance, the end of that line, the reason, and what to change.
    const char* nearSource;
    const char* nearSourceFocal;
    const char* nearSourceEnd;
    const char* nearSourceWhy;
    const char* nearSourceMove;
    const char* nearSourceMoveEnd;
    /// The source on the front focal point: before and after its distance, then the reason.
    const char* atFocalPoint;
    const char* atFocalPointEnd;
    const char* atFocalPointWhy;
    const char* spread;
    const char* countAfterLens;
    const char* inGlass;
    const char* noPerfect;
    const char* sphereGap;
};

constexpr Words English{
    .height = "height",
    .air = "air",
    .glass = "glass",
    .after = "after",
    .total = "total",
    .phase = "phase °",
    .fate = "fate",
    .axialCount = "Count along the axis to F, W0 (waves)",
    .rmsOpd = "Typical path difference from the axis ray, rms (waves)",
    .maxOpd = "Largest path difference from the axis ray (waves)",
    .inStepAll = "In step at F, 2001 rays (%)",
    .brightness = "Brightness at F, of all waves in step (%)",
    .bestFocus = "Best focus behind the lens (wavelengths)",
    .bestFromF = "Best focus from F (wavelengths)",
    .noBestFocus = "Best focus: none within ",
    .noBestFocusEnd = " wavelengths behind the lens",
    .paraxialFocus = "Paraxial focus behind the lens (wavelengths)",
    .noParaxialFocus =
        "Paraxial focus: none (the rays near the axis do not converge behind the lens)",
    .nearSource = "No focus: the source is ",
    .nearSourceFocal = " wavelengths from the lens, nearer than its front focal distance R/(n-1), ",
    .nearSourceEnd = " wavelengths.",
    .nearSourceWhy = "The lens cannot bend the light enough: it still spreads after the lens.",
    .nearSourceMove = "Move the source farther than ",
    .nearSourceMoveEnd = " wavelengths from the lens.",
    .atFocalPoint = "No focus: the source is on the front focal point, ",
    .atFocalPointEnd = " wavelengths from the lens.",
    .atFocalPointWhy =
        "The rays near the axis run parallel in the glass and leave the lens parallel.",
    .spread = "Spread of axis crossings (wavelengths)",
    .countAfterLens =
        "After the lens, each count runs straight from where its ray leaves the glass "
        "to F.",
    .inGlass = "The source lies in the glass: no ray is traced.",
    .noPerfect = "No perfect surface exists for these settings: no surface is drawn.",
    .sphereGap = "Largest gap of the perfect surface from the sphere (glass wavelengths)",
};

constexpr Words Greek{
    .height = "ύψος",
    .air = "αέρας",
    .glass = "γυαλί",
    .after = "μετά",
    .total = "σύνολο",
    .phase = "φάση (°)",
    .fate = "έκβαση",
    .axialCount = "Κύματα κατά μήκος του άξονα ως το F, W0",
    .rmsOpd = "Μέση τετραγωνική διαφορά οπτικού δρόμου από την αξονική ακτίνα (κύματα)",
    .maxOpd = "Μέγιστη διαφορά οπτικού δρόμου από την αξονική ακτίνα (κύματα)",
    .inStepAll = "Σε φάση στο F, 2001 ακτίνες (%)",
    .brightness = "Φωτεινότητα στο F, ως προς όλα τα κύματα σε φάση (%)",
    .bestFocus = "Καλύτερη εστία πίσω από τον φακό (μήκη κύματος)",
    .bestFromF = "Απόσταση καλύτερης εστίας από το F (μήκη κύματος)",
    .noBestFocus = "Καλύτερη εστία: δεν βρέθηκε σε απόσταση έως ",
    .noBestFocusEnd = " μήκη κύματος πίσω από τον φακό",
    .paraxialFocus = "Παραξονική εστία πίσω από τον φακό (μήκη κύματος)",
    .noParaxialFocus =
        "Παραξονική εστία: καμία (οι ακτίνες κοντά στον άξονα δεν συγκλίνουν πίσω από τον φακό)",
    .nearSource = "Καμία εστία: η πηγή απέχει ",
    .nearSourceFocal = " μήκη κύματος από τον φακό, λιγότερο από την μπροστινή εστιακή απόσταση "
                       "R/(n-1), ",
    .nearSourceEnd = " μήκη κύματος.",
    .nearSourceWhy = "Ο φακός δεν εκτρέπει αρκετά το φως: μετά τον φακό αυτό εξακολουθεί να "
                     "αποκλίνει.",
    .nearSourceMove = "Απομακρύνετε την πηγή σε απόσταση μεγαλύτερη από ",
    .nearSourceMoveEnd = " μήκη κύματος από τον φακό.",
    .atFocalPoint = "Καμία εστία: η πηγή βρίσκεται στο μπροστινό εστιακό σημείο, ",
    .atFocalPointEnd = " μήκη κύματος από τον φακό.",
    .atFocalPointWhy = "Οι ακτίνες κοντά στον άξονα διαδίδονται παράλληλα μέσα στο γυαλί και "
                       "βγαίνουν παράλληλες από τον φακό.",
    .spread = "Εύρος τομών με τον άξονα (μήκη κύματος)",
    .countAfterLens = "Μετά τον φακό, κάθε μέτρηση συνεχίζει ευθεία από το σημείο όπου η ακτίνα "
                      "βγαίνει από το γυαλί ως το F.",
    .inGlass = "Η πηγή βρίσκεται μέσα στο γυαλί: καμία ακτίνα δεν σχεδιάζεται.",
    .noPerfect =
        "Δεν υπάρχει τέλεια επιφάνεια για αυτές τις τιμές: καμία επιφάνεια δεν σχεδιάζεται.",
    .sphereGap = "Μέγιστη απόσταση τέλειας επιφάνειας από τη σφαίρα (μήκη κύματος στο γυαλί)",
};

/// A distance behind the back face in wavelengths, as the summary shows it.
std::optional<double> BehindLens(const WaveTrace& trace, const std::optional<double>& x) {
    if (!x) {
        return std::nullopt;
    }
    return (*x - trace.lens.backX) / trace.lens.wavelength;
}

/// The lines that say why the rays near the axis come to no focus behind the lens, and what
/// to change.
void NoParaxialFocus(const WaveTrace& trace, const Words& w, std::vector<LedgerLine>& s) {
    const WaveLens& lens = trace.lens;
    const std::optional<NearSource> near = SourceWithinFocalDistance(lens);
    if (!near) {
        s.push_back({w.noParaxialFocus, ""});
    } else if (near->onFocalPoint) {
        s.push_back({std::string(w.atFocalPoint) + Format(near->focal, 2) + w.atFocalPointEnd, ""});
        s.push_back({w.atFocalPointWhy, ""});
    } else {
        s.push_back({std::string(w.nearSource) + Format(near->distance, 2) + w.nearSourceFocal +
                         Format(near->focal, 2) + w.nearSourceEnd,
                     ""});
        s.push_back({w.nearSourceWhy, ""});
        s.push_back(
            {std::string(w.nearSourceMove) + Format(near->focal, 2) + w.nearSourceMoveEnd, ""});
    }
}

} // namespace

double PhaseErrorDegrees(double opd) {
    // The fraction of a wave in (-1/2, 1/2], then to degrees.
    double fraction = opd - std::floor(opd);
    if (fraction > 0.5) {
        fraction -= 1;
    }
    return 360 * fraction;
}

std::string FateName(RayFate fate, bool greek) {
    switch (fate) {
    case RayFate::Through:
        return greek ? "περνά" : "through";
    case RayFate::Tir:
        return greek ? "ολική ανάκλαση" : "total reflection";
    case RayFate::Missed:
        return greek ? "χάνεται" : "missed";
    }
    return {};
}

std::optional<NearSource> SourceWithinFocalDistance(const WaveLens& lens) {
    const std::optional<double> focal = FrontFocalDistance(lens);
    if (!focal || lens.parallelBeam) {
        return std::nullopt;
    }
    const double distance = lens.frontVertexX - lens.sourceX;
    // The far focus of the hyperbola is the front focal point itself; rounding alone must not
    // put it on one side or the other.
    const bool on = std::abs(distance - *focal) <= 1e-9 * *focal;
    if (!on && distance > *focal) {
        return std::nullopt;
    }
    return NearSource{distance / lens.wavelength, *focal / lens.wavelength, on};
}

std::vector<LedgerLine> LedgerSummary(const WaveTrace& trace, bool greek) {
    const Words& w = greek ? Greek : English;
    std::vector<LedgerLine> s;
    if (trace.sourceInGlass) {
        s.push_back({w.inGlass, ""});
        return s;
    }
    if (trace.noPerfectSurface) {
        s.push_back({w.noPerfect, ""});
        return s;
    }
    const auto percent = [](const std::optional<double>& part) {
        return Number(part ? std::optional(100 * *part) : std::nullopt, 0);
    };
    s.push_back({w.axialCount, Number(trace.axialCount, 2)});
    s.push_back({w.rmsOpd, Number(trace.rmsOpd, 2)});
    s.push_back({w.maxOpd, Number(trace.maxOpd, 2)});
    s.push_back({w.inStepAll, percent(trace.inStepAll)});
    s.push_back({w.brightness, percent(trace.brightness)});
    if (trace.bestFocus) {
        s.push_back({w.bestFocus, Number(BehindLens(trace, trace.bestFocus), 2)});
        s.push_back({w.bestFromF,
                     Format((*trace.bestFocus - trace.lens.focusX) / trace.lens.wavelength, 2)});
    } else {
        s.push_back({std::string(w.noBestFocus) +
                         Format(BestFocusRange / trace.lens.wavelength, 0) + w.noBestFocusEnd,
                     ""});
    }
    if (trace.paraxialFocus) {
        s.push_back({w.paraxialFocus, Number(BehindLens(trace, trace.paraxialFocus), 2)});
    } else {
        NoParaxialFocus(trace, w, s);
    }
    const auto spread = trace.crossingSpread
                            ? std::optional(*trace.crossingSpread / trace.lens.wavelength)
                            : std::nullopt;
    s.push_back({w.spread, Number(spread, 2)});
    if (trace.sphereGap) {
        s.push_back({w.sphereGap, Format(*trace.sphereGap, 2)});
    }
    s.push_back({w.countAfterLens, ""});
    return s;
}

WaveLedger MakeLedger(const WaveTrace& trace, bool greek) {
    const Words& w = greek ? Greek : English;
    WaveLedger ledger;
    ledger.columns = {"k", w.height, w.air, w.glass, w.after, w.total, w.phase, w.fate};
    ledger.summary = LedgerSummary(trace, greek);
    for (std::size_t i = 0; i < trace.rays.size(); ++i) {
        const TracedRay& ray = trace.rays[i];
        const std::optional<double> phase =
            ray.opd ? std::optional(PhaseErrorDegrees(*ray.opd)) : std::nullopt;
        ledger.rows.push_back({std::to_string(static_cast<int>(i) - FanHalf), Format(ray.height, 2),
                               Format(ray.air, 2), Number(ray.glass, 2), Number(ray.after, 2),
                               Number(ray.total, 2), Number(phase, 0), FateName(ray.fate, greek)});
    }
    return ledger;
}

} // namespace kymata::waves
