#pragma once
// Qt keys as the engine knows them: virtual-key codes for key down and key up, and the character
// codes a key types.

#include <QString>
#include <vector>

namespace vespin {

// The virtual-key code of a Qt key (Qt::Key), or 0 when the key has none the engine could use.
int VirtualKeyFromQt(int qt_key);

// The character codes a key press types, in order: 8, 13, 27 and 32 for Backspace, Enter, Esc
// and Space, a printable ASCII character as itself, any other printable character as its
// Shift-JIS bytes (one event each, as a code-page program receives them). Keys that type no
// character, control characters and characters without a Shift-JIS form give nothing.
std::vector<int> CharCodesFromQt(int qt_key, const QString& text);

}  // namespace vespin
