// Feeds arbitrary GBK text to the INI reader and asks it for the keys the text seems to hold.
#include "core/gbk_text.h"
#include "core/ini_file.h"
#include "fuzz/fuzz_support.h"

#include <QList>
#include <utility>
#include <vector>

using namespace velmora;

namespace {

// Asking every key of a large input would make each run quadratic; a few are enough.
constexpr std::size_t kKeysAsked = 8;

// Section and key names as lines of the text name them, found without the reader's own code.
std::vector<std::pair<QString, QString>> keys_named_in(const QByteArray& text) {
    std::vector<std::pair<QString, QString>> keys;
    QByteArray section;
    for (const QByteArray& line : text.split('\n')) {
        if (keys.size() == kKeysAsked)
            break;
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith('['))
            section = trimmed.mid(1, trimmed.indexOf(']') - 1);
        else if (trimmed.indexOf('=') > 0)
            keys.emplace_back(decode_gbk(section), decode_gbk(trimmed.left(trimmed.indexOf('='))));
    }
    return keys;
}

QString ascii_upper(QString text) {
    for (QChar& c : text)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    return text;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::keep_gbk_converters_loaded();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz::bytes_of(data, size);
    const IniFile ini = IniFile::parse(bytes);
    const auto keys = keys_named_in(bytes);

    for (const auto& [section, key] : keys) {
        const QString value = ini.value(section, key);
        // Each byte decodes to at most one character.
        fuzz::require(value.size() <= IniFile::kMaxValueBytes, "values are cut to their bound");
        fuzz::require(ini.value(ascii_upper(section), ascii_upper(key)) == value, "names match without regard to case");
    }
    (void)ini.value(QStringLiteral("zuhemoban_canshu"), QStringLiteral("shuliang"));

    if (fuzz::through_file(size)) {
        const QString path = fuzz::scratch_path(QStringLiteral("file.ini"));
        fuzz::write_scratch(path, bytes);
        const IniFile loaded = IniFile::load(path);
        for (const auto& [section, key] : keys)
            fuzz::require(loaded.value(section, key) == ini.value(section, key), "a file reads as its text does");
    }
    return 0;
}
