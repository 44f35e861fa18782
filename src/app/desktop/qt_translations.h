#pragma once

#include <QTranslator>

namespace velmora {

// Loads Qt's own Chinese texts ("qtbase_zh_CN" from Qt's translations folder: the buttons and
// labels of the standard dialogs) into `translator` and installs it in the application. The
// translator must outlive its use; destroying it uninstalls it. Returns false, and Qt keeps
// its English texts, when the translation file is not installed.
bool install_qt_chinese(QTranslator& translator);

} // namespace velmora
