// telvin-screenshot FILE.png: logs the demo dealer in against the embedded server, runs one
// stock search and saves a picture of the main window. For checking the look under Xvfb.
#include "application.h"
#include "clientstartup.h"
#include "dialogs.h"
#include "embeddedserver.h"
#include "girisformu.h"
#include "unit1.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <cstdio>

namespace {

// Waits on the event loop until `done` holds or the time is up.
bool waitFor(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return done();
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "Kullanım: telvin-screenshot DOSYA.png\n");
        return 2;
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TelvinApplication app(argc, argv);
    PrepareClientApplication();

    QTemporaryDir folder;
    EmbeddedServer server;
    if (!server.start(folder.path(), 2000)) {
        std::fprintf(stderr, "%s\n", qPrintable(server.error()));
        return 1;
    }
    DialogDriver() = [](QDialog *dialog) -> int {
        if (auto *login = qobject_cast<Tgirisform *>(dialog)) {
            login->show();
            login->findChild<QLineEdit *>(QStringLiteral("adi"))->setText(QStringLiteral("DEMO"));
            login->findChild<QLineEdit *>(QStringLiteral("sifre"))->setText(QStringLiteral("1234"));
            login->Button1Click();
            waitFor([login] { return login->isHidden(); }, 30000);
            return login->result();
        }
        return dialog->exec();
    };
    TForm1 form;
    form.FormCreate();
    form.resize(1366, 768);
    form.show();
    form.araedit->setText(QStringLiteral("FREN"));
    form.SpeedButton2->click();
    waitFor([&form] { return form.araedit->isEnabled() && form.stok.RecordCount() > 0; }, 30000);
    waitFor([] { return false; }, 1500);  // let the start-up sequence and the grid settle
    const bool saved = form.grab().save(QString::fromLocal8Bit(argv[1]));
    std::fprintf(stderr, "%s %s\n", saved ? "Kaydedildi:" : "Kaydedilemedi:", argv[1]);
    return saved ? 0 : 1;
}
