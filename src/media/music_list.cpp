#include "media/music_list.h"

#include <algorithm>
#include <QFileInfo>

#include "core/clock.h"
#include "core/data_error.h"
#include "media/song_probe.h"

namespace velmora {
namespace {

QString two_digits(qint64 value) {
    return QString::number(value).rightJustified(2, QLatin1Char('0'));
}

MusicEntry entry_for(const QString& path, qint64 length_ms) {
    const QFileInfo info(path);
    const QString file_name = info.fileName();
    const qsizetype dot = file_name.lastIndexOf(QLatin1Char('.'));
    MusicEntry entry;
    entry.name = dot < 0 ? file_name : file_name.left(dot);
    entry.format = dot < 0 ? QString() : file_name.mid(dot);
    entry.length_ms = length_ms;
    entry.location = info.absoluteFilePath();
    return entry;
}

} // namespace

QString song_length_text(qint64 length_ms) {
    const qint64 seconds = qMax<qint64>(0, length_ms / 1000);
    return QStringLiteral("00:") + two_digits(seconds / 60) + QLatin1Char(':') + two_digits(seconds % 60);
}

SongLengthProbe ffmpeg_song_length() {
    return [](const QString& path, QString& error) -> std::optional<qint64> {
        try {
            return song_length_ms(path);
        } catch (const DataError& e) {
            error = e.message();
            return std::nullopt;
        }
    };
}

QString sample_song_path(const QString& program_folder) {
    return program_folder + QStringLiteral("/yinyuegeciwenjian/甜蜜蜜.mp3");
}

int MusicList::add_songs(const QStringList& files, const SongLengthProbe& measure, Ui& ui) {
    int added = 0;
    ui.show_progress(0, int(files.size()));
    for (qsizetype i = 0; i < files.size(); ++i) {
        ui.pump_events();
        QString error;
        const std::optional<qint64> length = measure(files[i], error);
        if (length) {
            songs_.push_back(entry_for(files[i], *length));
            ++added;
        } else {
            ui.show_message(QStringLiteral("无法打开音乐文件 %1，已跳过。%2").arg(QFileInfo(files[i]).fileName(), error));
        }
        ui.show_progress(int(i + 1), int(files.size()));
    }
    return added;
}

bool MusicList::delete_selected(const std::vector<int>& selected_rows, Ui& ui) {
    if (songs_.empty()) {
        ui.show_message(QStringLiteral("没有添加音乐文件！"));
        return false;
    }
    if (!ui.confirm(QStringLiteral("删除音乐"), QStringLiteral("是否确定要删除当前选中的音乐文件?")))
        return false;
    std::vector<int> valid;
    std::copy_if(selected_rows.begin(), selected_rows.end(), std::back_inserter(valid),
                 [this](int row) { return row >= 0 && row < size(); });
    if (valid.empty()) {
        ui.show_message(QStringLiteral("没有选中音乐文件！"));
        return false;
    }
    songs_.erase(songs_.begin() + *std::min_element(valid.begin(), valid.end()));
    if (valid.size() == 1)
        ui.show_message(QStringLiteral("选中的音乐文件已经删除！"));
    return true;
}

bool MusicList::delete_all(Ui& ui) {
    if (songs_.empty()) {
        ui.show_message(QStringLiteral("没有添加音乐文件！"));
        return false;
    }
    if (!ui.confirm(QStringLiteral("删除音乐"), QStringLiteral("是否确定要删除全部音乐文件?")))
        return false;
    songs_.clear();
    ui.show_message(QStringLiteral("音乐文件已经全部删除！"));
    return true;
}

std::vector<SongScheduleRow> MusicList::build_song_schedule(qint64 album_frames,
                                                            const std::function<bool()>& stop_requested,
                                                            Ui& ui) const {
    std::vector<SongScheduleRow> schedule;
    if (songs_.empty())
        return schedule;
    qint64 total = 0;
    qint64 total_at_pass_start = 0;
    int k = 0;
    while (total < album_frames) {
        if (stop_requested && stop_requested())
            break;
        ui.pump_events();
        if (k > size() - 1) {
            // A whole pass that added nothing would repeat forever.
            if (total == total_at_pass_start)
                break;
            total_at_pass_start = total;
            k = 0;
        }
        const qint64 frames = songs_[std::size_t(k)].length_ms / 1000 * kFramesPerSecond;
        total += frames;
        schedule.push_back({k, frames});
        ++k;
    }
    return schedule;
}

} // namespace velmora
