#pragma once

#include <QHash>
#include <QString>
#include <QTranslator>

// Our own Italian for what Qt's translations leave in English in the dialogs the program uses (the
// print dialog's "Pages", "Double Sided Printing", "Advanced" ...): the table of the built-in file
// ":/translations/qt_it_aggiunte.txt", one entry a line (context, English, Italian, separated by a
// tab; an empty context stands for every context; "\n" is a line break). Installed before Qt's own
// translations, it is asked last: a text Qt translates keeps Qt's words.
class ItalianTexts : public QTranslator
{
    Q_OBJECT
public:
    explicit ItalianTexts(QObject *parent = nullptr);

    QString translate(const char *context, const char *sourceText, const char *disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return m_texts.isEmpty(); }

    // The built-in table.
    static QString tablePath() { return QStringLiteral(":/translations/qt_it_aggiunte.txt"); }
    // The entries of a table's text, by "context\x1Fsource" (the empty context for every context).
    static QHash<QString, QString> parse(const QString &table);

private:
    QHash<QString, QString> m_texts;
};
