#include "shell/print_dispatch.h"

#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

#include <utility>

namespace kymata {

namespace {

/// Runs `work` on the thread pool and `then` with its result on `owner`'s thread; nothing runs
/// on `owner` once it is gone.
template <typename Result>
void OffThread(QObject* owner, std::function<Result()> work, std::function<void(Result)> then) {
    auto* watcher = new QFutureWatcher<Result>(owner);
    QObject::connect(watcher, &QFutureWatcher<Result>::finished, owner,
                     [watcher, then = std::move(then)] {
                         then(watcher->result());
                         watcher->deleteLater();
                     });
    watcher->setFuture(QtConcurrent::run(std::move(work)));
}

} // namespace

PrintDispatch::PrintDispatch(QObject* parent) : QObject(parent) {
    lookTimer_.setInterval(LookEvery);
    connect(&lookTimer_, &QTimer::timeout, this, &PrintDispatch::Look);
}

void PrintDispatch::AskService(PrintAsked asked, std::string language, std::function<void()> open) {
    if (asking_) {
        return;
    }
    if (busy_) {
        StillSending(language);
        return;
    }
    busy_ = true;
    asking_ = true;
    OffThread<ServiceState>(
        this, AskPrintService,
        [this, asked, language = std::move(language), open = std::move(open)](ServiceState s) {
            busy_ = false;
            asking_ = false;
            if (s == ServiceState::Silent) {
                Q_EMIT Finished(true, ServiceSilentAtStart(asked, language));
                return;
            }
            open();
        });
}

void PrintDispatch::Send(PrintRequest request, std::string language) {
    if (busy_) {
        StillSending(language);
        return;
    }
    busy_ = true;
    request_ = std::move(request);
    language_ = std::move(language);
    const PrintRequest sending = request_;
    OffThread<SendResult>(
        this, [sending] { return SendToPrintService(sending); },
        [this](SendResult sent) { Sent(sent); });
}

void PrintDispatch::StillSending(std::string_view language) {
    Q_EMIT Finished(true, StillSendingSentence(QString::fromStdString(request_.printer), language));
}

void PrintDispatch::Sent(const SendResult& sent) {
    if (sent.failure != SendFailure::None) {
        End(true,
            PrintSentence(sent.failure, sent, QString::fromStdString(request_.printer), language_));
        return;
    }
    job_ = sent.job;
    following_.start();
    Look();
    lookTimer_.start();
}

void PrintDispatch::Look() {
    if (looking_) {
        return;
    }
    looking_ = true;
    const std::string printer = request_.printer;
    const int job = job_;
    OffThread<JobLook>(
        this, [printer, job] { return LookAtJob(printer, job); },
        [this](JobLook look) { Looked(look); });
}

void PrintDispatch::Looked(const JobLook& look) {
    looking_ = false;
    if (!busy_) {
        return;
    }
    // Followed to its end: a printer may give up a page after printing for a while.
    const JobEnd end = JudgeJob(look, following_.elapsed() >= FollowFor);
    if (end == JobEnd::Following || end == JobEnd::Printing) {
        return;
    }
    End(JobFailed(end),
        PrintSentence(end, look, QString::fromStdString(request_.printer), language_));
}

void PrintDispatch::End(bool failed, const QString& said) {
    lookTimer_.stop();
    busy_ = false;
    Q_EMIT Finished(failed, said);
}

} // namespace kymata
