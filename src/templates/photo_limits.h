#pragma once

#include <QSize>

namespace velmora {

// The largest photo the program takes: decoding it for a full-screen picture may need the
// whole image in memory, four bytes a pixel.
inline constexpr qint64 kMaxPhotoPixels = 200'000'000;
// The most one side of a photo may exceed the other. A longer strip cannot fill a slot or a
// background without being cut to a sliver or shrunk to a line.
inline constexpr int kMaxPhotoAspect = 20;

// Why a photo of `size` cannot serve; None when it can.
enum class PhotoSizeFault { None, TooManyPixels, TooNarrow };
PhotoSizeFault photo_size_fault(QSize size);

} // namespace velmora
