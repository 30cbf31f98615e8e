// Packed pictures from untrusted bytes: decoding must fail cleanly (target untouched) or give a
// picture that the encoder stores and the decoder reads back unchanged.

#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/resources/packed_picture.h"

using namespace vespin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Surface target(2, 1);
    target.Fill(1, 2, 3);
    if (DecodePackedPicture({data, size}, target) != PictureError::None) {
        if (target.Width() != 2 || target.Height() != 1 || target.Data()[2] != 3) std::abort();
        return 0;
    }
    if (target.SizeBytes() > (1u << 18)) return 0;  // keep the round trip cheap
    std::vector<uint8_t> packed;
    if (!EncodePackedPicture(target, {}, packed)) std::abort();
    Surface again;
    if (DecodePackedPicture(packed, again) != PictureError::None) std::abort();
    if (again.Width() != target.Width() || again.Height() != target.Height()) std::abort();
    if (target.SizeBytes() && std::memcmp(again.Data(), target.Data(), target.SizeBytes()) != 0) {
        std::abort();
    }
    return 0;
}
