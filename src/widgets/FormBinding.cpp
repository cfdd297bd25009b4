#include "widgets/FormBinding.h"

#include "widgets/CodePageGuard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

namespace {

const char *const kTypingLimit = "cabloraTypingLimit";

QString yes()
{
    return QStringLiteral("S\u00EC");
}

QString no()
{
    return QStringLiteral("No");
}

// The maximum length the edit was built with: the limit of what the user may type.
int typingLimit(QLineEdit *edit)
{
    const QVariant stored = edit->property(kTypingLimit);
    if (stored.isValid())
        return stored.toInt();
    const int limit = edit->maxLength();
    edit->setProperty(kTypingLimit, limit);
    // Once the user shortens a longer stored text, the limit closes in again, but never cuts it.
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit, limit](const QString &text) {
        const int wanted = qMax(limit, int(text.size()));
        if (edit->maxLength() != wanted)
            edit->setMaxLength(wanted);
    });
    return limit;
}

const char *const kMemoLimit = "cabloraMemoLimit";

bool isLineBreak(QChar c)
{
    return c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == QLatin1Char('\n');
}

// How many characters a memo's text takes in its field: a line break is stored as CR LF.
int storedLength(const QString &raw)
{
    int length = 0;
    for (const QChar c : raw)
        length += isLineBreak(c) ? 2 : 1;
    return length;
}

// Keeps a memo within what its field stores, a line break counting as the two characters it is
// stored as. Like a line edit's maximum length it acts on what the user types, pastes or drops: only
// the part of that insertion that does not fit is removed, from its end, through a text cursor, so
// the rest of the text stays exactly as it was (no-break spaces, the cursor, the undo history) and
// one Undo takes back the insertion together with its cut. A text the window sets is never cut;
// once the user shortens a longer one, the limit closes in again.
class MemoLimit : public QObject
{
public:
    MemoLimit(QPlainTextEdit *memo, int capacity) : QObject(memo), m_memo(memo), m_capacity(capacity)
    {
        setObjectName(QString::fromLatin1(kMemoLimit));
        m_length = storedLength(memo->document()->toRawText());
        // The document tells where a change happened; the cut waits until the change is complete.
        connect(memo->document(), &QTextDocument::contentsChange, this, [this](int position, int, int added) {
            m_changeStart = position;
            m_changeEnd = position + added;
        });
        connect(memo, &QPlainTextEdit::textChanged, this, &MemoLimit::textChanged);
    }

    static MemoLimit *of(QPlainTextEdit *memo)
    {
        return static_cast<MemoLimit *>(
            memo->findChild<QObject *>(QString::fromLatin1(kMemoLimit), Qt::FindDirectChildrenOnly));
    }

    void setText(const QString &text)
    {
        m_setting = true;
        m_memo->setPlainText(text);
        m_setting = false;
        m_length = storedLength(m_memo->document()->toRawText());
    }

private:
    void textChanged()
    {
        if (m_setting || m_cutting)
            return;
        const QString raw = m_memo->document()->toRawText();
        int length = storedLength(raw);
        const int limit = qMax(m_capacity, m_length);
        if (length > limit) {
            // What was just inserted goes first, from its end; should the document have reported the
            // change short, the text's end makes up the rest.
            const int size = int(raw.size());
            const int insertionEnd = qBound(0, m_changeEnd, size);
            const int insertionStart = qBound(0, m_changeStart, insertionEnd);
            int start = insertionEnd;
            while (start > insertionStart && length > limit)
                length -= isLineBreak(raw.at(--start)) ? 2 : 1;
            int tailStart = size;
            while (tailStart > insertionEnd && length > limit)
                length -= isLineBreak(raw.at(--tailStart)) ? 2 : 1;
            m_cutting = true;
            QTextCursor cursor(m_memo->document());
            cursor.joinPreviousEditBlock();
            if (tailStart < size) {
                cursor.setPosition(tailStart);
                cursor.setPosition(size, QTextCursor::KeepAnchor);
                cursor.removeSelectedText();
            }
            if (start < insertionEnd) {
                cursor.setPosition(start);
                cursor.setPosition(insertionEnd, QTextCursor::KeepAnchor);
                cursor.removeSelectedText();
            }
            cursor.endEditBlock();
            m_cutting = false;
        }
        m_length = length;
    }

    QPlainTextEdit *m_memo;
    int m_capacity;
    int m_length = 0;  // the stored length of the text as it stands, after any cut
    int m_changeStart = 0;
    int m_changeEnd = 0;
    bool m_setting = false;
    bool m_cutting = false;
};

}  // namespace

FormBinding::FormBinding(const RecordFormat &format) : m_format(format)
{
}

FormBinding &FormBinding::add(int field, Kind kind, QWidget *control, const QString &printName)
{
    m_rows.append({field, kind, control, printName});
    return *this;
}

FormBinding &FormBinding::edit(int field, QLineEdit *edit, const QString &printName)
{
    typingLimit(edit);
    return add(field, Kind::Edit, edit, printName);
}

FormBinding &FormBinding::memo(int field, QPlainTextEdit *memo, const QString &printName)
{
    if (field >= 0 && field < m_format.fieldCount() && !MemoLimit::of(memo))
        new MemoLimit(memo, m_format.field(field).capacity);
    return add(field, Kind::Memo, memo, printName);
}

FormBinding &FormBinding::combo(int field, QComboBox *combo, const QString &printName)
{
    return add(field, Kind::Combo, combo, printName);
}

FormBinding &FormBinding::flag(int field, QCheckBox *box, const QString &printName)
{
    return add(field, Kind::Flag, box, printName);
}

FormBinding &FormBinding::hidden(int field, QLabel *label)
{
    return add(field, Kind::Hidden, label, QString());
}

void FormBinding::guardInput(const std::function<void(const QString &)> &tellUser) const
{
    for (const Row &row : m_rows) {
        if (row.kind == Kind::Edit)
            CodePageGuard::install(static_cast<QLineEdit *>(row.control), tellUser);
        else if (row.kind == Kind::Memo)
            CodePageGuard::install(static_cast<QPlainTextEdit *>(row.control), tellUser);
        else if (row.kind == Kind::Combo && static_cast<QComboBox *>(row.control)->lineEdit())
            CodePageGuard::install(static_cast<QComboBox *>(row.control)->lineEdit(), tellUser);
    }
}

QStringList FormBinding::missingFields() const
{
    QStringList missing;
    for (int i = 0; i < m_format.fieldCount(); ++i) {
        if (!control(i))
            missing.append(QString::fromLatin1(m_format.field(i).name));
    }
    for (const Row &row : m_rows) {
        if (row.field < 0 || row.field >= m_format.fieldCount() || !row.control)
            missing.append(QStringLiteral("#%1").arg(row.field));
    }
    return missing;
}

QStringList FormBinding::doubleFields() const
{
    QStringList twice;
    QVector<int> seen(m_format.fieldCount(), 0);
    for (const Row &row : m_rows) {
        if (row.field >= 0 && row.field < seen.size() && ++seen[row.field] == 2)
            twice.append(QString::fromLatin1(m_format.field(row.field).name));
    }
    return twice;
}

QWidget *FormBinding::control(int field) const
{
    for (const Row &row : m_rows) {
        if (row.field == field)
            return row.control;
    }
    return nullptr;
}

void FormBinding::setEditText(QLineEdit *edit, const QString &text)
{
    const int limit = typingLimit(edit);
    edit->setMaxLength(qMax(limit, int(text.size())));
    edit->setText(text);
    edit->setCursorPosition(0);
}

QString FormBinding::memoText(const QPlainTextEdit *memo)
{
    // toPlainText() would turn no-break spaces into blanks; the raw text keeps them and separates
    // the paragraphs with U+2029.
    QString text = memo->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    return text;
}

void FormBinding::setMemoText(QPlainTextEdit *memo, const QString &stored)
{
    const QString text = QString(stored).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (MemoLimit *limit = MemoLimit::of(memo))
        limit->setText(text);
    else
        memo->setPlainText(text);
}

void FormBinding::show(const QStringList &values) const
{
    for (const Row &row : m_rows)
        showIn(row, row.field < values.size() ? values.at(row.field) : QString());
}

void FormBinding::showField(int field, const QString &value) const
{
    for (const Row &row : m_rows) {
        if (row.field == field)
            showIn(row, value);
    }
}

void FormBinding::showIn(const Row &row, const QString &value) const
{
    switch (row.kind) {
    case Kind::Edit: setEditText(static_cast<QLineEdit *>(row.control), value); break;
    case Kind::Memo: setMemoText(static_cast<QPlainTextEdit *>(row.control), value); break;
    case Kind::Combo: {
        auto *combo = static_cast<QComboBox *>(row.control);
        combo->setEditText(value);
        if (combo->lineEdit())
            combo->lineEdit()->setCursorPosition(0);
        break;
    }
    case Kind::Flag:
        // A flag that reads neither "Sì" nor "No" leaves the box as it was.
        if (value == yes())
            static_cast<QCheckBox *>(row.control)->setChecked(true);
        else if (value == no())
            static_cast<QCheckBox *>(row.control)->setChecked(false);
        break;
    case Kind::Hidden: static_cast<QLabel *>(row.control)->setText(value); break;
    }
}

QString FormBinding::textOf(const Row &row) const
{
    switch (row.kind) {
    case Kind::Edit: return static_cast<QLineEdit *>(row.control)->text();
    case Kind::Memo: return memoText(static_cast<QPlainTextEdit *>(row.control));
    case Kind::Combo: return static_cast<QComboBox *>(row.control)->currentText();
    case Kind::Flag: return static_cast<QCheckBox *>(row.control)->isChecked() ? yes() : no();
    case Kind::Hidden: return static_cast<QLabel *>(row.control)->text();
    }
    return QString();
}

QStringList FormBinding::collect() const
{
    QStringList values;
    for (int i = 0; i < m_format.fieldCount(); ++i)
        values.append(QString());
    for (const Row &row : m_rows) {
        if (row.field >= 0 && row.field < values.size())
            values[row.field] = textOf(row);
    }
    return values;
}

void FormBinding::clear() const
{
    for (const Row &row : m_rows) {
        switch (row.kind) {
        case Kind::Edit: setEditText(static_cast<QLineEdit *>(row.control), QString()); break;
        case Kind::Memo: static_cast<QPlainTextEdit *>(row.control)->clear(); break;
        case Kind::Combo: static_cast<QComboBox *>(row.control)->setEditText(QString()); break;
        case Kind::Flag: static_cast<QCheckBox *>(row.control)->setChecked(false); break;
        case Kind::Hidden: static_cast<QLabel *>(row.control)->clear(); break;
        }
    }
}

QList<QPair<QString, QString>> FormBinding::printTexts() const
{
    QList<QPair<QString, QString>> texts;
    for (const Row &row : m_rows) {
        if (row.printName.isEmpty())
            continue;
        // On paper a line break is a line break: the stored CR LF of a memo prints as one.
        QString text = textOf(row);
        if (row.kind == Kind::Memo)
            text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        texts.append({row.printName, text});
    }
    return texts;
}
