#pragma once

#include <cups/cups.h>

#include <chrono>
#include <functional>
#include <memory>

// A connection to the CUPS server whose every wait has an end: connecting, and each answer. libcups
// reports a request it gave up as "not found" or even as success, so the connection itself keeps note of
// why the last wait ended.
class CupsConnection {
public:
    // Null when the server can't be reached within the connect time, or once *cancel is set (if given).
    static std::unique_ptr<CupsConnection> open(std::chrono::milliseconds connect, int* cancel = nullptr);
    ~CupsConnection();
    CupsConnection(const CupsConnection&) = delete;
    CupsConnection& operator=(const CupsConnection&) = delete;

    http_t* get() const { return http_; }

    // A request gives up once it has waited `silence` for the server to say something. While it waits,
    // keepGoing (if any) is called every `period`; when it answers false the request gives up at once.
    // Only the waiting counts: not keepGoing's time, nor a password dialog's between a request and its
    // retry.
    void setPatience(std::chrono::milliseconds silence, std::chrono::milliseconds period,
                     std::function<bool()> keepGoing = {});
    // The server did its part: the silence counts from now. Called before each request and each chunk.
    void progressed();

    // Why the last wait ended early, if it did.
    bool serverWentSilent() const { return silent_; }
    bool abandoned() const { return abandoned_; }

private:
    explicit CupsConnection(http_t* http);
    static int onWait(http_t* http, void* self);

    http_t* http_;
    std::chrono::milliseconds silence_{5000};
    std::chrono::milliseconds period_{5000};
    std::function<bool()> keepGoing_;
    // Waits that ran their whole period without a word from the server, since it last did its part.
    std::chrono::milliseconds waited_{0};
    bool silent_ = false;
    bool abandoned_ = false;
};
