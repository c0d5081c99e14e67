#pragma once

#include <QByteArray>
#include <QPoint>

#include <optional>
#include <vector>

namespace melodora {

/** One frame of the title animation, cut out of the animated GIF. */
struct Fotogramma {
    QByteArray gif; ///< the file's header followed by the frame's bytes: a GIF of its own
    int ritardo = 0; ///< milliseconds
    QPoint scostamento; ///< the image's left and top, in pixels
};

/**
 * Cuts an animated GIF into frames at the bytes 0x00 0x21 0xF9 (a block's end, then a
 * graphic control extension): a frame runs from one marker to the next, so the data
 * after the last marker is not a frame. No value when the file does not begin with
 * "GIF" (which is also the case without any marker) or a frame is too short to hold
 * its extension and image descriptor.
 */
std::optional<std::vector<Fotogramma>> dividiGif(const QByteArray& b);

} // namespace melodora
