#include "app/batch/batch_options.h"

namespace velmora::batch {

std::optional<QString> take_work_dir(QStringList& arguments, QString& error) {
    const qsizetype i = arguments.indexOf(QStringLiteral("--work-dir"));
    if (i < 0)
        return QString();
    if (i + 1 >= arguments.size() || arguments[i + 1].isEmpty()) {
        error = QStringLiteral("--work-dir needs a folder");
        return std::nullopt;
    }
    const QString folder = arguments[i + 1];
    arguments.remove(i, 2);
    return folder;
}

std::optional<BatchOptions> parse_batch_options(const QStringList& arguments, QString& error) {
    BatchOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == QLatin1String("--data-root")) {
            if (i + 1 >= arguments.size()) {
                error = QStringLiteral("--data-root needs a folder");
                return std::nullopt;
            }
            options.data_root = arguments[++i];
        } else if (arg == QLatin1String("--json")) {
            options.json = true;
        } else if (arg.startsWith(QLatin1String("--"))) {
            error = QStringLiteral("unknown option %1").arg(arg);
            return std::nullopt;
        } else {
            options.positional.append(arg);
        }
    }
    return options;
}

} // namespace velmora::batch
