#include "platform/cups/CupsWholeAnswer.h"

#include <QByteArray>

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

struct Unread {
    const char* next;
    const char* end;
};

ssize_t readUnread(void* context, ipp_uchar_t* buffer, size_t bytes) {
    auto& unread = *static_cast<Unread*>(context);
    const size_t count = std::min(bytes, static_cast<size_t>(unread.end - unread.next));
    std::memcpy(buffer, unread.next, count);
    unread.next += count;
    return static_cast<ssize_t>(count);
}

// The body of the answer whose headers have just been read; null when the connection failed meanwhile.
std::optional<QByteArray> readBody(http_t* http) {
    QByteArray body;
    char piece[32768];
    ssize_t count = 0;
    while ((count = httpRead2(http, piece, sizeof piece)) > 0)
        body.append(piece, count);
    if (count < 0)
        return std::nullopt;
    return body;
}

} // namespace

IppMessage readAnswer(const QByteArray& body) {
    IppMessage answer(ippNew());
    Unread unread{body.constData(), body.constData() + body.size()};
    ipp_state_t state = IPP_STATE_IDLE;
    while ((state = ippReadIO(&unread, readUnread, 1, nullptr, answer.get())) != IPP_STATE_DATA)
        if (state == IPP_STATE_ERROR)
            return nullptr;
    return answer;
}

IppMessage askWhole(http_t* http, ipp_t* request, const char* resource) {
    IppMessage asked(request);
    // A local certificate from an earlier answer may be stale by now.
    if (const char* auth = httpGetAuthString(http); auth && std::strncmp(auth, "Local ", 6) == 0)
        httpSetAuthString(http, nullptr, nullptr);

    const http_status_t sent = cupsSendRequest(http, asked.get(), resource, ippLength(asked.get()));
    if (sent != HTTP_STATUS_CONTINUE && sent != HTTP_STATUS_OK)
        return nullptr; // refused, cancelled or unreachable while sending: libcups has dealt with it
    http_status_t status = HTTP_STATUS_CONTINUE;
    do
        status = httpUpdate(http);
    while (status == HTTP_STATUS_CONTINUE);

    if (status == HTTP_STATUS_OK) {
        const std::optional<QByteArray> body = readBody(http);
        if (!body)
            return nullptr;
        IppMessage answer = readAnswer(*body);
        if (!answer)
            httpFlush(http);
        return answer;
    }
    if (status != HTTP_STATUS_ERROR)
        httpFlush(http);
    return nullptr;
}
