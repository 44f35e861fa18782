#include "core/startup_movie.h"

#include "core/file_utils.h"
#include "core/packed_kind.h"
#include "core/startup_abort.h"

namespace velmora {

QString unpack_startup_movie(const DataRoot& root) {
    const QString packed = root.startup_movie();
    const qint64 size = file_size(packed);
    if (size != kStartupMovieSize)
        throw StartupAbort(size < 0 ? QStringLiteral("the start-up movie %1 is missing").arg(packed)
                                    : QStringLiteral("the start-up movie %1 is %2 bytes, not %3")
                                          .arg(packed).arg(size).arg(kStartupMovieSize));
    const QString work = root.work_dir();
    const QString unpacked = work + QStringLiteral("/wj_0_or_2_2_d.swf");
    unpack_nested(packed, packed_kind::kStartupMovie,
                  [&work](int k) { return work + QStringLiteral("/wj_0_or_2_2_d_2%1%2.rar").arg(k).arg(time_of_day_stamp()); },
                  unpacked);
    return unpacked;
}

} // namespace velmora
