#pragma once

#include <memory>
#include <optional>
#include <QString>

namespace velmora {

// The script a lyric file is shown in.
enum class ChineseScript { Simplified, Traditional };

// "jianti" is simplified, "fanti" traditional; any other setting converts nothing.
std::optional<ChineseScript> script_from_setting(const QString& setting);

// Simplified / traditional conversion through OpenCC (t2s.json to simplified, s2t.json to
// traditional). Each direction's converter is opened on first use and kept by this object;
// the program owns one and passes it to whoever draws lyrics. Calls may come from any thread.
class ScriptConversion {
public:
    ScriptConversion();
    ~ScriptConversion();
    ScriptConversion(const ScriptConversion&) = delete;
    ScriptConversion& operator=(const ScriptConversion&) = delete;

    // `text` in `script`. Throws DataError naming the OpenCC configuration when it cannot be
    // loaded or converting fails.
    QString convert(const QString& text, ChineseScript script);

private:
    class Converter;
    std::unique_ptr<Converter> to_simplified_;
    std::unique_ptr<Converter> to_traditional_;
};

} // namespace velmora
