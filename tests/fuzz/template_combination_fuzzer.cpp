// Feeds arbitrary GBK text to the combination reader, and now and then the same text packed
// as a combination file of a data folder in the temporary folder.
#include "core/data_error.h"
#include "core/data_root.h"
#include "core/ini_file.h"
#include "core/packed_file.h"
#include "fuzz/fuzz_support.h"
#include "templates/template_combination.h"

#include <QDir>
#include <QFileInfo>

using namespace velmora;

namespace {

// A count far beyond the entries a text can hold only repeats lookups of missing keys (the
// reader's own bound on it is a unit test's matter); such inputs are passed over so the run
// spends its time on the entries.
constexpr int kMaxFuzzedCount = 256;

bool asks_for_many_entries(const QByteArray& text) {
    return IniFile::parse(text).value(QStringLiteral("zuhemoban_canshu"), QStringLiteral("shuliang")).toInt()
           > kMaxFuzzedCount;
}

bool same_combination(const TemplateCombination& a, const TemplateCombination& b) {
    if (a.required_landscape != b.required_landscape || a.required_portrait != b.required_portrait
        || a.entries.size() != b.entries.size())
        return false;
    for (std::size_t i = 0; i < a.entries.size(); ++i)
        if (a.entries[i].template_name != b.entries[i].template_name || a.entries[i].landscape != b.entries[i].landscape
            || a.entries[i].portrait != b.entries[i].portrait)
            return false;
    return true;
}

void check_counts(const TemplateCombination& combination) {
    qint64 landscape = 0, portrait = 0;
    for (const CombinationEntry& entry : combination.entries) {
        landscape += entry.landscape.toInt();
        portrait += entry.portrait.toInt();
    }
    fuzz::require(landscape == combination.required_landscape && portrait == combination.required_portrait,
                  "the required counts are the entries' sums");
}

// Reads the text back through a packed combination file, as the program does.
void check_file_reading(const QByteArray& text, const TemplateCombination& expected) {
    const DataRoot root(fuzz::scratch_path(QStringLiteral("smxcwjj")));
    QDir().mkpath(QFileInfo(root.combination(1)).absolutePath());
    fuzz::write_scratch(root.combination(1), pack_nested(text, rounds::kCombination, 1));
    try {
        fuzz::require(same_combination(read_combination(root, 1, 1), expected), "a file reads as its text does");
    } catch (const DataError&) {
        fuzz::require(false, "a well-packed combination file is read");
    }
    // The intermediates carry the time of day in their names: clear them so they do not pile up.
    QDir(root.work_dir()).removeRecursively();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::keep_gbk_converters_loaded();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray text = fuzz::bytes_of(data, size);
    if (asks_for_many_entries(text))
        return 0;
    const TemplateCombination combination = parse_combination(text);
    check_counts(combination);
    (void)combination_explanation(combination.required_landscape, combination.required_portrait, QString());
    if (fuzz::through_file(size))
        check_file_reading(text, combination);
    return 0;
}
