#include "media/lyric_list.h"

#include <algorithm>
#include <QFileInfo>

#include "core/data_error.h"

namespace velmora {
namespace {

LyricSettingsRow default_settings_for(const LyricEntry& entry) {
    LyricSettingsRow row;
    row.name = entry.name;
    row.format = entry.format;
    row.location = entry.location;
    return row;
}

} // namespace

QString sample_lyrics_path(const QString& program_folder) {
    return program_folder + QStringLiteral("/yinyuegeciwenjian/甜蜜蜜.lrc");
}

int LyricList::add_lyrics(const QStringList& files, Ui& ui) {
    ui.show_progress(0, int(files.size()));
    int added = 0;
    for (qsizetype i = 0; i < files.size(); ++i) {
        ui.pump_events();
        if (lyric_file_refusal(files[i]).isEmpty()) {
            entries_.push_back(lyric_entry_for(files[i]));
            settings_.push_back(default_settings_for(entries_.back()));
            ++added;
        } else {
            ui.show_message(QStringLiteral("歌词文件 %1 超过 2 MB，不是有效的歌词文件，已跳过。").arg(QFileInfo(files[i]).fileName()));
        }
        ui.show_progress(int(i + 1), int(files.size()));
    }
    return added;
}

bool LyricList::delete_selected(const std::vector<int>& selected_rows, Ui& ui) {
    if (entries_.empty()) {
        ui.show_message(QStringLiteral("没有添加歌词文件！"));
        return false;
    }
    if (!ui.confirm(QStringLiteral("删除歌词"), QStringLiteral("是否确定要删除当前选中的歌词文件?")))
        return false;
    std::vector<int> valid;
    std::copy_if(selected_rows.begin(), selected_rows.end(), std::back_inserter(valid),
                 [this](int row) { return row >= 0 && row < size(); });
    if (valid.empty()) {
        ui.show_message(QStringLiteral("没有选中歌词文件！"));
        return false;
    }
    const int row = *std::min_element(valid.begin(), valid.end());
    entries_.erase(entries_.begin() + row);
    settings_.erase(settings_.begin() + row);
    if (valid.size() == 1)
        ui.show_message(QStringLiteral("选中的歌词文件已经删除！"));
    return true;
}

bool LyricList::delete_all(Ui& ui) {
    if (entries_.empty()) {
        ui.show_message(QStringLiteral("没有添加歌词文件！"));
        return false;
    }
    if (!ui.confirm(QStringLiteral("删除歌词"), QStringLiteral("是否确定要删除全部歌词文件?")))
        return false;
    entries_.clear();
    settings_.clear();
    ui.show_message(QStringLiteral("歌词文件已经全部删除！"));
    return true;
}

const LyricSettingsRow& LyricList::settings_row(int row) const {
    if (row < 0 || row >= size())
        throw DataError(QStringLiteral("There is no lyric file number %1").arg(row + 1));
    return settings_[std::size_t(row)];
}

void LyricList::store_settings(int row, const LyricSettingsRow& settings) {
    const LyricSettingsRow& current = settings_row(row);
    LyricSettingsRow stored = settings;
    stored.name = current.name;
    stored.format = current.format;
    stored.location = current.location;
    settings_[std::size_t(row)] = stored;
}

std::optional<LyricEntry> LyricList::lyric_for_song(int song_row) const {
    return velmora::lyric_for_song(entries_, song_row);
}

} // namespace velmora
