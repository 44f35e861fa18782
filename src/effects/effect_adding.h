#pragma once

#include <optional>
#include <QString>
#include <QStringList>

#include "core/data_root.h"
#include "effects/effect_definition.h"
#include "effects/effect_entry.h"

namespace velmora {

// Entries of the start-time selectors: "00" .. "59" followed by `unit` ("  时", "  分", "  秒").
QStringList start_time_selector(const QString& unit);
// The start time from the three selections: the first two characters of each, joined by ":".
QString start_time_from_selection(const QString& hours, const QString& minutes, const QString& seconds);

// A "手动添加" picture-effect row for installed effect `n` at `start`; nothing when its
// definition is missing or refused (`reason` says why).
std::optional<PictureEffectEntry> picture_entry_by_hand(const DataRoot& root, int n, const QString& start,
                                                        QString* reason = nullptr);

// A text-effect row for `id` as its definition places it (its default position), "手动添加"
// with empty automatic columns.
TextEffectEntry text_entry(const DataRoot& root, const EffectId& id, const EffectDefinition& definition,
                           const QString& start);
// The same read from the installed definition; nothing when it is missing or refused: the
// caller shows missing_text_effect_message().
std::optional<TextEffectEntry> text_entry_by_hand(const DataRoot& root, const EffectId& id, const QString& start,
                                                  QString* reason = nullptr);

} // namespace velmora
