#include "platform/cups/CupsJob.h"

#include "platform/Errors.h"
#include "platform/cups/CupsConnection.h"
#include "platform/cups/CupsDestLookup.h"
#include "platform/cups/CupsJobOptions.h"
#include "platform/cups/CupsOwners.h"
#include "platform/cups/CupsPassword.h"
#include "platform/cups/CupsServer.h"

#include <QCoreApplication>
#include <QScopeGuard>

#include <sys/socket.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace {

using namespace std::chrono_literals;

constexpr qsizetype ChunkBytes = 4096;
constexpr auto ConnectTime = 5s;
constexpr auto JobSilence = 30s;
// How often keepGoing is asked while the job is on its way.
constexpr auto EventPeriod = 100ms;
// How long a job given up has to let go of the server before it is left to end on its own.
constexpr auto LettingGo = 500ms;

bool failed(ipp_status_t status) {
    return status >= IPP_STATUS_REDIRECTION_OTHER_SITE;
}

// Why a request failed, in the words the user can act on. libcups keeps the last answer of any request,
// so an answer that is no error at all means the failure never reached the server. A server that went
// silent or away leaves only libcups' own words about the broken request, so it is named instead.
[[noreturn]] void throwLastError(const CupsConnection& connection, ipp_status_t fallback,
                                 const char* fallbackText) {
    if (CupsPassword::declined())
        throw CupsPassword::declinedError();
    if (connection.serverWentSilent() || !CupsServer::answers())
        throw CupsServer::unavailable();
    if (cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND)
        throw EPrinter(PrinterMessages::InvalidPrinter);
    if (failed(cupsLastError()))
        throw EOSError(cupsLastError(), cupsLastErrorString());
    throw EOSError(fallback, QCoreApplication::translate("CupsJob", fallbackText).toStdString());
}

// libcups keeps the server, its port, the user and the encryption per thread: the job's thread takes the
// caller's.
struct ThreadSettings {
    std::string server = cupsServer();
    int port = ippPort();
    std::string user = cupsUser();
    http_encryption_t encryption = cupsEncryption();

    void apply() const {
        cupsSetServer(server.c_str());
        ippSetPort(port);
        cupsSetUser(user.c_str());
        cupsSetEncryption(encryption);
    }
};

// What the caller and the job's thread share. The job's thread talks to the server and nothing else; what
// only the caller may do (ask the user) it asks of the caller, who meanwhile keeps its own events going.
class JobLine {
public:
    // --- on the job's thread ---
    int* connectCancel() { return &connectCancel_; }
    void attach(http_t* http) {
        const std::lock_guard lock(mutex_);
        http_ = http;
        if (abandoned_)
            ::shutdown(httpGetFd(http_), SHUT_RDWR);
    }
    void detach() {
        const std::lock_guard lock(mutex_);
        http_ = nullptr;
    }
    bool abandoned() const { return abandoned_; }
    bool onCaller(const std::function<void()>& call) {
        std::unique_lock lock(mutex_);
        if (abandoned_)
            return false;
        call_ = &call;
        callDone_ = false;
        changed_.notify_all();
        changed_.wait(lock, [&] { return callDone_ || abandoned_; });
        const bool ran = callDone_;
        call_ = nullptr;
        if (callError_)
            std::rethrow_exception(std::exchange(callError_, nullptr));
        return ran;
    }
    void finish(std::exception_ptr error) {
        const std::lock_guard lock(mutex_);
        done_ = true;
        error_ = std::move(error);
        changed_.notify_all();
    }

    // --- on the caller's thread ---
    // Ends every wait of the job's at once: a broken connection fails whatever waits on it.
    void abandon() {
        const std::lock_guard lock(mutex_);
        abandoned_ = true;
        std::atomic_ref<int>(connectCancel_).store(1);
        if (http_)
            ::shutdown(httpGetFd(http_), SHUT_RDWR);
        changed_.notify_all();
    }
    // Waits up to `period` for the job to end, running what it asks meanwhile; true once it has ended.
    bool serve(std::chrono::milliseconds period) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, period, [&] { return done_ || waitingCall(); });
        if (waitingCall()) {
            const std::function<void()>* call = call_;
            lock.unlock();
            std::exception_ptr error;
            try {
                (*call)();
            } catch (...) {
                error = std::current_exception();
            }
            lock.lock();
            callError_ = error;
            callDone_ = true;
            changed_.notify_all();
        }
        return done_;
    }
    bool awaitEnd(std::chrono::milliseconds limit) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, limit, [&] { return done_; });
    }
    std::exception_ptr error() {
        const std::lock_guard lock(mutex_);
        return error_;
    }

private:
    bool waitingCall() const { return call_ && !callDone_; }

    std::mutex mutex_;
    std::condition_variable changed_;
    http_t* http_ = nullptr;
    std::atomic<bool> abandoned_{false};
    // libcups reads it while it connects: stored to through atomic_ref only.
    int connectCancel_ = 0;
    const std::function<void()>* call_ = nullptr;
    bool callDone_ = false;
    std::exception_ptr callError_;
    bool done_ = false;
    std::exception_ptr error_;
};

struct Job {
    QString queue;
    DocumentSettings settings;
    QByteArray title;
    QByteArray pdf;
};

// The job as one Print-Job request, the document inside it: the server makes the job only once it has the
// whole document, so a job given up halfway leaves nothing behind, and there is nothing to cancel.
IppMessage printJob(http_t* http, CupsConnection& connection, const JobLine& line, const Job& job,
                    const CupsOptions& options) {
    const QByteArray uri = queueUri(job.queue);
    char resource[HTTP_MAX_URI];
    char ignored[HTTP_MAX_URI];
    int port = 0;
    httpSeparateURI(HTTP_URI_CODING_ALL, uri.constData(), ignored, sizeof ignored, ignored, sizeof ignored,
                    ignored, sizeof ignored, &port, resource, sizeof resource);

    const IppMessage request(ippNewRequest(IPP_OP_PRINT_JOB));
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.constData());
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, job.title.constData());
    for (const ipp_tag_t group : {IPP_TAG_OPERATION, IPP_TAG_JOB})
        cupsEncodeOptions2(request.get(), options.count(), options.get(), group);

    connection.progressed();
    // The body's length counts the request's attributes as well as the document.
    const size_t length = ippLength(request.get()) + static_cast<size_t>(job.pdf.size());
    if (cupsSendRequest(http, request.get(), resource, length) != HTTP_STATUS_CONTINUE)
        return nullptr;
    for (qsizetype at = 0; at < job.pdf.size(); at += ChunkBytes) {
        if (line.abandoned())
            return nullptr;
        const qsizetype length = std::min(ChunkBytes, job.pdf.size() - at);
        connection.progressed();
        if (cupsWriteRequestData(http, job.pdf.constData() + at, static_cast<size_t>(length)) !=
            HTTP_STATUS_CONTINUE) {
            // The server's answer, if it sent one, tells why.
            if (line.abandoned() || connection.serverWentSilent())
                return nullptr;
            break;
        }
    }
    connection.progressed();
    return IppMessage(cupsGetResponse(http, resource));
}

// On the job's own thread.
void sendJob(JobLine& line, const Job& job) {
    const std::unique_ptr<CupsConnection> connection =
        CupsConnection::open(ConnectTime, line.connectCancel());
    if (!connection) {
        if (line.abandoned())
            return;
        throw CupsServer::unavailable();
    }
    line.attach(connection->get());
    const auto detach = qScopeGuard([&] { line.detach(); });
    // Only the silence bound ends a wait: libcups reads the rest of an answer that paused halfway with one
    // wait of this length, and would give up after a shorter one.
    connection->setPatience(JobSilence, JobSilence);
    http_t* http = connection->get();

    CupsOptions options = jobOptions(job.settings);
    options.add("document-format", CUPS_FORMAT_PDF);

    const IppMessage answer =
        CupsPassword::askingOnce(http, [&] { return printJob(http, *connection, line, job, options); });
    if (line.abandoned())
        return;
    if (!answer || failed(cupsLastError()))
        throwLastError(*connection, IPP_STATUS_ERROR_INTERNAL, QT_TRANSLATE_NOOP("CupsJob", "Документ не принят."));
}

} // namespace

void submitCupsJob(const QString& queue, const DocumentSettings& settings, const QByteArray& title,
                   const QByteArray& pdf, const std::function<bool()>& keepGoing) {
    CupsPassword::resetDeclined();
    // Asked first as the job begins: what the caller's events do then comes before anything is sent.
    if (keepGoing && !keepGoing())
        return;
    const auto line = std::make_shared<JobLine>();
    std::thread worker([line, caller = ThreadSettings(), job = Job{queue, settings, title, pdf}] {
        caller.apply();
        const CupsPassword::PromptRelay relay(
            [&](const std::function<void()>& ask) { return line->onCaller(ask); });
        try {
            sendJob(*line, job);
            line->finish(nullptr);
        } catch (...) {
            line->finish(std::current_exception());
        }
    });
    while (!line->serve(EventPeriod)) {
        if (keepGoing && !keepGoing()) {
            line->abandon();
            // A job given up is not waited for: the caller may be on its way out.
            if (line->awaitEnd(LettingGo))
                worker.join();
            else
                worker.detach();
            return;
        }
    }
    worker.join();
    if (const std::exception_ptr error = line->error())
        std::rethrow_exception(error);
}
