#include <QApplication>

#include "app/PelnixApp.h"
#include "model/Edition.h"

int main(int argc, char** argv) {
    SetEdition(Edition::English);
    QApplication application(argc, argv);
    CPelnixApp app;
    return app.Run(application);
}
