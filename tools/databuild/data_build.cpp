#include "data_build.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>
#include <QDir>

#include "combination_file.h"
#include "core/data_root.h"
#include "data_folder_writer.h"
#include "default_background.h"
#include "designed_movie.h"
#include "gbk_text.h"
#include "movie_markers.h"
#include "packed_size_fit.h"
#include "template_movie.h"
#include "template_params.h"

namespace velmora::databuild {
namespace {

namespace fs = std::filesystem;

constexpr int kClosingFrames = 150;

json read_json(const fs::path& path) {
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot open " + path.string());
    try {
        return json::parse(in);
    } catch (const std::exception& e) {
        throw std::runtime_error(path.string() + ": " + e.what());
    }
}

// The .json files of a folder in name order, so that every build lists them alike.
std::vector<fs::path> sources_in(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file() && entry.path().extension() == ".json")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    if (files.empty())
        throw std::runtime_error("no sources in " + folder.string());
    return files;
}

QByteArray bytes_of(const std::string& text) {
    return QByteArray(text.data(), qsizetype(text.size()));
}

QByteArray movie_bytes(const json& movie) {
    return bytes_of(movie.dump());
}

QString qpath(const std::string& s) {
    return QString::fromStdString(s);
}

std::vector<TemplateSource> read_templates(const fs::path& folder) {
    std::vector<TemplateSource> templates;
    for (const fs::path& file : sources_in(folder))
        templates.push_back(read_template_source(file.string()));
    return templates;
}

void write_templates(const DataFolderWriter& out, const DataRoot& root, const std::vector<TemplateSource>& templates,
                     const TitleFonts& fonts) {
    for (const TemplateSource& t : templates) {
        const QString file = qpath(t.file_stem) + QStringLiteral(".rar");
        out.write_packed(root.template_params_folder() + "/" + file, bytes_of(utf8_to_gbk(template_parameter_text(t))),
                         rounds::kTemplateParams);
        out.write_packed(root.template_movies_folder() + "/" + file, movie_bytes(template_movie(t, fonts)),
                         rounds::kTemplateMovie);
    }
}

MovieFrame movie_frame(const char* marker, bool background, bool previous_frame) {
    MovieFrame frame;
    frame.marker = marker;
    frame.background = background;
    frame.previous_frame = previous_frame;
    return frame;
}

json feature_movie(const fs::path& source, MovieFrame frame, const TitleFonts& fonts) {
    const json design = read_json(source);
    frame.name = source.stem().string();
    frame.frames = design.at("frames").get<int>();
    try {
        return designed_movie(frame, design, fonts);
    } catch (const std::exception& e) {
        throw std::runtime_error(source.string() + ": " + e.what());
    }
}

void write_startup_movie(const DataFolderWriter& out, const DataRoot& root, const fs::path& source,
                         const TitleFonts& fonts) {
    const json movie = feature_movie(source, movie_frame(kStartupMarker, false, false), fonts);
    out.write(root.startup_movie(), pack_to_exact_size(movie_bytes(movie), rounds::kStartupMovie, kStartupMovieSize));
}

void write_closing_movie(const DataFolderWriter& out, const DataRoot& root, const fs::path& source,
                         const TitleFonts& fonts) {
    const json movie = feature_movie(source, movie_frame(kTemplateMarker, false, true), fonts);
    if (movie.at("op").get<int>() != kClosingFrames)
        throw std::runtime_error(source.string() + ": the closing movie lasts exactly 150 frames");
    out.write_packed(root.closing_movie(), movie_bytes(movie), rounds::kClosingMovie);
}

void write_background_demo(const DataFolderWriter& out, const DataRoot& root, const fs::path& source,
                           const TitleFonts& fonts) {
    const json movie = feature_movie(source, movie_frame(kTemplateMarker, true, false), fonts);
    out.write_packed(root.background_demo_movie(), movie_bytes(movie), rounds::kBackgroundDemoMovie);
}

void write_combinations(const DataFolderWriter& out, const DataRoot& root, const fs::path& folder,
                        const std::vector<TemplateSource>& templates) {
    int n = 0;
    for (const fs::path& file : sources_in(folder)) {
        try {
            const std::string text = combination_text(read_json(file), templates);
            out.write_packed(root.combination(++n), bytes_of(utf8_to_gbk(text)), rounds::kCombination);
        } catch (const std::exception& e) {
            throw std::runtime_error(file.string() + ": " + e.what());
        }
    }
}

} // namespace

void build_data_folder(const BuildPaths& paths) {
    const fs::path source(paths.source_dir);
    const TitleFonts fonts(paths.font_folder);
    const std::vector<TemplateSource> templates = read_templates(source / "templates");

    const QString staging = prepare_staging_folder(qpath(paths.output_root));
    try {
        const DataRoot root(staging);
        const DataFolderWriter out(staging);
        write_templates(out, root, templates, fonts);
        write_startup_movie(out, root, source / "movies" / "startup.json", fonts);
        write_closing_movie(out, root, source / "movies" / "closing.json", fonts);
        write_background_demo(out, root, source / "movies" / "background_demo.json", fonts);
        out.write_packed(root.default_background(),
                         default_background_jpeg(read_json(source / "pictures" / "default_background.json")),
                         rounds::kDefaultBackground);
        write_combinations(out, root, source / "combinations", templates);
    } catch (...) {
        QDir(staging).removeRecursively();
        throw;
    }
    swap_in(staging, qpath(paths.output_root));
}

} // namespace velmora::databuild
