#include "production/encode_error.h"

#include "media/av_error.h"

namespace velmora::mcl {

void check_av(int rc, const QString& what) {
    if (rc < 0)
        throw EncodeError(av_failure(what, rc));
}

} // namespace velmora::mcl
