// Loads a catalogue of 200 generated templates (parameter files and movies packed 20 rounds, as
// shipped) and prints how long the five catalogue steps take. Target: under 2 s.
#include <chrono>
#include <cstdio>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/gbk_text.h"
#include "core/packed_file.h"
#include "templates/template_catalogue.h"

namespace {

constexpr int kTemplates = 200;

QByteArray params_text(int i) {
    static const char* orientations[] = {"|heng|", "|shu|", "|shuheng|", "|heng|heng|", "|heng|shu|picture_3|"};
    return velmora::encode_gbk(
        QStringLiteral("[l_x_v_e_l_m_w_j_s_y]\r\nl_x_v_e_l_m_w_j_s_y=v_e_l_m_s_y_l_x\r\n"
                       "l_x_v_e_l_m_w_j_s_y_m_c=模板%1\r\n[1]\r\nmblx=1\r\nmbfl=1\r\nxpsl=2\r\n"
                       "xpkd=|1280|1280|\r\nxpgd=|720|720|\r\nszhz=%2\r\nxpjpgmc=|picture_1|picture_2|\r\n"
                       "mbdx=200\r\nwxcs01=|25|100|\r\nwxcs02=|A|B|\r\nwxcs03=\r\nwxcs04=|C|\r\n[0]\r\nsl=2\r\n")
            .arg(i)
            .arg(QString::fromLatin1(orientations[i % 5])));
}

void write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const velmora::DataRoot root(dir.filePath(QStringLiteral("smxcwjj")));
    // A movie of realistic size: template movies are a few tens of kilobytes of JSON.
    const QByteArray movie = velmora::pack_nested(QByteArray("{\"v\":\"5.7.0\",\"layers\":[]}").repeated(1500), 20);
    for (int i = 0; i < kTemplates; ++i) {
        const QString name = QStringLiteral("t%1.rar").arg(i, 3, 10, QLatin1Char('0'));
        write(root.template_params_folder() + QLatin1Char('/') + name, velmora::pack_nested(params_text(i), 20));
        write(root.template_movies_folder() + QLatin1Char('/') + name, movie);
    }

    velmora::TemplateCatalogue catalogue;
    const auto start = std::chrono::steady_clock::now();
    velmora::load_template_catalogue(root, catalogue);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    std::printf("catalogue: %zu templates loaded in %.3f s (target < 2 s) - %s\n", catalogue.mobancanshu.size(),
                seconds, seconds < 2.0 ? "ok" : "TOO SLOW");
    return catalogue.mobancanshu.size() == kTemplates ? 0 : 1;
}
