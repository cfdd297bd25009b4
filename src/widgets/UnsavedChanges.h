#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class FormBinding;
class PhotoArea;
class QWidget;

// Tells whether a record window holds changes that are not stored: the screen differs from what it
// showed when it last showed a record, prepared a new one or saved (its fields, or its photos).
class UnsavedChanges
{
public:
    explicit UnsavedChanges(const FormBinding &binding);
    // A photo area whose changes count too.
    void addPhoto(PhotoArea *photo) { m_photos.append(photo); }

    // The screen as it is now counts as stored.
    void remember();
    bool isDirty() const;

    // Before the screen's record gives way (the window closes, or another record or a new one takes
    // its place): when there are unsaved changes, asks question with Sì, No and Annulla. Sì runs save
    // (true when it stored everything) and lets the command go on only when it did; No goes on and
    // drops the changes; Annulla stays. Without changes the command goes on without a word.
    bool mayLeave(QWidget *window, const QString &question, const std::function<bool()> &save) const;

private:
    QList<quint64> photoChanges() const;

    const FormBinding &m_binding;
    QList<PhotoArea *> m_photos;
    QStringList m_values;
    QList<quint64> m_photoChanges;
};
