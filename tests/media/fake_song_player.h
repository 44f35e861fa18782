#pragma once

#include <map>
#include <QStringList>

#include "core/data_error.h"
#include "media/song_player.h"

namespace velmora::test {

// A song player whose clock the test sets. Songs it knows have a length; any other file is
// refused on open. Every call is recorded.
class FakeSongPlayer : public SongPlayer {
public:
    std::map<QString, qint64> lengths;  // by path
    qint64 position = 0;                // set by the test while playing
    QStringList calls;                  // "set <path>", "open", "play", "stop", "close"

    void set_file(const QString& path) override {
        calls << QStringLiteral("set ") + path;
        file_ = path;
        open_ = false;
        playing_ = false;
    }
    QString file() const override { return file_; }
    void open() override {
        calls << QStringLiteral("open");
        if (!lengths.count(file_))
            throw DataError(QStringLiteral("Cannot play song %1: not audio").arg(file_));
        open_ = true;
        playing_ = false;
        position = 0;
    }
    void play() override {
        calls << QStringLiteral("play");
        playing_ = open_;
    }
    void stop() override {
        calls << QStringLiteral("stop");
        playing_ = false;
    }
    void close() override {
        calls << QStringLiteral("close");
        file_.clear();
        open_ = playing_ = false;
    }
    qint64 length_ms() const override { return open_ ? lengths.at(file_) : 0; }
    qint64 position_ms() const override { return open_ ? std::min(position, length_ms()) : 0; }
    PlayerMode mode() const override {
        return playing_ && position < length_ms() ? PlayerMode::Playing : PlayerMode::Stopped;
    }

private:
    QString file_;
    bool open_ = false;
    bool playing_ = false;
};

} // namespace velmora::test
