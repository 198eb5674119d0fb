#pragma once

#include "shell/print_service.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <string>

namespace kymata {

/// Hands pages to the print service and follows their jobs, with every wait on the service off
/// the window's thread: the window stays usable whatever the service does, and a job is said
/// to be printed only once the service says so.
class PrintDispatch final : public QObject {
    Q_OBJECT

public:
    /// How long a job is followed before the window says where it stands, and how often it is
    /// looked at, in milliseconds.
    static constexpr int FollowFor = 15000;
    static constexpr int LookEvery = 500;
    /// How long a job must go on printing to be said printed: a printer that fails a page
    /// fails it at once.
    static constexpr int PrintingFor = 3000;

    explicit PrintDispatch(QObject* parent = nullptr);

    /// Asks whether the print service answers; `then` runs on the window's thread with the
    /// answer.
    void AskService(std::function<void(ServiceState)> then);
    /// Sends `request` and follows its job; `Finished` says how it ended, in `language`.
    void Send(PrintRequest request, std::string language);
    /// A page is on its way: asking, sending or following.
    bool Busy() const { return busy_; }

Q_SIGNALS:
    /// How a send ended: `failed` when the page will not print; `said` tells the user (empty
    /// for a page printed, a sentence for one that waits in the queue).
    void Finished(bool failed, const QString& said);

private:
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
    QElapsedTimer printing_;
};

} // namespace kymata
