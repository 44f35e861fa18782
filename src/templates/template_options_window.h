#pragma once

#include <vector>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "core/framed_window.h"
#include "core/ui.h"
#include "templates/template_assignment.h"
#include "templates/template_combination.h"

namespace velmora {

// "模板选项：自动为添加的照片分配模板方式": the combination list with the chosen combination's
// needs, and the two ways of adding photos. It is left through the two buttons only; each
// writes the mode (and the chosen combination) into the assignment state and closes.
class TemplateOptionsWindow : public FramedWindow {
    Q_OBJECT
public:
    TemplateOptionsWindow(AssignmentState& state, Ui& ui, const WindowSkin& skin, QWidget* parent = nullptr);

    // Shows `rows` (the list `zuhemoban`) with row 0 chosen. An empty list offers only the
    // random mode.
    void set_combinations(std::vector<CombinationListRow> rows);
    // A click on a list row; `row` -1 when none is selected.
    void choose_row(int row);

    QTreeWidget* list() const { return list_; }
    QLabel* explanation() const { return explanation_; }
    QPushButton* combination_button() const { return combination_button_; }
    QPushButton* random_button() const { return random_button_; }

protected:
    void close_label_released() override {} // the frame's close only changes its picture

private:
    void show_choice(int row);
    void leave_with(AssignmentMode mode);

    AssignmentState& state_;
    Ui& ui_;
    std::vector<CombinationListRow> rows_;
    QTreeWidget* list_;
    QLabel* name_;
    QLabel* landscape_;
    QLabel* portrait_;
    QLabel* explanation_;
    QPushButton* combination_button_;
    QPushButton* random_button_;
};

} // namespace velmora
