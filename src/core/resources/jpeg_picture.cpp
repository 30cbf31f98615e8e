#include "core/resources/jpeg_picture.h"

#include <algorithm>
#include <csetjmp>
#include <cstddef>
#include <cstdio>  // jpeglib.h needs FILE
#include <cstring>
#include <utility>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

namespace vespin {

namespace {

// A progressive stream may hold any number of scans, each a pass over the whole picture; real
// pictures use about ten. Far more is a stream built to make the decoder spin.
constexpr int kMaxScans = 1000;

// libjpeg reports fatal errors by calling error_exit, which must not return: it jumps back to
// the decoder's setjmp. All of libjpeg's state lives in this plain struct, owned by the caller of
// the function that holds the setjmp, so the jump skips no destructor and reads no stale locals.
struct JpegSession {
    jpeg_decompress_struct Info;
    jpeg_error_mgr Errors;
    jpeg_progress_mgr Progress;
    std::jmp_buf Jump;
};

JpegSession& SessionOf(j_common_ptr info) {
    return *reinterpret_cast<JpegSession*>(reinterpret_cast<char*>(info) -
                                           offsetof(JpegSession, Info));
}

[[noreturn]] void Fail(j_common_ptr info) {
    std::longjmp(SessionOf(info).Jump, 1);
}

void OnMessage(j_common_ptr info, int level) {
    // Warnings stay quiet, except that a stream which runs out before the picture is complete
    // is a failure: the library would pad the rest with grey.
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) Fail(info);
}

void OnOutputMessage(j_common_ptr) {}

void OnProgress(j_common_ptr info) {
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans) Fail(info);
}

// The error and progress hooks every decoder of ours runs with; the caller then sets its jump.
void PrepareSession(JpegSession& s) {
    s.Info = {};
    s.Info.err = jpeg_std_error(&s.Errors);
    s.Errors.error_exit = Fail;
    s.Errors.emit_message = OnMessage;
    s.Errors.output_message = OnOutputMessage;
    s.Progress = {};
    s.Progress.progress_monitor = OnProgress;
}

bool RunDecoder(JpegSession& s, std::span<const uint8_t> data, int64_t max_pixels, Surface& picture,
                std::vector<JSAMPROW>& rows, PictureError& error) {
    PrepareSession(s);
    if (setjmp(s.Jump)) {
        jpeg_destroy_decompress(&s.Info);  // safe on a half-created decoder: it checks
        return false;
    }
    jpeg_create_decompress(&s.Info);
    s.Info.progress = &s.Progress;
    jpeg_mem_src(&s.Info, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&s.Info, TRUE);
    if (int64_t{s.Info.image_width} * s.Info.image_height > max_pixels) {
        error = PictureError::TooLarge;
        jpeg_destroy_decompress(&s.Info);
        return false;
    }
    s.Info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&s.Info);
    const int width = static_cast<int>(s.Info.output_width);
    const int height = static_cast<int>(s.Info.output_height);
    if (s.Info.output_components != 3) Fail(reinterpret_cast<j_common_ptr>(&s.Info));
    // Rows go straight into the surface: no intermediate picture, no copy.
    picture.Resize(width, height);
    rows.resize(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        rows[y] = picture.Row(y);
    while (s.Info.output_scanline < s.Info.output_height) {
        jpeg_read_scanlines(&s.Info, rows.data() + s.Info.output_scanline,
                            s.Info.output_height - s.Info.output_scanline);
    }
    // Whatever follows the last row (up to the end marker) is not needed.
    jpeg_destroy_decompress(&s.Info);
    return true;
}

}  // namespace

PictureError DecodeJpegPicture(std::span<const uint8_t> data, Surface& target, int64_t max_pixels) {
    JpegSession session;
    Surface picture;
    std::vector<JSAMPROW> rows;
    PictureError error = PictureError::BadJpeg;
    if (!RunDecoder(session, data, max_pixels, picture, rows, error)) return error;
    target = std::move(picture);
    return PictureError::None;
}

// The frame decoder's libjpeg state, with what a failed picture must still report. Everything
// the jump back to Draw's setjmp needs lives here rather than in Draw's locals.
struct JpegFrameDecoder::Session {
    JpegSession Jpeg;
    Rect Drawn;
};

JpegFrameDecoder::JpegFrameDecoder() : m_session(std::make_unique<Session>()) {
    JpegSession& s = m_session->Jpeg;
    PrepareSession(s);
    if (setjmp(s.Jump)) {
        // Only an allocation can fail here; the decoder then rejects every picture.
        m_session.reset();
        return;
    }
    jpeg_create_decompress(&s.Info);
    s.Info.progress = &s.Progress;
}

JpegFrameDecoder::~JpegFrameDecoder() {
    if (m_session) jpeg_destroy_decompress(&m_session->Jpeg.Info);
}

bool JpegFrameDecoder::Draw(std::span<const uint8_t> data, Surface& target, int x, int y,
                            Rect& drawn) {
    drawn = {};
    if (!m_session || data.empty()) return false;
    Session& session = *m_session;
    JpegSession& s = session.Jpeg;
    session.Drawn = Rect{0, 0, 0, 0};
    if (setjmp(s.Jump)) {
        jpeg_abort_decompress(&s.Info);  // keeps the object for the next picture
        if (session.Drawn.h > 0) drawn = session.Drawn;
        return false;
    }
    jpeg_mem_src(&s.Info, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&s.Info, TRUE);
    if (int64_t{s.Info.image_width} * s.Info.image_height > kMaxPicturePixels)
        Fail(reinterpret_cast<j_common_ptr>(&s.Info));
    s.Info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&s.Info);
    if (s.Info.output_components != 3) Fail(reinterpret_cast<j_common_ptr>(&s.Info));
    const int width = static_cast<int>(s.Info.output_width);
    const int height = static_cast<int>(s.Info.output_height);
    // The columns of the picture that land inside the target.
    const int first = std::max(0, -x);
    const int last = std::min(width, target.Width() - x);
    const bool whole_rows = first == 0 && last == width;
    const size_t row_bytes = static_cast<size_t>(width) * 3;
    if (m_scratch.size() < row_bytes) m_scratch.resize(row_bytes);
    const int end_row = std::min(height, target.Height() - y);
    if (last > first && end_row > std::max(0, -y))
        session.Drawn = Rect{x + first, std::max(y, 0), last - first, 0};
    while (static_cast<int>(s.Info.output_scanline) < end_row) {
        const int row = static_cast<int>(s.Info.output_scanline);
        const int ty = y + row;
        const bool inside = ty >= 0 && last > first;
        JSAMPROW out =
            inside && whole_rows ? target.Row(ty) + static_cast<size_t>(x) * 3 : m_scratch.data();
        jpeg_read_scanlines(&s.Info, &out, 1);
        if (!inside) continue;
        if (!whole_rows) {
            std::memcpy(target.Row(ty) + static_cast<size_t>(x + first) * 3,
                        m_scratch.data() + static_cast<size_t>(first) * 3,
                        static_cast<size_t>(last - first) * 3);
        }
        session.Drawn.h = ty + 1 - session.Drawn.y;
    }
    // Rows past the target's bottom, and whatever follows the last row, are not needed.
    jpeg_abort_decompress(&s.Info);
    if (session.Drawn.h > 0) drawn = session.Drawn;
    return true;
}

}  // namespace vespin
