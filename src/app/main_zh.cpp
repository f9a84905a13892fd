#include <QApplication>

#include "app/PelnixApp.h"
#include "model/Edition.h"

int main(int argc, char** argv) {
    SetEdition(Edition::Chinese);
    QApplication application(argc, argv);
    CPelnixApp app;
    return app.Run(application);
}
