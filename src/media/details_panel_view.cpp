#include "media/details_panel_view.h"

#include <QLabel>

namespace velmora {
namespace {

constexpr int kLeft = 600;
constexpr int kTop = 62;
constexpr int kStep = 56;
constexpr int kWidth = 240;

} // namespace

DetailsPanel::DetailsPanel(QWidget* parent, const QStringList& captions) {
    for (qsizetype i = 0; i < captions.size(); ++i) {
        const int top = kTop + int(i) * kStep;
        auto* label = new QLabel(captions[i], parent);
        label->setGeometry(kLeft, top, kWidth, 20);
        label->setStyleSheet(QStringLiteral("color: #6b7080;"));
        auto* field = new QLineEdit(parent);
        field->setReadOnly(true);
        field->setGeometry(kLeft, top + 22, kWidth, 28);
        fields_.push_back(field);
    }
}

void DetailsPanel::show(const QStringList& cells) {
    for (std::size_t i = 0; i < fields_.size(); ++i)
        fields_[i]->setText(i < std::size_t(cells.size()) ? cells[qsizetype(i)] : QString());
}

void DetailsPanel::clear() {
    for (QLineEdit* field : fields_)
        field->clear();
}

} // namespace velmora
