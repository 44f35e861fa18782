#include "media/script_conversion.h"

#include <memory>
#include <mutex>
#include <opencc.h>

#include "core/data_error.h"

namespace velmora {
namespace {

// Where the opencc package installs its configurations, tried when OpenCC's own search
// does not find a bare configuration name.
constexpr const char* kOpenccDataFolder = "/usr/share/opencc/";

const opencc_t kOpenFailed = reinterpret_cast<opencc_t>(-1);

struct OpenccCloser {
    void operator()(void* handle) const { opencc_close(handle); }
};
using OpenccHandle = std::unique_ptr<void, OpenccCloser>;

OpenccHandle open_config(const QByteArray& config) {
    opencc_t handle = opencc_open(config.constData());
    if (handle == kOpenFailed)
        handle = opencc_open((QByteArray(kOpenccDataFolder) + config).constData());
    if (handle == kOpenFailed)
        throw DataError(QStringLiteral("Cannot load OpenCC configuration \"%1\": %2")
                            .arg(QString::fromLatin1(config), QString::fromUtf8(opencc_error())));
    return OpenccHandle(handle);
}

} // namespace

// One direction, opened on first use. OpenCC's converters are not documented as thread-safe,
// so each call holds the lock.
class ScriptConversion::Converter {
public:
    explicit Converter(const char* config) : config_(config) {}

    QString convert(const QString& text) {
        const std::lock_guard lock(mutex_);
        if (!handle_)
            handle_ = open_config(config_);
        const QByteArray input = text.toUtf8();
        char* output = opencc_convert_utf8(handle_.get(), input.constData(),
                                           static_cast<size_t>(input.size()));
        if (!output)
            throw DataError(QStringLiteral("OpenCC \"%1\" failed: %2")
                                .arg(QString::fromLatin1(config_), QString::fromUtf8(opencc_error())));
        const QString converted = QString::fromUtf8(output);
        opencc_convert_utf8_free(output);
        return converted;
    }

private:
    QByteArray config_;
    std::mutex mutex_;
    OpenccHandle handle_;
};

ScriptConversion::ScriptConversion()
    : to_simplified_(std::make_unique<Converter>("t2s.json")), to_traditional_(std::make_unique<Converter>("s2t.json")) {}

ScriptConversion::~ScriptConversion() = default;

std::optional<ChineseScript> script_from_setting(const QString& setting) {
    if (setting == QStringLiteral("jianti"))
        return ChineseScript::Simplified;
    if (setting == QStringLiteral("fanti"))
        return ChineseScript::Traditional;
    return std::nullopt;
}

QString ScriptConversion::convert(const QString& text, ChineseScript script) {
    if (text.isEmpty())
        return text;
    return (script == ChineseScript::Simplified ? *to_simplified_ : *to_traditional_).convert(text);
}

} // namespace velmora
