#include "batch/tool_run.h"

#include <QProcess>

namespace velmora::test {

ToolRun run_velmora_make(const QStringList& arguments, int timeout_ms) {
    QProcess process;
    process.start(QStringLiteral(VELMORA_BIN_DIR) + "/velmora-make", arguments);
    process.waitForFinished(timeout_ms);
    ToolRun run;
    run.exit_code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.error = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace velmora::test
