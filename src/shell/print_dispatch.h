#pragma once

#include "shell/print_service.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <string>
#include <string_view>

namespace kymata {

/// Hands pages to the print service and follows their jobs, with every wait on the service off
/// the window's thread: the window stays usable whatever the service does, and a job is said
/// to be printed only once the service says so.
class PrintDispatch final : public QObject {
    Q_OBJECT

public:
    /// How long a job is followed to its end (printed, held, stopped, aborted, cancelled)
    /// before the window says where it stands, and how often it is looked at, in milliseconds.
    /// A job still printing when the time is over is said printed: its page is on its way.
    static constexpr int FollowFor = 15000;
    static constexpr int LookEvery = 500;

    explicit PrintDispatch(QObject* parent = nullptr);

    /// Asks whether the print service answers, then runs `open` (which opens the print dialog)
    /// on the window's thread, unless the service is silent: then `Finished` says so, naming
    /// the way to a PDF that `asked` has, in `language`. While a job is followed `open` does
    /// not run and `Finished` says that the last page is still being sent; a second request
    /// while the service is asked is the same request again and is dropped.
    void AskService(PrintAsked asked, std::string language, std::function<void()> open);
    /// Sends `request` and follows its job; `Finished` says how it ended, in `language`. While
    /// another job is followed nothing is sent, and `Finished` says that the last page is still
    /// being sent.
    void Send(PrintRequest request, std::string language);
    /// A page is on its way: asking, sending or following.
    bool Busy() const { return busy_; }

Q_SIGNALS:
    /// How a send ended, or why a print asked for was not begun: `failed` when the page will
    /// not print; `said` tells the user (empty for a page printed, a sentence for one that
    /// waits in the queue).
    void Finished(bool failed, const QString& said);

private:
    /// Says that the page of the job followed now is still being sent, in `language`.
    void StillSending(std::string_view language);

    void Sent(const SendResult& sent);
    void Look();
    void Looked(const JobLook& look);
    void End(bool failed, const QString& said);

    bool busy_ = false;
    bool looking_ = false;
    PrintRequest request_;
    std::string language_;
    int job_ = 0;
    QTimer lookTimer_;
    QElapsedTimer following_;
    /// The service is being asked whether it answers (no page is on its way yet).
    bool asking_ = false;
};

} // namespace kymata
