#include "core/resources/picture.h"

#include <vector>

#include "core/resources/jpeg_picture.h"
#include "core/resources/packed_picture.h"
#include "core/text/sjis.h"

namespace vespin {

namespace {

PictureError LoadJpegEntry(const ArchiveSet& archives, EntryRef entry, Surface& target) {
    std::vector<uint8_t> bytes;
    if (!ReadEntry(archives, entry, bytes)) return PictureError::ReadFailed;
    return DecodeJpegPicture(bytes, target);
}

// A packed entry is read by its header's lengths, from the entry's offset: the directory's size
// for it plays no part.
PictureError LoadPackedEntry(const ArchiveSet& archives, EntryRef entry, Surface& target) {
    ArchiveFile file;
    if (!file.Open(archives, entry.Archive)) return PictureError::ReadFailed;
    const int32_t offset = archives[entry.Archive].Offsets[entry.Index];
    if (offset < 0) return PictureError::Truncated;
    std::vector<uint8_t> stream(kPackedHeaderSize);
    if (file.ReadAt(static_cast<uint64_t>(offset), stream.data(), kPackedHeaderSize) !=
        kPackedHeaderSize) {
        return PictureError::Truncated;
    }
    PackedHeader header;
    ParsePackedHeader(stream, header);
    // Checked against the file before allocating: the length is untrusted.
    const uint64_t body_offset = static_cast<uint64_t>(offset) + kPackedHeaderSize;
    if (header.CompressedLength > file.Size() - body_offset) return PictureError::Truncated;
    stream.resize(kPackedHeaderSize + header.CompressedLength);
    if (file.ReadAt(body_offset, stream.data() + kPackedHeaderSize, header.CompressedLength) !=
        header.CompressedLength) {
        return PictureError::Truncated;
    }
    file.Close();
    return DecodePackedPicture(stream, target);
}

}  // namespace

const char* PictureErrorText(PictureError error) {
    switch (error) {
        case PictureError::None:
            return "no error";
        case PictureError::NotFound:
            return "no picture archive holds the name";
        case PictureError::ReadFailed:
            return "the archive cannot be read";
        case PictureError::Truncated:
            return "the picture data is cut short";
        case PictureError::Malformed:
            return "the picture data is malformed";
        case PictureError::TooLarge:
            return "the picture is too large";
        case PictureError::BadJpeg:
            return "the JPEG data cannot be decoded";
    }
    return "unknown error";
}

EntryRef FindPicture(const ArchiveSet& archives, std::string_view name) {
    const std::string upper = sjis::UpperAscii(name);
    if (EntryRef jpeg = FindInOrder(archives, {ArchiveId::Gjp}, upper); jpeg.Found()) return jpeg;
    return FindInOrder(archives, {ArchiveId::Gra3, ArchiveId::Gra2, ArchiveId::Gra}, upper);
}

bool LoadPicture(const ArchiveSet& archives, std::string_view name, Surface& target,
                 PictureError* error) {
    PictureError result = PictureError::NotFound;
    if (EntryRef ref = FindPicture(archives, name); ref.Found()) {
        result = ref.Archive == ArchiveId::Gjp ? LoadJpegEntry(archives, ref, target)
                                               : LoadPackedEntry(archives, ref, target);
    }
    if (error) *error = result;
    return result == PictureError::None;
}

}  // namespace vespin
