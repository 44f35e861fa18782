// velmora-make: makes albums and reports on the data without the desktop program.
#include <cstdio>
#include <QGuiApplication>

#include "app/batch/commands.h"
#include "core/native_path.h"
#include "media/ffmpeg_logging.h"

namespace {

void print_usage() {
    std::fprintf(stderr,
                 "usage: velmora-make COMMAND [--data-root DIR] [--json]\n"
                 "commands:\n"
                 "  catalogue   load the installed templates and list them\n"
                 "  plan [--combination N] [--lyrics FILE]... PHOTO_OR_FOLDER...\n"
                 "              add photos, assign templates and print the album's lists as JSON\n"
                 "  make [--music FILE]... [--lyrics FILE]... [--type VCD|SVCD|DVD|MOV|AVI|MP4|WMV]\n"
                 "       [--size WxH] [--quality biaoqing|gaoqing] [--standard PAL|NTSC] [--sync template|music]\n"
                 "       [--combination N] [--name NAME] [--overwrite] --out FOLDER PHOTO_OR_FOLDER...\n"
                 "              make the album's video file and print its path; lyric file k\n"
                 "              belongs to song k\n"
                 "  lyrics FILE print the timed-lyric table of a lyric file as JSON\n");
}

} // namespace

int main(int argc, char** argv) {
    // The batch tool never opens a window; rendering still needs a platform for fonts.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    velmora::quiet_ffmpeg_logging();
    // By their bytes: Qt would turn a file name that is not UTF-8 into one that names nothing.
    QStringList arguments = velmora::native_arguments(argc, argv);
    if (arguments.isEmpty()) {
        print_usage();
        return 2;
    }
    const QString command = arguments.takeFirst();
    const QString program_folder = QCoreApplication::applicationDirPath();
    if (command == QLatin1String("plan"))
        return velmora::batch::run_plan(arguments, program_folder);
    if (command == QLatin1String("make"))
        return velmora::batch::run_make(arguments, program_folder);
    QString error;
    const auto options = velmora::batch::parse_batch_options(arguments, error);
    if (!options) {
        std::fprintf(stderr, "velmora-make: %s\n", error.toUtf8().constData());
        return 2;
    }
    if (command == QLatin1String("catalogue"))
        return velmora::batch::run_catalogue(*options, program_folder);
    if (command == QLatin1String("lyrics"))
        return velmora::batch::run_lyrics(*options);
    std::fprintf(stderr, "velmora-make: unknown command %s\n", command.toUtf8().constData());
    print_usage();
    return 2;
}
