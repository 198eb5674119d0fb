#include "shell/print_service.h"

#include "export/said.h"

#include <cups/cups.h>

#include <algorithm>
#include <memory>
#include <string>

namespace kymata {

namespace {

/// Ends a wait on the service: the timeout callback's answer "stop waiting".
int StopWaiting(http_t*, void*) {
    return 0;
}

using Connection = std::unique_ptr<http_t, void (*)(http_t*)>;

/// A connection to the print service whose every wait ends after `PrintServiceWait`; empty
/// where nothing listens (or the connection itself takes longer).
Connection Connect() {
    // The server as the environment and the client's settings name it now (the library keeps
    // a thread's first answer otherwise).
    cupsSetServer(nullptr);
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                PrintServiceWait, nullptr);
    if (http != nullptr) {
        httpSetTimeout(http, PrintServiceWait / 1000.0, StopWaiting, nullptr);
    }
    return Connection(http, httpClose);
}

std::string PrinterUri(const std::string& printer) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", printer.c_str());
    return uri;
}

std::string TextOf(ipp_t* response, const char* name) {
    ipp_attribute_t* a = ippFindAttribute(response, name, IPP_TAG_TEXT);
    const char* text = a != nullptr ? ippGetString(a, 0, nullptr) : nullptr;
    return text != nullptr ? text : "";
}

int EnumOf(ipp_t* response, const char* name) {
    ipp_attribute_t* a = ippFindAttribute(response, name, IPP_TAG_ENUM);
    return a != nullptr ? ippGetInteger(a, 0) : 0;
}

/// The service's words after a failed request, where it gave more than its status's name.
std::string LastReason() {
    const char* said = cupsLastErrorString();
    return said != nullptr ? said : "";
}

} // namespace

ServiceState AskPrintService() {
    const Connection http = Connect();
    if (!http) {
        return ServiceState::Absent;
    }
    ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_DEFAULT);
    ipp_t* response = cupsDoRequest(http.get(), request, "/");
    const bool answered =
        response != nullptr || (cupsLastError() != IPP_STATUS_ERROR_SERVICE_UNAVAILABLE &&
                                cupsLastError() != IPP_STATUS_ERROR_INTERNAL);
    ippDelete(response);
    return answered ? ServiceState::Answers : ServiceState::Silent;
}

SendResult SendToPrintService(const PrintRequest& r) {
    const Connection http = Connect();
    if (!http) {
        return {0, SendFailure::ServiceSilent, {}};
    }
    // The queue first: whether the service has it and it takes jobs now.
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 PrinterUri(r.printer).c_str());
    ipp_t* response = cupsDoRequest(http.get(), request, "/");
    if (response == nullptr || cupsLastError() > IPP_STATUS_OK_CONFLICTING) {
        ippDelete(response);
        return {0,
                cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND ? SendFailure::PrinterGone
                                                              : SendFailure::ServiceSilent,
                {}};
    }
    ipp_attribute_t* accepting =
        ippFindAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
    const bool takesJobs = accepting == nullptr || ippGetBoolean(accepting, 0) != 0;
    const std::string said = TextOf(response, "printer-state-message");
    ippDelete(response);
    if (!takesJobs) {
        return {0, SendFailure::NotAccepting, said};
    }
    cups_option_t* options = nullptr;
    int count = cupsAddOption("copies", std::to_string(std::max(1, r.copies)).c_str(), 0, &options);
    if (!r.media.empty()) {
        count = cupsAddOption("media", r.media.c_str(), count, &options);
    }
    if (!r.sides.empty()) {
        count = cupsAddOption("sides", r.sides.c_str(), count, &options);
    }
    const int job = cupsCreateJob(http.get(), r.printer.c_str(), r.title.c_str(), count, options);
    cupsFreeOptions(count, options);
    if (job == 0) {
        switch (cupsLastError()) {
        case IPP_STATUS_ERROR_NOT_FOUND:
            return {0, SendFailure::PrinterGone, LastReason()};
        case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
            return {0, SendFailure::NotAccepting, LastReason()};
        case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
        case IPP_STATUS_ERROR_INTERNAL:
            return {0, SendFailure::ServiceSilent, LastReason()};
        default:
            return {0, SendFailure::NotTaken, LastReason()};
        }
    }
    bool sent = cupsStartDocument(http.get(), r.printer.c_str(), job, r.title.c_str(),
                                  CUPS_FORMAT_PDF, 1) == HTTP_STATUS_CONTINUE;
    sent = sent &&
           cupsWriteRequestData(http.get(), r.pdf.constData(),
                                static_cast<std::size_t>(r.pdf.size())) == HTTP_STATUS_CONTINUE;
    const ipp_status_t finished = cupsFinishDocument(http.get(), r.printer.c_str());
    if (!sent || finished > IPP_STATUS_OK_CONFLICTING) {
        const std::string reason = LastReason();
        // The job has no document: it must not wait in the queue for one.
        cupsCancelJob2(http.get(), r.printer.c_str(), job, 0);
        return {0, SendFailure::NotTaken, reason};
    }
    return {job, SendFailure::None, {}};
}

JobLook LookAtJob(const std::string& printer, int job) {
    JobLook look;
    const Connection http = Connect();
    if (!http) {
        return look;
    }
    const std::string uri = PrinterUri(printer);
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
    ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ipp_t* response = cupsDoRequest(http.get(), request, "/");
    if (response == nullptr) {
        return look;
    }
    look.jobState = EnumOf(response, "job-state");
    look.jobMessage = TextOf(response, "job-printer-state-message");
    ippDelete(response);
    request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
    response = cupsDoRequest(http.get(), request, "/");
    if (response == nullptr) {
        return look;
    }
    look.printerState = EnumOf(response, "printer-state");
    look.printerMessage = TextOf(response, "printer-state-message");
    ippDelete(response);
    look.answered = true;
    return look;
}

JobEnd JudgeJob(const JobLook& look, bool waitOver) {
    if (!look.answered) {
        return waitOver ? JobEnd::ServiceSilent : JobEnd::Following;
    }
    switch (look.jobState) {
    case IPP_JSTATE_COMPLETED:
        return JobEnd::Printed;
    case IPP_JSTATE_PROCESSING:
        return waitOver ? JobEnd::Printed : JobEnd::Printing;
    case IPP_JSTATE_HELD:
        return JobEnd::Held;
    case IPP_JSTATE_STOPPED:
        return look.printerState == IPP_PSTATE_STOPPED ? JobEnd::PrinterStopped : JobEnd::Stopped;
    case IPP_JSTATE_CANCELED:
        return JobEnd::Canceled;
    case IPP_JSTATE_ABORTED:
        return JobEnd::Aborted;
    default:
        break;
    }
    // Pending: in a stopped queue it never moves; else it waits its turn.
    if (look.printerState == IPP_PSTATE_STOPPED) {
        return JobEnd::PrinterStopped;
    }
    return waitOver ? JobEnd::Waiting : JobEnd::Following;
}

bool JobFailed(JobEnd end) {
    return end != JobEnd::Following && end != JobEnd::Printing && end != JobEnd::Printed &&
           end != JobEnd::Waiting;
}

namespace {

/// `sentence`, then the service's own words where it gave some.
QString WithReason(QString sentence, const std::string& reason, std::string_view language) {
    if (!reason.empty()) {
        sentence += QLatin1Char(' ') + Said("print.reason", language, {Utf8(reason)});
    }
    return sentence;
}

} // namespace

QString PrintSentence(SendFailure failure, const SendResult& sent, const QString& printer,
                      std::string_view language) {
    const char* key = nullptr;
    switch (failure) {
    case SendFailure::None:
        return {};
    case SendFailure::ServiceSilent:
        key = "print.serviceSilent";
        break;
    case SendFailure::PrinterGone:
        key = "print.printerGone";
        break;
    case SendFailure::NotAccepting:
        key = "print.notAccepting";
        break;
    case SendFailure::NotTaken:
        key = "print.notTaken";
        break;
    }
    return WithReason(Said(key, language, {printer}), sent.reason, language);
}

QString PrintSentence(JobEnd end, const JobLook& look, const QString& printer,
                      std::string_view language) {
    const char* key = nullptr;
    std::string reason = look.jobMessage;
    switch (end) {
    case JobEnd::Following:
    case JobEnd::Printing:
    case JobEnd::Printed:
        return {};
    case JobEnd::Waiting:
        key = "print.waiting";
        break;
    case JobEnd::Held:
        key = "print.held";
        break;
    case JobEnd::Stopped:
        key = "print.stopped";
        break;
    case JobEnd::Aborted:
        key = "print.aborted";
        break;
    case JobEnd::Canceled:
        key = "print.canceled";
        break;
    case JobEnd::PrinterStopped:
        key = "print.printerStopped";
        reason = look.printerMessage.empty() ? look.jobMessage : look.printerMessage;
        break;
    case JobEnd::ServiceSilent:
        key = "print.serviceSilent";
        break;
    }
    return WithReason(Said(key, language, {printer}), reason, language);
}

QString ServiceSilentAtStart(PrintAsked asked, std::string_view language) {
    return Said(asked == PrintAsked::LessonPlan ? "print.serviceSilentAtStartPlan"
                                                : "print.serviceSilentAtStart",
                language);
}

QString StillSendingSentence(const QString& printer, std::string_view language) {
    return Said("print.stillSending", language, {printer});
}

} // namespace kymata
