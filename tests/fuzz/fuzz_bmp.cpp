// Fuzzes the BMP reader of the PDF writer: any input is either decoded into
// consistent buffers or refused with an exception, never read out of bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

#include "BmpReader.h"
#include "PdfFormat.h"

using namespace tastolino;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (int32_t colorSpace : {0, 1}) {
        pdf::BmpImage image;
        try {
            if (!pdf::decodeBmp(data, size, colorSpace, image)) continue;
        } catch (const std::runtime_error&) {
            continue;
        }
        const size_t components = colorSpace == 0 ? 3 : 1;
        const size_t rowBytes = image.bitsPerPixel == 24
                                    ? size_t(image.width) * components
                                    : (size_t(image.width) * image.bitsPerPixel + 7) / 8;
        if (image.pixels.size() != rowBytes * size_t(image.height)) std::abort();
        if (image.bitsPerPixel != 24 &&
            image.colors.size() != (size_t{1} << image.bitsPerPixel) * components)
            std::abort();
        // The stream encoder sees the same buffers when ASCII85 is on.
        if (image.pixels.size() < 4096) (void)pdf::ascii85Encode(image.pixels);
    }
    return 0;
}
