#pragma once

#include <QByteArrayView>
#include <QImage>

namespace velmora {

// EXIF orientation (tag 0x0112 of IFD0): 1 = stored upright; 2..8 = how the stored pixels must
// be mirrored or turned to show the photo as the camera held it.
constexpr int kUprightOrientation = 1;

// The orientation written in an APP1 payload (the bytes after the segment length, starting
// with "Exif\0\0"). Anything missing, damaged or out of range reads as upright.
int exif_orientation(QByteArrayView app1_payload);

// The small JPEG picture a camera embeds in IFD1 (tags 0x0201 offset, 0x0202 length), as
// bytes of the payload; empty when there is none or it lies outside the payload.
QByteArrayView exif_thumbnail(QByteArrayView app1_payload);

// Orientations 5..8 turn the picture by a quarter: displayed width and height are exchanged.
inline bool orientation_swaps_axes(int orientation) { return orientation >= 5 && orientation <= 8; }

// `stored` turned and mirrored into its display orientation.
QImage apply_orientation(const QImage& stored, int orientation);

} // namespace velmora
