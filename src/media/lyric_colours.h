#pragma once

#include <optional>
#include <vector>
#include <QColor>
#include <QString>

namespace velmora {

// One entry of the lyric colour chooser: the stored name ("clWhite"), the label a person
// reads and the colour itself.
struct NamedLyricColour {
    QString name;
    QString label;
    QColor colour;
};

// The standard named colours offered for lyrics, white first.
const std::vector<NamedLyricColour>& lyric_colours();

// The entry stored as `name`; none for a name the chooser does not offer.
std::optional<NamedLyricColour> lyric_colour_named(const QString& name);

} // namespace velmora
