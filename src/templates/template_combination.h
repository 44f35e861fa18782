#pragma once

#include <functional>
#include <optional>
#include <vector>
#include <QByteArray>
#include <QSize>
#include <QString>
#include <QStringList>

#include "core/data_root.h"
#include "core/ui.h"

namespace velmora {

// One entry of a template combination: a template of the template list named by its name and
// its two photo counts, kept as the texts the list's cells are compared with.
struct CombinationEntry {
    QString template_name;
    QString landscape; // field 0: landscape photo count
    QString portrait;  // field 1: portrait photo count
};

// A prepared sequence of templates, read from combination file n.
struct TemplateCombination {
    std::vector<CombinationEntry> entries;
    int required_landscape = 0; // sum of the entries' landscape counts
    int required_portrait = 0;
};

// Reads the GBK INI text of a combination: "shuliang" entries "canshu_1".."canshu_N" of
// section "zuhemoban_canshu", each "name~landscape~portrait~". An entry with fewer than three
// "~" is ignored, as are entries beyond the ones present and entries whose counts are numbers
// no template can ask for (below 0 or above 1000).
TemplateCombination parse_combination(const QByteArray& gbk_text);

// Unpacks combination file `n` (from 1; 3 rounds) to `WorkDir`/wjj_00_j_y<k>-<k+1>.ini,
// reads it and deletes the unpacked text; intermediates stay in the work folder.
// Throws DataError when the file is missing or damaged.
TemplateCombination read_combination(const DataRoot& root, int n, int k);

// The number of combination files: packed files anywhere below the combination folder.
int count_combination_files(const DataRoot& root);

// A row of the combination list `zuhemoban`.
struct CombinationListRow {
    QString caption; // "模板组合 - " + n
    int landscape = 0;
    int portrait = 0;
    int total() const { return landscape + portrait; }
};

// One row per combination file 1..count_combination_files. A file that cannot be read is
// listed with no photos needed. Throws nothing.
std::vector<CombinationListRow> combination_list(const DataRoot& root);

// The explanation line for a chosen combination; `current` when it needs no photos.
QString combination_explanation(int landscape, int portrait, const QString& current);


// The stored pixel size of a photo file, or nothing when it cannot be decoded.
using StoredSize = std::function<std::optional<QSize>(const QString& path)>;
// The size as the JPEG stores it, before any orientation tag is applied.
std::optional<QSize> stored_photo_size(const QString& path);

// The check before a combination job: asks for photos and sorts them by their stored size
// into `heng_zhao` (width >= height) and `shu_zhao`, skipping files that cannot be decoded;
// while the combination lacks a required kind it says so and asks again, keeping the files
// already chosen. Returns the pending files (landscape, then portrait), or nothing when the
// person cancels.
std::optional<QStringList> combination_check(Ui& ui, int required_landscape, int required_portrait,
                                             QStringList& heng_zhao, QStringList& shu_zhao,
                                             const StoredSize& size = stored_photo_size);

} // namespace velmora
