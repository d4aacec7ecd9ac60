// quorvelw: the desktop program.
#include "CQuorvelwApp.h"
#include "CommandLine.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quorvelw"));
    QApplication::setApplicationVersion(QStringLiteral(QUORVEL_VERSION));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/quorvelw.png")));

    const CommandLineResult cmd = ParseCommandLine(QApplication::arguments());
    if (cmd.exitNow) {
        std::fputs(cmd.output.toLocal8Bit().constData(), cmd.exitCode == 0 ? stdout : stderr);
        return cmd.exitCode;
    }

    CQuorvelwApp quorvelw;
    if (!quorvelw.InitInstance(cmd.start))
        return 1;
    if (cmd.start.kind == StartCommand::Print || cmd.start.kind == StartCommand::PrintTo)
        return 0;
    return app.exec();
}
