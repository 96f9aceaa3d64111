#include "stokayarintiu.h"

#include "amountedit.h"
#include "animatedpicture.h"
#include "asyncresimu.h"
#include "config.h"
#include "spinedit.h"
#include "utils.h"

#include <QBuffer>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <cmath>

namespace {

// Shown until a stock picture replaces it: a framed landscape sign, drawn once.
const QByteArray &placeholderPicture()
{
    static const QByteArray png = [] {
        QImage image(240, 180, QImage::Format_ARGB32_Premultiplied);
        image.fill(QColor(0xf2, 0xf2, 0xf2));
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0xb0, 0xb0, 0xb0), 4));
        p.drawRoundedRect(QRectF(50, 35, 140, 110), 10, 10);
        p.setBrush(QColor(0xb0, 0xb0, 0xb0));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(150, 70), 12, 12);
        p.drawPolygon(QPolygonF({QPointF(62, 133), QPointF(105, 80), QPointF(135, 115),
                                 QPointF(152, 98), QPointF(178, 133)}));
        p.end();
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    }();
    return png;
}

// What an amount edit holds for the arithmetic: the text the user is typing when he has
// changed it, otherwise the stored value (which may carry more than the two decimals shown).
double amountOf(const AmountEdit *edit)
{
    double value = edit->value();
    if (!edit->isReadOnly() && edit->isModified() && !AmountEdit::parse(edit->text(), &value))
        value = edit->value();
    return value;
}

bool isEnter(const QKeyEvent *key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

QLabel *valueLabel(const char *name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

AmountEdit *amountEdit(const char *name, QWidget *parent)
{
    auto *edit = new AmountEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setReadOnly(true);
    return edit;
}

QLabel *caption(const QString &text, const char *name, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    if (name)
        label->setObjectName(QLatin1String(name));
    return label;
}

}  // namespace

Tstokayarinti::Tstokayarinti(QWidget *owner) : Tstokayarinti(owner, 0)
{
}

Tstokayarinti::Tstokayarinti(QWidget *owner, int _stokno) : QDialog(owner), stokno(_stokno)
{
    setObjectName(QStringLiteral("stokayarinti"));
    setWindowTitle(QStringLiteral("Sepete Ekle"));
    resize(560, 660);

    auto *info = new QWidget(this);
    info->setObjectName(QStringLiteral("Panel1"));
    auto *infoGrid = new QGridLayout(info);
    barkod = valueLabel("barkod", info);
    adi = valueLabel("adi", info);
    finishkod = valueLabel("finishkod", info);
    marka = valueLabel("marka", info);
    model = valueLabel("model", info);
    const QList<QPair<QString, QLabel *>> infoRows = {
        {QStringLiteral("Barkod:"), barkod},        {QStringLiteral("Açıklama:"), adi},
        {QStringLiteral("Finish Kod:"), finishkod}, {QStringLiteral("Marka:"), marka},
        {QStringLiteral("Model:"), model}};
    for (int row = 0; row < infoRows.size(); ++row) {
        infoGrid->addWidget(caption(infoRows[row].first, nullptr, info), row, 0);
        infoGrid->addWidget(infoRows[row].second, row, 1);
    }
    infoGrid->setColumnStretch(1, 1);

    // The web picture lies over the placeholder (or the server's picture) in the same cell.
    auto *pictureArea = new QWidget(this);
    auto *pictureGrid = new QGridLayout(pictureArea);
    pictureGrid->setContentsMargins(0, 0, 0, 0);
    Image1 = new AnimatedPicture(pictureArea);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setProportional(true);
    Image1->setCenter(true);
    Image1->setData(placeholderPicture());
    AsyncResim1 = new TAsyncResim(pictureArea);
    AsyncResim1->setObjectName(QStringLiteral("AsyncResim1"));
    pictureGrid->addWidget(Image1, 0, 0);
    pictureGrid->addWidget(AsyncResim1, 0, 0);
    pictureArea->setMinimumHeight(200);

    auto *amounts = new QWidget(this);
    amounts->setObjectName(QStringLiteral("GridPanel1"));
    QFont big = amounts->font();
    big.setPixelSize(20);
    amounts->setFont(big);
    auto *amountGrid = new QGridLayout(amounts);
    Label1 = caption(QStringLiteral("Adet:"), "Label1", amounts);
    adet = new SpinEdit(1, 10000, amounts);
    adet->setObjectName(QStringLiteral("adet"));
    adet->setValue(1);
    Label2 = caption(QStringLiteral("Fiyat:"), "Label2", amounts);
    birimfiyat = amountEdit("birimfiyat", amounts);
    indirimoran = caption(QStringLiteral("İndirim:"), "indirimoran", amounts);
    indtutar = amountEdit("indtutar", amounts);
    Label3 = caption(QStringLiteral("KDV Dahil:"), "Label3", amounts);
    kdvdahiltutar = amountEdit("kdvdahiltutar", amounts);
    sLabel6 = caption(QStringLiteral("Tutar:"), "sLabel6", amounts);
    geneltutar = amountEdit("geneltutar", amounts);
    const QList<QPair<QLabel *, QWidget *>> amountRows = {{Label1, adet},
                                                          {Label2, birimfiyat},
                                                          {indirimoran, indtutar},
                                                          {Label3, kdvdahiltutar},
                                                          {sLabel6, geneltutar}};
    for (int row = 0; row < amountRows.size(); ++row) {
        amountGrid->addWidget(amountRows[row].first, row, 0);
        amountGrid->addWidget(amountRows[row].second, row, 1);
    }
    amountGrid->setColumnStretch(1, 1);

    GridPanel2 = new QWidget(this);
    GridPanel2->setObjectName(QStringLiteral("GridPanel2"));
    auto *rateGrid = new QGridLayout(GridPanel2);
    edindirim1 = amountEdit("edindirim1", GridPanel2);
    edindirim2 = amountEdit("edindirim2", GridPanel2);
    edindirim3 = amountEdit("edindirim3", GridPanel2);
    edindirim4 = amountEdit("edindirim4", GridPanel2);
    const QList<QPair<QString, AmountEdit *>> rates = {{QStringLiteral("İsk"), edindirim1},
                                                       {QStringLiteral("İsk2"), edindirim2},
                                                       {QStringLiteral("İsk3"), edindirim3},
                                                       {QStringLiteral("İsk4"), edindirim4}};
    for (int column = 0; column < rates.size(); ++column) {
        rateGrid->addWidget(caption(rates[column].first, nullptr, GridPanel2), 0, column);
        rateGrid->addWidget(rates[column].second, 1, column);
    }
    GridPanel2->hide();

    ParcaliTus1 = new QPushButton(QStringLiteral("Sipariş ekle"), this);
    ParcaliTus1->setObjectName(QStringLiteral("ParcaliTus1"));
    ParcaliTus2 = new QPushButton(QStringLiteral("Vazgeç"), this);
    ParcaliTus2->setObjectName(QStringLiteral("ParcaliTus2"));
    // Enter belongs to the edits' own rules, never to a default button.
    for (QPushButton *button : {ParcaliTus1, ParcaliTus2}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    connect(ParcaliTus1, &QPushButton::clicked, this, &Tstokayarinti::ParcaliTus1Click);
    connect(ParcaliTus2, &QPushButton::clicked, this, &Tstokayarinti::ParcaliTus2Click);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ParcaliTus1);
    buttons->addWidget(ParcaliTus2);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(info);
    layout->addWidget(pictureArea, 1);
    layout->addWidget(amounts);
    layout->addWidget(GridPanel2);
    layout->addLayout(buttons);

    // The spin box reports only acceptable values; its editor sees "0" and "" as well.
    if (auto *editor = adet->findChild<QLineEdit *>())
        connect(editor, &QLineEdit::textChanged, this, &Tstokayarinti::adetChange);
    adet->installEventFilter(this);
    for (AmountEdit *edit : amountEdits())
        edit->installEventFilter(this);
    adet->setFocus();
}

Tstokayarinti::~Tstokayarinti() = default;

QList<AmountEdit *> Tstokayarinti::amountEdits() const
{
    return {birimfiyat, indtutar,   kdvdahiltutar, geneltutar,
            edindirim1, edindirim2, edindirim3,    edindirim4};
}

void Tstokayarinti::unlockEditing(bool showDiscountPanel)
{
    for (AmountEdit *edit : {birimfiyat, edindirim1, edindirim2, edindirim3, edindirim4})
        edit->setReadOnly(false);
    GridPanel2->setVisible(showDiscountPanel);
}

LineAmounts Tstokayarinti::ComputeLine(double gross, double ind1, double ind2, double ind3,
                                       double ind4, int quantity)
{
    // Each rate applies to what the previous ones left.
    double x = gross;
    for (double rate : {ind1, ind2, ind3, ind4}) {
        if (rate > 0)
            x -= x * rate / 100;
    }
    LineAmounts line;
    line.discount = gross - x;
    line.net = Round2(x);
    const double unit = quantity != 0 ? line.net / quantity : 0;
    line.netUnit = std::isfinite(unit) ? Round2(unit) : 0;
    return line;
}

bool Tstokayarinti::HasDiscount() const
{
    const double sum = amountOf(edindirim1) + amountOf(edindirim2) + amountOf(edindirim3)
                       + amountOf(edindirim4);
    // Rates are typed with two decimals; binary noise in their sum is not a discount.
    return sum > 1 + 1e-9;
}

int Tstokayarinti::quantityForAmounts() const
{
    bool ok = false;
    const int quantity = QLocale().toInt(adet->cleanText(), &ok);
    return ok ? quantity : adet->minimum();
}

void Tstokayarinti::Recalculate()
{
    const int quantity = quantityForAmounts();
    const double gross = amountOf(birimfiyat) * quantity;
    const LineAmounts line = ComputeLine(gross, amountOf(edindirim1), amountOf(edindirim2),
                                         amountOf(edindirim3), amountOf(edindirim4), quantity);
    indtutar->setValue(line.discount);
    kdvdahiltutar->setValue(Round2((1 + kdvoran / 100) * line.netUnit));
    geneltutar->setValue(Round2(kdvdahiltutar->value() * quantity));
}

void Tstokayarinti::FormShow()
{
    // Decided once: the rates the opener filled in, not what the user types later.
    const bool discounted = HasDiscount();
    indirimoran->setVisible(discounted);
    indtutar->setVisible(discounted);
    Recalculate();
    AsyncResim1->setUrl(clientConfig().webRoot() + QStringLiteral("resimgoster.ashx?id=")
                        + QString::number(stokno));
}

void Tstokayarinti::FormActivate()
{
    adet->selectAll();
}

void Tstokayarinti::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    if (QScreen *screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    FormShow();
}

bool Tstokayarinti::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(event);
}

void Tstokayarinti::adetChange()
{
    Recalculate();
}

void Tstokayarinti::StripVat()
{
    birimfiyat->setValue(amountOf(birimfiyat) / 1.2);
}

bool Tstokayarinti::adetKeyDown(QKeyEvent *key)
{
    if (!isEnter(key))
        return false;
    confirm();
    return true;
}

bool Tstokayarinti::birimfiyatKeyDown(QKeyEvent *key)
{
    return isEnter(key);
}

bool Tstokayarinti::birimfiyatKeyUp(QKeyEvent *key)
{
    const bool strip = key->key() == Qt::Key_F4;
    if (strip)
        StripVat();
    Recalculate();
    return strip;
}

bool Tstokayarinti::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (watched == adet)
            return adetKeyDown(key);
        if (watched == birimfiyat)
            return birimfiyatKeyDown(key);
    } else if (event->type() == QEvent::KeyRelease) {
        auto *edit = qobject_cast<AmountEdit *>(watched);
        if (edit && amountEdits().contains(edit))
            return birimfiyatKeyUp(static_cast<QKeyEvent *>(event));
    }
    return QDialog::eventFilter(watched, event);
}

void Tstokayarinti::ParcaliTus1Click()
{
    confirm();
}

void Tstokayarinti::ParcaliTus2Click()
{
    reject();
}

bool Tstokayarinti::takeQuantity()
{
    bool ok = false;
    const int typed = QLocale().toInt(adet->cleanText(), &ok);
    if (ok && typed >= adet->minimum() && typed <= adet->maximum())
        return true;
    // An empty, zero or out-of-range quantity would reach the server as such: show the
    // nearest valid one with its amounts and let the user confirm again.
    adet->setValue(qBound(adet->minimum(), ok ? typed : adet->minimum(), adet->maximum()));
    adet->selectAll();
    Recalculate();
    return false;
}

void Tstokayarinti::commitTypedAmounts()
{
    // The opener reads values; text typed into a still-focused edit is not one yet.
    for (AmountEdit *edit : amountEdits()) {
        double value = 0;
        if (!edit->isReadOnly() && edit->isModified() && AmountEdit::parse(edit->text(), &value))
            edit->setValue(value);
    }
}

void Tstokayarinti::confirm()
{
    if (!takeQuantity())
        return;
    commitTypedAmounts();
    Recalculate();
    accept();
}
