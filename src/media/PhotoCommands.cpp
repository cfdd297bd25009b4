#include "media/PhotoCommands.h"

#include "media/PictureLimits.h"
#include "media/TfrmZoom.h"
#include "widgets/FileDialogs.h"
#include "widgets/MessageBoxes.h"
#include "widgets/PhotoArea.h"

namespace PhotoCommands {

void load(QWidget *window, PhotoArea *area)
{
    const QString file =
        FileDialogs::openFileName(window, QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap."),
                                  QStringLiteral("Immagine JPEG (*.jpg *.jpeg);;Immagine Bitmap (*.bmp)"));
    if (file.isEmpty())
        return;
    const PhotoArea::Decoded decoded = PhotoArea::decodeFile(file, area->areaSize());
    if (decoded.tooLarge) {
        MessageBoxes::warning(window, PictureLimits::tooLargeMessage(file));
        return;
    }
    if (!area->show(decoded))
        area->clear();
}

void exportToFile(QWidget *window, PhotoArea *area)
{
    const QString file = FileDialogs::saveFileName(
        window, QStringLiteral("Selezionare la cartella in cui si desidera salvare il file Jpeg."),
        QStringLiteral("File Jpeg (*.jpg)"), QStringLiteral("jpg"), QStringLiteral("Foto.jpg"));
    if (file.isEmpty())
        return;
    // A failed write keeps the picture in the area: it may be stored nowhere else yet.
    if (!area->saveTo(file))
        MessageBoxes::warning(window, QStringLiteral("Attenzione: non è stato possibile salvare la foto nel "
                                                     "file indicato.\n\r\n\rAccertarsi di possedere i "
                                                     "privilegi di scrittura nella cartella scelta."));
}

void zoom(QWidget *window, PhotoArea *area)
{
    TfrmZoom zoom(area->fullImage(), window);
    zoom.exec();
}

}  // namespace PhotoCommands
