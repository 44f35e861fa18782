// velmora-make make: builds an album as the desktop program would and writes its video file.
#include <cstdio>
#include <map>
#include <QDir>
#include <QFileInfo>

#include "app/batch/album_builder.h"
#include "app/batch/commands.h"
#include "app/batch/stop_signals.h"
#include "core/data_error.h"
#include "core/startup_abort.h"
#include "effects/effect_layer.h"
#include "production/album_lyrics.h"
#include "production/album_type_choice.h"
#include "production/dvd_folder.h"
#include "production/format_command.h"
#include "production/production_run.h"
#include "production/progress_line.h"

namespace velmora::batch {
namespace {

// Everything "make" takes from the command line.
struct MakeOptions {
    QString data_root;
    QStringList music;
    QStringList lyrics;          // lyric file k belongs to song k
    mcl::AlbumType type = mcl::AlbumType::dvd;
    QSize size;                  // empty: the type's default size
    PictureQuality quality = PictureQuality::gaoqing;
    mcl::TvStandard standard = mcl::TvStandard::pal;
    SyncMode sync = SyncMode::Template;
    QString name = QStringLiteral("album");
    bool overwrite = false;
    QString out;
    QString dvd_folder;          // also write a DVD-Video folder here
    QStringList photos;
};

std::optional<QSize> parse_size(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('x'));
    bool w_ok = false, h_ok = false;
    const int w = parts.size() == 2 ? parts[0].toInt(&w_ok) : 0;
    const int h = parts.size() == 2 ? parts[1].toInt(&h_ok) : 0;
    if (!w_ok || !h_ok || w < 2 || h < 2 || w > 4096 || h > 4096 || w % 2 || h % 2)
        return std::nullopt;
    return QSize(w, h);
}

// Applies one "--option VALUE"; the reason on a bad value.
QString apply_value(MakeOptions& o, const QString& option, const QString& value) {
    if (option == QLatin1String("--data-root")) o.data_root = value;
    else if (option == QLatin1String("--music")) o.music.append(value);
    else if (option == QLatin1String("--name")) o.name = value;
    else if (option == QLatin1String("--out")) o.out = value;
    else if (option == QLatin1String("--dvd-folder")) o.dvd_folder = value;
    else if (option == QLatin1String("--type")) {
        const auto type = album_type_from_text(value);
        if (!type)
            return QStringLiteral("--type must be VCD, SVCD, DVD, MOV, AVI, MP4 or WMV, not %1").arg(value);
        o.type = *type;
    } else if (option == QLatin1String("--size")) {
        const auto size = parse_size(value);
        if (!size)
            return QStringLiteral("--size must be WIDTHxHEIGHT with even sides from 2 to 4096, not %1").arg(value);
        o.size = *size;
    } else if (option == QLatin1String("--quality")) {
        if (value != QLatin1String("biaoqing") && value != QLatin1String("gaoqing"))
            return QStringLiteral("--quality must be biaoqing or gaoqing, not %1").arg(value);
        o.quality = value == QLatin1String("biaoqing") ? PictureQuality::biaoqing : PictureQuality::gaoqing;
    } else if (option == QLatin1String("--standard")) {
        if (value != QLatin1String("PAL") && value != QLatin1String("NTSC"))
            return QStringLiteral("--standard must be PAL or NTSC, not %1").arg(value);
        o.standard = value == QLatin1String("PAL") ? mcl::TvStandard::pal : mcl::TvStandard::ntsc;
    } else if (option == QLatin1String("--sync")) {
        if (value != QLatin1String("template") && value != QLatin1String("music"))
            return QStringLiteral("--sync must be template or music, not %1").arg(value);
        o.sync = value == QLatin1String("music") ? SyncMode::Music : SyncMode::Template;
    } else {
        return QStringLiteral("unknown option %1").arg(option);
    }
    return {};
}

// A DVD-Video folder needs a DVD album at the disc size of its standard; that size is the
// default then.
QString dvd_folder_refusal(MakeOptions& o) {
    const mcl::DiscFormat* disc = mcl::disc_format(mcl::AlbumType::dvd, o.standard);
    if (o.type != mcl::AlbumType::dvd)
        return QStringLiteral("--dvd-folder needs --type DVD");
    if (o.size.isEmpty())
        o.size = QSize(disc->width, disc->height);
    if (!mcl::disc_format_for_size(o.type, o.standard, o.size.width(), o.size.height()))
        return QStringLiteral("--dvd-folder needs the DVD disc size %1x%2 of %3")
            .arg(disc->width).arg(disc->height).arg(QLatin1String(o.standard == mcl::TvStandard::ntsc ? "NTSC" : "PAL"));
    if (QFileInfo::exists(o.dvd_folder))
        return QStringLiteral("%1 already exists; --dvd-folder names a folder to create").arg(o.dvd_folder);
    return {};
}

std::optional<MakeOptions> parse_make_options(QStringList arguments, QString& error) {
    MakeOptions o;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == QLatin1String("--overwrite")) {
            o.overwrite = true;
        } else if (arg.startsWith(QLatin1String("--"))) {
            if (i + 1 >= arguments.size()) {
                error = QStringLiteral("%1 needs a value").arg(arg);
                return std::nullopt;
            }
            error = apply_value(o, arg, arguments[++i]);
            if (!error.isEmpty())
                return std::nullopt;
        } else {
            o.photos.append(arg);
        }
    }
    if (o.out.isEmpty())
        error = QStringLiteral("--out FOLDER is required");
    else if (!QFileInfo(o.out).isDir())
        error = QStringLiteral("the output folder %1 does not exist").arg(o.out);
    else if (!o.dvd_folder.isEmpty())
        error = dvd_folder_refusal(o);
    return error.isEmpty() ? std::optional<MakeOptions>(o) : std::nullopt;
}

// The settings the album-type window would leave for these options.
OutputSettings output_settings(const MakeOptions& o) {
    OutputSettings s;
    prepare_album_type_choice(s, o.type);
    if (!o.size.isEmpty()) {
        s.chicun_width = o.size.width();
        s.chicun_height = o.size.height();
        s.shuchu_chicun = output_size_text(o.type, o.standard, s.chicun_width, s.chicun_height);
    }
    s.huamianzhiliang_xuanzhong = o.quality;
    s.tv_standard = o.standard;
    s.sync_mode = o.sync;
    s.xiangce_mingcheng = o.name;
    s.xiangce_baocun_weizhi = QDir(o.out).absolutePath() + QLatin1Char('/');
    s.quxiao = AlbumTypeAnswer::Start;
    return s;
}

// A newline or another control character would break the listing of the output folder and
// every script that reads the printed path.
QString name_control_refusal(const QString& name) {
    for (const QChar c : name)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            return QStringLiteral("--name must not hold control characters such as a newline (U+%1)")
                .arg(c.unicode(), 4, 16, QLatin1Char('0'));
    return {};
}

// A folder standing where the album goes would only fail the rename once everything was encoded.
QString output_refusal(const QString& output, bool overwrite) {
    if (QFileInfo(output).isDir())
        return QStringLiteral("%1 is a folder; choose another --name").arg(output);
    if (QFileInfo::exists(output) && !overwrite)
        return QStringLiteral("%1 already exists; pass --overwrite to replace it").arg(output);
    return {};
}

} // namespace

int run_make(QStringList arguments, const QString& program_folder, const QString& work_root) {
    QString error;
    const auto album_arguments = take_album_arguments(arguments, error);
    if (!album_arguments)
        return fail(error);
    auto options = parse_make_options(arguments, error);
    if (!options)
        return fail(error);
    options->lyrics = album_arguments->lyric_files;
    const QString control_refusal = name_control_refusal(options->name);
    if (!control_refusal.isEmpty()) {
        fail(control_refusal);
        return 2;
    }
    const QString name_refusal = album_name_refusal(options->name);
    if (!name_refusal.isEmpty())
        return fail(name_refusal);
    const OutputSettings settings = output_settings(*options);
    const QString output = settings.output_path();
    error = output_refusal(output, options->overwrite);
    if (!error.isEmpty())
        return fail(error);
    auto files = photo_files(options->photos, error);
    if (!files)
        return fail(error);

    const DataRoot root(options->data_root.isEmpty() ? DataRoot::beside(program_folder).path() : options->data_root,
                        work_root);
    TemplateCatalogue catalogue;
    error = load_catalogue(root, catalogue);
    if (!error.isEmpty())
        return fail(error);
    mcl::FrameProgressLine progress = mcl::FrameProgressLine::standard_error();
    ScriptedUi ui;
    print_messages(ui, progress);
    Album album;
    AppState app_state;
    if (const int signal = requested_stop_signal())
        return report_stopped(signal);
    AlbumEffects effects(album, catalogue);
    error = add_photos_with_templates(root, catalogue, *files, *album_arguments, album_arguments->random(), ui, album,
                                      app_state, effects);
    if (!error.isEmpty())
        return fail(error);
    MusicList music;
    if (music.add_songs(options->music, ffmpeg_song_length(), ui) != options->music.size())
        return fail(QStringLiteral("a song cannot be read"));
    const QString refusal = format_command_refusal(app_state, album, music.size(), settings.sync_mode);
    if (!refusal.isEmpty())
        return fail(refusal);
    if (const int signal = requested_stop_signal())
        return report_stopped(signal);
    if (music.size() == 0)
        std::fprintf(stderr, "velmora-make: no song given: the album will be silent\n");

    ProductionCallbacks callbacks;
    callbacks.main_progress = [&](int value, int maximum) { progress.show(value, maximum); };
    const ThumbnailService thumbnails;
    LyricList lyrics;
    lyrics.add_lyrics(options->lyrics, ui);
    TimedLyricTable lyric_table;
    ScriptConversion scripts;
    AlbumLyrics album_lyrics(lyrics, lyric_table, scripts);
    EffectLayer effect_layer(root, effects.picture, effects.text.table());
    LayerStack layers({&effect_layer, &album_lyrics});
    const ProductionInput input{root, album, catalogue, music, settings, thumbnails, output, app_state.kuozhanming_1};
    ProductionRun run(input, app_state, ui, callbacks, layers);
    // A stop signal is taken up where the run lets events run, as the stop command would be.
    ui.on_pump = [&run] {
        if (requested_stop_signal())
            run.stop();
    };
    const ProductionOutcome outcome = run.run();
    ui.on_pump = {};
    progress.end();
    // A signal after the last frame came too late to stop: the album is finished then.
    if (outcome == ProductionOutcome::Stopped && requested_stop_signal())
        return report_stopped(requested_stop_signal());
    if (outcome != ProductionOutcome::Complete)
        return 1;   // the reason was printed as a message
    std::printf("%s\n", QDir::toNativeSeparators(output).toUtf8().constData());
    if (!options->dvd_folder.isEmpty()) {
        const DvdFolderResult dvd = write_dvd_folder(output, options->dvd_folder, options->standard);
        for (const QString& warning : dvd.warnings)
            std::fprintf(stderr, "velmora-make: dvdauthor: %s\n", warning.toUtf8().constData());
        if (!dvd.error.isEmpty())
            return fail(QStringLiteral("the album %1 was made, but its DVD folder was not: %2").arg(output, dvd.error));
        std::printf("%s\n", QDir::toNativeSeparators(options->dvd_folder).toUtf8().constData());
    }
    return 0;
}

} // namespace velmora::batch
