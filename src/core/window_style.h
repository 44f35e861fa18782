#pragma once

#include <QString>

namespace velmora {

// The style sheet of every window: calm light surfaces, one accent colour, rounded controls.
inline QString application_style_sheet() {
    return QStringLiteral(R"(
QWidget { font-family: "Noto Sans CJK SC", "Noto Sans", sans-serif; font-size: 13px; color: #2a2f3d; }
QPushButton {
    background: #ffffff; border: 1px solid #d4d7de; border-radius: 6px; padding: 4px 12px; color: #2a2f3d;
}
QPushButton:hover { border-color: #e85d75; color: #c43d57; }
QPushButton:pressed { background: #fbe7eb; }
QPushButton:disabled { color: #a3a8b4; background: #f4f5f7; border-color: #e3e5ea; }
QPushButton[accent="true"] { background: #e85d75; border: 1px solid #d94c66; color: #ffffff; font-weight: 600; }
QPushButton[accent="true"]:hover { background: #ef6f85; color: #ffffff; }
QPushButton[accent="true"]:pressed { background: #cf4a62; }
QPushButton[command="true"] { text-align: left; padding-left: 14px; }
QProgressBar { background: #dfe2e8; border: none; border-radius: 1px; }
QProgressBar::chunk { background: #e85d75; border-radius: 1px; }
QGroupBox { border: 1px solid #d9dce3; border-radius: 8px; margin-top: 14px; background: #f7f8fa; }
QGroupBox::title { subcontrol-origin: margin; left: 12px; padding: 0 4px; color: #4a5063; font-weight: 600; }
QRadioButton { spacing: 8px; }
QRadioButton::indicator { width: 14px; height: 14px; }
QTreeWidget, QListWidget { background: #ffffff; border: 1px solid #d9dce3; border-radius: 6px; }
QHeaderView::section { background: #f1f2f5; border: none; border-bottom: 1px solid #d9dce3; padding: 3px 6px; color: #4a5063; }
QMenu { background: #ffffff; border: 1px solid #d4d7de; padding: 4px; }
QMenu::item { padding: 5px 26px 5px 18px; border-radius: 4px; }
QMenu::item:selected { background: #fbe7eb; color: #c43d57; }
QMenu::separator { height: 1px; background: #e6e8ec; margin: 4px 8px; }
QToolTip { background: #ffff00; color: #000000; border: 1px solid #b8b800; font-size: 10pt; }
)");
}

} // namespace velmora
