#include "tests/tools/ToolRun.h"

#include <QProcess>

ToolRun runAdminTool(const QStringList& arguments, const QProcessEnvironment& environment,
                     const QByteArray& input)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ZEB_ADMIN_TOOL), arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(-1);
    ToolRun result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}
