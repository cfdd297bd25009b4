// The code-page guard of the edits: characters that Windows-1252 cannot store are refused when the
// user types, pastes or drops them, with a sentence for the status line; text that the program sets
// passes whole.

#include "common/CodePage.h"
#include "support/TestSupport.h"
#include "widgets/CodePageGuard.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QtTest>

namespace {

// Types text as a keyboard does: one key event per character (a character beyond 16 bits whole).
void type(QWidget *edit, const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        QString character(text.at(i));
        if (text.at(i).isHighSurrogate() && i + 1 < text.size())
            character += text.at(++i);
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, character, Qt::NoModifier);
    }
}

QString textOf(QWidget *edit)
{
    if (auto *line = qobject_cast<QLineEdit *>(edit))
        return line->text();
    return static_cast<QPlainTextEdit *>(edit)->toPlainText();
}

// Both kinds of edit, guarded, with what they told the user.
struct Guarded
{
    QWidget window;
    QWidget *edit = nullptr;
    QStringList told;

    explicit Guarded(const QString &kind)
    {
        auto tell = [this](const QString &message) { told << message; };
        if (kind == QLatin1String("line")) {
            auto *line = new QLineEdit(&window);
            CodePageGuard::install(line, tell);
            edit = line;
        } else {
            auto *memo = new QPlainTextEdit(&window);
            CodePageGuard::install(memo, tell);
            edit = memo;
        }
        edit->resize(300, 120);
        window.show();
        edit->setFocus();
    }
};

const QString kOne = QStringLiteral("Carattere non ammesso: «%1» non può essere archiviato.");

}  // namespace

class TestCodePageGuard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void storable_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("refused");
        QTest::newRow("all storable") << QStringLiteral("Müller € œ – ’ ß") << QStringLiteral("Müller € œ – ’ ß")
                                      << QString();
        QTest::newRow("Chinese, emoji and Latin")
            << QStringLiteral("王小明 😀 Müller") << QStringLiteral("  Müller") << QStringLiteral("王小明😀");
        QTest::newRow("a refused character once")
            << QStringLiteral("王王a王") << QStringLiteral("a") << QStringLiteral("王");
        QTest::newRow("a lone surrogate")
            << QString(QChar(0xD83D)) + u'a' << QStringLiteral("a") << QString(QChar(0xD83D));
        QTest::newRow("Greek and Cyrillic") << QStringLiteral("αβ Жx") << QStringLiteral(" x") << QStringLiteral("αβЖ");
    }

    void storable()
    {
        QFETCH(QString, text);
        QFETCH(QString, kept);
        QFETCH(QString, refused);
        QString gotRefused;
        const QString got = CodePageGuard::storable(text, &gotRefused);
        QCOMPARE(got, kept);
        QCOMPARE(gotRefused, refused);
        QVERIFY(CodePage::canEncode(got));
    }

    void message_data()
    {
        QTest::addColumn<QString>("refused");
        QTest::addColumn<QString>("message");
        QTest::newRow("one") << QStringLiteral("王") << kOne.arg(QStringLiteral("王"));
        QTest::newRow("an emoji") << QStringLiteral("😀") << kOne.arg(QStringLiteral("😀"));
        QTest::newRow("several") << QStringLiteral("王😀")
                                 << QStringLiteral("Caratteri non ammessi: «王», «😀» non possono essere archiviati.");
    }

    void message()
    {
        QFETCH(QString, refused);
        QFETCH(QString, message);
        QCOMPARE(CodePageGuard::refusalMessage(refused), message);
    }

    void typing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("told");
        QTest::newRow("line, Chinese and emoji")
            << "line" << QStringLiteral("王小 😀 Müller") << QStringLiteral("  Müller")
            << QStringList{kOne.arg("王"), kOne.arg("小"), kOne.arg("😀")};
        QTest::newRow("memo, Chinese and emoji")
            << "memo" << QStringLiteral("王小 😀 Müller") << QStringLiteral("  Müller")
            << QStringList{kOne.arg("王"), kOne.arg("小"), kOne.arg("😀")};
        QTest::newRow("line, what the code page has")
            << "line" << QStringLiteral("perché 5 € – ok") << QStringLiteral("perché 5 € – ok") << QStringList{};
        QTest::newRow("memo, what the code page has")
            << "memo" << QStringLiteral("caffè «sì»") << QStringLiteral("caffè «sì»") << QStringList{};
    }

    void typing()
    {
        QFETCH(QString, kind);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QStringList, told);
        Guarded guarded(kind);
        type(guarded.edit, typed);
        QCOMPARE(textOf(guarded.edit), shown);
        QCOMPARE(guarded.told, told);
    }

    // An emoji that arrives as two key events, one per half, is refused whole and named once.
    void emojiInTwoHalves()
    {
        Guarded guarded(QStringLiteral("line"));
        const QString emoji = QStringLiteral("😀");
        QTest::sendKeyEvent(QTest::Click, guarded.edit, Qt::Key_unknown, QString(emoji.at(0)), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Click, guarded.edit, Qt::Key_unknown, QString(emoji.at(1)), Qt::NoModifier);
        type(guarded.edit, QStringLiteral("a"));
        QCOMPARE(textOf(guarded.edit), QStringLiteral("a"));
        QCOMPARE(guarded.told, QStringList{kOne.arg(emoji)});
    }

    // Refusing a typed character leaves a selection as it was; an allowed one replaces it.
    void selectionKeptOnRefusal()
    {
        Guarded guarded(QStringLiteral("line"));
        auto *line = static_cast<QLineEdit *>(guarded.edit);
        type(line, QStringLiteral("Rossi"));
        line->selectAll();
        type(line, QStringLiteral("王"));
        QCOMPARE(line->text(), QStringLiteral("Rossi"));
        QCOMPARE(line->selectedText(), QStringLiteral("Rossi"));
        type(line, QStringLiteral("B"));
        QCOMPARE(line->text(), QStringLiteral("B"));
    }

    // Pasting keeps the storable rest of the clipboard at the cursor, by keyboard and by menu.
    void pasting_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("how");
        QTest::newRow("line, Ctrl+V") << "line"
                                      << "keys";
        QTest::newRow("memo, Ctrl+V") << "memo"
                                      << "keys";
        QTest::newRow("line, context menu") << "line"
                                            << "menu";
        QTest::newRow("memo, context menu") << "memo"
                                            << "menu";
    }

    void pasting()
    {
        QFETCH(QString, kind);
        QFETCH(QString, how);
        Guarded guarded(kind);
        type(guarded.edit, QStringLiteral("Sig. "));
        QGuiApplication::clipboard()->setText(QStringLiteral("王小明 😀 Müller"));
        if (how == QLatin1String("keys")) {
            QTest::keyClick(guarded.edit, Qt::Key_V, Qt::ControlModifier);
        } else {
            QWidget *target =
                kind == QLatin1String("line") ? guarded.edit : static_cast<QPlainTextEdit *>(guarded.edit)->viewport();
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), target->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(target, &event);
            QMenu *menu = nullptr;
            QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) != nullptr);
            auto *paste = menu->findChild<QAction *>(QStringLiteral("edit-paste"));
            QVERIFY(paste);
            paste->trigger();
            menu->close();
        }
        QCOMPARE(textOf(guarded.edit), QStringLiteral("Sig.   Müller"));
        QCOMPARE(guarded.told, QStringList{QStringLiteral(
                                   "Caratteri non ammessi: «王», «小», «明», «😀» non possono essere archiviati.")});

        // A clipboard with nothing to refuse pastes as usual, without a word.
        guarded.told.clear();
        QGuiApplication::clipboard()->setText(QStringLiteral(" srl"));
        QTest::keyClick(guarded.edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(textOf(guarded.edit), QStringLiteral("Sig.   Müller srl"));
        QVERIFY(guarded.told.isEmpty());
    }

    // Text dropped on the edit keeps its storable part.
    void dropping_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("line") << "line";
        QTest::newRow("memo") << "memo";
    }

    void dropping()
    {
        QFETCH(QString, kind);
        Guarded guarded(kind);
        QWidget *target =
            kind == QLatin1String("line") ? guarded.edit : static_cast<QPlainTextEdit *>(guarded.edit)->viewport();
        QMimeData data;
        data.setText(QStringLiteral("Müller 王"));
        const QPointF at(5, 5);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDragMoveEvent move(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        QCOMPARE(textOf(guarded.edit), QStringLiteral("Müller "));
        QCOMPARE(guarded.told, QStringList{kOne.arg(QStringLiteral("王"))});
    }

    // What the program sets is shown whole: a stored record is never cut on the screen.
    void programmaticTextPasses()
    {
        const QString stored = QStringLiteral("王小明 😀 Müller");
        Guarded line(QStringLiteral("line"));
        auto *lineEdit = static_cast<QLineEdit *>(line.edit);
        lineEdit->setText(stored);
        QCOMPARE(lineEdit->text(), stored);
        lineEdit->clear();
        lineEdit->insert(stored);
        QCOMPARE(lineEdit->text(), stored);

        Guarded memo(QStringLiteral("memo"));
        auto *memoEdit = static_cast<QPlainTextEdit *>(memo.edit);
        memoEdit->setPlainText(stored);
        QCOMPARE(memoEdit->toPlainText(), stored);
        memoEdit->insertPlainText(stored);
        QCOMPARE(memoEdit->toPlainText(), stored + stored);
        QVERIFY(line.told.isEmpty() && memo.told.isEmpty());
    }

    // A read-only edit is left alone.
    void readOnly()
    {
        Guarded guarded(QStringLiteral("line"));
        auto *line = static_cast<QLineEdit *>(guarded.edit);
        line->setText(QStringLiteral("abc"));
        line->setReadOnly(true);
        type(line, QStringLiteral("王"));
        QCOMPARE(line->text(), QStringLiteral("abc"));
        QVERIFY(guarded.told.isEmpty());
    }
};

QTEST_MAIN(TestCodePageGuard)
#include "tst_codepageguard.moc"
