// PNG files as authors hand them to vespin-tool: reading fails with a message and leaves the
// target alone, or gives a picture that writes and reads back unchanged.

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tools/png_io.h"

using namespace vespin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Surface target(2, 1);
    target.Fill(1, 2, 3);
    std::string error;
    if (!ReadPng({data, size}, target, error)) {
        if (error.empty() || target.Width() != 2 || target.Data()[2] != 3) std::abort();
        return 0;
    }
    if (target.SizeBytes() > (1u << 18)) return 0;  // keep the round trip cheap
    std::vector<uint8_t> png;
    if (!EncodePng(target, png, error)) std::abort();
    Surface again;
    if (!ReadPng(png, again, error)) std::abort();
    if (again.Width() != target.Width() || again.Height() != target.Height()) std::abort();
    if (std::memcmp(again.Data(), target.Data(), target.SizeBytes()) != 0) std::abort();
    return 0;
}
