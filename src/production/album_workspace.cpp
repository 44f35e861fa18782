#include "production/album_workspace.h"

#include "core/data_error.h"
#include "core/file_utils.h"
#include "core/jpeg_writer.h"
#include "core/packed_kind.h"
#include "core/native_path.h"
#include "core/packed_file.h"
#include "templates/slot_pictures.h"
#include "templates/visible_part.h"

#include <climits>
#include <QDir>
#include <QFile>
#include <QPainter>

namespace velmora {
namespace {

constexpr int kFolderAttempts = 20;

bool stopped(const WorkspaceCallbacks& callbacks) {
    return callbacks.stop_requested && callbacks.stop_requested();
}

void step(const WorkspaceCallbacks& callbacks) {
    if (callbacks.step)
        callbacks.step();
}

// A folder that a virus scanner or a file browser holds open may refuse creation for a moment,
// so creation is retried; a folder that still cannot be made fails the preparation instead of
// waiting for ever.
void make_folder(const QString& path, const WorkspaceCallbacks& callbacks) {
    for (int attempt = 0; attempt < kFolderAttempts; ++attempt) {
        if (QDir().mkpath(path))
            return;
        if (stopped(callbacks))
            return;
    }
    throw DataError(QStringLiteral("The folder %1 cannot be created").arg(path));
}

void fresh_folder(const QString& path, const WorkspaceCallbacks& callbacks) {
    delete_tree(path);
    make_folder(path, callbacks);
}

void copy_file(const QString& from, const QString& to) {
    QFile::remove(to);
    if (!QFile::copy(from, to))
        throw DataError(QStringLiteral("The file %1 cannot be copied to %2").arg(from, to));
}

const TemplateParams* params_of(const Album& album, const TemplateCatalogue& catalogue, int used_row) {
    if (used_row < 0 || used_row >= int(album.used_templates.size()))
        return nullptr;
    const int xuhao = album.used_templates[std::size_t(used_row)].catalogue_number;
    if (xuhao < 0 || xuhao >= int(catalogue.mobancanshu.size()))
        return nullptr;
    return &catalogue.mobancanshu[std::size_t(xuhao)];
}

// Intermediate rounds are kept in memory: nothing reads them, and twenty rounds written to disk
// per template only cost time.
void unpack_movie(const Album& album, const TemplateCatalogue& catalogue, const WorkspaceTemplate& t,
                  const WorkspacePaths& paths) {
    const TemplateParams* params = params_of(album, catalogue, t.used_row);
    if (!params)
        throw DataError(QStringLiteral("Used template %1 has no installed template").arg(t.used_row + 1));
    unpack_nested_in_memory(params->weizhi, packed_kind::kTemplateMovie, paths.template_movie(t.folder_number));
}

void unpack_closing_movie(const DataRoot& root, const WorkspacePaths& paths) {
    unpack_nested_in_memory(root.closing_movie(), packed_kind::kClosingMovie, paths.closing_movie());
    copy_file(paths.closing_movie(), paths.closing_copy());
}

void write_background(const Album& album, const WorkspaceTemplate& t, const WorkspacePaths& paths, QSize size,
                      const ThumbnailService& thumbnails) {
    if (t.used_row < 0 || t.used_row >= int(album.backgrounds.size()))
        return;
    save_jpeg(background_picture(album.backgrounds[std::size_t(t.used_row)], size, thumbnails),
              paths.background(t.folder_number));
}

bool write_slot_pictures(const Album& album, const TemplateCatalogue& catalogue, const WorkspaceTemplate& t,
                         const WorkspacePaths& paths, QSize size, const ThumbnailService& thumbnails,
                         const WorkspaceCallbacks& callbacks) {
    const SlotPicturesResult result =
        compose_slot_pictures(album, catalogue, t.used_row, size, CropMark::FullScreen,
                              paths.template_folder(t.folder_number), thumbnails,
                              [&] { return stopped(callbacks); });
    return !result.stopped;
}

} // namespace

QImage background_picture(const BackgroundRow& row, QSize size, const ThumbnailService& thumbnails) {
    QImage panel(size, QImage::Format_RGB32);
    if (row.picture_name.isEmpty()) {
        panel.fill(Qt::black);
        return panel;
    }
    panel.fill(Qt::white);
    const qint64 w0 = row.width > 0 ? row.width : size.width();
    const qint64 h0 = row.height > 0 ? row.height : size.height();
    QSize box(int(std::min<qint64>(w0 * size.height() / h0, INT_MAX)), size.height());
    if (box.width() < size.width())
        box = QSize(size.width(), int(std::min<qint64>(h0 * size.width() / w0, INT_MAX)));
    // Only what shows is rendered: a long photo covering the panel may be millions of pixels long.
    const QRect placed(size.width() / 2 - box.width() / 2, 0, box.width(), box.height());
    const std::optional<VisiblePart> shown = visible_part(placed, panel.rect());
    if (!shown)
        return panel;
    const Thumbnail picture = thumbnails.render_part(row.location, shown->of_picture, shown->on_frame.size());
    if (picture.failed)
        throw DataError(QStringLiteral("The background picture %1 cannot be read").arg(shown_path(row.location)));
    QPainter painter(&panel);
    painter.drawImage(shown->on_frame.topLeft(), picture.image);
    return panel;
}

WorkspaceOutcome prepare_album_workspace(const DataRoot& root, const WorkspacePaths& paths, const Album& album,
                                         const TemplateCatalogue& catalogue,
                                         const std::vector<WorkspaceTemplate>& templates, QSize picture_size,
                                         const ThumbnailService& thumbnails, const WorkspaceCallbacks& callbacks) {
    fresh_folder(paths.templates_root(), callbacks);
    for (const WorkspaceTemplate& t : templates) {
        if (stopped(callbacks))
            return WorkspaceOutcome::Stopped;
        make_folder(paths.template_folder(t.folder_number), callbacks);
        step(callbacks);
    }
    make_folder(paths.closing_folder(), callbacks);
    fresh_folder(paths.snapshot_folder(), callbacks);
    for (const WorkspaceTemplate& t : templates) {
        if (stopped(callbacks))
            return WorkspaceOutcome::Stopped;
        unpack_movie(album, catalogue, t, paths);
        step(callbacks);
    }
    unpack_closing_movie(root, paths);
    for (const WorkspaceTemplate& t : templates) {
        if (stopped(callbacks))
            return WorkspaceOutcome::Stopped;
        write_background(album, t, paths, picture_size, thumbnails);
        if (!write_slot_pictures(album, catalogue, t, paths, picture_size, thumbnails, callbacks))
            return WorkspaceOutcome::Stopped;
        step(callbacks);
    }
    return stopped(callbacks) ? WorkspaceOutcome::Stopped : WorkspaceOutcome::Ready;
}

} // namespace velmora
