// velmora: the desktop album maker.
#include <QApplication>

#include "app/desktop/desktop_app.h"
#include "core/single_instance.h"
#include "media/ffmpeg_logging.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    velmora::quiet_ffmpeg_logging();

    // A second copy ends at once; the first keeps running.
    velmora::SingleInstance instance(QStringLiteral("Velmora"));
    if (!instance.acquire())
        return 0;

    velmora::DesktopApp::Options options;
    options.finish = [](int code) { QCoreApplication::exit(code); };
    velmora::DesktopApp desktop(velmora::DataRoot::beside(QCoreApplication::applicationDirPath()), std::move(options));
    desktop.start();
    return app.exec();
}
