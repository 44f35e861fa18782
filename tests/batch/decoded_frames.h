#pragma once

#include <QImage>
#include <QString>
#include <vector>

namespace velmora::test {

// Decoded video frames `wanted` (0-based, display order, ascending) of the file at `path`, as
// RGB32 pictures; one pass over the file. Throws std::runtime_error when it cannot be read or a
// frame is missing.
std::vector<QImage> decoded_frames(const QString& path, const std::vector<int>& wanted);

} // namespace velmora::test
