// Any bytes as a bitmap file image (picture format 1), as a resource picture or a converted
// banner arrives: its size is asked of the host and it is drawn into a small item several ways.
// Every size and offset the image states must be checked against its bytes before drawing.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "about/picture.h"
#include "acapi/gs_memory.h"
#include "host/host_control.h"
#include "platform/drawing.h"
#include "shell/host_interface.h"

namespace {

constexpr std::int32_t kDibFormat = 1;
constexpr int kItemWidth = 9;
constexpr int kItemHeight = 7;

// The whole item, one smaller than the picture may be, one reaching past the item on every side,
// one with right before left and bottom above top.
constexpr PictureRect kRects[] = {
    {0, 0, kItemHeight - 1, kItemWidth - 1},
    {2, 3, 3, 4},
    {-5, -7, kItemHeight + 4, kItemWidth + 6},
    {kItemHeight - 1, kItemWidth - 1, 1, 2},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = (HostInterface::SetFunctionTable(host::FunctionTable()), true);
    (void)ready;
    // The handle holds exactly the input, so a read past it is one past the allocation.
    Picture picture;
    GSHandle handle = BMAllocateHandle(static_cast<GSSize>(size), 0, 0);
    if (handle == nullptr) {
        return 0;
    }
    if (size != 0) {
        std::memcpy(*handle, data, size);
    }
    picture.Replace(kDibFormat, handle);

    std::int32_t width = 0;
    std::int32_t height = 0;
    if (PicturePixelSize(picture, &width, &height) && (width <= 0 || height <= 0)) {
        __builtin_trap();
    }
    for (const PictureRect& rect : kRects) {
        platform::ItemSurface surface(kItemWidth, kItemHeight);
        DrawDIB(surface.DrawContext(), rect, picture);
    }
    return 0;
}
