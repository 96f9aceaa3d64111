#pragma once

#include <QIcon>
#include <QPixmap>

// The program's small pictures, drawn in code: the availability marks shared by the status
// legend and the stock lists, and the tab icons.
namespace Artwork {

// Availability code of the DURUM columns: 0 Yok, 1 Var, 2 Telefon Açınız, 3 Yolda,
// 4 Özel Sipariş, 5 Tedarik Sürecinde.
QPixmap statusPicture(int durum, int size = 16);
QIcon tabIcon(int index);
QPixmap picturePicture(int size = 16);   // the stock has a picture
QPixmap newPicture(int size = 16);       // new item
QPixmap campaignPicture(int size = 16);  // campaign item
QPixmap logo(int height);
QIcon menuIcon();
QIcon searchIcon();
QIcon clearIcon();

}  // namespace Artwork
