#pragma once

#include <stdexcept>
#include <QString>

namespace velmora {

// Shipped data failed a check that the program cannot run without. The program ends; the
// reason is printed as one line on standard error.
class StartupAbort : public std::runtime_error {
public:
    explicit StartupAbort(const QString& reason) : std::runtime_error(reason.toStdString()) {}
    QString reason() const { return QString::fromStdString(what()); }
};

} // namespace velmora
