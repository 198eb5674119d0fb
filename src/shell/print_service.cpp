#include "shell/print_service.h"

#include <cups/cups.h>

#include <memory>

namespace kymata {

namespace {

QString Say(bool greek, const QString& el, const QString& en, const QString& printer) {
    return (greek ? el : en).arg(printer);
}

} // namespace

std::optional<QString> PrintServiceProblem(const QString& printer, const QDateTime& sent,
                                           bool greek) {
    const QByteArray name = printer.toUtf8();
    // First whether the service answers at all (within five seconds).
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                5000, nullptr);
    if (http != nullptr) {
        httpClose(http);
    }
    cups_dest_t* dest =
        http != nullptr ? cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr) : nullptr;
    if (dest == nullptr) {
        if (http == nullptr || cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE) {
            return Say(greek,
                       QStringLiteral("Η υπηρεσία εκτύπωσης δεν απαντά, οπότε η σελίδα για τον "
                                      "εκτυπωτή «%1» δεν τυπώθηκε. Ελέγξτε ότι η υπηρεσία "
                                      "εκτύπωσης λειτουργεί και δοκιμάστε ξανά."),
                       QStringLiteral("The print service does not answer, so the page for "
                                      "\"%1\" was not printed. Check that the print service is "
                                      "running, then try again."),
                       printer);
        }
        return Say(greek,
                   QStringLiteral("Ο εκτυπωτής «%1» δεν υπάρχει πια στην υπηρεσία εκτύπωσης, "
                                  "οπότε η σελίδα δεν τυπώθηκε. Διαλέξτε άλλον εκτυπωτή."),
                   QStringLiteral("The printer \"%1\" no longer exists in the print service, so "
                                  "the page was not printed. Choose another printer."),
                   printer);
    }
    const std::unique_ptr<cups_dest_t, void (*)(cups_dest_t*)> destination(
        dest, [](cups_dest_t* d) { cupsFreeDests(1, d); });
    const char* accepting =
        cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    if (accepting != nullptr && QLatin1String(accepting) == QLatin1String("false")) {
        return Say(greek,
                   QStringLiteral("Ο εκτυπωτής «%1» δεν δέχεται εργασίες τώρα, οπότε η σελίδα "
                                  "δεν τυπώθηκε. Ζητήστε να ενεργοποιηθεί η ουρά του ή διαλέξτε "
                                  "άλλον εκτυπωτή."),
                   QStringLiteral("The printer \"%1\" does not accept jobs now, so the page was "
                                  "not printed. Ask for its queue to be enabled, or choose "
                                  "another printer."),
                   printer);
    }
    cups_job_t* jobs = nullptr;
    const int count =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, name.constData(), 1, CUPS_WHICHJOBS_ALL);
    std::optional<ipp_jstate_t> state;
    int newest = -1;
    for (int i = 0; i < count; ++i) {
        if (jobs[i].creation_time >= sent.toSecsSinceEpoch() - 1 && jobs[i].id > newest) {
            newest = jobs[i].id;
            state = jobs[i].state;
        }
    }
    cupsFreeJobs(count, jobs);
    if (!state) {
        return Say(greek,
                   QStringLiteral("Η υπηρεσία εκτύπωσης δεν δέχτηκε τη σελίδα για τον εκτυπωτή "
                                  "«%1», οπότε δεν τυπώθηκε."),
                   QStringLiteral("The print service did not take the page for \"%1\", so it was "
                                  "not printed."),
                   printer);
    }
    if (*state == IPP_JSTATE_ABORTED || *state == IPP_JSTATE_CANCELED) {
        return Say(greek,
                   QStringLiteral("Η υπηρεσία εκτύπωσης σταμάτησε την εργασία για τον εκτυπωτή "
                                  "«%1», οπότε η σελίδα δεν τυπώθηκε."),
                   QStringLiteral("The print service stopped the job for \"%1\", so the page was "
                                  "not printed."),
                   printer);
    }
    return std::nullopt;
}

} // namespace kymata
