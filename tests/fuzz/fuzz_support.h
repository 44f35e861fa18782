#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

// Shared pieces of the libFuzzer targets. A target never writes into the repository or a data
// folder: files it needs live in one temporary folder of its own process.
namespace velmora::fuzz {

// The input as a byte array without a copy, so that reading past its end is seen by ASan.
QByteArray bytes_of(const uint8_t* data, size_t size);

// Whether this input also goes the slower way through a file. About one input in eight does,
// chosen by its size so the choice is the same each time an input is replayed.
bool through_file(size_t size);

// A path `name` in this process's temporary folder (made on first use, removed at exit).
QString scratch_path(const QString& name);
// Writes `content` to `path` whole; aborts when it cannot, since the run would prove nothing.
void write_scratch(const QString& path, const QByteArray& content);

// A QCoreApplication for the run: Qt's image plugins are found through it.
void ensure_application();

// Keeps glibc's GBK and GB18030 converters loaded for the whole run. The GBK text functions
// open a converter per call; once the last one closes, glibc unloads the module, and loading
// it again on every call would take most of a run's time.
void keep_gbk_converters_loaded();

// Aborts with `what` when `condition` does not hold: a broken contract is a finding.
void require(bool condition, const char* what);

} // namespace velmora::fuzz
