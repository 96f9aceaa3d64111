#pragma once

#include <QDialog>

class AmountEdit;
class AnimatedPicture;
class QKeyEvent;
class QLabel;
class QPushButton;
class SpinEdit;
class TAsyncResim;

// Amounts of one basket line after its cascaded discounts.
struct LineAmounts
{
    double discount = 0;  // gross minus net, unrounded
    double net = 0;       // rounded to two decimals
    double netUnit = 0;   // net per piece, rounded; 0 when there is no quantity
};

// "Sepete Ekle": the item's codes and picture, the quantity, unit price and discounts of a
// basket line, and its discount, VAT-inclusive unit price and total, recomputed as the user
// types. The opener fills the controls and `kdvoran`, optionally unlocks editing, runs the
// dialog modally and after Accepted reads the text of `adet`, the value of `birimfiyat` and
// the values of `edindirim1` ... `edindirim4`.
class Tstokayarinti final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tstokayarinti)

public:
    explicit Tstokayarinti(QWidget *owner = nullptr);
    // Ac: the stock number is the id of the web picture; the plain constructor leaves it 0.
    Tstokayarinti(QWidget *owner, int _stokno);
    ~Tstokayarinti() override;

    // Makes the unit price and the discount rates editable; the panel of the four rates is
    // shown only when asked.
    void unlockEditing(bool showDiscountPanel);

    static LineAmounts ComputeLine(double gross, double ind1, double ind2, double ind3,
                                   double ind4, int quantity);
    bool HasDiscount() const;
    void Recalculate();
    int quantityForAmounts() const;  // a non-number counts as the edit's minimum

    void FormShow();
    void FormActivate();
    void ParcaliTus1Click();
    void ParcaliTus2Click();

    int stokno = 0;
    double kdvoran = 0;  // VAT rate in percent

    QLabel *barkod;
    QLabel *adi;
    QLabel *finishkod;
    QLabel *marka;
    QLabel *model;
    AnimatedPicture *Image1;
    TAsyncResim *AsyncResim1;
    QLabel *Label1;
    SpinEdit *adet;
    QLabel *Label2;
    AmountEdit *birimfiyat;
    QLabel *indirimoran;
    AmountEdit *indtutar;
    QLabel *Label3;
    AmountEdit *kdvdahiltutar;
    QLabel *sLabel6;
    AmountEdit *geneltutar;
    QWidget *GridPanel2;
    AmountEdit *edindirim1;
    AmountEdit *edindirim2;
    AmountEdit *edindirim3;
    AmountEdit *edindirim4;
    QPushButton *ParcaliTus1;
    QPushButton *ParcaliTus2;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;

private:
    bool adetKeyDown(QKeyEvent *key);
    bool birimfiyatKeyDown(QKeyEvent *key);
    bool birimfiyatKeyUp(QKeyEvent *key);  // shared by every amount edit
    void adetChange();
    void StripVat();
    void confirm();
    bool takeQuantity();
    void commitTypedAmounts();
    QList<AmountEdit *> amountEdits() const;

    bool m_shown = false;
    bool m_activated = false;
};
