#pragma once

#include <QString>
#include <stdexcept>

namespace velmora::mcl {

// A conversion that cannot go on. The message says what failed, names the file involved and
// keeps FFmpeg's own text where FFmpeg refused; the output is unfinished.
class EncodeError : public std::runtime_error {
public:
    explicit EncodeError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

// Throws EncodeError("`what`: <FFmpeg's text>") when `rc` is an FFmpeg error (negative).
void check_av(int rc, const QString& what);

} // namespace velmora::mcl
