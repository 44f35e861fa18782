#include "core/jpeg_writer.h"

#include <QSaveFile>
#include <turbojpeg.h>

#include "core/data_error.h"

namespace velmora {

QByteArray encode_jpeg(const QImage& image, int quality) {
    if (image.isNull())
        return {};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    tjhandle handle = tjInitCompress();
    if (!handle)
        return {};
    unsigned char* jpeg = nullptr;
    unsigned long jpeg_size = 0;
    const int rc = tjCompress2(handle, rgb.constBits(), rgb.width(), int(rgb.bytesPerLine()), rgb.height(),
                               TJPF_RGB, &jpeg, &jpeg_size, TJSAMP_420, quality, TJFLAG_ACCURATEDCT);
    QByteArray out;
    if (rc == 0)
        out = QByteArray(reinterpret_cast<const char*>(jpeg), qsizetype(jpeg_size));
    tjFree(jpeg);
    tjDestroy(handle);
    return out;
}

void save_jpeg(const QImage& image, const QString& path, int quality) {
    const QByteArray jpeg = encode_jpeg(image, quality);
    if (jpeg.isEmpty())
        throw DataError(QStringLiteral("cannot encode a JPEG picture for %1").arg(path));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(jpeg) != jpeg.size() || !file.commit())
        throw DataError(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
}

} // namespace velmora
