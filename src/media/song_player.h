#pragma once

#include <QString>
#include <QtGlobal>

namespace velmora {

// What the song player is doing. A song that has played to its end reads as stopped.
enum class PlayerMode { Stopped, Playing };

// The operations the program relies on from its one song player. Opening a file starts it
// at its beginning; stop halts it where it is and play goes on from there.
class SongPlayer {
public:
    virtual ~SongPlayer() = default;

    // Names the file that the next open reads; nothing is read yet.
    virtual void set_file(const QString& path) = 0;
    // The file set, empty when none is.
    virtual QString file() const = 0;
    bool has_file() const { return !file().isEmpty(); }

    // Opens the set file, stopped at its start. Throws DataError naming the file when it
    // cannot be played; the player then holds no open song.
    virtual void open() = 0;
    virtual void play() = 0;
    virtual void stop() = 0;
    // Stops and lets go of the song; the file is cleared.
    virtual void close() = 0;

    // Length and position of the open song in milliseconds; 0 when none is open.
    virtual qint64 length_ms() const = 0;
    virtual qint64 position_ms() const = 0;
    virtual PlayerMode mode() const = 0;
};

} // namespace velmora
