#pragma once

#include <QFont>
#include <QStringList>

namespace velmora {

// Lyric settings store font names as a Chinese desktop names them ("黑体", "宋体", ...). Those
// names are kept as written and drawn with the Noto CJK face that stands in for them.

// The font list of the lyric settings: the alias names first, then the installed families.
QStringList lyric_font_names();

// A font for the stored name: the named family when installed, else the CJK face standing in
// for an alias, else the CJK sans face, so Chinese lines never draw as boxes.
QFont lyric_font(const QString& name);

} // namespace velmora
