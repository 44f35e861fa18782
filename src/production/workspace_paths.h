#pragma once

#include "core/data_root.h"

#include <QString>

namespace velmora {

// Where the album workspace keeps its files, below the work root's preview workspace. `extension` is the one
// unpacked movies get (AppState::kuozhanming_1, ".rar"); their content is plain movie data.
class WorkspacePaths {
public:
    explicit WorkspacePaths(const DataRoot& root, QString extension = QStringLiteral(".rar"))
        : base_(root.preview_workspace() + QStringLiteral("/wj_y_l/wj_y_l")), extension_(std::move(extension)) {}

    // Deleted and made anew by every preparation.
    QString templates_root() const { return base_ + QStringLiteral("/wj_y_l"); }
    // Template folder K (from 1) and what it holds.
    QString template_folder(int k) const { return templates_root() + QStringLiteral("/wj_y_l_%1").arg(k); }
    QString template_movie(int k) const { return template_folder(k) + QStringLiteral("/wj_y_l_%1").arg(k) + extension_; }
    QString background(int k) const { return template_folder(k) + QStringLiteral("/wj_y_l_b_j.jpg"); }
    QString closing_folder() const { return templates_root() + QStringLiteral("/wj_y_l_z_h"); }
    QString closing_movie() const { return closing_folder() + QStringLiteral("/wj_y_l_z_h") + extension_; }
    QString closing_copy() const { return closing_folder() + QStringLiteral("/wj_y_l_z_h_2") + extension_; }
    // The last frame of the template just finished, which the next template shows.
    QString snapshot_folder() const { return base_ + QStringLiteral("/pic"); }
    QString snapshot() const { return snapshot_folder() + QStringLiteral("/picture_0.jpg"); }
    // The picture the encoder reads for every output frame.
    QString frame_file() const { return base_ + QStringLiteral("/wj_y_l.bmp"); }

private:
    QString base_;
    QString extension_;
};

} // namespace velmora
