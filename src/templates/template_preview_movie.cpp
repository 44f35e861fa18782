#include "templates/template_preview_movie.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/data_error.h"
#include "core/file_utils.h"
#include "core/packed_kind.h"

namespace velmora {
namespace {

// A folder that still does not exist after this many checks cannot be made (no rights, a file
// in the way); the preview then fails with an error instead of waiting for ever.
constexpr int kFolderChecks = 50;

// Removes `folder` and creates it again; returns the number of existence checks it took.
int recreate_counting_checks(const QString& folder) {
    delete_tree(folder);
    for (int checks = 1; checks <= kFolderChecks; ++checks) {
        if (QFileInfo(folder).isDir())
            return checks;
        QDir().mkpath(folder);
    }
    throw DataError(QStringLiteral("cannot create the preview folder %1").arg(folder));
}

PreviewIntermediateName intermediates(const QString& prefix, const QString& extension) {
    return [prefix, extension](int checks, int round) {
        return prefix + QString::number(checks) + QLatin1Char('-') + QString::number(round) + time_of_day_stamp() +
               extension;
    };
}

} // namespace

QString preview_movie_folder(const DataRoot& root) {
    return root.preview_workspace() + QStringLiteral("/wj_y_l/wj_y_l/wj_y_l/wj_y_l");
}

QString preview_picture_folder(const DataRoot& root) {
    return root.preview_workspace() + QStringLiteral("/wj_y_l/wj_y_l/pic");
}

PreviewIntermediateName catalogue_preview_intermediates(const QString& extension) {
    return intermediates(QStringLiteral("wj_y_l_d_g_1"), extension);
}

PreviewIntermediateName used_preview_intermediates(const QString& extension) {
    return intermediates(QStringLiteral("wj_y_l_d_g_1_wj_y_l_d_g_1"), extension);
}

PreviewMovie extract_preview_movie(const DataRoot& root, const QString& packed_movie,
                                   const PreviewIntermediateName& names, const QString& extension) {
    const QString movie_folder = preview_movie_folder(root);
    recreate_counting_checks(movie_folder);
    const int checks = recreate_counting_checks(preview_picture_folder(root));
    const QDir work(root.work_dir());
    QDir().mkpath(work.path());
    const PreviewMovie movie{movie_folder + QStringLiteral("/wj_y_l_d_g_2") + extension,
                             movie_folder + QStringLiteral("/wj_y_l_d_g_2_2") + extension};
    unpack_nested(packed_movie, packed_kind::kTemplateMovie,
                  [&](int round) { return work.filePath(names(checks, round)); }, movie.movie);
    // Both copies are played: the player loads the copy first, then the movie itself.
    if (!QFile::copy(movie.movie, movie.copy))
        throw DataError(QStringLiteral("cannot write %1").arg(movie.copy));
    return movie;
}

} // namespace velmora
