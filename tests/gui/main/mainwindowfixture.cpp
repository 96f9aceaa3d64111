#include "mainwindowfixture.h"

#include "dialogs.h"
#include "girisformu.h"
#include "unit1.h"
#include "utils.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

int finishOf(QDialog *dialog, const std::function<void()> &act, int timeoutMs)
{
    QSignalSpy finished(dialog, &QDialog::finished);
    act();
    if (finished.isEmpty() && !finished.wait(timeoutMs))
        return -1;
    return finished.first().first().toInt();
}

MainWindowFixture::MainWindowFixture()
{
    QStandardPaths::setTestModeEnabled(true);
    QFile::remove(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                  + "/telvinotomotiv/ayar.ini");
    hooks = std::make_unique<HookRecorder>();
}

MainWindowFixture::~MainWindowFixture()
{
    form.reset();
    DialogDriver() = nullptr;
    resetMachineSources();
}

bool MainWindowFixture::startServer()
{
    if (!server.start())
        return false;
    server.configureClient();
    return true;
}

TForm1 *MainWindowFixture::login(const QString &machine, const QString &user,
                                 const QString &password)
{
    machineSources().diskSerial = [machine] { return machine; };
    DialogDriver() = [this, user, password](QDialog *dialog) -> int {
        if (auto *login = qobject_cast<Tgirisform *>(dialog)) {
            login->findChild<QLineEdit *>("adi")->setText(user);
            login->findChild<QLineEdit *>("sifre")->setText(password);
            login->findChild<QCheckBox *>("benihatirla")->setChecked(remember);
            // Done when the dialog closes or, after a refusal, is ready for another try.
            QSignalSpy finished(login, &QDialog::finished);
            auto *button = login->findChild<QPushButton *>("Button1");
            login->Button1Click();
            // A time-out leaves the dialog open, which the caller's checks then report.
            (void)QTest::qWaitFor([&] { return !finished.isEmpty() || button->isEnabled(); },
                                  60000);
            return finished.isEmpty() ? int(QDialog::Rejected) : finished.first().first().toInt();
        }
        return onDialog ? onDialog(dialog) : int(QDialog::Rejected);
    };
    form = std::make_unique<TForm1>();
    form->FormCreate();
    form->resize(1400, 900);
    form->show();
    return form.get();
}
