#pragma once

#include <QLineEdit>
#include <QStringList>
#include <QWidget>
#include <vector>

namespace velmora {

// The read-only details panel beside a list window's list: one captioned field per cell of
// the row clicked, in a column at the window's right.
class DetailsPanel {
public:
    DetailsPanel(QWidget* parent, const QStringList& captions);

    // Shows `cells`, one per field in order.
    void show(const QStringList& cells);
    void clear();
    QString text(int field) const { return fields_.at(std::size_t(field))->text(); }

private:
    std::vector<QLineEdit*> fields_;
};

} // namespace velmora
