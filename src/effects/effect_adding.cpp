#include "effects/effect_adding.h"

namespace velmora {

QStringList start_time_selector(const QString& unit) {
    QStringList entries;
    for (int i = 0; i < 60; ++i)
        entries.append(QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')) + unit);
    return entries;
}

QString start_time_from_selection(const QString& hours, const QString& minutes, const QString& seconds) {
    return hours.left(2) + QLatin1Char(':') + minutes.left(2) + QLatin1Char(':') + seconds.left(2);
}

std::optional<PictureEffectEntry> picture_entry_by_hand(const DataRoot& root, int n, const QString& start,
                                                        QString* reason) {
    const auto definition = read_effect_definition(root, EffectId::picture(n), reason);
    if (!definition)
        return std::nullopt;
    return PictureEffectEntry{definition->frame_count, start, EffectRunState::Waiting, definition->name, n - 1,
                              EffectAddedBy::Hand, false};
}

TextEffectEntry text_entry(const DataRoot& root, const EffectId& id, const EffectDefinition& definition,
                           const QString& start) {
    TextEffectEntry e;
    e.frame_count = definition.frame_count;
    e.start = start;
    e.name = definition.name;
    e.number = id.number - 1;
    const QPoint position = default_text_position(root, id, definition);
    e.x = position.x();
    e.y = position.y();
    e.category = id.category;
    return e;
}

std::optional<TextEffectEntry> text_entry_by_hand(const DataRoot& root, const EffectId& id, const QString& start,
                                                  QString* reason) {
    const auto definition = read_effect_definition(root, id, reason);
    if (!definition)
        return std::nullopt;
    return text_entry(root, id, *definition, start);
}

} // namespace velmora
