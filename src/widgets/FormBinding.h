#pragma once

#include "archive/RecordLayout.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

// The table that binds a record window's controls to its record: one row per record field, naming
// the control that shows it and the object of the printed sheet that prints it. Showing a record,
// collecting the record from the screen, clearing the screen and the texts of the print all come
// from this one table, so a field is added to a window by adding one row, and a field that has no row
// is reported by missingFields() (the tests of each record window check that it is empty).
//
// How each kind of control passes its text:
//  - edit: the text whole, its beginning visible; the edit's maximum length limits typing only, so a
//    longer stored text is shown and saved whole (up to the field's capacity);
//  - memo: line breaks stored as CR LF, every other character kept exactly (no-break spaces too);
//    what the user types or pastes is kept within the field's capacity (a line break counting as
//    two), by cutting only the part of the insertion that does not fit; a text the window sets is
//    shown whole;
//  - combo box (editable): its edit text;
//  - flag check box: stored as "Sì" / "No"; a stored value that is neither leaves the box as it was;
//  - hidden label: the text as it is (attachment names and descriptions).
class FormBinding
{
public:
    explicit FormBinding(const RecordFormat &format);

    // Rows of the table. printName is the object of the printed sheet that shows the field (empty:
    // not printed).
    FormBinding &edit(int field, QLineEdit *edit, const QString &printName = QString());
    FormBinding &memo(int field, QPlainTextEdit *memo, const QString &printName = QString());
    FormBinding &combo(int field, QComboBox *combo, const QString &printName = QString());
    FormBinding &flag(int field, QCheckBox *box, const QString &printName = QString());
    FormBinding &hidden(int field, QLabel *label);

    // Keeps out of every bound edit, memo and combo box the characters that the archives' code page
    // cannot store, typed or pasted; tellUser receives the sentence that says why.
    void guardInput(const std::function<void(const QString &)> &tellUser) const;

    // The names of the record fields that no row binds, and of those bound twice (each once).
    QStringList missingFields() const;
    QStringList doubleFields() const;

    // Shows one text per field (values[i] for field i; missing values show as empty).
    void show(const QStringList &values) const;
    // Shows the text of one field as show() would, the other controls as they are: a value that a
    // dialog hands to the window (an import). The screen then differs from the stored record as if
    // the user had typed it.
    void showField(int field, const QString &value) const;
    // The texts of the screen, one per field, as Save stores them.
    QStringList collect() const;
    // Empties every bound control (flags unticked).
    void clear() const;
    // The object name and text of every printed field, in table order.
    QList<QPair<QString, QString>> printTexts() const;

    // The control bound to a field, or nullptr.
    QWidget *control(int field) const;

    // Record-typed shorthands for record types made with RecordBase.
    template<typename Record>
    void showRecord(const Record &record) const
    {
        QStringList values;
        for (int i = 0; i < Record::FieldCount; ++i)
            values.append(record[i]);
        show(values);
    }
    template<typename Record>
    Record collectRecord() const
    {
        const QStringList values = collect();
        Record record;
        for (int i = 0; i < Record::FieldCount && i < values.size(); ++i)
            record[i] = values.at(i);
        return record;
    }

    // Sets an edit's text whole, whatever its maximum length (which then limits typing only), and
    // shows the text's beginning. Also used for texts that windows set outside the table.
    static void setEditText(QLineEdit *edit, const QString &text);
    // The memo's text with its line breaks as CR LF and every other character as shown.
    static QString memoText(const QPlainTextEdit *memo);
    static void setMemoText(QPlainTextEdit *memo, const QString &stored);

private:
    enum class Kind { Edit, Memo, Combo, Flag, Hidden };
    struct Row
    {
        int field;
        Kind kind;
        QWidget *control;
        QString printName;
    };
    FormBinding &add(int field, Kind kind, QWidget *control, const QString &printName);
    QString textOf(const Row &row) const;
    void showIn(const Row &row, const QString &value) const;

    const RecordFormat &m_format;
    QVector<Row> m_rows;
};
