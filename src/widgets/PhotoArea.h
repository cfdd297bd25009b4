#pragma once

#include <QByteArray>
#include <QImage>
#include <QLabel>

// A photo area of an app window: shows one picture scaled to fit its size, keeping proportions.
//
// A picture loaded from a JPEG file keeps that file's bytes: saving writes them back unchanged, so a
// photo never loses quality however often its sheet is saved. Only pictures without JPEG bytes (a
// bitmap, a webcam frame, the placeholder) are encoded when saved. Big photos are decoded at the size
// shown; the full picture is decoded only when asked for (zoom, print, encoding).
class PhotoArea : public QLabel
{
    Q_OBJECT
public:
    PhotoArea(const QSize &size, const QImage &placeholder, QWidget *parent);

    // Shows the placeholder picture ("clearing" the area).
    void clear();
    // A picture file read and decoded at the size an area shows it. Decoding needs no widget, so
    // several files can be decoded at once on other threads.
    struct Decoded
    {
        bool ok = false;
        QByteArray jpeg;        // the file's bytes, when it is a JPEG file
        QImage display;         // the picture at the size shown
        QImage full;            // the whole picture, when it was decoded anyway (small files, bitmaps)
        bool tooLarge = false;  // refused unread: the file is beyond PictureLimits::kMaxFileBytes
    };
    static Decoded decodeFile(const QString &path, const QSize &areaSize);
    // Shows a decoded file; false (area unchanged) when it could not be read as a picture.
    bool show(const Decoded &decoded);
    // Loads a JPEG or bitmap file; false (area unchanged) when it cannot be read as a picture.
    bool loadFile(const QString &path) { return show(decodeFile(path, m_size)); }
    QSize areaSize() const { return m_size; }
    // Shows a picture that has no file bytes (a webcam frame, a copy of another area).
    void setImage(const QImage &image);

    bool isPlaceholder() const { return m_placeholderShown; }

    // Shows a record's stored photo as loaded from its file (its placeholder when the file could not
    // be read); the area then counts as unchanged.
    void showStored(const Decoded &decoded);
    // Counts every change of the picture, by the user or by the window (unsaved-changes checks).
    quint64 changeCount() const { return m_changeCount; }
    // Writes the picture to its record's file when the user changed it or the file does not exist;
    // true when nothing needed writing or the write succeeded.
    bool saveIfChanged(const QString &path);
    // The picture at its full size (decoded on demand).
    QImage fullImage() const;
    // The bytes a save writes: the JPEG bytes as loaded, else the picture encoded at high quality.
    QByteArray bytesForSaving() const;
    // Writes the picture as a JPEG file, replacing an existing file atomically; a missing folder is
    // created first.
    bool saveTo(const QString &path) const;

    // Quality used when a picture without JPEG bytes is encoded.
    static constexpr int kJpegQuality = 95;

private:
    void markChanged();
    void showScaled(const QImage &display);

    QSize m_size;
    QImage m_placeholder;
    bool m_placeholderShown = true;
    // True when the user changed the picture since the record was shown or saved (loaded a file,
    // cleared it, took a webcam frame). An area that shows its placeholder only because its file
    // could not be read is unchanged, and its save must not overwrite that file.
    bool m_changed = false;
    quint64 m_changeCount = 0;
    QByteArray m_jpeg;      // bytes of a JPEG file, when the picture came from one
    mutable QImage m_full;  // full-size picture; decoded lazily when m_jpeg is set
};
