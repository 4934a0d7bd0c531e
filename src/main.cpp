#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Handwright 1.8");
    QMainWindow window;
    window.setObjectName("Form1");
    window.setWindowTitle("Handwright 1.8");
    window.resize(800, 600);
    window.show();
    return app.exec();
}
