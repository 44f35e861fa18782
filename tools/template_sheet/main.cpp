// velmora-template-sheet DATA_ROOT OUT_DIR: renders every installed template at 800 x 450 with
// painted sample photos, the default background at 30 % transparency and a sample previous
// frame, and writes one contact sheet per template (eight moments) for design review.
// velmora-template-sheet --timing DATA_ROOT: prints how long each template takes to render a
// frame at 1920 x 1080, the album's high-quality size, so heavy designs show up.
#include <cstdio>
#include <ctime>
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

#include "core/data_error.h"
#include "preview/sample_play_folder.h"
#include "preview/template_player.h"
#include "templates/template_catalogue.h"

namespace {

using namespace velmora;

constexpr QSize kRender{800, 450};
constexpr QSize kAlbumRender{1920, 1080};

QImage contact_sheet(TemplatePlayer& player, const QString& title) {
    constexpr int kColumns = 4;
    constexpr int kRows = 2;
    const QSize cell(400, 225);
    QImage sheet(cell.width() * kColumns, cell.height() * kRows + 30, QImage::Format_RGB32);
    sheet.fill(QColor(24, 24, 28));
    QPainter p(&sheet);
    p.setPen(Qt::white);
    p.drawText(QRect(8, 0, sheet.width(), 30), Qt::AlignVCenter, title);
    const int n = kColumns * kRows;
    for (int i = 0; i < n; ++i) {
        const int frame = (player.total_frames() - 1) * (i + 1) / n;
        const QRect target(cell.width() * (i % kColumns), 30 + cell.height() * (i / kColumns), cell.width(), cell.height());
        p.drawImage(target, player.render(frame));
        p.drawText(target.adjusted(6, 4, 0, 0), Qt::AlignTop | Qt::AlignLeft, QString::number(frame));
    }
    return sheet;
}

double thread_cpu_ms() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Every fourth frame of every template at the album's size, with the background opaque as
// albums have it by default; CPU time, so other work on the machine blurs the figures less.
int print_timing(const DataRoot& root) {
    TemplateCatalogue catalogue;
    load_template_catalogue(root, catalogue);
    QTemporaryDir workspace;
    TemplatePlayer player(QStringLiteral("timing"), kAlbumRender);
    double all_ms = 0;
    int all_frames = 0;
    for (const TemplateParams& t : catalogue.mobancanshu) {
        player.load(prepare_sample_play_folder(root, t, workspace.path(), kAlbumRender));
        const double start = thread_cpu_ms();
        int frames = 0;
        for (int frame = 0; frame < player.total_frames(); frame += 4, ++frames)
            player.render(frame);
        const double ms = thread_cpu_ms() - start;
        std::printf("%2d  %-8s %6.1f ms/frame\n", t.xuhao, t.mingcheng.toUtf8().constData(), ms / qMax(1, frames));
        all_ms += ms;
        all_frames += frames;
    }
    std::printf("all      %6.1f ms/frame\n", all_ms / qMax(1, all_frames));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: velmora-template-sheet DATA_ROOT OUT_DIR\n"
                             "       velmora-template-sheet --timing DATA_ROOT\n");
        return 2;
    }
    if (QString::fromLocal8Bit(argv[1]) == QLatin1String("--timing")) {
        try {
            return print_timing(DataRoot{QString::fromLocal8Bit(argv[2])});
        } catch (const std::exception& e) {
            std::fprintf(stderr, "velmora-template-sheet: %s\n", e.what());
            return 1;
        }
    }
    const DataRoot root{QString::fromLocal8Bit(argv[1])};
    const QString out = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);
    try {
        TemplateCatalogue catalogue;
        load_template_catalogue(root, catalogue);
        QTemporaryDir workspace;
        TemplatePlayer player(QStringLiteral("sheet"), kRender);
        player.set_background_transparency(30);
        for (const TemplateParams& t : catalogue.mobancanshu) {
            player.load(prepare_sample_play_folder(root, t, workspace.path(), kRender));
            const QString file = out + QStringLiteral("/template_%1.png").arg(t.xuhao, 2, 10, QLatin1Char('0'));
            contact_sheet(player, QStringLiteral("%1  %2  (%3 frames)").arg(t.xuhao).arg(t.mingcheng).arg(player.total_frames()))
                .save(file);
            std::printf("%s\n", file.toUtf8().constData());
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "velmora-template-sheet: %s\n", e.what());
        return 1;
    }
    return 0;
}
