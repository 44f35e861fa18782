// velmora-make plan: adds photos as "添加照片" does and prints how templates were assigned.
#include <cstdio>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <nlohmann/json.hpp>

#include "app/batch/commands.h"
#include "core/app_state.h"
#include "core/data_error.h"
#include "core/scripted_ui.h"
#include "core/startup_abort.h"
#include "core/system_settings.h"
#include "templates/photo_list.h"
#include "templates/template_assignment.h"
#include "templates/template_combination.h"

namespace velmora::batch {
namespace {

using nlohmann::json;

std::string utf8(const QString& text) { return text.toStdString(); }
std::string number(int value) { return std::to_string(value); }

int fail(const QString& message) {
    std::fprintf(stderr, "velmora-make: %s\n", message.toUtf8().constData());
    return 1;
}

bool is_jpeg_name(const QString& name) {
    const QString suffix = QFileInfo(name).suffix().toLower();
    return suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg");
}

// The photos named on the command line: files as given, folders as their JPEGs in name order.
std::optional<QStringList> photo_files(const QStringList& arguments, QString& error) {
    QStringList files;
    for (const QString& argument : arguments) {
        const QFileInfo info(argument);
        if (info.isDir()) {
            const QDir dir(info.absoluteFilePath());
            for (const QString& name : dir.entryList(QDir::Files, QDir::Name))
                if (is_jpeg_name(name))
                    files.append(dir.absoluteFilePath(name));
        } else if (info.isFile()) {
            files.append(info.absoluteFilePath());
        } else {
            error = QStringLiteral("no such photo or folder: %1").arg(argument);
            return std::nullopt;
        }
    }
    if (files.isEmpty())
        error = QStringLiteral("no photos to add");
    return files.isEmpty() ? std::nullopt : std::optional<QStringList>(files);
}

// Takes "--combination N" out of `arguments`; 0 when absent, -1 when malformed.
int take_combination(QStringList& arguments) {
    const qsizetype i = arguments.indexOf(QStringLiteral("--combination"));
    if (i < 0)
        return 0;
    bool ok = false;
    const int n = i + 1 < arguments.size() ? arguments[i + 1].toInt(&ok) : 0;
    arguments.remove(i, std::min<qsizetype>(2, arguments.size() - i));
    return ok && n > 0 ? n : -1;
}

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

json album_json(const Album& album) {
    json out = {{"photos", json::array()}, {"used_templates", json::array()}, {"slots", json::array()},
                {"backgrounds", json::array()}};
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

// Chooses combination `n` as the options window would; false when there is no such file.
bool choose_combination(const DataRoot& root, int n, AssignmentState& state) {
    const std::vector<CombinationListRow> rows = combination_list(root);
    if (n > int(rows.size()))
        return false;
    state.mobanfashi = AssignmentMode::Combination;
    state.zuhemoban_xuanhao = n - 1;
    state.required_landscape = rows[std::size_t(n - 1)].landscape;
    state.required_portrait = rows[std::size_t(n - 1)].portrait;
    return true;
}

} // namespace

int run_plan(QStringList arguments, const QString& program_folder) {
    const int combination = take_combination(arguments);
    if (combination < 0)
        return fail(QStringLiteral("--combination needs a file number from 1"));
    QString error;
    const auto options = parse_batch_options(arguments, error);
    if (!options)
        return fail(error);
    auto files = photo_files(options->positional, error);
    if (!files)
        return fail(error);
    const DataRoot root = options->root(program_folder);

    TemplateCatalogue catalogue;
    try {
        load_template_catalogue(root, catalogue);
    } catch (const StartupAbort& e) {
        return fail(QString::fromUtf8(e.what()));
    } catch (const DataError& e) {
        return fail(e.message());
    }
    ScriptedUi ui;
    ui.on_message = [](const ScriptedUi::Message& m) {
        std::fprintf(stderr, "%s: %s\n", m.title.toUtf8().constData(), m.text.toUtf8().constData());
    };
    const SystemSettings settings;
    Album album;
    AppState app_state;
    NoAutoTextEffects effects;
    const RandomPick random = seeded_random_pick(std::uint32_t(QDateTime::currentMSecsSinceEpoch()));
    PhotoList photos(album, app_state, ui, random, effects);
    AssignmentState state;
    state.mobanfashi = AssignmentMode::Random;
    if (combination > 0) {
        if (!choose_combination(root, combination, state))
            return fail(QStringLiteral("there is no combination file %1").arg(combination));
        ui.file_answers = {*files};
        QStringList heng_zhao, shu_zhao;
        const auto pending = combination_check(ui, state.required_landscape, state.required_portrait, heng_zhao, shu_zhao);
        if (!pending || pending->isEmpty())
            return fail(QStringLiteral("the photos do not fit combination %1").arg(combination));
        *files = *pending;
    }
    const AssignmentServices services{catalogue, settings, ui, root, random};
    const int first_new = int(album.photos.size());
    add_photos_job(photos, *files, {[&] { assign_templates(album, first_new, state, services); }, {}});
    std::printf("%s\n", album_json(album).dump(2).c_str());
    return 0;
}

} // namespace velmora::batch
