#include "tools/picture_codec.h"

#include <cstring>

#include "core/resources/jpeg_picture.h"
#include "core/resources/packed_picture.h"

namespace vespin {

EntryFormat DetectEntryFormat(std::span<const uint8_t> bytes) {
    return bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8 ? EntryFormat::Jpeg
                                                                     : EntryFormat::Packed;
}

PictureError DecodePictureEntry(std::span<const uint8_t> bytes, Surface& out) {
    if (DetectEntryFormat(bytes) == EntryFormat::Jpeg) return DecodeJpegPicture(bytes, out);
    return DecodePackedPicture(bytes, out);
}

bool EncodeSmallestPacked(const Surface& picture, StageChoice allowed, std::vector<uint8_t>& out,
                          std::string& error) {
    out.clear();
    if (picture.Empty()) {
        error = "the picture is empty";
        return false;
    }
    if (picture.Width() > 0xFFFF || picture.Height() > 0xFFFF) {
        error = "the packed format holds at most 65535 x 65535 pixels";
        return false;
    }
    std::vector<uint8_t> candidate;
    for (int combination = 0; combination < 4; ++combination) {
        PackOptions options{(combination & 1) != 0, (combination & 2) != 0};
        if ((options.RunLength && !allowed.RunLength) || (options.Delta && !allowed.Delta))
            continue;
        if (!EncodePackedPicture(picture, options, candidate)) continue;
        if (out.empty() || candidate.size() < out.size()) out.swap(candidate);
    }
    // The engine is the judge of what an entry means: what it decodes must be the picture.
    Surface check;
    if (out.empty() || DecodePackedPicture(out, check) != PictureError::None ||
        check.Width() != picture.Width() || check.Height() != picture.Height() ||
        std::memcmp(check.Data(), picture.Data(), picture.SizeBytes()) != 0) {
        out.clear();
        error = "internal error: the packed picture does not decode to the original";
        return false;
    }
    return true;
}

std::vector<uint8_t> RawBgr(const Surface& picture) {
    return std::vector<uint8_t>(picture.Data(), picture.Data() + picture.SizeBytes());
}

}  // namespace vespin
