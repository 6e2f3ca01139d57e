// Feeds arbitrary bytes to libcups' PPD reader and then to the program's reading of the resolutions a PPD
// offers (its Resolution choices, and the HWResolution a print quality sets): every resolution taken is a
// real one, and none the PPD does not name.
#include "platform/cups/CupsResolution.h"

#include <cups/ppd.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace {

struct PpdClose {
    void operator()(ppd_file_t* ppd) const { ppdClose(ppd); }
};
// libcups reads a PPD from a file descriptor only, which it leaves open.
struct Descriptor {
    int fd = memfd_create("ppd", 0);
    ~Descriptor() {
        if (fd >= 0)
            close(fd);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const Descriptor file;
    if (file.fd < 0 || write(file.fd, data, size) != static_cast<ssize_t>(size) || lseek(file.fd, 0, SEEK_SET) != 0)
        return 0;
    const std::unique_ptr<ppd_file_t, PpdClose> ppd(ppdOpenFd(file.fd));
    const std::vector<Resolution> found = resolutionsOfPpd(ppd.get());
    if (!ppd && !found.empty())
        std::abort();
    for (const Resolution& r : found)
        if (r.across <= 0 || r.down <= 0)
            std::abort();
    return 0;
}

#pragma GCC diagnostic pop
