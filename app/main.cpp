// Velbrook: binds directories of message files into categories for browsing.

#include "app/app.h"

#include <QApplication>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    vb::Application velbrook;
    velbrook.start();
    return app.exec();
}
