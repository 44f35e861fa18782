#pragma once

#include "core/app_state.h"
#include "core/ui.h"
#include "production/output_settings.h"
#include "templates/album.h"

#include <functional>

namespace velmora {

// What the making window is opened with.
struct MakingRequest {
    mcl::AlbumType type = mcl::AlbumType::invalid;
    QString title;        // "制作" + type + "相册", e.g. "制作DVD相册"
    QString album_name;   // its file-name field
    QString output_path;  // video and audio output: save folder + name + the type's extension
};

// What the format command opens in other parts; an unset hook does nothing.
struct FormatCommandHooks {
    // Shows the album-type window modally; it leaves its answer in OutputSettings::quxiao.
    std::function<void()> choose_album_type;
    // Shows the making window modally with its production timer started; returns when it closes.
    std::function<void(const MakingRequest&)> make_album;
    // Releases the effect overlays the run created (rows marked "chuangjian" become "wu").
    std::function<void()> release_effect_overlays;
};

enum class FormatOutcome { Refused, Cancelled, Made };

// The folder chooser's title.
inline QString save_folder_title() { return QStringLiteral("选择相册保存路径,然后点[确定]按钮"); }
// Asked before an album without songs is made.
inline QString silent_album_question() { return QStringLiteral("没有添加音乐文件,制作的相册将没有声音,是否继续?"); }

// Why an album cannot be made now, as the message to show; empty when it can. In order: the
// preview plays, no photo, music sync without a song, no used template, no used template whose
// photos are all matched (the run starts with the first such template).
QString format_command_refusal(const AppState& state, const Album& album, int song_count, SyncMode sync);

// The main window's "VCD", "SVCD", "DVD", "AVI", "MOV" and "MP4" commands: check the album, ask
// for size and name in the album-type window, ask for the save folder, and open the making
// window. Owned by the desktop program; the references outlive it.
class FormatCommand {
public:
    FormatCommand(OutputSettings& settings, AppState& state, const Album& album, Ui& ui, FormatCommandHooks hooks);

    // Runs the command for `type` with `song_count` songs in the music list. Holds the caller
    // until the making window closes. A refusal changes nothing, nor does declining to make
    // an album without songs (asked when `song_count` is 0); a cancelled window or
    // folder chooser leaves only the cleared name and folder; an existing file of the same
    // name is replaced only when the person confirms.
    FormatOutcome run(mcl::AlbumType type, int song_count);

private:
    bool ask_save_folder();
    bool may_write(const QString& path);
    void make();

    OutputSettings& settings_;
    AppState& state_;
    const Album& album_;
    Ui& ui_;
    FormatCommandHooks hooks_;
};

} // namespace velmora
