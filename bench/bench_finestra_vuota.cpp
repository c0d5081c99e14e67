// The yardstick of bench_avvio: an empty Qt Widgets window of the given size, and nothing else;
// with a third argument, one line of text in it, the least that any window with words costs
// (the font set-up).
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget finestra;
    finestra.resize(argc > 2 ? atoi(argv[1]) : 640, argc > 2 ? atoi(argv[2]) : 480);
    if (argc > 3)
        (new QLabel(QString::fromLocal8Bit(argv[3]), &finestra))->move(10, 10);
    finestra.show();
    return app.exec();
}
