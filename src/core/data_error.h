#pragma once

#include <stdexcept>
#include <QString>

namespace velmora {

// A data file that cannot be read or is damaged. The message names the file and what is
// wrong with it; the operation that raised it has not written its result.
class DataError : public std::runtime_error {
public:
    explicit DataError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

} // namespace velmora
