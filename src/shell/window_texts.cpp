#include "shell/window_texts.h"

namespace kymata {

WindowTexts TextsFor(bool greek) {
    if (greek) {
        return {QStringLiteral("Αποθήκευση σχήματος ως…"),
                QStringLiteral("Αποθήκευση φύλλου εργασίας ως…"),
                QStringLiteral("Εκτύπωση…"),
                QStringLiteral("Εκτύπωση φύλλου εργασίας…"),
                QStringLiteral("Ζωντανή μετακίνηση"),
                QStringLiteral("Λειτουργία παρουσίασης"),
                QStringLiteral("Μεγέθυνση"),
                QStringLiteral("Σμίκρυνση"),
                QStringLiteral("Ολόκληρο το σχήμα"),
                QStringLiteral("Έξοδος"),
                QStringLiteral("Αποθήκευση σχήματος"),
                QStringLiteral("Μέγεθος εικόνας PNG"),
                QStringLiteral("Πλευρά σε εικονοστοιχεία:"),
                QStringLiteral("Το σχήμα δεν αποθηκεύτηκε."),
                QStringLiteral("Κυματική εικόνα"),
                QStringLiteral("ΚΥΜΑΤΙΚΗ ΕΙΚΟΝΑ"),
                QStringLiteral("Κύματα σε κάθε ακτίνα, από την πηγή ως το F"),
                QStringLiteral("Κίνηση / παύση"),
                QStringLiteral("ΚΙΝΗΣΗ ▶"),
                QStringLiteral("ΠΑΥΣΗ ❚❚"),
                QStringLiteral("Ένα καρέ μπροστά"),
                QStringLiteral("Πιο αργά"),
                QStringLiteral("Πιο γρήγορα"),
                QStringLiteral("Μία λάμψη"),
                QStringLiteral("ΛΑΜΨΗ"),
                QStringLiteral("ΤΕΛΕΙΟΣ ΦΑΚΟΣ"),
                QStringLiteral("Ταχύτητα %1× (Space, [, ], .)")};
    }
    return {QStringLiteral("Save figure as…"),
            QStringLiteral("Save worksheet as…"),
            QStringLiteral("Print…"),
            QStringLiteral("Print worksheet…"),
            QStringLiteral("Live dragging"),
            QStringLiteral("Presentation mode"),
            QStringLiteral("Zoom in"),
            QStringLiteral("Zoom out"),
            QStringLiteral("Whole figure"),
            QStringLiteral("Quit"),
            QStringLiteral("Save figure"),
            QStringLiteral("PNG image size"),
            QStringLiteral("Side in pixels:"),
            QStringLiteral("The figure was not saved."),
            QStringLiteral("Wave view"),
            QStringLiteral("WAVE VIEW"),
            QStringLiteral("Waves along every ray, from the source to F"),
            QStringLiteral("Play / pause"),
            QStringLiteral("PLAY ▶"),
            QStringLiteral("PAUSE ❚❚"),
            QStringLiteral("One frame on"),
            QStringLiteral("Slower"),
            QStringLiteral("Faster"),
            QStringLiteral("One flash"),
            QStringLiteral("FLASH"),
            QStringLiteral("PERFECT LENS"),
            QStringLiteral("Speed %1× (Space, [, ], .)")};
}

AccessibleText AccessibleTextFor(const QString& name, const Controls& c) {
    const bool el = c.ELLINIKA;
    const QString n = QString::number(c.n_DIATHLASI / 100.0, 'f', 2);
    if (name == QLatin1String("EIKON")) {
        return el ? AccessibleText{QStringLiteral("Σχήμα κατασκευής"),
                                   QStringLiteral(
                                       "Οι ακτίνες από την πηγή μέσα από τον φακό, με τα "
                                       "μήκη κύματος σημειωμένα. Μενού: αποθήκευση και "
                                       "εκτύπωση.")}
                  : AccessibleText{
                        QStringLiteral("Construction figure"),
                        QStringLiteral("The rays from the source through the lens, with "
                                       "their wavelengths ticked. Menu: save and print.")};
    }
    if (name == QLatin1String("Command1")) {
        return el ? AccessibleText{QStringLiteral("Εκτύπωση"),
                                   QStringLiteral("Εκτυπώνει την τρέχουσα κατασκευή.")}
                  : AccessibleText{QStringLiteral("Print"),
                                   QStringLiteral("Prints the current construction.")};
    }
    if (name == QLatin1String("initial_POINT")) {
        const QString waves = QString::number(-c.initial_POINT);
        return el ? AccessibleText{QStringLiteral("Θέση πηγής"),
                                   QStringLiteral("Η πηγή απέχει %1 μήκη κύματος από την αρχή, 3 "
                                                  "έως 200.")
                                       .arg(waves)}
                  : AccessibleText{QStringLiteral("Source position"),
                                   QStringLiteral("The source is %1 wavelengths from the origin, "
                                                  "3 to 200.")
                                       .arg(waves)};
    }
    if (name == QLatin1String("fOCUS_POINT")) {
        const QString waves = QString::number(c.fOCUS_POINT);
        return el ? AccessibleText{QStringLiteral("Σημείο εστίασης"),
                                   QStringLiteral("Η εστία είναι %1 μήκη κύματος πίσω από τον "
                                                  "φακό, 1 έως 50.")
                                       .arg(waves)}
                  : AccessibleText{QStringLiteral("Focus point"),
                                   QStringLiteral("The focus is %1 wavelengths behind the lens, "
                                                  "1 to 50.")
                                       .arg(waves)};
    }
    if (name == QLatin1String("n_DIATHLASI")) {
        return el ? AccessibleText{QStringLiteral("Δείκτης διάθλασης"),
                                   QStringLiteral("n = %1, από 1.05 έως 2.50.").arg(n)}
                  : AccessibleText{QStringLiteral("Refractive index"),
                                   QStringLiteral("n = %1, from 1.05 to 2.50.").arg(n)};
    }
    if (name == QLatin1String("pachos")) {
        const QString waves = QString::number(c.pachos);
        return el ? AccessibleText{QStringLiteral("Πάχος φακού"),
                                   QStringLiteral("Ο φακός έχει πάχος %1 μήκη κύματος στο γυαλί, "
                                                  "1 έως 20.")
                                       .arg(waves)}
                  : AccessibleText{QStringLiteral("Lens thickness"),
                                   QStringLiteral("The lens is %1 glass wavelengths thick, 1 to "
                                                  "20.")
                                       .arg(waves)};
    }
    if (name == QLatin1String("f_apeiro")) {
        return el ? AccessibleText{QStringLiteral("Παράλληλη δέσμη"),
                                   QStringLiteral("Δεν αλλάζει το σχήμα.")}
                  : AccessibleText{QStringLiteral("Parallel beam"),
                                   QStringLiteral("Changes no figure.")};
    }
    if (name == QLatin1String("YPERVOLIKO")) {
        return el ? AccessibleText{QStringLiteral("Υπερβολικός φακός"),
                                   QStringLiteral("Σχεδιάζει φακό με υπερβολική μπροστινή "
                                                  "επιφάνεια.")}
                  : AccessibleText{QStringLiteral("Hyperbolic lens"),
                                   QStringLiteral("Draws a lens whose front surface is a "
                                                  "hyperbola.")};
    }
    if (name == QLatin1String("waveView")) {
        return el ? AccessibleText{QStringLiteral("Κυματική εικόνα"),
                                   QStringLiteral("Δείχνει τις ακριβείς ακτίνες ως την εστία, "
                                                  "τα κύματα κάθε ακτίνας και πόσο "
                                                  "συμφωνούν (F6).")}
                  : AccessibleText{QStringLiteral("Wave view"),
                                   QStringLiteral("Shows the exact rays to the focus, the waves "
                                                  "along each ray and how well they agree "
                                                  "(F6).")};
    }
    if (name == QLatin1String("playButton")) {
        return el ? AccessibleText{QStringLiteral("Κίνηση"),
                                   QStringLiteral("Κινεί τις κορυφές των κυμάτων: ένα μήκος "
                                                  "κύματος σε κάθε περίοδο (Space).")}
                  : AccessibleText{QStringLiteral("Play"),
                                   QStringLiteral("Moves the crests of the waves on by one "
                                                  "wavelength each period (Space).")};
    }
    if (name == QLatin1String("perfectLens")) {
        return el ? AccessibleText{QStringLiteral("Τέλειος φακός"),
                                   QStringLiteral("Η μπροστινή επιφάνεια στην οποία κάθε ακτίνα "
                                                  "φτάνει στο F με τον ίδιο αριθμό κυμάτων.")}
                  : AccessibleText{QStringLiteral("Perfect lens"),
                                   QStringLiteral("The front surface on which every ray arrives "
                                                  "at F with the same count of waves.")};
    }
    if (name == QLatin1String("flashButton")) {
        return el ? AccessibleText{QStringLiteral("Λάμψη"),
                                   QStringLiteral("Στέλνει μία κορυφή από την πηγή μέσα από "
                                                  "τον φακό (L).")}
                  : AccessibleText{QStringLiteral("Flash"),
                                   QStringLiteral("Sends one crest from the source through the "
                                                  "lens (L).")};
    }
    if (name == QLatin1String("ELLINIKA")) {
        return el ? AccessibleText{QStringLiteral("Ελληνικά"),
                                   QStringLiteral("Όλα τα κείμενα στα ελληνικά.")}
                  : AccessibleText{QStringLiteral("Greek"), QStringLiteral("All texts in Greek.")};
    }
    if (name == QLatin1String("AGLIKA")) {
        return el ? AccessibleText{QStringLiteral("Αγγλικά"),
                                   QStringLiteral("Όλα τα κείμενα στα αγγλικά.")}
                  : AccessibleText{QStringLiteral("English"),
                                   QStringLiteral("All texts in English.")};
    }
    if (name == QLatin1String("Label1")) {
        return {el ? QStringLiteral("Ένδειξη πηγής") : QStringLiteral("Source read-out"), {}};
    }
    if (name == QLatin1String("Label2")) {
        return {el ? QStringLiteral("Ένδειξη εστίας") : QStringLiteral("Focus read-out"), {}};
    }
    if (name == QLatin1String("Label3")) {
        return {el ? QStringLiteral("Ένδειξη δείκτη διάθλασης")
                   : QStringLiteral("Refractive index read-out"),
                {}};
    }
    return {el ? QStringLiteral("Ένδειξη πάχους") : QStringLiteral("Thickness read-out"), {}};
}

} // namespace kymata
