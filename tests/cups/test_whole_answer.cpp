// An answer read whole and then parsed is the answer libcups reads off the socket a field at a time: every
// attribute, value and status the same, for a printer's long media lists as for a refusal.
#include "PrivateCups.h"
#include "platform/cups/CupsOwners.h"
#include "platform/cups/CupsWholeAnswer.h"

#include <gtest/gtest.h>

#include <cups/cups.h>

#include <QString>
#include <QStringList>

#include <iterator>
#include <memory>
#include <string>

namespace {

struct HttpClose {
    void operator()(http_t* http) const { httpClose(http); }
};
using Connection = std::unique_ptr<http_t, HttpClose>;

Connection connectToServer() {
    return Connection(
        httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 5000, nullptr));
}

ipp_t* attributesRequest(const char* queue) {
    static const char* const wanted[] = {"media-col-database",
                                         "media-supported",
                                         "media-default",
                                         "printer-resolution-supported",
                                         "printer-resolution-default",
                                         "printer-name",
                                         "printer-make-and-model",
                                         "document-format-supported"};
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                     queue);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(std::size(wanted)), nullptr, wanted);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    return request;
}

// The status, then every attribute as "group name syntax: values", in the answer's order.
QStringList described(ipp_t* answer) {
    QStringList lines{QString::number(ippGetStatusCode(answer))};
    for (ipp_attribute_t* attr = ippFirstAttribute(answer); attr; attr = ippNextAttribute(answer)) {
        std::string value(ippAttributeString(attr, nullptr, 0) + 1, '\0');
        ippAttributeString(attr, value.data(), value.size());
        lines << QStringLiteral("%1 %2 %3: %4")
                     .arg(ippGetGroupTag(attr))
                     .arg(QString::fromUtf8(ippGetName(attr) ? ippGetName(attr) : "-"))
                     .arg(ippGetValueTag(attr))
                     .arg(QString::fromUtf8(value.c_str()));
    }
    return lines;
}

TEST(WholeAnswer, SameAsReadAFieldAtATime) {
    PrivateCups::deleteAll();
    PrivateCups::addQueue(QStringLiteral("Whole"), QStringLiteral("pdf"), QStringLiteral("300dpi"));
    PrivateCups::addQueue(QStringLiteral("Letters"), QStringLiteral("ps"), {}, QStringLiteral("Letter"));
    const Connection http = connectToServer();
    ASSERT_TRUE(http);
    for (const char* queue : {"Whole", "Letters", "Gone"}) {
        SCOPED_TRACE(queue);
        // Twice over one connection each way, as the program asks: nothing of one answer is left for the
        // next.
        for (int round = 0; round < 2; ++round) {
            const IppMessage fieldByField(cupsDoRequest(http.get(), attributesRequest(queue), "/"));
            const IppMessage whole = askWhole(http.get(), attributesRequest(queue), "/");
            ASSERT_TRUE(fieldByField);
            ASSERT_TRUE(whole);
            EXPECT_EQ(described(whole.get()), described(fieldByField.get()));
        }
    }
    const IppMessage whole = askWhole(http.get(), attributesRequest("Whole"), "/");
    EXPECT_EQ(ippGetStatusCode(whole.get()), IPP_STATUS_OK);
    EXPECT_GT(ippGetCount(ippFindAttribute(whole.get(), "media-col-database", IPP_TAG_BEGIN_COLLECTION)), 10);
    const IppMessage gone = askWhole(http.get(), attributesRequest("Gone"), "/");
    EXPECT_EQ(ippGetStatusCode(gone.get()), IPP_STATUS_ERROR_NOT_FOUND);
}

} // namespace
