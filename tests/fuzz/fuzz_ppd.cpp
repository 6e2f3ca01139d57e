// Feeds arbitrary bytes to libcups' PPD reader and then to the program's reading of the resolutions a PPD
// offers (its Resolution choices, and the HWResolution a print quality sets): every resolution taken is a
// real one, and none the PPD does not name.
#include "platform/cups/CupsResolution.h"

#include <cups/ppd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace {

struct PpdClose {
    void operator()(ppd_file_t* ppd) const { ppdClose(ppd); }
};
struct FileClose {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::unique_ptr<std::FILE, FileClose> file(fmemopen(const_cast<std::uint8_t*>(data), size, "r"));
    if (!file)
        return 0;
    const std::unique_ptr<ppd_file_t, PpdClose> ppd(ppdOpen(file.get()));
    const std::vector<Resolution> found = resolutionsOfPpd(ppd.get());
    if (!ppd && !found.empty())
        std::abort();
    for (const Resolution& r : found)
        if (r.across <= 0 || r.down <= 0)
            std::abort();
    return 0;
}

#pragma GCC diagnostic pop
