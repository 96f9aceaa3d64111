#pragma once

#include "baglantiu.h"
#include "dataset.h"
#include "serverconnection.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class AnimatedPicture;
class BasketLineEditor;
class BasketTab;
class StockTab;
class BusyIndicator;
class DataGrid;
class Marquee;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;
class TabControl;

// The main window: owns the shared connection, the session record and the tab datasets,
// lays itself out by the user's role after the login and runs the start-up sequence. The
// tabs' own behaviour lives in their files; this class keeps what several tabs share.
class TForm1 final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm1)

public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // The whole start of the program after the window exists, the login included.
    void FormCreate();

    // Runs on the start-up task; `guard` is the window as the task saw it at its start.
    void AnaBilgiAl(const QPointer<const QObject> &guard);
    void G1Click();
    void WebSiteMenuItemClick();
    void LayoutStockGrid();

    // Reloads the basket from the server; errors of the call pass to the caller.
    void LoadBasket();
    BasketLineEditor &lineEditor() { return *m_lineEditor; }
    StockTab &stockTab() { return *m_stockTab; }
    BasketTab &basketTab() { return *m_basketTab; }

    // Shared state
    ServerConnection bagc;
    TSonucBilgisi sbilgi;
    int _acilisadet = 0;

    Dataset stok;
    Dataset sepet;
    Dataset ONCEKILER;
    Dataset EKSTRE;
    Dataset YENILER;
    Dataset kampstok;

    // Header
    QLabel *kullanicilbl;
    QLabel *cariadilbl;
    QLabel *saticilbl;
    AnimatedPicture *RxGIFAnimator1;
    QToolButton *Button3;
    QMenu *Genelmenu;
    QAction *M1;
    QAction *N4;
    QAction *WebSiteMenuItem;
    QAction *G1;
    QAction *R1;

    // Search bar
    QLineEdit *araedit;
    QToolButton *SpeedButton2;
    QToolButton *SpeedButton1;
    QPushButton *musteritus;
    BusyIndicator *gifstokara;
    BusyIndicator *gifyeniler;
    BusyIndicator *gifkampanyali;
    BusyIndicator *gifduyuru;
    BusyIndicator *gifoncekiler;
    BusyIndicator *gifsepet;
    BusyIndicator *gifekstre;

    AnimatedPicture *RxGIFAnimator2;

    // Tabs, in order
    TabControl *sPageControl1;
    QWidget *sstoklistesi;
    QWidget *ssepet;
    QWidget *sonceki;
    QWidget *sccariekstre;
    QWidget *syeniler;
    QWidget *skampanyali;
    QWidget *sTabSheetduyuru;
    QWidget *sTabbakiyeler;
    QWidget *ss;

    DataGrid *cxGrid1;       // stock list
    DataGrid *cxGrid2;       // basket
    DataGrid *cxGrid6;       // new items
    DataGrid *cxkampanyali;  // campaign items

    // Bottom strip
    QWidget *Panel5;
    Marquee *kayanyazi;
    Marquee *RealTimeMarquee1;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildHeader(QWidget *parent);
    void buildSearchBar(QWidget *parent);
    void buildTabs();
    QWidget *buildLegend();
    void buildBottomStrip();
    bool LoginAndSetUp();
    void ApplyCustomerTypeLayout();
    void StartStartupSequence();
    bool FormCloseQuery();
    void setTabShown(QWidget *page, bool shown);

    StockTab *m_stockTab = nullptr;
    BasketTab *m_basketTab = nullptr;
    std::unique_ptr<BasketLineEditor> m_lineEditor;
    bool m_basketReloadPending = false;
    friend class BasketTab;
};
