// velmora-make plan: adds photos as "添加照片" does and prints how templates were assigned.
#include <cstdio>
#include <nlohmann/json.hpp>

#include "app/batch/album_builder.h"
#include "app/batch/commands.h"
#include "app/batch/stop_signals.h"
#include "core/app_state.h"
#include "core/data_error.h"
#include "core/startup_abort.h"
#include "media/lyric_list.h"
#include "templates/template_catalogue.h"

namespace velmora::batch {
namespace {

using nlohmann::json;

std::string utf8(const QString& text) { return text.toStdString(); }
std::string number(int value) { return std::to_string(value); }

json photo_json(const PhotoEntry& p, int row) {
    return {{"number", number(row + 1)}, {"name", utf8(p.name)}, {"format", utf8(p.format)},
            {"width", number(p.width)}, {"height", number(p.height)}, {"location", utf8(p.location)},
            {"fitted", p.fitted ? "完成" : ""}};
}

json used_json(const UsedTemplate& u, int row) {
    return {{"catalogue_number", number(u.catalogue_number)}, {"template_name", utf8(u.template_name)},
            {"kind", utf8(u.kind)}, {"landscape_slots", number(u.landscape_slots)},
            {"portrait_slots", number(u.portrait_slots)}, {"duration", utf8(u.duration)},
            {"category", utf8(u.category)}, {"match_state", utf8(u.match_state())},
            {"position_number", number(row + 1)}};
}

json slot_json(const SlotRow& s, const Album& album) {
    json row = used_json(album.used_templates.at(std::size_t(s.used_row)), s.used_row);
    row.erase("match_state");
    row.erase("position_number");
    // Placement cells are empty until a photo is placed.
    const auto placed = [&](int value) { return s.matched ? number(value) : std::string(); };
    row.update(json{{"used_row", number(s.used_row)}, {"slot_kind", utf8(to_text(s.slot_kind))},
                    {"picture", utf8(s.picture)}, {"slot_index", number(s.slot_index)},
                    {"match", s.matched ? "yi_pipei" : ""},
                    {"photo_row", s.photo_row ? number(*s.photo_row) : std::string()},
                    {"photo_location", utf8(s.photo_location)},
                    {"mobanchicun_width", number(s.mobanchicun_width)},
                    {"mobanchicun_height", number(s.mobanchicun_height)},
                    {"jiancai_left_x", placed(s.jiancai_left_x)}, {"jiancai_top_y", placed(s.jiancai_top_y)},
                    {"jiancai_width", placed(s.jiancai_width)}, {"jiancai_height", placed(s.jiancai_height)},
                    {"crop_mark", s.matched ? utf8(to_text(s.crop_mark)) : std::string()},
                    {"shizhong_jiancai_left_x", placed(s.shizhong_jiancai_left_x)},
                    {"shizhong_jiancai_top_x", placed(s.shizhong_jiancai_top_x)},
                    {"shizhong_jiancai_width", placed(s.shizhong_jiancai_width)},
                    {"shizhong_jiancai_height", placed(s.shizhong_jiancai_height)},
                    {"jiancha_zhaopian_shiyong_shuliang_biaoshi", ""}, {"effect_mark", utf8(s.effect_mark)}});
    return row;
}

json background_json(const BackgroundRow& b, int row) {
    const bool has_picture = !b.picture_name.isEmpty();
    return {{"编号", number(row + 1)}, {"名称", utf8(b.name)}, {"类型", utf8(b.kind)}, {"分类", utf8(b.category)},
            {"图片名称", utf8(b.picture_name)}, {"图片类型", utf8(b.picture_format)},
            {"宽度", has_picture ? number(b.width) : ""}, {"高度", has_picture ? number(b.height) : ""},
            {"图片位置", utf8(b.location)}, {"透明度", number(b.transparency)}};
}

json lyric_json(const LyricEntry& l, int row) {
    return {{"number", number(row + 1)}, {"name", utf8(l.name)}, {"format", utf8(l.format)},
            {"location", utf8(l.location)}};
}

// An effect-list row keyed by its column captions.
template <class Entry>
json effect_json(const Entry& entry) {
    json row;
    const QStringList cells = entry.cells();
    for (qsizetype c = 0; c < cells.size(); ++c)
        row[utf8(Entry::captions()[c])] = utf8(cells[c]);
    return row;
}

json album_json(const Album& album, const LyricList& lyrics, const AlbumEffects& effects) {
    json out = {{"photos", json::array()}, {"used_templates", json::array()}, {"slots", json::array()},
                {"backgrounds", json::array()}, {"lyrics", json::array()}, {"picture_effects", json::array()},
                {"text_effects", json::array()}};
    for (const PictureEffectEntry& e : effects.picture.list())
        out["picture_effects"].push_back(effect_json(e));
    for (const TextEffectEntry& e : effects.text.table().list())
        out["text_effects"].push_back(effect_json(e));
    for (std::size_t i = 0; i < lyrics.entries().size(); ++i)
        out["lyrics"].push_back(lyric_json(lyrics.entries()[i], int(i)));
    for (std::size_t i = 0; i < album.photos.size(); ++i)
        out["photos"].push_back(photo_json(album.photos[i], int(i)));
    for (std::size_t i = 0; i < album.used_templates.size(); ++i)
        out["used_templates"].push_back(used_json(album.used_templates[i], int(i)));
    for (const SlotRow& s : album.slot_rows)
        out["slots"].push_back(slot_json(s, album));
    for (std::size_t i = 0; i < album.backgrounds.size(); ++i)
        out["backgrounds"].push_back(background_json(album.backgrounds[i], int(i)));
    return out;
}

} // namespace

int run_plan(QStringList arguments, const QString& program_folder, const QString& work_root) {
    QString error;
    const auto album_arguments = take_album_arguments(arguments, error);
    if (!album_arguments)
        return fail(error);
    auto options = parse_batch_options(arguments, error);
    if (!options)
        return fail(error);
    options->work_root = work_root;
    auto files = photo_files(options->positional, error);
    if (!files)
        return fail(error);
    const DataRoot root = options->root(program_folder);

    TemplateCatalogue catalogue;
    error = load_catalogue(root, catalogue);
    if (!error.isEmpty())
        return fail(error);
    mcl::FrameProgressLine terminal = mcl::FrameProgressLine::standard_error();
    ScriptedUi ui;
    print_messages(ui, terminal);
    Album album;
    AppState app_state;
    AlbumEffects effects(album, catalogue);
    const QString refusal = add_photos_with_templates(root, catalogue, *files, *album_arguments,
                                                      album_arguments->random(), ui, album, app_state, effects);
    if (!refusal.isEmpty())
        return fail(refusal);
    if (const int signal = requested_stop_signal())
        return report_stopped(signal);
    LyricList lyrics;
    lyrics.add_lyrics(album_arguments->lyric_files, ui);
    std::printf("%s\n", album_json(album, lyrics, effects).dump(2).c_str());
    return 0;
}

} // namespace velmora::batch
