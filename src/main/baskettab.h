#pragma once

#include <QObject>
#include <QPointer>

class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class TForm1;

// The "Sepet" tab: the basket grid and its totals, the overdue-balance warning, selecting,
// changing and deleting lines, the Excel export and sending the order.
class BasketTab final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BasketTab)

public:
    explicit BasketTab(TForm1 &form);

    void ssepetShow();
    void CariBakiyeUyariBak(const QPointer<const QObject> &guard);
    void ComputeBasketTotals();
    void Deitir1Click();
    void SatrSil1Click();
    void HepsiniSil1Click();
    void Button4Click();
    void Button5Click();
    void Button2Click();
    void Button1Click();
    bool UpdateLineSelection(int sirano, int secim);
    bool SendOrder(int KN, int kt, int td, const QString &aciklama);
    bool isLoading() const { return m_loading; }
    // Returns once the tab's own load has ended; others read the basket only then.
    void waitForLoad();

    QMenu *PopupMenu1;
    QPushButton *Button4;
    QPushButton *Button5;
    QLabel *lbluyarbakiye;
    QPushButton *Button1;
    QPushButton *Button2;
    QGroupBox *GroupBox2;
    QLabel *aratoplaml;
    QLabel *indiriml;
    QLabel *nettutarl;
    QLabel *vergil;
    QLabel *geneltoplaml;

signals:
    void loadFinished();

private:
    void buildControls();
    void declareColumns();
    void setAllSelections(int mark);
    void setButtonsEnabled(bool enabled);
    void deleteFocusedLine();
    void deleteAllLines();
    void sendBasket();
    bool positionOnFocusedLine(int &sirano);

    TForm1 &m_form;
    bool m_loading = false;
};
