#include "dialogs.h"
#include "hookrecorder.h"
#include "warnings.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class TestMessageDialog : public QObject
{
    Q_OBJECT

    // Answers the next modal message box with a key, after recording what it shows.
    struct Seen
    {
        QString title, text;
        QStringList buttons;
        QString focused;
    };
    void pressOnNextBox(int key)
    {
        auto *seen = new Seen;
        QTimer::singleShot(0, this, [seen, key] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen->title = box->windowTitle();
            seen->text = box->text();
            for (QAbstractButton *b : box->buttons())
                seen->buttons << b->text();
            if (auto *f = qobject_cast<QPushButton *>(QApplication::focusWidget()))
                seen->focused = f->text();
            QTest::keyClick(box, Qt::Key(key));
        });
        m_pending.reset(seen);
    }
    std::unique_ptr<Seen> m_pending;

private slots:
    void init() { failOnUnexpectedWarnings(); }

    void initTestCase()
    {
        InstallDesktopPresenters();
        Platform::setApplicationTitle("Telvin Otomotiv B2B Programı");
    }

    void enterAnswersTheDefaultButton_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<MsgDlgButtons>("buttons");
        QTest::addColumn<int>("defaultButton");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<int>("result");
        const MsgDlgButtons yesNo{MsgDlgBtn::Yes, MsgDlgBtn::No};
        QTest::newRow("destructive question defaults to No")
            << int(MsgDlgType::Confirmation) << yesNo << int(MsgDlgBtn::No) << "Soru"
            << QStringList{"Evet", "Hayır"} << int(mrNo);
        QTest::newRow("question defaulting to Yes")
            << int(MsgDlgType::Confirmation) << yesNo << int(MsgDlgBtn::Yes) << "Soru"
            << QStringList{"Evet", "Hayır"} << int(mrYes);
        QTest::newRow("error notice") << int(MsgDlgType::Error) << MsgDlgButtons{MsgDlgBtn::OK}
                                      << int(MsgDlgBtn::OK) << "Hata" << QStringList{"Tamam"}
                                      << int(mrOk);
        QTest::newRow("warning notice, caller order ignored")
            << int(MsgDlgType::Warning) << MsgDlgButtons{MsgDlgBtn::Cancel, MsgDlgBtn::OK}
            << int(MsgDlgBtn::Cancel) << "Uyarı" << QStringList{"Tamam", "Vazgeç"} << int(mrCancel);
    }

    void enterAnswersTheDefaultButton()
    {
        QFETCH(int, type);
        QFETCH(MsgDlgButtons, buttons);
        QFETCH(int, defaultButton);
        QFETCH(QString, title);
        QFETCH(QStringList, captions);
        QFETCH(int, result);
        QList<int> sounds;
        Platform::observers().playSound = [&](int code) { sounds << code; };
        pressOnNextBox(Qt::Key_Return);
        const int answer = ShowMessageDialog("Satır silinsin mi?", MsgDlgType(type), buttons,
                                             MsgDlgBtn(defaultButton), 0);
        Platform::observers().playSound = nullptr;
        QCOMPARE(answer, result);
        QCOMPARE(m_pending->title, title);
        QCOMPARE(m_pending->text, QString("Satır silinsin mi?"));
        QStringList shown = m_pending->buttons;
        std::sort(shown.begin(), shown.end());
        std::sort(captions.begin(), captions.end());
        QCOMPARE(shown, captions);
        QCOMPARE(sounds, QList<int>{soundOfDialogType(MsgDlgType(type))});
    }

    void plainBoxCarriesTheApplicationTitle()
    {
        pressOnNextBox(Qt::Key_Return);
        ShowMessage("Bağlantı reddedildi");
        QCOMPARE(m_pending->title, QString("Telvin Otomotiv B2B Programı"));
        QCOMPARE(m_pending->buttons, QStringList{"Tamam"});
    }

    void observerRecordsAndAnswers()
    {
        HookRecorder hooks;
        hooks.queueAnswers({mrYes});
        const int first = ShowMessageDialog("Programdan Çıkmak İstiyor musunuz ?",
                                            MsgDlgType::Confirmation,
                                            {MsgDlgBtn::Yes, MsgDlgBtn::No}, MsgDlgBtn::Yes, 0);
        const int second = ShowMessageDialog("Tüm sepet silinsin mi?", MsgDlgType::Confirmation,
                                             {MsgDlgBtn::Yes, MsgDlgBtn::No}, MsgDlgBtn::No, 0);
        ShowWarningBox("En az 3 harf giriniz");
        QCOMPARE(first, int(mrYes));
        QCOMPARE(second, int(mrNo));  // queue empty: the default button answers
        const auto msgs = hooks.messages();
        QCOMPARE(msgs.size(), 3);
        QCOMPARE(msgs[0].caption, QString("Soru"));
        QCOMPARE(msgs[0].buttons, (MsgDlgButtons{MsgDlgBtn::Yes, MsgDlgBtn::No}));
        QCOMPARE(msgs[1].defaultButton, MsgDlgBtn::No);
        QCOMPARE(msgs[2].kind, MessageRequest::Kind::WarningBox);
        QVERIFY(QApplication::topLevelWidgets().isEmpty()
                || !QApplication::activeModalWidget());  // nothing was really shown
    }

    void defaultNotOnTheDialogIsIgnored()
    {
        HookRecorder hooks;
        const int r = ShowMessageDialog("x", MsgDlgType::Information, {MsgDlgBtn::OK},
                                        MsgDlgBtn::No, 0);
        QCOMPARE(r, int(mrOk));
    }
};

QTEST_MAIN(TestMessageDialog)
#include "tst_messagedialog.moc"
