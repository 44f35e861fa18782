#include "templates/bar_list.h"

namespace velmora {

QStringList split_bar_list(const QString& text) {
    QStringList items;
    qsizetype previous = text.indexOf(QLatin1Char('|'));
    while (previous >= 0) {
        const qsizetype next = text.indexOf(QLatin1Char('|'), previous + 1);
        if (next < 0)
            break;
        items.append(text.mid(previous + 1, next - previous - 1));
        previous = next;
    }
    return items;
}

} // namespace velmora
