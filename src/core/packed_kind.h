#pragma once

#include "core/data_root.h"
#include "core/packed_file.h"

namespace velmora {

// How each kind of shipped file is unpacked: its rounds and the cap on what any round may
// produce. The caps sit far above what the shipped files hold (a parameter file is a few
// hundred bytes, a movie a few hundred KB) and low enough that a hostile file is refused
// before it can take much memory or time.
namespace packed_kind {
constexpr qint64 kMiB = 1024 * 1024;
constexpr PackedKind kTemplateParams{rounds::kTemplateParams, 4 * kMiB};
constexpr PackedKind kCombination{rounds::kCombination, 4 * kMiB};
constexpr PackedKind kTemplateMovie{rounds::kTemplateMovie, 64 * kMiB};
constexpr PackedKind kStartupMovie{rounds::kStartupMovie, 64 * kMiB};
constexpr PackedKind kClosingMovie{rounds::kClosingMovie, 64 * kMiB};
constexpr PackedKind kBackgroundDemoMovie{rounds::kBackgroundDemoMovie, 64 * kMiB};
constexpr PackedKind kDefaultBackground{rounds::kDefaultBackground, 32 * kMiB};
} // namespace packed_kind

} // namespace velmora
