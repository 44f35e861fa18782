#include "production/production_state.h"

#include <algorithm>

namespace velmora {

QString to_text(RunState state) {
    switch (state) {
    case RunState::Running: return QStringLiteral("zhizuo_kaishi");
    case RunState::Stopped: return QStringLiteral("zhizuo_tingzhi");
    case RunState::Preparing: break;
    }
    return QStringLiteral("bofang_tingzhi");
}

namespace {

int needed_row_at(const ProductionState& state, int position) {
    if (position < 0 || position >= int(state.duiying_keyong_hanghao.size()))
        return -1;
    return state.duiying_keyong_hanghao[std::size_t(position)];
}

} // namespace

int template_folder_at(const ProductionState& state, int position) {
    const auto& made = state.yijing_wancheng_shiyongmoban_hanghao;
    const auto found = std::find(made.begin(), made.end(), needed_row_at(state, position));
    return found == made.end() ? 0 : int(found - made.begin()) + 1;
}

int used_row_at(const ProductionState& state, int position) {
    const int row = needed_row_at(state, position);
    if (row < 0 || row >= int(state.xuyao_shiyongmoban_shuliang.size()))
        return -1;
    return state.xuyao_shiyongmoban_shuliang[std::size_t(row)].hanghao;
}

} // namespace velmora
