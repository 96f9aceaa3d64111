#include "servercommands.h"

#include <QGuiApplication>

int main(int argc, char *argv[])
{
    // Pictures and PDFs need fonts, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("telvin-server"));
    return ServerCommands::run(QGuiApplication::arguments());
}
