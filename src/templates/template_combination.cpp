#include "templates/template_combination.h"

#include <QDir>
#include <QFile>
#include <QImageReader>

#include "core/data_error.h"
#include "core/file_utils.h"
#include "core/ini_file.h"
#include "core/packed_kind.h"
#include "templates/photo_list.h"

namespace velmora {
namespace {

const QString kSection = QStringLiteral("zuhemoban_canshu");
// More entries than any combination could use; guards against an absurd "shuliang".
constexpr int kMaxEntries = 100000;

// More photos than any template holds; a count beyond it (or below zero) is damage, and
// summing such counts could overflow.
constexpr int kMaxPhotosPerEntry = 1000;

bool is_impossible_count(const QString& count) {
    bool number = false;
    const qlonglong value = count.toLongLong(&number);
    return number && (value < 0 || value > kMaxPhotosPerEntry);
}

std::optional<CombinationEntry> parse_entry(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('~'));
    if (parts.size() < 4) // fewer than three "~"
        return std::nullopt;
    if (is_impossible_count(parts[1]) || is_impossible_count(parts[2]))
        return std::nullopt;
    return CombinationEntry{parts[0], parts[1], parts[2]};
}

QString combination_folder(const DataRoot& root) { return root.at(QStringLiteral("wj_0_or_9_9")); }

} // namespace

TemplateCombination parse_combination(const QByteArray& gbk_text) {
    const IniFile ini = IniFile::parse(gbk_text);
    const int count = std::min(ini.value(kSection, QStringLiteral("shuliang")).toInt(), kMaxEntries);
    TemplateCombination combination;
    for (int e = 1; e <= count; ++e) {
        const auto entry = parse_entry(ini.value(kSection, QStringLiteral("canshu_%1").arg(e)));
        if (!entry)
            continue;
        combination.required_landscape += entry->landscape.toInt();
        combination.required_portrait += entry->portrait.toInt();
        combination.entries.push_back(*entry);
    }
    return combination;
}

TemplateCombination read_combination(const DataRoot& root, int n, int k) {
    const QString work = root.work_dir();
    QDir().mkpath(work);
    const QString stamp = time_of_day_stamp();
    const QString text_path = work + QStringLiteral("/wjj_00_j_y%1-%2.ini").arg(k).arg(k + 1);
    unpack_nested(root.combination(n), packed_kind::kCombination,
                  [&](int step) { return work + QStringLiteral("/wjj_00_j_y%1-%2%3.rar").arg(k + 1).arg(step).arg(stamp); },
                  text_path);
    QFile file(text_path);
    if (!file.open(QIODevice::ReadOnly))
        throw DataError(QStringLiteral("cannot read the unpacked combination %1").arg(text_path));
    const QByteArray text = file.readAll();
    file.close();
    QFile::remove(text_path);
    return parse_combination(text);
}

int count_combination_files(const DataRoot& root) { return count_packed(combination_folder(root)); }

std::vector<CombinationListRow> combination_list(const DataRoot& root) {
    std::vector<CombinationListRow> rows;
    const int count = count_combination_files(root);
    for (int n = 1; n <= count; ++n) {
        CombinationListRow row{QStringLiteral("模板组合 - %1").arg(n)};
        try {
            const TemplateCombination combination = read_combination(root, n, n);
            row.landscape = combination.required_landscape;
            row.portrait = combination.required_portrait;
        } catch (const DataError&) {
            // Listed all the same, so that row positions stay file numbers; choosing it fails then.
        }
        rows.push_back(row);
    }
    return rows;
}

QString combination_explanation(int landscape, int portrait, const QString& current) {
    if (landscape > 0 && portrait > 0)
        return QStringLiteral("说明：选中的组合模板至少需要 1 张横照片和 1 张竖照片");
    if (landscape > 0)
        return QStringLiteral("说明：选中的组合模板至少需要 1 张横照片");
    if (portrait > 0)
        return QStringLiteral("说明：选中的组合模板至少需要 1 张竖照片");
    return current;
}


std::optional<QSize> stored_photo_size(const QString& path) {
    QImageReader reader(path);
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return std::nullopt;
    return size;
}

std::optional<QStringList> combination_check(Ui& ui, int required_landscape, int required_portrait,
                                             QStringList& heng_zhao, QStringList& shu_zhao, const StoredSize& size) {
    for (;;) {
        const QStringList chosen = ui.choose_files(QStringLiteral("添加照片"), {}, photo_file_filter());
        if (chosen.isEmpty())
            return std::nullopt;
        for (const QString& path : chosen) {
            const auto stored = size(path);
            if (stored)
                (stored->width() >= stored->height() ? heng_zhao : shu_zhao).append(path);
        }
        bool lacking = false;
        if (required_landscape > 0 && heng_zhao.isEmpty()) {
            ui.show_message(QStringLiteral("当前选中的组合模板，至少需要添加 1 张横照片,点[确定]按钮继续添加照片"));
            lacking = true;
        }
        if (required_portrait > 0 && shu_zhao.isEmpty()) {
            ui.show_message(QStringLiteral("当前选中的组合模板，至少需要添加 1 张竖照片,点[确定]按钮继续添加照片"));
            lacking = true;
        }
        if (!lacking)
            return heng_zhao + shu_zhao;
    }
}

} // namespace velmora
