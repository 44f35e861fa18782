#pragma once

#include <QString>

namespace velmora {

// The category of a used template, as its `category` text names it.
enum class TemplateCategory {
    Mixed,     // "综合模板": several slots, each with its own size
    Landscape, // "横照模板": one landscape slot filling the frame
    Portrait,  // "竖照模板": one portrait slot
};

// Reads a category text; anything that is not one of the two single-photo categories is
// handled as a mixed template, whose slots carry their own sizes.
inline TemplateCategory category_of(const QString& text) {
    if (text == QStringLiteral("横照模板"))
        return TemplateCategory::Landscape;
    if (text == QStringLiteral("竖照模板"))
        return TemplateCategory::Portrait;
    return TemplateCategory::Mixed;
}

} // namespace velmora
