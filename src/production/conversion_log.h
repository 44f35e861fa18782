#pragma once

#include <QStringList>
#include <functional>

namespace velmora {

// The making window's conversion log: text lines, at most 32000 of them, oldest dropped first.
// Owned by its window; used on that window's thread only.
class ConversionLog {
public:
    static constexpr int kMaxLines = 32000;

    // `on_append` (optional) runs after every append, with the new line; the window scrolls to
    // it and lets pending interface events run there.
    explicit ConversionLog(std::function<void(const QString&)> on_append = {});

    void append(const QString& line);
    void clear() { lines_.clear(); }
    const QStringList& lines() const { return lines_; }

private:
    QStringList lines_;
    std::function<void(const QString&)> on_append_;
};

} // namespace velmora
