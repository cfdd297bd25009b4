// Renders the program's SVG icon as square PNG files for the desktop's icon theme.
//
//   disegna-icona <icon.svg> <output folder> <size>...   writes <output folder>/<size>/cablora.png

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "uso: disegna-icona <icona.svg> <cartella> <lato>...\n");
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "icona non leggibile: %s\n", argv[1]);
        return 1;
    }
    const QDir out(QString::fromLocal8Bit(argv[2]));
    for (int i = 3; i < argc; ++i) {
        const int side = QString::fromLatin1(argv[i]).toInt();
        if (side <= 0)
            return 2;
        QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter, QRectF(0, 0, side, side));
        painter.end();
        QDir().mkpath(out.filePath(QString::number(side)));
        if (!image.save(out.filePath(QStringLiteral("%1/cablora.png").arg(side)))) {
            std::fprintf(stderr, "impossibile scrivere l'icona di lato %d\n", side);
            return 1;
        }
    }
    return 0;
}
