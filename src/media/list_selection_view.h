#pragma once

#include <functional>
#include <optional>
#include <vector>
#include <QTreeWidget>

namespace velmora {

// The selected rows of a flat list window list (songs, lyric files), as row numbers.
std::vector<int> selected_rows(const QTreeWidget& list);

// The first selected row in list order; nothing when no row is selected.
std::optional<int> first_selected_row(const QTreeWidget& list);

// "删除…": hands the selected rows to `delete_rows` (which deletes the first of them, after
// asking, and says whether it did); when a row went, shows the list again through `refresh`
// with the rows that stay still selected.
void delete_first_selected(QTreeWidget& list, const std::function<bool(const std::vector<int>&)>& delete_rows,
                           const std::function<void()>& refresh);

} // namespace velmora
