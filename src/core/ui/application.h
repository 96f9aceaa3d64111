#pragma once

#include <QApplication>

// The client's application object: an exception that escapes an event handler reaches the
// default error report instead of ending the program.
class TelvinApplication final : public QApplication
{
    Q_OBJECT

public:
    TelvinApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};
