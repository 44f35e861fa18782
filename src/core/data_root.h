#pragma once

#include <QDir>
#include <QString>

namespace velmora {

// The data folder `smxcwjj` beside the executables and every place in it the program names.
// The root is passed in; only main() derives it from the executable's folder.
//
// Everything the program writes while it runs (the work folder, the album and preview
// workspace, unpacked pictures and movies) lies below the work root, laid out there as it would
// be in the data folder. The work root is the data folder itself unless another is given: the
// desktop program works in its data folder under its single-instance lock; each batch run works
// in a folder of its own, so runs side by side never meet and the data folder is only read.
class DataRoot {
public:
    explicit DataRoot(QString root) : root_(QDir::cleanPath(std::move(root))), work_root_(root_) {}
    // `work_root` empty: the data folder.
    DataRoot(QString root, const QString& work_root)
        : root_(QDir::cleanPath(std::move(root))), work_root_(work_root.isEmpty() ? root_ : QDir::cleanPath(work_root)) {}

    // The data folder beside a program folder.
    static DataRoot beside(const QString& program_folder) {
        return DataRoot(QDir(program_folder).filePath(QStringLiteral("smxcwjj")));
    }

    const QString& path() const { return root_; }
    // A place in the data folder, read only.
    QString at(const QString& relative) const { return root_ + QLatin1Char('/') + relative; }
    const QString& work_root() const { return work_root_; }
    // A place the program writes, below the work root.
    QString work_at(const QString& relative) const { return work_root_ + QLatin1Char('/') + relative; }
    // The program folder that holds the data folder.
    QString program_folder() const { return QDir::cleanPath(root_ + QStringLiteral("/..")); }

    // Template parameter files (20 rounds) and template movies (20 rounds), paired by position.
    QString template_params_folder() const { return at(QStringLiteral("wj_0_or_2/wjj_01")); }
    QString template_movies_folder() const { return at(QStringLiteral("wj_0_or_2/wjj_02")); }
    // Unpacked and intermediate files of the run.
    QString work_dir() const { return work_at(QStringLiteral("wj_0_or_2/wjj_00_j_y")); }

    QString startup_movie() const { return at(QStringLiteral("wj_0_or_2_2/wj_0_or_2_2_d.rar")); }   // 13 rounds
    QString closing_movie() const { return at(QStringLiteral("wj_0_or_3_3/wj_0_or_3_3_d.rar")); }   // 16 rounds
    QString background_demo_folder() const { return at(QStringLiteral("wj_0_or_5_5")); }
    QString background_demo_movie() const { return at(QStringLiteral("wj_0_or_5_5/wj_0_or_5_5_d.rar")); } // 6 rounds
    // Where the background window keeps its unpacked movie copies and its picture.
    QString background_demo_work_folder() const { return work_at(QStringLiteral("wj_0_or_5_5")); }
    QString default_background() const { return at(QStringLiteral("wj_0_or_6_6/wj_0_or_6_6.rar")); } // 3 rounds
    // The default background unpacked for the album's background rows.
    QString default_background_jpeg() const { return work_at(QStringLiteral("wj_0_or_6_6/wj_0_or_6_6.jpg")); }
    // Combination file n (from 1), 3 rounds.
    QString combination(int n) const {
        return at(QStringLiteral("wj_0_or_9_9/wj_0_or_9_9_%1.rar").arg(n));
    }
    QString picture_effects_folder() const {
        return at(QStringLiteral("wj_x_g_c_l_1/wj_x_g_c_l_1/wj_x_g_c_l_1/wj_x_g_c_l_0"));
    }
    QString text_effects_folder() const {
        return at(QStringLiteral("wj_x_g_c_l_2/wj_x_g_c_l_1/wj_x_g_c_l_1/wj_x_g_c_l_0"));
    }
    // Installed picture effect n (from 1): its folder holds wj_x_g_c_l_n.ini and the frames.
    QString picture_effect_folder(int n) const {
        return picture_effects_folder() + QStringLiteral("/wj_x_g_c_l_%1").arg(n);
    }
    // Text-effect category g (from 1), and text effect k (from 1) of it.
    QString text_effect_category_folder(int g) const {
        return text_effects_folder() + QStringLiteral("/wj_x_g_c_l_%1").arg(g);
    }
    QString text_effect_folder(int g, int k) const {
        return text_effect_category_folder(g) + QStringLiteral("/wj_x_g_c_l_%1").arg(k);
    }
    // Preview and album workspace, created while the program runs.
    QString preview_workspace() const { return work_at(QStringLiteral("wj_y_l")); }
    // Folder removed at start-up when present; the program never creates it.
    QString stray_folder() const { return QDir(program_folder()).filePath(QStringLiteral("wj_to_wj")); }

private:
    QString root_;
    QString work_root_;
};

// Unpack rounds per kind of shipped file.
namespace rounds {
constexpr int kTemplateParams = 20;
constexpr int kTemplateMovie = 20;
constexpr int kStartupMovie = 13;
constexpr int kClosingMovie = 16;
constexpr int kBackgroundDemoMovie = 6;
constexpr int kDefaultBackground = 3;
constexpr int kCombination = 3;
} // namespace rounds

// The start-up movie's packed file must be exactly this long.
constexpr qint64 kStartupMovieSize = 30559;

} // namespace velmora
