#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kymata {

/// Every request below waits for the print service at most this long (milliseconds): a service
/// that takes connections and never answers costs a few seconds, never the window.
inline constexpr int PrintServiceWait = 3000;

/// Whether the print service is there to ask.
enum class ServiceState {
    /// It answers: the print dialog may list its printers.
    Answers,
    /// Nothing listens: the dialog offers printing to a file alone, and opens at once.
    Absent,
    /// It takes the connection but does not answer within `PrintServiceWait`: the dialog would
    /// wait on it, so it is not opened.
    Silent,
};

/// Asks the print service (CUPS_SERVER, else the system's) whether it answers, within
/// `PrintServiceWait`. Blocks its caller: run it off the window's thread.
ServiceState AskPrintService();

/// A page for a printer: the queue, the PDF, and what the print dialog chose.
struct PrintRequest {
    std::string printer;
    QByteArray pdf;
    std::string title;
    int copies = 1;
    /// The paper as the print service names it ("A4"), and the sides ("two-sided-long-edge");
    /// empty, the queue's own.
    std::string media;
    std::string sides;
};

/// Why a page did not reach a queue.
enum class SendFailure { None, ServiceSilent, PrinterGone, NotAccepting, NotTaken };

/// What became of a send: the job's number, or the failure with the service's own words.
struct SendResult {
    int job = 0;
    SendFailure failure = SendFailure::None;
    std::string reason;
};

/// Creates a job on the queue and sends the PDF as its one document, every request bounded by
/// `PrintServiceWait`. Blocks its caller: run it off the window's thread.
SendResult SendToPrintService(const PrintRequest& request);

/// One look at a job and its printer, as the print service tells them.
struct JobLook {
    /// The service answered the look.
    bool answered = false;
    /// The job's state (IPP job-state: 3 pending, 4 held, 5 processing, 6 stopped, 7 canceled,
    /// 8 aborted, 9 completed) and the service's words on it.
    int jobState = 0;
    std::string jobMessage;
    /// The printer's state (IPP printer-state: 3 idle, 4 processing, 5 stopped) and its words.
    int printerState = 0;
    std::string printerMessage;
};

/// Looks at job `job` of queue `printer`, bounded by `PrintServiceWait`. Blocks its caller: run
/// it off the window's thread.
JobLook LookAtJob(const std::string& printer, int job);

/// Where a followed job stands.
enum class JobEnd {
    /// Not decided yet: look again.
    Following,
    /// Printing now: the printer has the page; a moment more tells whether it takes it.
    Printing,
    /// Printed, or still printing after that moment: the page is on its way to paper.
    Printed,
    /// Still in the queue when the wait is over, the printer busy with other pages.
    Waiting,
    Held,
    Stopped,
    Aborted,
    Canceled,
    /// The printer has stopped (or disabled itself): the job waits in a queue that does not move.
    PrinterStopped,
    /// The service stopped answering.
    ServiceSilent,
};

/// The end a look shows; `waitOver` once the window has followed the job long enough, when a
/// pending job is said to wait, a printing one printed and a silent service to be silent.
JobEnd JudgeJob(const JobLook& look, bool waitOver);

/// True for an end that leaves the page unprinted.
bool JobFailed(JobEnd end);

/// The sentence for a send that failed, or a job's end, in `language`, naming `printer` and
/// adding the service's own reason where it gave one; empty for a page printed.
QString PrintSentence(SendFailure failure, const SendResult& sent, const QString& printer,
                      std::string_view language);
QString PrintSentence(JobEnd end, const JobLook& look, const QString& printer,
                      std::string_view language);

/// What a print was asked for with, for the sentence that names the way to a PDF instead.
enum class PrintAsked {
    /// PRINT and "Print worksheet…": "Save figure as…" writes the PDF.
    Figure,
    /// "Print lesson plan…": "Save lesson plan…" writes it.
    LessonPlan,
};

/// The sentence for a print service that does not answer when a print is asked for, in
/// `language`: the dialog cannot open, and the save that writes the same PDF meanwhile.
QString ServiceSilentAtStart(PrintAsked asked, std::string_view language);

/// The sentence for a print asked for while the page for `printer` is still being sent and
/// followed, in `language`.
QString StillSendingSentence(const QString& printer, std::string_view language);

} // namespace kymata
