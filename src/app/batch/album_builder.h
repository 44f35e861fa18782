#pragma once

#include <optional>
#include <QStringList>

#include "core/app_state.h"
#include "core/data_root.h"
#include "core/scripted_ui.h"
#include "templates/album.h"
#include "templates/template_catalogue.h"

namespace velmora::batch {

// Writes "velmora-make: MESSAGE" to standard error; returns the failure exit code 1.
int fail(const QString& message);

// The photos named on the command line: files as given, folders as their JPEGs in name order.
// Nothing, with the reason in `error`, for a missing path or when no photo is found.
std::optional<QStringList> photo_files(const QStringList& arguments, QString& error);

// Takes "--combination N" out of `arguments`; 0 when absent, -1 when malformed.
int take_combination(QStringList& arguments);

// Takes every "--lyrics FILE" out of `arguments`, in order. Nothing, with the reason in
// `error`, when a value is missing or names no file.
std::optional<QStringList> take_lyric_files(QStringList& arguments, QString& error);

// Adds `files` to the album as "添加照片" does, assigning templates in rotation through the
// catalogue (`combination` 0) or by combination file `combination` (from 1), with the default
// settings. Returns the reason when the photos cannot be placed; empty on success.
QString add_photos_with_templates(const DataRoot& root, const TemplateCatalogue& catalogue, QStringList files,
                                  int combination, ScriptedUi& ui, Album& album, AppState& app_state);

// A ScriptedUi that prints every message to standard error, as the batch tool reports them.
void print_messages(ScriptedUi& ui);

} // namespace velmora::batch
