#include "app/AppInit.h"
#include "app/Hlavni_f.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    InitApplication();
    THlavni window;
    window.show();
    return QApplication::exec();
}
