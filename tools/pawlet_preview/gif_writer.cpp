#include "gif_writer.h"

#include <fcntl.h>
#include <gif_lib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <memory>

namespace pawlet::preview {
namespace {

constexpr int transparent_index = 255;  // the quantiser gets the other 255 entries

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        EGifCloseFile(gif, &error);
    }
};
using GifFile = std::unique_ptr<GifFileType, GifCloser>;

struct MapFreer {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using ColorMap = std::unique_ptr<ColorMapObject, MapFreer>;

struct Box {
    int left, top, right, bottom;
    bool empty() const { return right <= left || bottom <= top; }
};

std::uint8_t channel(std::uint32_t pixel, int shift) { return static_cast<std::uint8_t>((pixel >> shift) & 0xFF); }

// The rectangle in which `now` differs from `before` (all of it when there is no before).
Box changed_box(const Picture& now, const Picture* before) {
    if (!before) return {0, 0, now.width, now.height};
    Box box{now.width, now.height, 0, 0};
    for (int y = 0; y < now.height; ++y)
        for (int x = 0; x < now.width; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * now.width + x;
            if (now.pixels[at] == before->pixels[at]) continue;
            box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
        }
    return box;
}

bool put_loop_forever(GifFileType* gif) {
    static const GifByteType netscape[] = "NETSCAPE2.0";
    const GifByteType loop[3] = {1, 0, 0};
    return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
           EGifPutExtensionBlock(gif, 11, netscape) == GIF_OK && EGifPutExtensionBlock(gif, 3, loop) == GIF_OK &&
           EGifPutExtensionTrailer(gif) == GIF_OK;
}

bool put_frame(GifFileType* gif, const Picture& now, const Picture* before, const Box& box, int hold_ms) {
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.DelayTime = (hold_ms + 5) / 10;
    control.TransparentColor = before ? transparent_index : NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension) != GIF_OK) return false;

    const int width = box.right - box.left, height = box.bottom - box.top;
    const auto count = static_cast<std::size_t>(width) * height;
    std::vector<GifByteType> red(count), green(count), blue(count), indexes(count);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pixel = now.pixels[static_cast<std::size_t>(y + box.top) * now.width + x + box.left];
            const std::size_t at = static_cast<std::size_t>(y) * width + x;
            red[at] = channel(pixel, 16), green[at] = channel(pixel, 8), blue[at] = channel(pixel, 0);
        }
    ColorMap map(GifMakeMapObject(256, nullptr));
    if (!map) return false;
    int colours = transparent_index;
    if (GifQuantizeBuffer(static_cast<unsigned>(width), static_cast<unsigned>(height), &colours, red.data(),
                          green.data(), blue.data(), indexes.data(), map->Colors) != GIF_OK)
        return false;
    if (before) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const std::size_t source = static_cast<std::size_t>(y + box.top) * now.width + x + box.left;
                if (now.pixels[source] == before->pixels[source])
                    indexes[static_cast<std::size_t>(y) * width + x] = transparent_index;
            }
    }
    if (EGifPutImageDesc(gif, box.left, box.top, width, height, false, map.get()) != GIF_OK) return false;
    for (int y = 0; y < height; ++y)
        if (EGifPutLine(gif, indexes.data() + static_cast<std::size_t>(y) * width, width) != GIF_OK) return false;
    return true;
}

}  // namespace

bool write_animated_gif(const std::filesystem::path& path, const std::vector<GifFrame>& frames) {
    if (frames.empty() || frames.front().picture.empty()) return false;
    const Picture& first = frames.front().picture;
    for (const GifFrame& frame : frames)
        if (frame.picture.width != first.width || frame.picture.height != first.height) return false;

    // A frame like the one before it only lengthens that one's hold.
    struct Step {
        const Picture* picture;
        const Picture* before;
        Box box;
        int hold_ms;
    };
    std::vector<Step> steps;
    for (const GifFrame& frame : frames) {
        const Picture* before = steps.empty() ? nullptr : steps.back().picture;
        const Box box = changed_box(frame.picture, before);
        if (box.empty()) steps.back().hold_ms += frame.hold_ms;
        else steps.push_back({&frame.picture, before, box, frame.hold_ms});
    }

    // Opened here rather than by EGifOpenFileName, which makes the file readable by its owner alone.
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (fd < 0) return false;
    int error = 0;
    GifFile gif(EGifOpenFileHandle(fd, &error));
    if (!gif) {
        close(fd);
        return false;
    }
    EGifSetGifVersion(gif.get(), true);
    if (EGifPutScreenDesc(gif.get(), first.width, first.height, 8, 0, nullptr) != GIF_OK) return false;
    if (steps.size() > 1 && !put_loop_forever(gif.get())) return false;
    for (const Step& step : steps)
        if (!put_frame(gif.get(), *step.picture, step.before, step.box, step.hold_ms)) return false;
    GifFileType* closing = gif.release();
    return EGifCloseFile(closing, &error) == GIF_OK;
}

}  // namespace pawlet::preview
