// JPEG entries from untrusted bytes: the decoder either fails and leaves the target alone, or
// yields a picture of the size the stream declares. The pixel limit is lower than the engine's so
// the fuzzer spends its time on many inputs rather than on a few huge ones; the code is the same.

#include <cstdlib>

#include "core/resources/jpeg_picture.h"

using namespace vespin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Surface target(2, 1);
    if (DecodeJpegPicture({data, size}, target, int64_t{2048} * 2048) != PictureError::None) {
        if (target.Width() != 2 || target.Height() != 1) std::abort();
        return 0;
    }
    if (target.Empty() || target.SizeBytes() != size_t(target.Width()) * 3 * target.Height()) {
        std::abort();
    }
    return 0;
}
