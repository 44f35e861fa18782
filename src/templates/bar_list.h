#pragma once

#include <QString>
#include <QStringList>

namespace velmora {

// Splits a bar list such as "|heng|shu|": item k is the text strictly between the k-th and the
// (k+1)-th "|". Text before the first and after the last bar is ignored, so a text with n bars
// has n - 1 items and a text with fewer than two bars has none.
QStringList split_bar_list(const QString& text);

} // namespace velmora
