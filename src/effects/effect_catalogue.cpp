#include "effects/effect_catalogue.h"

#include <iterator>
#include <QFileInfo>

#include "core/ini_file.h"
#include "effects/effect_definition.h"

namespace velmora {
namespace {

const char* const kCategoryNames[] = {
    "全部", "婚纱", "结婚", "宝贝", "童年", "生日", "聚会", "毕业", "友谊", "爱情", "家庭",
    "数码", "产品", "成长", "喜庆", "开业", "春天", "夏天", "秋天", "冬天", "运动会"};
constexpr int kSelectorCategories = int(std::size(kCategoryNames));

QStringList make_selector() {
    QStringList entries;
    for (int i = 0; i < kSelectorCategories; ++i) {
        entries.append(QStringLiteral("%1 %2文字元素").arg(i + 1, 2, 10, QLatin1Char('0')).arg(QString::fromUtf8(kCategoryNames[i])));
        entries.append(i == 7 ? QStringLiteral("------------") : QStringLiteral("---------------"));
    }
    return entries;
}

bool exists_folder(const QString& path) { return QFileInfo(path).isDir(); }

// The name in the definition, read without the frame checks: a listing shows what is
// installed, and placing the effect refuses what cannot run.
QString definition_name(const DataRoot& root, const EffectId& id) {
    try {
        return IniFile::load(effect_definition_file(root, id)).value(QStringLiteral("wj_x_g_c_l_0"), QStringLiteral("wj_x_g_c_l_0"));
    } catch (const std::exception&) {
        return {};
    }
}

// Lists effects number 1, 2, ... of `make_id` until a folder is missing; false when it stopped
// at a folder without a definition.
template <class MakeId>
bool list_numbered(const DataRoot& root, MakeId make_id, MissingDefinition missing, const PumpEvents& pump,
                   EffectListing& out) {
    for (int n = 1; exists_folder(effect_folder(root, make_id(n))); ++n) {
        const EffectId id = make_id(n);
        if (QFileInfo(effect_definition_file(root, id)).isFile()) {
            out.names.append(definition_name(root, id));
            out.ids.push_back(id);
        } else if (missing == MissingDefinition::Stop) {
            out.missing_definition = effect_folder(root, id);
            return false;
        }
        if (pump)
            pump();
    }
    return true;
}

} // namespace

const QStringList& text_effect_category_selector() {
    static const QStringList entries = make_selector();
    return entries;
}

bool is_category_separator(int position) { return position % 2 == 1; }

EffectListing list_picture_effects(const DataRoot& root, const PumpEvents& pump) {
    EffectListing out;
    list_numbered(root, [](int n) { return EffectId::picture(n); }, MissingDefinition::PassOver, pump, out);
    return out;
}

EffectListing list_text_effects(const DataRoot& root, int position, MissingDefinition missing, const PumpEvents& pump) {
    EffectListing out;
    if (position < 0 || is_category_separator(position))
        return out;
    const auto list_category = [&](int g) {
        return list_numbered(root, [g](int k) { return EffectId::text(g, k); }, missing, pump, out);
    };
    if (position > 0) {
        list_category(position / 2);
        return out;
    }
    for (int g = 1; exists_folder(root.text_effect_category_folder(g)); ++g)
        if (!list_category(g))
            break;
    return out;
}

} // namespace velmora
