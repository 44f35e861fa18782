#pragma once

#include <filesystem>
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

namespace velmora {

// File names as the system gives them. Linux names are bytes, usually UTF-8 but not always (a
// name copied from an old camera card may hold a Latin-1 "é" as the single byte E9). Qt decodes
// names as UTF-8 only: a byte that is not UTF-8 becomes U+FFFD, which names no file, and its
// folder listings leave such files out. These functions keep such a byte in a QString as the
// lone surrogate U+DC00 + byte, so that the path goes back to exactly the bytes it came from.
// Valid UTF-8 names are plain QStrings and pass through unchanged.

// The path of native bytes `name`.
QString path_from_native(const QByteArray& name);
// The native bytes of `path`: the inverse of path_from_native().
QByteArray native_path(const QString& path);
// `path` for std::filesystem, with its native bytes.
std::filesystem::path native_fs_path(const QString& path);
// `path` fit to show a person: each byte that is not UTF-8 is written as \xHH.
QString shown_path(const QString& path);

// Opens `file` on `path` for reading by its native bytes. False when it cannot be opened.
bool open_for_reading(QFile& file, const QString& path);
// Whether `path` names a regular file, or a folder (following symbolic links).
bool is_native_file(const QString& path);
bool is_native_folder(const QString& path);
// The names of the regular files in `folder` (hidden ones left out), sorted as QDir::Name
// sorts them. Empty when the folder cannot be read.
QStringList native_file_names(const QString& folder);

// The program's arguments after the program name, by their native bytes.
QStringList native_arguments(int argc, char** argv);

} // namespace velmora
