#include "app/desktop/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace velmora {

bool install_qt_chinese(QTranslator& translator) {
    if (!translator.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(&translator);
}

} // namespace velmora
