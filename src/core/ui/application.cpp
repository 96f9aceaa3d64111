#include "application.h"

#include "hooks.h"

TelvinApplication::TelvinApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool TelvinApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        Platform::reportException(std::current_exception());
        return false;
    }
}
