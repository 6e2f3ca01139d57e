// Feeds arbitrary blocks to the picture loader: it must either give a picture whose size matches the block or
// raise EResourceError, and never read past the block's end.
#include "platform/Errors.h"
#include "platform/PictureBlock.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const QImage picture = PictureBlock::read(QByteArrayView(data, qsizetype(size)), "Fuzz");
        const auto pixels = std::size_t(picture.width()) * std::size_t(picture.height());
        if (picture.isNull() || 8 + 4 * pixels != size)
            std::abort();
    } catch (const EResourceError&) {
    }
    return 0;
}
