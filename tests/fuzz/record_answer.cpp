// Asks a printer or server what the program asks of a queue and keeps the answer's body as its bytes came,
// whatever its status: a seed for the fuzz targets.
//   record_answer URI FILE
#include <cups/cups.h>

#include <cstdio>
#include <iterator>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: record_answer URI FILE\n");
        return 2;
    }
    char scheme[32], user[256], host[256], resource[1024];
    int port = 0;
    if (httpSeparateURI(HTTP_URI_CODING_ALL, argv[1], scheme, sizeof scheme, user, sizeof user, host,
                        sizeof host, &port, resource, sizeof resource) < HTTP_URI_STATUS_OK)
        return 2;
    http_t* http =
        httpConnect2(host, port, nullptr, AF_UNSPEC, HTTP_ENCRYPTION_IF_REQUESTED, 1, 5000, nullptr);
    if (!http) {
        std::fprintf(stderr, "no connection to %s:%d\n", host, port);
        return 1;
    }
    // The attributes the program asks for the queue's own defaults.
    static const char* const wanted[] = {"media-col-database", "media-default", "media-supported",
                                         "printer-resolution-default", "printer-resolution-supported"};
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, argv[1]);
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(std::size(wanted)), nullptr, wanted);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, "fuzz");
    // No password is given: a server that wants one answers with its refusal, which is kept as well.
    cupsSetPasswordCB2(
        [](const char*, http_t*, const char*, const char*, void*) -> const char* { return nullptr; },
        nullptr);
    http_status_t status = cupsSendRequest(http, request, resource, ippLength(request));
    while (status == HTTP_STATUS_CONTINUE)
        status = httpUpdate(http);
    std::vector<char> body;
    char piece[32768];
    ssize_t count = 0;
    while ((count = httpRead2(http, piece, sizeof piece)) > 0)
        body.insert(body.end(), piece, piece + count);
    std::FILE* out = std::fopen(argv[2], "wb");
    if (!out || std::fwrite(body.data(), 1, body.size(), out) != body.size() || std::fclose(out) != 0)
        return 1;
    std::printf("%s: HTTP %d, %zu bytes\n", argv[2], status, body.size());
    ippDelete(request);
    httpClose(http);
    return 0;
}
