#include "application.h"
#include "dialogs.h"
#include "formistekyeniu.h"
#include "unit1.h"

#include <QStyleFactory>

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);  // the embedded browser
    TelvinApplication app(argc, argv);
    InstallDesktopPresenters();
    PrepareEmbeddedBrowser();
    if (QStyle *style = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(style);
    TForm1 form;
    form.FormCreate();
    form.showMaximized();
    return app.exec();
}
