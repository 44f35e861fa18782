#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

namespace velmora {

// The bytes of a picture file; empty when it is missing or unreadable.
QByteArray read_picture_file(const QString& path);
// The bytes a "data:...;base64," URI carries; empty for anything else.
QByteArray data_uri_content(const QByteArray& uri);

// A data URI (PNG or JPEG) of exactly `asset_size` pixels that rlottie draws for an image asset.
// rlottie draws a bitmap at its own pixel size and repeats its edge pixels beyond it, so every
// picture is fitted to the asset size here: kept whole, centred, never stretched, transparent
// around. A JPEG already of that size is passed on unchanged (no second lossy round).
// Empty or undecodable `source` gives a fully transparent picture of the asset size.
// `asset_size` must be non-empty.
QByteArray embedded_picture(const QByteArray& source, QSize asset_size);

} // namespace velmora
