#include "media/list_selection_view.h"

#include <algorithm>

namespace velmora {

std::vector<int> selected_rows(const QTreeWidget& list) {
    std::vector<int> rows;
    for (QTreeWidgetItem* item : list.selectedItems())
        rows.push_back(list.indexOfTopLevelItem(item));
    return rows;
}

std::optional<int> first_selected_row(const QTreeWidget& list) {
    const std::vector<int> rows = selected_rows(list);
    if (rows.empty())
        return std::nullopt;
    return *std::min_element(rows.begin(), rows.end());
}

void delete_first_selected(QTreeWidget& list, const std::function<bool(const std::vector<int>&)>& delete_rows,
                           const std::function<void()>& refresh) {
    const std::vector<int> selected = selected_rows(list);
    if (!delete_rows(selected))
        return;
    std::vector<int> kept;
    const int removed = *std::min_element(selected.begin(), selected.end());
    for (int row : selected)
        if (row != removed)
            kept.push_back(row > removed ? row - 1 : row);
    refresh();
    for (int row : kept)
        if (QTreeWidgetItem* item = list.topLevelItem(row))
            item->setSelected(true);
}

} // namespace velmora
