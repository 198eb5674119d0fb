#include "waves/wave_ledger.h"

#include "construction/number_format.h"

#include <cmath>

namespace kymata::waves {

namespace {

constexpr const char* Missing = "—";

std::string Number(const std::optional<double>& value, int decimals) {
    return value ? Format(*value, decimals) : Missing;
}

/// The texts of one language.
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
    const char* inStep;
    const char* bestFocus;
    const char* bestFromF;
    const char* noBestFocus;
    const char* paraxialFocus;
    const char* noParaxialFocus;
    const char* spread;
    const char* inGlass;
    const char* noPerfect;
    const char* sphereGap;
};

constexpr Words English{
    "height",
    "air",
    "glass",
    "after",
    "total",
    "phase °",
    "fate",
    "Axial count W0 (waves)",
    "rms OPD (waves)",
    "max OPD (waves)",
    "In step (%)",
    "Best focus x",
    "Best focus from F (waves)",
    "Best focus: none within 2000 units",
    "Paraxial focus x",
    "Paraxial focus: none (the rays near the axis do not converge)",
    "Spread of axis crossings",
    "The source lies in the glass: no ray is traced.",
    "No perfect surface exists for these settings: no surface is drawn.",
    "Perfect surface from the sphere, at most (glass waves)",
};

constexpr Words Greek{
    "ύψος",
    "αέρας",
    "γυαλί",
    "μετά",
    "σύνολο",
    "φάση °",
    "έκβαση",
    "Κύματα στον άξονα W0",
    "rms διαφορά δρόμου (κύματα)",
    "μέγιστη διαφορά δρόμου (κύματα)",
    "Σε φάση (%)",
    "Καλύτερη εστία x",
    "Καλύτερη εστία από το F (κύματα)",
    "Καλύτερη εστία: καμία μέσα σε 2000 μονάδες",
    "Παραξονική εστία x",
    "Παραξονική εστία: καμία (οι ακτίνες κοντά στον άξονα δεν συγκλίνουν)",
    "Εύρος τομών με τον άξονα",
    "Η πηγή βρίσκεται μέσα στο γυαλί: καμία ακτίνα δεν σχεδιάζεται.",
    "Δεν υπάρχει τέλεια επιφάνεια για αυτές τις τιμές: καμία επιφάνεια δεν σχεδιάζεται.",
    "Τέλεια επιφάνεια από τη σφαίρα, το πολύ (κύματα στο γυαλί)",
};

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
    s.push_back({w.axialCount, Number(trace.axialCount, 2)});
    s.push_back({w.rmsOpd, Number(trace.rmsOpd, 2)});
    s.push_back({w.maxOpd, Number(trace.maxOpd, 2)});
    s.push_back(
        {w.inStep, Number(trace.inStep ? std::optional(100 * *trace.inStep) : std::nullopt, 0)});
    if (trace.bestFocus) {
        s.push_back({w.bestFocus, Format(*trace.bestFocus, 1)});
        s.push_back({w.bestFromF,
                     Format((*trace.bestFocus - trace.lens.focusX) / trace.lens.wavelength, 2)});
    } else {
        s.push_back({w.noBestFocus, ""});
    }
    if (trace.paraxialFocus) {
        s.push_back({w.paraxialFocus, Format(*trace.paraxialFocus, 1)});
    } else {
        s.push_back({w.noParaxialFocus, ""});
    }
    s.push_back({w.spread, Number(trace.crossingSpread, 1)});
    if (trace.sphereGap) {
        s.push_back({w.sphereGap, Format(*trace.sphereGap, 2)});
    }
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
