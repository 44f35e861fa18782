#include "preview/sample_play_folder.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include "core/jpeg_writer.h"
#include "core/packed_file.h"
#include "core/packed_kind.h"
#include "preview/sample_photo.h"
#include "templates/bar_list.h"

namespace velmora {
namespace {

// A derived picture's name contains the name of the slot it is made from ("A" in "A_1_2").
int photo_seed(const QStringList& names, qsizetype k) {
    for (qsizetype s = 0; s < names.size(); ++s)
        if (s != k && names[k].contains(names[s]) && names[s].count(QLatin1Char('_')) == 1)
            return int(s);
    return int(k);
}

void write_slot_pictures(const TemplateParams& params, const QString& folder, QSize render) {
    const QStringList names = split_bar_list(params.xpjpgmc);
    const QStringList widths = split_bar_list(params.xpkd);
    const QStringList heights = split_bar_list(params.xpgd);
    for (qsizetype k = 0; k < names.size(); ++k) {
        const QSize size(render.width() * widths.value(k).toInt() / 1920,
                         render.height() * heights.value(k).toInt() / 1080);
        save_jpeg(paint_sample_photo(size.expandedTo(QSize(8, 8)), photo_seed(names, k)),
                  folder + QLatin1Char('/') + names[k] + QStringLiteral(".jpg"));
    }
}

void write_background(const DataRoot& root, const QString& folder, QSize render) {
    const QString unpacked = folder + QStringLiteral("/background.rar.jpg");
    unpack_nested_in_memory(root.default_background(), packed_kind::kDefaultBackground, unpacked);
    save_jpeg(QImage(unpacked).scaled(render, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
              folder + QStringLiteral("/wj_y_l_b_j.jpg"));
    QFile::remove(unpacked);
}

} // namespace

QString prepare_sample_play_folder(const DataRoot& root, const TemplateParams& params, const QString& workspace,
                                   QSize render) {
    const QString folder = workspace + QStringLiteral("/wj_y_l/wj_y_l/wj_y_l/wj_y_l/wj_y_l_1");
    const QString pic = workspace + QStringLiteral("/wj_y_l/wj_y_l/wj_y_l/pic");
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    QDir().mkpath(pic);
    const QString movie = folder + QStringLiteral("/wj_y_l_1.rar");
    unpack_nested_in_memory(params.weizhi, packed_kind::kTemplateMovie, movie);
    write_background(root, folder, render);
    save_jpeg(paint_sample_photo(render, 7), pic + QStringLiteral("/picture_0.jpg"));
    write_slot_pictures(params, folder, render);
    return movie;
}

} // namespace velmora
