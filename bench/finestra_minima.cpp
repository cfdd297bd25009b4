// The start-up yardstick of `banco`: the least a Qt Widgets program does to show one window. It
// prints one line when the window is first painted and ends there. With the argument "testo" the
// window shows one line of text, so that the program also loads the font database, as every window
// with text does.

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QWidget>

#include <cstdio>
#include <unistd.h>

namespace {

class FirstPaint : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            std::printf("mostrata\n");
            std::fflush(stdout);
            _exit(0);
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(400, 300);
    if (argc > 1 && QByteArray(argv[1]) == "testo")
        (new QLabel(QStringLiteral("Accesso al programma"), &window))->move(20, 20);
    FirstPaint watch;
    window.installEventFilter(&watch);
    window.show();
    return app.exec();
}
