// The start-up yardstick of `banco`: the least a Qt Widgets program does to show one window. It
// prints one line when the window is first painted and ends there.

#include <QApplication>
#include <QEvent>
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
    FirstPaint watch;
    window.installEventFilter(&watch);
    window.show();
    return app.exec();
}
