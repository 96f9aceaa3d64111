#include "clientstartup.h"

#include "dialogs.h"
#include "formistekyeniu.h"

#include <QApplication>
#include <QStyleFactory>

void PrepareClientApplication()
{
    InstallDesktopPresenters();
    PrepareEmbeddedBrowser();
    // A plain, even look in place of the original visual style.
    if (QStyle *style = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(style);
}
