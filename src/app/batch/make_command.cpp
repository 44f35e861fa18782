// velmora-make make: builds an album as the desktop program would and writes its video file.
#include <chrono>
#include <cstdio>
#include <map>
#include <QDir>
#include <QFileInfo>

#include "core/cleanup.h"
#include "app/batch/album_builder.h"
#include "app/batch/commands.h"
#include "core/data_error.h"
#include "core/startup_abort.h"
#include "production/album_lyrics.h"
#include "production/album_type_choice.h"
#include "production/format_command.h"
#include "production/production_run.h"
#include "production/time_text.h"

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
    return error.isEmpty() ? std::optional<MakeOptions>(o) : std::nullopt;
}

// The settings the album-type window would leave for these options.
OutputSettings output_settings(const MakeOptions& o) {
    OutputSettings s;
    prepare_album_type_choice(s, o.type);
    if (!o.size.isEmpty()) {
        s.chicun_width = o.size.width();
        s.chicun_height = o.size.height();
        s.shuchu_chicun = OutputSize{s.chicun_width, s.chicun_height}.text();
    }
    s.huamianzhiliang_xuanzhong = o.quality;
    s.tv_standard = o.standard;
    s.sync_mode = o.sync;
    s.xiangce_mingcheng = o.name;
    s.xiangce_baocun_weizhi = QDir(o.out).absolutePath() + QLatin1Char('/');
    s.quxiao = AlbumTypeAnswer::Start;
    return s;
}

// "[#####.....] 120/1500 frames  48.0 fps  00:00:28 left" on one rewritten line.
class TerminalProgress {
public:
    void show(int value, int maximum) {
        using Clock = std::chrono::steady_clock;
        const auto now = Clock::now();
        if (value == 0 || maximum <= 0)
            start_ = now;
        if (value < maximum && now - last_ < std::chrono::milliseconds(200))
            return;
        last_ = now;
        const double seconds = std::chrono::duration<double>(now - start_).count();
        const double fps = seconds > 0 ? value / seconds : 0;
        const double left = fps > 0 ? (maximum - value) / fps : 0;
        constexpr int kWidth = 30;
        const int filled = maximum > 0 ? int(qint64(value) * kWidth / maximum) : 0;
        std::fprintf(stderr, "\r[%s%s] %d/%d frames  %.1f fps  %s left", std::string(std::size_t(filled), '#').c_str(),
                     std::string(std::size_t(kWidth - filled), '.').c_str(), value, maximum, fps,
                     mcl::make_time_str(left).toUtf8().constData());
        shown_ = true;
    }
    void end() {
        if (shown_)
            std::fprintf(stderr, "\n");
        shown_ = false;
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point last_{};
    bool shown_ = false;
};

} // namespace

int run_make(QStringList arguments, const QString& program_folder) {
    QString error;
    const auto album_arguments = take_album_arguments(arguments, error);
    if (!album_arguments)
        return fail(error);
    const int combination = album_arguments->combination;
    auto options = parse_make_options(arguments, error);
    if (!options)
        return fail(error);
    options->lyrics = album_arguments->lyric_files;
    const QString name_refusal = album_name_refusal(options->name);
    if (!name_refusal.isEmpty())
        return fail(name_refusal);
    const OutputSettings settings = output_settings(*options);
    const QString output = settings.output_path();
    if (QFileInfo::exists(output) && !options->overwrite)
        return fail(QStringLiteral("%1 already exists; pass --overwrite to replace it").arg(output));
    auto files = photo_files(options->photos, error);
    if (!files)
        return fail(error);

    const DataRoot root = options->data_root.isEmpty() ? DataRoot::beside(program_folder) : DataRoot(options->data_root);
    TemplateCatalogue catalogue;
    error = load_catalogue(root, catalogue);
    if (!error.isEmpty())
        return fail(error);
    ScriptedUi ui;
    print_messages(ui);
    Album album;
    AppState app_state;
    error = add_photos_with_templates(root, catalogue, *files, combination, ui, album, app_state);
    if (!error.isEmpty())
        return fail(error);
    MusicList music;
    if (music.add_songs(options->music, ffmpeg_song_length(), ui) != options->music.size())
        return fail(QStringLiteral("a song cannot be read"));
    const QString refusal = format_command_refusal(app_state, album, music.size(), settings.sync_mode);
    if (!refusal.isEmpty())
        return fail(refusal);
    if (music.size() == 0) std::fprintf(stderr, "velmora-make: no song given: the album will be silent\n");

    TerminalProgress progress;
    ProductionCallbacks callbacks;
    callbacks.main_progress = [&](int value, int maximum) { progress.show(value, maximum); };
    const ThumbnailService thumbnails;
    LyricList lyrics;
    lyrics.add_lyrics(options->lyrics, ui);
    TimedLyricTable lyric_table;
    ScriptConversion scripts;
    AlbumLyrics layers(lyrics, lyric_table, scripts);
    const ProductionInput input{root, album, catalogue, music, settings, thumbnails, output, app_state.kuozhanming_1};
    ProductionRun run(input, app_state, ui, callbacks, layers);
    const ProductionOutcome outcome = run.run();
    progress.end();
    // Like the desktop program's exit: the run's unpacked material and workspace go.
    exit_cleanup(root);
    if (outcome != ProductionOutcome::Complete)
        return 1;   // the reason was printed as a message
    std::printf("%s\n", QDir::toNativeSeparators(output).toUtf8().constData());
    return 0;
}

} // namespace velmora::batch
