#include "production/format_command.h"

#include "production/album_type_choice.h"

#include <QFileInfo>
#include <algorithm>

namespace velmora {
namespace {

bool has_finished_template(const Album& album) {
    return std::any_of(album.used_templates.begin(), album.used_templates.end(),
                       [](const UsedTemplate& t) { return t.complete; });
}

} // namespace

QString format_command_refusal(const AppState& state, const Album& album, int song_count, SyncMode sync) {
    if (state.tuichu == PreviewPlayback::Playing)
        return QStringLiteral("正在播放相册,点停止按钮后,再操作！");
    if (album.photos.empty())
        return QStringLiteral("没有添加照片文件！");
    if (sync == SyncMode::Music && song_count <= 0)
        return QStringLiteral("没有找到音乐文件！使用随音乐文件同步,至少添加一个音乐文件！");
    if (album.used_templates.empty())
        return QStringLiteral("没有添加模板文件！");
    if (!has_finished_template(album))
        return QStringLiteral("没有完成照片匹配的模板文件！请为模板添加照片后,再制作相册！");
    return {};
}

FormatCommand::FormatCommand(OutputSettings& settings, AppState& state, const Album& album, Ui& ui,
                             FormatCommandHooks hooks)
    : settings_(settings), state_(state), album_(album), ui_(ui), hooks_(std::move(hooks)) {}

FormatOutcome FormatCommand::run(mcl::AlbumType type, int song_count) {
    const QString refusal = format_command_refusal(state_, album_, song_count, settings_.sync_mode);
    if (!refusal.isEmpty()) {
        ui_.show_message(refusal);
        return FormatOutcome::Refused;
    }
    if (song_count <= 0 && !ui_.confirm(QStringLiteral("制作相册"), silent_album_question()))
        return FormatOutcome::Cancelled;
    state_.xiangce_leixing = to_text(type);
    state_.zhizuo_zhuan_zhizuo = QStringLiteral("wu");
    state_.zhizuo_kaishi = QStringLiteral("zhizuo_kaishi");
    prepare_album_type_choice(settings_, type);
    state_.xiangce_baocun_weizhi.clear();
    if (hooks_.choose_album_type)
        hooks_.choose_album_type();
    if (settings_.quxiao != AlbumTypeAnswer::Start || !ask_save_folder() || !may_write(settings_.output_path()))
        return FormatOutcome::Cancelled;
    make();
    return FormatOutcome::Made;
}

// A cancelled chooser answers "" and so gives "/", which ends the command like the empty text.
bool FormatCommand::ask_save_folder() {
    QString folder = ui_.choose_folder(save_folder_title(), {});
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    settings_.xiangce_baocun_weizhi = folder;
    state_.xiangce_baocun_weizhi = folder;
    return folder != QLatin1String("/");
}

bool FormatCommand::may_write(const QString& path) {
    if (!QFileInfo::exists(path))
        return true;
    return ui_.confirm(QStringLiteral("替换文件"),
                       QStringLiteral("文件 %1 已经存在,是否替换此文件?").arg(QFileInfo(path).fileName()));
}

void FormatCommand::make() {
    state_.mcl_caozuo_leixing = QStringLiteral("MCL_zhizuo_xiangce");
    const MakingRequest request{settings_.xiangce_leixing,
                                QStringLiteral("制作%1相册").arg(to_text(settings_.xiangce_leixing)),
                                settings_.xiangce_mingcheng, settings_.output_path()};
    if (hooks_.make_album)
        hooks_.make_album(request);
    // Every type releases the run's overlays: left alive they would pile up run after run.
    if (hooks_.release_effect_overlays)
        hooks_.release_effect_overlays();
}

} // namespace velmora
