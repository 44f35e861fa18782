#include "production/picture_quality_window.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <functional>
#include <tuple>

#include "core/preview_guard.h"

namespace velmora {
namespace {

constexpr int kWidth = 460;
constexpr int kGroupWidth = kWidth - 40;

// A group box of two radio buttons side by side; clicking either runs `chosen` with its index.
std::pair<QRadioButton*, QRadioButton*> add_pair(QWidget* parent, const QString& caption, int top,
                                                 const QString& first, const QString& second,
                                                 std::function<void(int)> chosen) {
    auto* box = new QGroupBox(caption, parent);
    box->setGeometry(20, top, kGroupWidth, 66);
    auto* group = new QButtonGroup(box);
    auto* a = new QRadioButton(first, box);
    auto* b = new QRadioButton(second, box);
    for (auto [radio, index] : {std::pair{a, 0}, std::pair{b, 1}}) {
        radio->setObjectName(radio->text());
        radio->setGeometry(18 + index * (kGroupWidth / 2), 28, kGroupWidth / 2 - 24, 26);
        group->addButton(radio, index);
    }
    QObject::connect(group, &QButtonGroup::idClicked, parent, std::move(chosen));
    return {a, b};
}

} // namespace

PictureQualityWindow::PictureQualityWindow(OutputSettings& settings, AppState& state, Ui& ui, const WindowSkin& skin,
                                           QWidget* parent)
    : FramedWindow(QStringLiteral("TForm6"), QStringLiteral("画面质量"), QSize(kWidth, 280), skin, parent),
      settings_(settings), state_(state), ui_(ui) {
    std::tie(pal_, ntsc_) = add_pair(this, QStringLiteral("制式"), 58, QStringLiteral("PAL 电视制式"),
                                     QStringLiteral("NTSC 电视制式"), [this](int i) {
                                         settings_.tv_standard = i == 0 ? mcl::TvStandard::pal : mcl::TvStandard::ntsc;
                                     });
    std::tie(standard_quality_, high_quality_) =
        add_pair(this, QStringLiteral("画质"), 138, QStringLiteral("标清画质效果"), QStringLiteral("高清画质效果"),
                 [this](int i) {
                     settings_.huamianzhiliang_xuanzhong = i == 0 ? PictureQuality::biaoqing : PictureQuality::gaoqing;
                 });
    QPushButton* back = add_button(QStringLiteral("返  回"), QRect(kWidth - 140, 226, 120, 34));
    back->setProperty("accent", true);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    refresh();
}

void PictureQualityWindow::open_modal() {
    if (refused_while_previewing(state_, ui_))
        return;
    refresh();
    exec();
}

void PictureQualityWindow::refresh() {
    standard_button(settings_.tv_standard)->setChecked(true);
    if (QRadioButton* quality = quality_button(settings_.huamianzhiliang_xuanzhong))
        quality->setChecked(true);
}

void PictureQualityWindow::showEvent(QShowEvent* event) {
    FramedWindow::showEvent(event);
    if (standard_quality_->isChecked())
        settings_.huamianzhiliang_xuanzhong = PictureQuality::biaoqing;
    else if (high_quality_->isChecked())
        settings_.huamianzhiliang_xuanzhong = PictureQuality::gaoqing;
}

QRadioButton* PictureQualityWindow::standard_button(mcl::TvStandard standard) const {
    return standard == mcl::TvStandard::ntsc ? ntsc_ : pal_;
}

QRadioButton* PictureQualityWindow::quality_button(PictureQuality quality) const {
    switch (quality) {
    case PictureQuality::biaoqing: return standard_quality_;
    case PictureQuality::gaoqing: return high_quality_;
    case PictureQuality::chaoqing: break;  // no choice offers it
    }
    return nullptr;
}

} // namespace velmora
