// The client's own timings against the embedded server over a 100,000-item catalogue:
// login to an idle main window, stock searches of about 10,000 and 100,000 rows from Enter
// to the grid re-attached, and adding a basket line up to the reloaded basket. A probe
// timer on the UI thread reports the longest time the thread was blocked meanwhile.
#include "application.h"
#include "basketlineeditor.h"
#include "datagrid.h"
#include "dialogs.h"
#include "embeddedserver.h"
#include "formistekyeniu.h"
#include "girisformu.h"
#include "spinedit.h"
#include "stokayarintiu.h"
#include "unit1.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <cstdio>

namespace {

// The longest gap between two ticks of a 2 ms timer: how long the UI thread was busy.
class LatencyProbe
{
public:
    LatencyProbe()
    {
        m_timer.setInterval(2);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            if (m_last >= 0)
                m_worst = std::max(m_worst, now - m_last);
            m_last = now;
        });
    }
    void start()
    {
        m_worst = 0;
        m_last = -1;
        m_clock.start();
        m_timer.start();
    }
    double stopMs()
    {
        m_timer.stop();
        return m_worst / 1e6;
    }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = -1;
    qint64 m_worst = 0;
};

bool waitFor(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

void settle(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TelvinApplication app(argc, argv);
    PrepareEmbeddedBrowser();
    const int items = argc > 1 ? QByteArray(argv[1]).toInt() : 100000;

    QTemporaryDir folder;
    EmbeddedServer server;
    QElapsedTimer seedTimer;
    seedTimer.start();
    if (!server.start(folder.path(), items, items * 2)) {
        std::fprintf(stderr, "%s\n", qPrintable(server.error()));
        return 1;
    }
    std::printf("catalogue: %d items, seeded in %.1f s\n", items, seedTimer.elapsed() / 1000.0);

    LatencyProbe probe;
    QElapsedTimer sinceLogin;
    DialogDriver() = [&](QDialog *dialog) -> int {
        if (auto *login = qobject_cast<Tgirisform *>(dialog)) {
            login->findChild<QLineEdit *>(QStringLiteral("adi"))->setText(QStringLiteral("DEMO"));
            login->findChild<QLineEdit *>(QStringLiteral("sifre"))->setText(QStringLiteral("1234"));
            bool finished = false;
            QObject::connect(login, &QDialog::finished, [&] {
                finished = true;
                sinceLogin.start();
                probe.start();
            });
            login->Button1Click();
            waitFor([&finished] { return finished; }, 60000);
            return login->result();
        }
        if (auto *detail = qobject_cast<Tstokayarinti *>(dialog)) {
            detail->FormShow();
            detail->adet->setValue(2);
            detail->ParcaliTus1Click();
            return detail->result();
        }
        return QDialog::Rejected;
    };

    TForm1 form;
    form.FormCreate();
    form.resize(1400, 900);
    form.show();
    QCoreApplication::processEvents();
    const double toShown = sinceLogin.nsecsElapsed() / 1e6;
    settle(1500);  // the start-up sequence runs meanwhile
    const double loginBlock = probe.stopMs();
    std::printf("login to main window shown: %.1f ms (target < 300 ms); UI thread blocked at "
                "most %.1f ms during start-up (target <= 50 ms)\n",
                toShown, loginBlock);

    struct Search
    {
        const char *text;
        double targetMs;
    };
    for (const Search &s : {Search{"FK10", 300}, Search{"FK1", 1500}}) {
        double best = 1e9, worstBlock = 0;
        int rows = 0;
        for (int round = 0; round < 3; ++round) {
            form.araedit->setText(QString::fromLatin1(s.text));
            probe.start();
            QElapsedTimer t;
            t.start();
            form.SpeedButton2->click();
            waitFor([&] { return form.araedit->isEnabled(); }, 120000);
            const double ms = t.nsecsElapsed() / 1e6;
            worstBlock = std::max(worstBlock, probe.stopMs());
            best = std::min(best, ms);
            rows = form.stok.RecordCount();
            settle(100);
        }
        std::printf("search '%s': %d rows, Enter to grid re-attached %.0f ms (best of 3, target "
                    "< %.0f ms); UI thread blocked at most %.1f ms (target <= 50 ms)\n",
                    s.text, rows, best, s.targetMs, worstBlock);
    }

    form.araedit->setText(QStringLiteral("FK10"));
    form.SpeedButton2->click();
    waitFor([&] { return form.araedit->isEnabled(); }, 60000);
    double addBest = 1e9;
    for (int i = 0; i < 5; ++i) {
        form.cxGrid1->setFocusedRecord(i);
        QElapsedTimer t;
        t.start();
        form.lineEditor().OpenFromGrid(*form.cxGrid1, form.stok,
                                       BasketLineEditor::Source::StockList);
        addBest = std::min(addBest, t.nsecsElapsed() / 1e6);
    }
    std::printf("adding a line, double click to basket reloaded (dialog answered at once): "
                "%.1f ms (best of 5), basket %d lines\n",
                addBest, form.sepet.RecordCount());
    std::fflush(stdout);
    std::_Exit(0);  // the window and server need no orderly end here
}
