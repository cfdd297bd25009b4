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

    // Closing the window: when there are unsaved changes, asks question with Sì, No and Annulla.
    // Sì runs save (true when it stored the record) and closes only when it did; No closes and drops
    // the changes; Annulla stays. Without changes the window closes without a word.
    bool mayClose(QWidget *window, const QString &question, const std::function<bool()> &save) const;

private:
    QList<quint64> photoChanges() const;

    const FormBinding &m_binding;
    QList<PhotoArea *> m_photos;
    QStringList m_values;
    QList<quint64> m_photoChanges;
};
