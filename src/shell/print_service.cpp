#include "shell/print_service.h"

#include "export/said.h"

#include <cups/cups.h>

#include <memory>

namespace kymata {

std::optional<QString> PrintServiceProblem(const QString& printer, const QDateTime& sent,
                                           std::string_view language) {
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
            return Said("print.serviceSilent", language, {printer});
        }
        return Said("print.printerGone", language, {printer});
    }
    const std::unique_ptr<cups_dest_t, void (*)(cups_dest_t*)> destination(
        dest, [](cups_dest_t* d) { cupsFreeDests(1, d); });
    const char* accepting =
        cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    if (accepting != nullptr && QLatin1String(accepting) == QLatin1String("false")) {
        return Said("print.notAccepting", language, {printer});
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
        return Said("print.notTaken", language, {printer});
    }
    if (*state == IPP_JSTATE_ABORTED || *state == IPP_JSTATE_CANCELED) {
        return Said("print.stopped", language, {printer});
    }
    return std::nullopt;
}

} // namespace kymata
