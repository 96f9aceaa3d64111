#pragma once

#include "dataset.h"

#include <QDialog>
#include <QString>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class ServerConnection;
class TSonucBilgisi;

// "Sipariş Onay": shows who orders for which account and the amount, and asks for the
// delivery mode, the cargo type, the cargo company and an optional note. Closes with
// Accepted once all three are chosen; the opener then reads td, kt, KN and aciklamagir.
// Delivery modes and cargo types are loaded while the dialog is built; an error raised by
// the server there passes out of the constructor to the opener.
class TONAYSIP final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TONAYSIP)

public:
    TONAYSIP(QWidget *AOwner, ServerConnection *_c, const QString &mesaj,
             const TSonucBilgisi *_sbilgi, const QString &_toplam);
    ~TONAYSIP() override;

    ServerConnection *bagc = nullptr;        // the opener's connection; not owned
    const TSonucBilgisi *sbilgi = nullptr;   // the opener's session record; not owned
    QString toplam;
    int td = 0;  // chosen delivery mode
    int kt = 0;  // chosen cargo type
    int KN = 0;  // SIRANO of the chosen cargo company
    Dataset kargo;

    QGroupBox *teslimbox;
    QGroupBox *boxkargo;
    QGroupBox *GroupBox1;
    QComboBox *kargocombo;
    QLabel *uyarikargo;
    QGroupBox *GroupBox2;
    QPlainTextEdit *aciklamagir;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label1;
    QPushButton *Button1;
    QPushButton *Button2;

    void boxkargoClick();
    void kargocomboChange();
    void Button1Click();

private:
    void buildLayout();
    void LoadDeliveryAndCargoTypes();
    void LoadCargoCompanies(int gn);
    void clearCargoCompanies();
    bool confirm();

    QButtonGroup *m_teslimGroup;
    QButtonGroup *m_kargoGroup;
};
