#include "tools/png_io.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "core/resources/picture.h"

namespace vespin {

namespace {

// libpng reports errors by a long jump back to the caller's setjmp. Nothing between the setjmp
// and the jump may own resources: the functions it runs only fill buffers that the caller made.
[[noreturn]] void OnPngError(png_structp png, png_const_charp message) {
    if (auto* text = static_cast<std::string*>(png_get_error_ptr(png))) *text = message;
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

struct MemorySource {
    const uint8_t* Data;
    size_t Size;
    size_t At;
};

void ReadFromMemory(png_structp png, png_bytep out, size_t count) {
    auto* source = static_cast<MemorySource*>(png_get_io_ptr(png));
    if (count > source->Size - source->At) png_error(png, "the file is cut short");
    std::memcpy(out, source->Data + source->At, count);
    source->At += count;
}

void WriteToMemory(png_structp png, png_bytep data, size_t count) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + count);
}

void FlushNothing(png_structp) {}

struct DecodedShape {
    png_uint_32 Width = 0, Height = 0;
    bool Alpha = false;
};

// Sets the transformations that turn any PNG into 8-bit blue, green, red (and alpha when the
// file has transparency), then decodes every row into `pixels`.
bool DecodeRows(png_structp png, png_infop info, DecodedShape& shape, std::vector<uint8_t>& pixels,
                std::vector<png_bytep>& rows, std::string& message, std::string& note) {
    png_read_info(png, info);
    int depth = 0, type = 0;
    png_get_IHDR(png, info, &shape.Width, &shape.Height, &depth, &type, nullptr, nullptr, nullptr);
    if (int64_t{shape.Width} * shape.Height > kMaxPicturePixels) {
        message = "the picture has more than 8192 x 8192 pixels";
        return false;
    }
    const bool transparency_chunk = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    shape.Alpha = (type & PNG_COLOR_MASK_ALPHA) != 0 || transparency_chunk;
    if (type == PNG_COLOR_TYPE_PALETTE) {
        png_set_palette_to_rgb(png);
        note = "palette expanded to 24-bit colour";
    } else if ((type & PNG_COLOR_MASK_COLOR) == 0) {
        if (depth < 8) png_set_expand_gray_1_2_4_to_8(png);
        png_set_gray_to_rgb(png);
        note = "grey expanded to 24-bit colour";
    }
    if (transparency_chunk) png_set_tRNS_to_alpha(png);
    if (depth == 16) {
        png_set_scale_16(png);
        note += note.empty() ? "16-bit samples scaled to 8 bits" : "; 16-bit samples scaled";
    }
    png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const size_t channels = shape.Alpha ? 4 : 3;
    const size_t stride = size_t{shape.Width} * channels;
    if (png_get_rowbytes(png, info) != stride) {
        message = "unsupported PNG layout";
        return false;
    }
    pixels.resize(stride * shape.Height);
    rows.resize(shape.Height);
    for (png_uint_32 y = 0; y < shape.Height; ++y)
        rows[y] = pixels.data() + stride * y;
    png_read_image(png, rows.data());
    return true;
}

}  // namespace

bool ReadPng(std::span<const uint8_t> bytes, Surface& out, std::string& error, std::string* note) {
    if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) {
        error = "not a PNG file";
        return false;
    }
    std::string message, converted;
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, &message, OnPngError, OnPngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        error = "out of memory";
        return false;
    }
    MemorySource source{bytes.data(), bytes.size(), 0};
    DecodedShape shape;
    std::vector<uint8_t> pixels;
    std::vector<png_bytep> rows;
    volatile bool decoded = false;
    if (setjmp(png_jmpbuf(png)) == 0) {
        png_set_read_fn(png, &source, ReadFromMemory);
        decoded = DecodeRows(png, info, shape, pixels, rows, message, converted);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    if (!decoded) {
        error = message.empty() ? "the PNG data cannot be decoded" : message;
        return false;
    }
    const int w = static_cast<int>(shape.Width), h = static_cast<int>(shape.Height);
    if (shape.Alpha) {
        for (size_t i = 3; i < pixels.size(); i += 4) {
            if (pixels[i] != 255) {
                error =
                    "the picture has transparent pixels; pictures carry no alpha channel "
                    "(flatten it, or draw the opacity as a separate mask picture)";
                return false;
            }
        }
        converted += converted.empty() ? "opaque alpha channel dropped" : "; opaque alpha dropped";
    }
    Surface picture(w, h);
    const size_t channels = shape.Alpha ? 4 : 3;
    for (int y = 0; y < h; ++y) {
        const uint8_t* src = pixels.data() + size_t(y) * w * channels;
        uint8_t* dst = picture.Row(y);
        if (channels == 3) {
            std::memcpy(dst, src, size_t(w) * 3);
            continue;
        }
        for (int x = 0; x < w; ++x)
            std::memcpy(dst + x * 3, src + x * 4, 3);
    }
    out = std::move(picture);
    if (note) *note = converted;
    return true;
}

bool EncodePng(const Surface& surface, std::vector<uint8_t>& out, std::string& error) {
    out.clear();
    if (surface.Empty()) {
        error = "an empty picture has no PNG form";
        return false;
    }
    std::string message;
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &message, OnPngError, OnPngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        error = "out of memory";
        return false;
    }
    std::vector<png_bytep> rows(surface.Height());
    for (int y = 0; y < surface.Height(); ++y)
        rows[y] = const_cast<png_bytep>(surface.Row(y));
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        error = message.empty() ? "cannot encode the PNG" : message;
        out.clear();
        return false;
    }
    png_set_write_fn(png, &out, WriteToMemory, FlushNothing);
    png_set_IHDR(png, info, surface.Width(), surface.Height(), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool WritePng(const Surface& surface, const std::string& path, std::string& error) {
    std::vector<uint8_t> bytes;
    if (!EncodePng(surface, bytes, error)) return false;
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() ||
        std::fflush(file.get()) != 0) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace vespin
