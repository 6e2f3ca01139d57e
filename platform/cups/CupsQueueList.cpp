#include "platform/cups/CupsQueueList.h"

#include "platform/cups/CupsOwners.h"
#include "platform/cups/CupsPassword.h"

CupsQueueList askQueueList(http_t* http) {
    const IppMessage response = CupsPassword::askingOnce(http, [http] {
        ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                     "printer-name");
        // The queues of this server, not those it would find on the network for itself.
        ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_ENUM, "printer-type", 0);
        ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_ENUM, "printer-type-mask", CUPS_PRINTER_DISCOVERED);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
        return IppMessage(cupsDoRequest(http, request, "/"));
    });

    CupsQueueList list;
    list.status = cupsLastError();
    list.text = QString::fromUtf8(cupsLastErrorString());
    if (!response)
        return list;
    for (ipp_attribute_t* attr = ippFindAttribute(response.get(), "printer-name", IPP_TAG_NAME); attr;
         attr = ippFindNextAttribute(response.get(), "printer-name", IPP_TAG_NAME))
        list.names << QString::fromUtf8(ippGetString(attr, 0, nullptr));
    return list;
}
