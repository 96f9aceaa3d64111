#include "application.h"
#include "clientstartup.h"
#include "unit1.h"

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);  // the embedded browser
    TelvinApplication app(argc, argv);
    PrepareClientApplication();
    TForm1 form;
    form.FormCreate();
    form.showMaximized();
    return app.exec();
}
