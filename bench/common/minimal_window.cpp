// The smallest Qt Widgets program with a window of the size of Velbrook's
// title window: the yardstick for the program's start-up (bench/startup.sh).

#include <QApplication>
#include <QLabel>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Minimal window"));
    window.setWindowTitle(QStringLiteral("Minimal Qt window"));
    window.resize(352, 152);
    window.show();
    return app.exec();
}
