#include "CupsJob.h"

#include "CupsOwners.h"
#include "CupsServer.h"
#include "Errors.h"

#include <QScopeGuard>

#include <algorithm>
#include <memory>

namespace {

constexpr qsizetype ChunkBytes = 4096;
constexpr int ConnectTimeoutMs = 30000;

struct HttpClose {
    void operator()(http_t* http) const { httpClose(http); }
};
using CupsConnection = std::unique_ptr<http_t, HttpClose>;

bool failed(ipp_status_t status) {
    return status >= IPP_STATUS_REDIRECTION_OTHER_SITE;
}

// The server's own status and text. libcups keeps the last answer of any request, so an answer that is no
// error at all means the failure never reached the server. A server that went away mid-job leaves only
// libcups' own words about the broken request, so it is named instead.
[[noreturn]] void throwLastError(ipp_status_t fallback, const char* fallbackText) {
    if (!CupsServer::answers())
        throw CupsServer::unavailable();
    if (failed(cupsLastError()))
        throw EOSError(cupsLastError(), cupsLastErrorString());
    throw EOSError(fallback, fallbackText);
}

class Options {
public:
    ~Options() { cupsFreeOptions(count_, options_); }
    void add(const char* name, const char* value) { count_ = cupsAddOption(name, value, count_, &options_); }
    int count() const { return count_; }
    cups_option_t* get() const { return options_; }

private:
    int count_ = 0;
    cups_option_t* options_ = nullptr;
};

} // namespace

void submitCupsJob(cups_dest_t& dest, const QByteArray& title, const QByteArray& pdf,
                   const std::function<bool()>& keepGoing) {
    // A connection of the job's own: window events handled between the chunks may talk to the server too.
    CupsConnection http(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                     ConnectTimeoutMs, nullptr));
    if (!http)
        throw CupsServer::unavailable();

    CupsDestInfo info(cupsCopyDestInfo(http.get(), &dest));
    if (!info)
        throwLastError(IPP_STATUS_ERROR_SERVICE_UNAVAILABLE, "The printer's capabilities could not be read.");

    // The page is made at the printer's own size; nothing is to be fitted. The orientation is left to the
    // server, which turns a landscape page onto the sheet by itself.
    Options options;
    options.add("print-scaling", "none");

    int jobId = 0;
    if (failed(cupsCreateDestJob(http.get(), &dest, info.get(), &jobId, title.constData(), options.count(),
                                 options.get())))
        throwLastError(IPP_STATUS_ERROR_INTERNAL, "The job could not be created.");

    // An unfinished job must not wait in the queue for a document that never comes.
    auto cancel = qScopeGuard([&] {
        http.reset();
        cupsCancelDestJob(CUPS_HTTP_DEFAULT, &dest, jobId);
    });

    if (cupsStartDestDocument(http.get(), &dest, info.get(), jobId, title.constData(), CUPS_FORMAT_PDF, 0,
                              nullptr, 1) != HTTP_STATUS_CONTINUE)
        throwLastError(IPP_STATUS_ERROR_INTERNAL, "The document could not be started.");

    for (qsizetype at = 0; at < pdf.size(); at += ChunkBytes) {
        if (keepGoing && !keepGoing())
            return;
        const qsizetype length = std::min(ChunkBytes, pdf.size() - at);
        if (cupsWriteRequestData(http.get(), pdf.constData() + at, static_cast<size_t>(length)) !=
            HTTP_STATUS_CONTINUE) {
            // The server's answer, if it sent one, tells why.
            cupsFinishDestDocument(http.get(), &dest, info.get());
            throwLastError(IPP_STATUS_ERROR_INTERNAL, "The document could not be sent.");
        }
    }
    if (failed(cupsFinishDestDocument(http.get(), &dest, info.get())))
        throwLastError(IPP_STATUS_ERROR_INTERNAL, "The document was not accepted.");
    cancel.dismiss();
}
