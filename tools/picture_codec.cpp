#include "tools/picture_codec.h"

#include <jpeglib.h>

#include <cstdio>
#include <cstdlib>
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

std::vector<uint8_t> EncodeJpeg(const Surface& picture, int quality, JpegColour colour) {
    bool grey = colour == JpegColour::Grey;
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);  // our own pictures: a library error ends the program
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = picture.Width();
    info.image_height = picture.Height();
    info.input_components = grey ? 1 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGR;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<uint8_t> grey_row(static_cast<size_t>(picture.Width()));
    while (info.next_scanline < info.image_height) {
        const uint8_t* src = picture.Row(static_cast<int>(info.next_scanline));
        JSAMPROW row = const_cast<JSAMPROW>(src);
        if (grey) {
            for (int x = 0; x < picture.Width(); ++x)
                grey_row[x] = src[x * 3];
            row = grey_row.data();
        }
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

}  // namespace vespin
