#include "platform/cups/CupsPpdResolutions.h"

#include "platform/cups/CupsPassword.h"

#include <cups/ppd.h>

#include <unistd.h>

#include <memory>

namespace {

// libcups offers the PPD only as a file of its own making, in the temporary folder.
struct PpdCopy {
    char path[1024] = "";
    ~PpdCopy() {
        if (path[0])
            unlink(path);
    }
};

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
struct PpdClose {
    void operator()(ppd_file_t* ppd) const { ppdClose(ppd); }
};

} // namespace

std::vector<Resolution> askPpdResolutions(CupsSession& session, cups_dest_t* dest) {
    http_t* http = session.connectionOrThrow().get();
    PpdCopy copy;
    time_t modified = 0;
    const http_status_t status = CupsPassword::askingOnce(
        http, [&] { return cupsGetPPD3(http, dest->name, &modified, copy.path, sizeof copy.path); });
    if (status != HTTP_STATUS_OK)
        return {};
    const std::unique_ptr<ppd_file_t, PpdClose> ppd(ppdOpenFile(copy.path));
    return resolutionsOfPpd(ppd.get());
}
#pragma GCC diagnostic pop
