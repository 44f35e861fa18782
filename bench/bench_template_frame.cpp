// Times the template player on a generated template with three photo layers, a background
// picture, a backdrop and a title shape: load time, and grab time at 1920 x 1080 and 800 x 450.
// Pictures are written at both scales the workspace uses: 1920-based (already the asset size)
// and 800-based (fitted by the player). Target: a 1920 x 1080 grab under 15 ms.
#include "preview/template_player.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <nlohmann/json.hpp>
#include <vector>

namespace {

using Json = nlohmann::ordered_json;
using velmora::TemplatePlayer;

struct Slot { const char* name; QRect rect; };
const Slot kSlots[] = {{"picture_1", {96, 108, 960, 540}},
                       {"picture_2", {1104, 140, 720, 405}},
                       {"picture_3", {1180, 600, 640, 360}}};
constexpr int kFrames = 125;

Json still(Json value) { return Json{{"a", 0}, {"k", std::move(value)}}; }

Json moving(Json from, Json to) {
    return Json{{"a", 1}, {"k", Json::array({Json{{"i", {{"x", {0.6}}, {"y", {1}}}}, {"o", {{"x", {0.3}}, {"y", {0}}}},
                                                  {"t", 0}, {"s", from}, {"e", to}},
                                             Json{{"t", kFrames - 1}, {"s", to}}})}};
}

Json image_layer(int index, const char* name, const char* asset, QRect rect, bool animated) {
    const QPointF centre = QRectF(rect).center();
    const Json at = {centre.x(), centre.y(), 0};
    Json transform{{"o", animated ? moving({0}, {100}) : still(100)},
                   {"r", animated ? moving(-4, 3) : still(0)},
                   {"p", animated ? moving({centre.x() - 80, centre.y(), 0}, at) : still(at)},
                   {"a", still({rect.width() / 2.0, rect.height() / 2.0, 0})},
                   {"s", animated ? moving({90, 90, 100}, {100, 100, 100}) : still({100, 100, 100})}};
    return Json{{"ddd", 0}, {"ind", index}, {"ty", 2}, {"nm", name}, {"refId", asset}, {"sr", 1},
                {"ks", transform}, {"ao", 0}, {"ip", 0}, {"op", kFrames}, {"st", 0}, {"bm", 0}};
}

Json title_layer() {
    Json star{{"ty", "sr"}, {"sy", 1}, {"d", 1}, {"pt", still(5)}, {"p", still({220, 940})}, {"r", moving(0, 180)},
              {"ir", still(40)}, {"is", still(0)}, {"or", still(90)}, {"os", still(0)}, {"nm", "star"}};
    Json fill{{"ty", "fl"}, {"c", still({1, 0.85, 0.2, 1})}, {"o", still(100)}, {"r", 1}, {"nm", "fill"}};
    Json stroke{{"ty", "st"}, {"c", still({1, 1, 1, 1})}, {"o", still(100)}, {"w", still(6)},
                {"lc", 2}, {"lj", 2}, {"nm", "stroke"}};
    return Json{{"ddd", 0}, {"ind", 1}, {"ty", 4}, {"nm", "title"}, {"sr", 1},
                {"ks", {{"o", still(100)}, {"r", still(0)}, {"p", still({0, 0, 0})}, {"a", still({0, 0, 0})},
                        {"s", still({100, 100, 100})}}},
                {"ao", 0}, {"shapes", Json::array({star, stroke, fill})}, {"ip", 0}, {"op", kFrames}, {"st", 0}, {"bm", 0}};
}

QByteArray movie() {
    Json assets = Json::array();
    Json layers = Json::array({title_layer()});
    int index = 2;
    for (const Slot& slot : kSlots) {
        assets.push_back({{"id", slot.name}, {"w", slot.rect.width()}, {"h", slot.rect.height()},
                          {"u", ""}, {"p", std::string(slot.name) + ".jpg"}, {"e", 0}});
        layers.push_back(image_layer(index++, slot.name, slot.name, slot.rect, true));
    }
    assets.push_back({{"id", "background"}, {"w", 1920}, {"h", 1080}, {"u", ""}, {"p", "wj_y_l_b_j.jpg"}, {"e", 0}});
    layers.push_back(image_layer(index, "wj_y_l_b_j", "background", {0, 0, 1920, 1080}, false));
    const Json root{{"v", "5.7.4"}, {"fr", 25}, {"ip", 0}, {"op", kFrames}, {"w", 1920}, {"h", 1080},
                    {"nm", "bench"}, {"ddd", 0}, {"assets", assets}, {"layers", layers},
                    {"markers", Json::array({{{"tm", 0}, {"cm", "l_x_z_q_r_f_c_x_c=l_x_z_k_t_f_c_s_y_q_rx_c_w_j"}, {"dr", 0}}})}};
    return QByteArray::fromStdString(root.dump());
}

// Something that compresses like a photo: a gradient under many small random blocks.
QByteArray photo_jpeg(QSize size, int seed) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, size.width(), size.height());
    gradient.setColorAt(0, QColor::fromHsv(seed * 70 % 360, 180, 230));
    gradient.setColorAt(1, QColor::fromHsv((seed * 70 + 140) % 360, 200, 90));
    painter.fillRect(image.rect(), gradient);
    QRandomGenerator random(seed);
    for (int i = 0; i < size.width() * size.height() / 400; ++i)
        painter.fillRect(random.bounded(size.width()), random.bounded(size.height()), 6, 6,
                         QColor::fromRgb(random.generate() | 0xff000000));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 90);
    return bytes;
}

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// Pictures at `scale` of their 1920-based size, as the workspace writes them.
void write_pictures(const QString& folder, double scale) {
    int seed = 1;
    for (const Slot& slot : kSlots)
        write(folder + "/" + slot.name + ".jpg", photo_jpeg((QSizeF(slot.rect.size()) * scale).toSize(), seed++));
    write(folder + "/wj_y_l_b_j.jpg", photo_jpeg((QSizeF(1920, 1080) * scale).toSize(), seed));
}

// Wall time suffers when other work shares the cores; the thread's CPU time shows the cost itself.
double thread_cpu_ms() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

struct Figures { double mean, worst, cpu_mean; };

Figures time_grabs(TemplatePlayer& player) {
    std::vector<double> ms;
    const double cpu_start = thread_cpu_ms();
    for (int frame = 0; frame < player.total_frames(); ++frame) {
        player.set_frame_num(frame);
        QElapsedTimer clock;
        clock.start();
        const QImage image = player.grab();
        ms.push_back(clock.nsecsElapsed() / 1e6);
    }
    const double cpu_mean = (thread_cpu_ms() - cpu_start) / ms.size();
    double sum = 0;
    for (double v : ms)
        sum += v;
    return {sum / ms.size(), *std::max_element(ms.begin(), ms.end()), cpu_mean};
}

double time_load(TemplatePlayer& player, const QString& path, int repeats) {
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < repeats; ++i)
        player.load(path);
    return clock.nsecsElapsed() / 1e6 / repeats;
}

void run(const char* label, double picture_scale, QSize host) {
    QTemporaryDir folder;
    const QString path = folder.filePath("wj_y_l_1.rar");
    write(path, movie());
    write_pictures(folder.path(), picture_scale);
    TemplatePlayer player("ShockwaveFlash1", host);
    const double load_ms = time_load(player, path, 5);
    QElapsedTimer clock;
    clock.start();
    player.set_background_transparency(40);
    const double transparency_ms = clock.nsecsElapsed() / 1e6;
    const Figures grab = time_grabs(player);
    std::printf("%-34s host %4dx%-4d  load %6.1f ms  num_stop change %6.1f ms  "
                "grab mean %5.2f ms (cpu %5.2f ms)  worst %5.2f ms\n",
                label, host.width(), host.height(), load_ms, transparency_ms, grab.mean, grab.cpu_mean, grab.worst);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::printf("template: 3 animated photo layers, background picture, title shape; %d frames\n", kFrames);
    run("pictures 1920-based (asset size)", 1.0, {1920, 1080});
    run("pictures 800-based (fitted)", 800.0 / 1920, {1920, 1080});
    run("pictures 800-based (fitted)", 800.0 / 1920, {800, 450});
    std::printf("target: 1920x1080 grab under 15 ms\n");
    return 0;
}
