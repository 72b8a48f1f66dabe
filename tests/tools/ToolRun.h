#pragma once

#include <QProcessEnvironment>
#include <QStringList>

// What a run of zeb7-admin gave back.
struct ToolRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the admin tool of this build with `arguments` in `environment`; `input` is what it finds on its
// standard input, which then ends. A crash gives exit code -1.
ToolRun runAdminTool(const QStringList& arguments, const QProcessEnvironment& environment,
                     const QByteArray& input = {});
