// velmora-databuild SOURCE_DIR OUTPUT_DATA_ROOT [FONT_FOLDER]
// Builds the shipped data folder from the sources in the repository's data/ folder.

#include <cstdio>
#include <exception>
#include <QGuiApplication>

#include "data_build.h"

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: velmora-databuild SOURCE_DIR OUTPUT_DATA_ROOT [FONT_FOLDER]\n");
        return 2;
    }
    // Glyph outlines need Qt's font machinery but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const velmora::databuild::BuildPaths paths{argv[1], argv[2],
                                               argc == 4 ? argv[3] : "/usr/share/fonts/opentype/noto"};
    try {
        velmora::databuild::build_data_folder(paths);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "velmora-databuild: %s\n", e.what());
        return 1;
    }
    return 0;
}
