#include "qt/key_map.h"

#include <Qt>

#include "core/host/events.h"
#include "core/text/sjis.h"

namespace vespin {

namespace {

struct KeyPair {
    int qt_key;
    int virtual_key;
};

// Keys whose Qt code is not the virtual-key code already (letters and digits are).
constexpr KeyPair kNamedKeys[] = {
    {Qt::Key_Backspace, vk::kBackspace},
    {Qt::Key_Tab, 9},
    {Qt::Key_Backtab, 9},
    {Qt::Key_Clear, 12},
    {Qt::Key_Return, vk::kEnter},
    {Qt::Key_Enter, vk::kEnter},
    {Qt::Key_Shift, vk::kShift},
    {Qt::Key_Control, vk::kControl},
    {Qt::Key_Alt, 18},
    {Qt::Key_Pause, 19},
    {Qt::Key_CapsLock, 20},
    {Qt::Key_Escape, vk::kEscape},
    {Qt::Key_Space, vk::kSpace},
    {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},
    {Qt::Key_Home, 36},
    {Qt::Key_Left, vk::kLeft},
    {Qt::Key_Up, vk::kUp},
    {Qt::Key_Right, vk::kRight},
    {Qt::Key_Down, vk::kDown},
    {Qt::Key_Print, 44},
    {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46},
    {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145},
};

}  // namespace

int VirtualKeyFromQt(int qt_key) {
    if ((qt_key >= Qt::Key_A && qt_key <= Qt::Key_Z) ||
        (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9)) {
        return qt_key;  // the same codes as the ASCII capitals and digits
    }
    if (qt_key >= Qt::Key_F1 && qt_key <= Qt::Key_F24) return 112 + (qt_key - Qt::Key_F1);
    for (const KeyPair& pair : kNamedKeys) {
        if (pair.qt_key == qt_key) return pair.virtual_key;
    }
    return 0;
}

std::vector<int> CharCodesFromQt(int qt_key, const QString& text) {
    switch (qt_key) {
        case Qt::Key_Backspace:
            return {vk::kBackspace};
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return {vk::kEnter};
        case Qt::Key_Escape:
            return {vk::kEscape};
        default:
            break;
    }
    std::vector<int> codes;
    for (QChar c : text) {
        char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7F) return {};  // a control combination types nothing
    }
    QByteArray utf8 = text.toUtf8();
    std::optional<std::string> sjis = sjis::FromUtf8(std::string_view(utf8.data(), utf8.size()));
    if (!sjis) return {};
    for (char byte : *sjis)
        codes.push_back(static_cast<unsigned char>(byte));
    return codes;
}

}  // namespace vespin
