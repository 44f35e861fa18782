// velmora: the desktop album maker.
#include <cstdio>
#include <QApplication>
#include <QWidget>

#include "core/data_error.h"
#include "core/data_root.h"
#include "core/startup_abort.h"
#include "templates/template_catalogue.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    const velmora::DataRoot root = velmora::DataRoot::beside(QCoreApplication::applicationDirPath());

    velmora::TemplateCatalogue catalogue;
    try {
        velmora::load_template_catalogue(root, catalogue, {}, {}, [] { QCoreApplication::processEvents(); });
    } catch (const velmora::StartupAbort& e) {
        std::fprintf(stderr, "velmora: %s\n", e.what());
        return 1;
    } catch (const velmora::DataError& e) {
        std::fprintf(stderr, "velmora: %s\n", e.what());
        return 1;
    }

    QWidget window;
    window.setObjectName(QStringLiteral("TForm2"));
    window.setWindowTitle(QStringLiteral("Velmora"));
    window.resize(1189, 695);
    window.show();
    return app.exec();
}
