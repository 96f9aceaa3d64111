#include "application.h"

#include "hooks.h"

#include <QLocale>

TelvinApplication::TelvinApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    // Amounts follow the user's locale; a machine with none set (the "C" locale) is taken
    // to be Turkish, as the program's users are.
    if (QLocale::system().language() == QLocale::C)
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
}

bool TelvinApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        Platform::reportException(std::current_exception());
        return false;
    }
}
