// velmora-make: makes albums and reports on the data without the desktop program.
#include <cstdio>
#include <exception>
#include <QGuiApplication>

#include "app/batch/album_builder.h"
#include "app/batch/commands.h"
#include "app/batch/stop_signals.h"
#include "app/batch/work_root.h"
#include "core/native_path.h"
#include "media/ffmpeg_logging.h"

namespace {

void print_usage() {
    std::fprintf(stderr,
                 "usage: velmora-make COMMAND [--data-root DIR] [--work-dir DIR] [--json]\n"
                 "commands:\n"
                 "  catalogue   load the installed templates and list them\n"
                 "  effects     list the installed picture and text effects\n"
                 "  plan [--combination N] [--lyrics FILE]... [EFFECT OPTIONS] PHOTO_OR_FOLDER...\n"
                 "              add photos, assign templates and print the album's lists as JSON\n"
                 "  make [--music FILE]... [--lyrics FILE]... [--type VCD|SVCD|DVD|MOV|AVI|MP4|WMV]\n"
                 "       [--size WxH] [--quality biaoqing|gaoqing] [--standard PAL|NTSC] [--sync template|music]\n"
                 "       [--combination N] [--name NAME] [--overwrite] [EFFECT OPTIONS] --out FOLDER PHOTO_OR_FOLDER...\n"
                 "              make the album's video file and print its path; lyric file k\n"
                 "              belongs to song k; the disc sizes 720x576 (PAL) and 720x480 (NTSC)\n"
                 "              make a DVD for disc players, 352x288 and 352x240 a VCD, and\n"
                 "              --dvd-folder DIR also writes a DVD-Video folder (needs dvdauthor)\n"
                 "  lyrics FILE print the timed-lyric table of a lyric file as JSON\n"
                 "effect options: --text-effects auto|none (auto) places captions into the templates;\n"
                 "  --picture-effects CATEGORY|none (none) lays picture-effect combinations of a category\n"
                 "  (婚纱特效组合, 卡通特效组合, 花草特效组合, 粒子特效组合, 滤镜特效组合); --seed N fixes\n"
                 "  every random choice (backgrounds, combinations, effect picks), so runs repeat\n"
                 "The data folder is only read. Each run works in a fresh folder below the system's\n"
                 "temporary folder, removed when it ends; --work-dir DIR works in DIR instead and\n"
                 "removes only what the run made there. Ctrl-C stops a run and removes its files.\n");
}

int run_command(const QString& command, QStringList arguments, const QString& program_folder,
                const velmora::batch::WorkRoot& work) {
    if (command == QLatin1String("plan"))
        return velmora::batch::run_plan(arguments, program_folder, work.path());
    if (command == QLatin1String("make"))
        return velmora::batch::run_make(arguments, program_folder, work.path());
    QString error;
    auto options = velmora::batch::parse_batch_options(arguments, error);
    if (!options) {
        std::fprintf(stderr, "velmora-make: %s\n", error.toUtf8().constData());
        return 2;
    }
    options->work_root = work.path();
    if (command == QLatin1String("catalogue"))
        return velmora::batch::run_catalogue(*options, program_folder);
    if (command == QLatin1String("effects"))
        return velmora::batch::run_effects(*options, program_folder);
    return velmora::batch::run_lyrics(*options);
}

} // namespace

int main(int argc, char** argv) {
    // The batch tool never opens a window; rendering still needs a platform for fonts.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    velmora::quiet_ffmpeg_logging();
    velmora::batch::install_stop_signals();
    // By their bytes: Qt would turn a file name that is not UTF-8 into one that names nothing.
    QStringList arguments = velmora::native_arguments(argc, argv);
    if (arguments.isEmpty()) {
        print_usage();
        return 2;
    }
    const QString command = arguments.takeFirst();
    if (!QStringList{"plan", "make", "catalogue", "effects", "lyrics"}.contains(command)) {
        std::fprintf(stderr, "velmora-make: unknown command %s\n", command.toUtf8().constData());
        print_usage();
        return 2;
    }
    QString error;
    const auto work_dir = velmora::batch::take_work_dir(arguments, error);
    if (!work_dir) {
        std::fprintf(stderr, "velmora-make: %s\n", error.toUtf8().constData());
        return 2;
    }
    // Removed when main returns, whatever the command's outcome.
    const velmora::batch::WorkRoot work(*work_dir);
    if (!work.ready())
        return velmora::batch::fail(work.error());
    try {
        return run_command(command, arguments, QCoreApplication::applicationDirPath(), work);
    } catch (const std::exception& e) {
        return velmora::batch::fail(QStringLiteral("unexpected error: %1").arg(QString::fromUtf8(e.what())));
    }
}
