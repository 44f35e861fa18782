#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace velmora::test {

// What one run of the built velmora-make printed and how it ended.
struct ToolRun {
    int exit_code = -1;  // -1 when the tool crashed or did not end in time
    QByteArray out;
    QString error;
};

// Runs velmora-make with `arguments` and waits for it, at most `timeout_ms`.
ToolRun run_velmora_make(const QStringList& arguments, int timeout_ms = 300000);

} // namespace velmora::test
