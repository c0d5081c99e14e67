// The yardstick of bench_avvio: an empty Qt Widgets window of the given size, and nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget finestra;
    finestra.resize(argc > 2 ? atoi(argv[1]) : 640, argc > 2 ? atoi(argv[2]) : 480);
    finestra.show();
    return app.exec();
}
