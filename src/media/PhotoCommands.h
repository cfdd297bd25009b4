#pragma once

class PhotoArea;
class QWidget;

// The commands beside every photo area of the record windows: load a picture file, write the picture
// to a file of the user's choice, clear it, enlarge it.
namespace PhotoCommands {

// Asks for a JPEG or bitmap file and shows it; a file that cannot be read as a picture leaves the
// placeholder. Nothing is stored until the record is saved.
void load(QWidget *window, PhotoArea *area);
// Asks for a file name (proposing "Foto.jpg") and writes the picture shown there as JPEG. A failed
// write keeps the picture and tells the user.
void exportToFile(QWidget *window, PhotoArea *area);
// Opens the zoom dialog with the picture at its full size.
void zoom(QWidget *window, PhotoArea *area);

}  // namespace PhotoCommands
