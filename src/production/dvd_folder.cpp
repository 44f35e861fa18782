#include "production/dvd_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace velmora {
namespace {

const QString kProgram = QStringLiteral("dvdauthor");

// dvdauthor prints its progress and findings on standard error.
struct Authoring {
    QString error;
    QString output;
};

Authoring run_dvdauthor(const QStringList& arguments, mcl::TvStandard standard) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VIDEO_FORMAT"),
                       standard == mcl::TvStandard::ntsc ? QStringLiteral("NTSC") : QStringLiteral("PAL"));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(kProgram, arguments);
    if (!process.waitForStarted())
        return {QStringLiteral("dvdauthor cannot be started (is the dvdauthor package installed?): %1")
                    .arg(process.errorString()), {}};
    process.waitForFinished(-1);
    Authoring result{{}, QString::fromLocal8Bit(process.readAll())};
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        QStringList errors;
        for (const QString& line : result.output.split(QLatin1Char('\n')))
            if (line.startsWith(QLatin1String("ERR:")))
                errors.append(line.trimmed());
        result.error = QStringLiteral("dvdauthor failed (exit code %1)%2")
                           .arg(process.exitCode())
                           .arg(errors.isEmpty() ? QString() : QStringLiteral(": ") + errors.join(QLatin1Char(' ')));
    }
    return result;
}

QStringList warning_lines(const QString& output) {
    QStringList warnings;
    for (const QString& line : output.split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("WARN:")))
            warnings.append(line.trimmed());
    return warnings;
}

} // namespace

DvdFolderResult write_dvd_folder(const QString& album, const QString& folder, mcl::TvStandard standard) {
    const QFileInfo target(folder);
    if (target.exists())
        return {QStringLiteral("%1 already exists; name a folder that does not exist yet").arg(folder), {}};
    if (!QFileInfo(album).isFile())
        return {QStringLiteral("the album file %1 does not exist").arg(album), {}};
    QTemporaryDir temporary(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral("-XXXXXX"));
    if (!temporary.isValid())
        return {QStringLiteral("cannot make a folder beside %1: %2").arg(folder, temporary.errorString()), {}};
    DvdFolderResult result;
    for (const QStringList& arguments : {QStringList{QStringLiteral("-o"), temporary.path(), QStringLiteral("-t"), album},
                                         QStringList{QStringLiteral("-o"), temporary.path(), QStringLiteral("-T")}}) {
        const Authoring step = run_dvdauthor(arguments, standard);
        result.warnings += warning_lines(step.output);
        if (!step.error.isEmpty()) {
            result.error = step.error;
            return result;
        }
    }
    if (!QDir().rename(temporary.path(), target.absoluteFilePath())) {
        result.error = QStringLiteral("cannot rename the finished DVD folder to %1").arg(folder);
        return result;
    }
    temporary.setAutoRemove(false);
    // A temporary folder is private to its owner; the finished DVD is an ordinary folder.
    QFile::setPermissions(target.absoluteFilePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                         QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                                         QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                         QFileDevice::ExeOther);
    return result;
}

} // namespace velmora
