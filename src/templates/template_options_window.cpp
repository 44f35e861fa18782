#include "templates/template_options_window.h"

namespace velmora {
namespace {

const QString kTitle = QStringLiteral("组合模板");

QLabel* add_label(QWidget* parent, const QString& text, QRect geometry) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    return label;
}

} // namespace

TemplateOptionsWindow::TemplateOptionsWindow(AssignmentState& state, Ui& ui, const WindowSkin& skin,
                                             QWidget* parent)
    : FramedWindow(QStringLiteral("TForm41"), QStringLiteral("模板选项：自动为添加的照片分配模板方式"), QSize(720, 420),
                   skin, parent),
      state_(state), ui_(ui), list_(new QTreeWidget(this)) {
    list_->setObjectName(QStringLiteral("zuhemoban"));
    list_->setHeaderLabels({QStringLiteral("模板组合"), QStringLiteral("横照片(张)"), QStringLiteral("竖照片(张)"),
                            QStringLiteral("照片总数(张)")});
    list_->setRootIsDecorated(false);
    list_->setGeometry(20, 50, 400, 300);
    connect(list_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { choose_row(item ? list_->indexOfTopLevelItem(item) : -1); });
    add_label(this, QStringLiteral("组合模板名称"), QRect(440, 50, 120, 24));
    add_label(this, QStringLiteral("需要横照片"), QRect(440, 80, 120, 24));
    add_label(this, QStringLiteral("需要竖照片"), QRect(440, 110, 120, 24));
    name_ = add_label(this, {}, QRect(560, 50, 150, 24));
    landscape_ = add_label(this, {}, QRect(560, 80, 150, 24));
    portrait_ = add_label(this, {}, QRect(560, 110, 150, 24));
    explanation_ = add_label(this, QStringLiteral("说明："), QRect(20, 356, 680, 20));
    explanation_->setObjectName(QStringLiteral("explanation"));
    combination_button_ = add_button(QStringLiteral("使用模板组合添加照片   ← 推荐使用"), QRect(440, 250, 260, 40));
    random_button_ = add_button(QStringLiteral("使用随机模板添加照片              "), QRect(440, 300, 260, 40));
    connect(combination_button_, &QPushButton::clicked, this, [this] { leave_with(AssignmentMode::Combination); });
    connect(random_button_, &QPushButton::clicked, this, [this] { leave_with(AssignmentMode::Random); });
}

void TemplateOptionsWindow::set_combinations(std::vector<CombinationListRow> rows) {
    rows_ = std::move(rows);
    list_->clear();
    for (const CombinationListRow& row : rows_)
        list_->addTopLevelItem(new QTreeWidgetItem({row.caption, QString::number(row.landscape),
                                                    QString::number(row.portrait), QString::number(row.total())}));
    // Without combinations only the random mode can be chosen.
    combination_button_->setEnabled(!rows_.empty());
    name_->clear();
    landscape_->clear();
    portrait_->clear();
    state_.zuhemoban_xuanhao = 0;
    if (!rows_.empty())
        show_choice(0);
}

void TemplateOptionsWindow::choose_row(int row) {
    if (rows_.empty()) {
        ui_.show_message(QStringLiteral("没有找到组合模板！"), kTitle);
        return;
    }
    if (row < 0 || row >= int(rows_.size())) {
        ui_.show_message(QStringLiteral("没有选中组合模板！"), kTitle);
        return;
    }
    show_choice(row);
}

void TemplateOptionsWindow::show_choice(int row) {
    const CombinationListRow& chosen = rows_[std::size_t(row)];
    state_.zuhemoban_xuanhao = row;
    state_.required_landscape = chosen.landscape;
    state_.required_portrait = chosen.portrait;
    name_->setText(chosen.caption);
    landscape_->setText(QString::number(chosen.landscape) + QStringLiteral(" 张"));
    portrait_->setText(QString::number(chosen.portrait) + QStringLiteral(" 张"));
    explanation_->setText(combination_explanation(chosen.landscape, chosen.portrait, explanation_->text()));
}

void TemplateOptionsWindow::leave_with(AssignmentMode mode) {
    state_.mobanfashi = mode;
    accept();
}

} // namespace velmora
