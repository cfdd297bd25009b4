#include "validators/CheckDialog.h"

#include "common/TextRules.h"
#include "widgets/Artwork.h"
#include "widgets/EventHooks.h"
#include "widgets/FieldInput.h"
#include "widgets/FormHelpers.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

constexpr int kCheckDialogWidth = 560;
constexpr int kHeaderHeight = 96;

}  // namespace

CheckDialog::CheckDialog(QWidget *caller, const QString &caption, const QString &artwork, const QString &title,
                         const QString &instruction, int editCharacters)
    : QDialog(caller)
{
    setWindowTitle(caption);
    FormHelpers::makeFixedWithoutButtons(this);
    setModal(true);

    imgLogo = new QLabel(this);
    imgLogo->setPixmap(Artwork::header(QSize(kCheckDialogWidth, kHeaderHeight), artwork, title));

    lblTitolo = FormHelpers::caption(instruction, this, 10, false);
    lblTitolo->setWordWrap(true);

    m_edit = new QLineEdit(this);
    m_edit->setFont(FormHelpers::font(QStringLiteral("Courier New"), 20, true));
    const QFontMetrics metrics(m_edit->font());
    m_edit->setMinimumWidth(metrics.horizontalAdvance(QString(editCharacters, QLatin1Char('W'))) + 16);
    m_frame = new FocusFrame(m_edit, this);

    btnControlla = new QPushButton(QStringLiteral("Controlla"), this);
    btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    for (QPushButton *button : {btnControlla, btnChiudi})
        button->setMinimumSize(110, 34);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnControlla);
    buttons->addWidget(btnChiudi);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(24, 14, 24, 18);
    body->setSpacing(8);
    body->addWidget(lblTitolo);
    body->addWidget(m_frame);
    body->addSpacing(6);
    body->addLayout(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(imgLogo);
    layout->addLayout(body);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(m_edit, btnControlla);
    setTabOrder(btnControlla, btnChiudi);

    connect(m_edit, &QLineEdit::textChanged, this, &CheckDialog::applyTypingLimit);
}

void CheckDialog::setTypingLimit(int maxLength)
{
    m_typingLimit = maxLength;
    applyTypingLimit();
}

void CheckDialog::applyTypingLimit()
{
    // QLineEdit cuts a text longer than its maximum length, even one set by the program. The limit
    // therefore starts when the dialog is shown, after the caller has put its text in, and follows
    // the text while that is longer.
    if (m_typingLimit <= 0 || !m_shown)
        return;
    const int wanted = qMax(m_typingLimit, int(m_edit->text().size()));
    if (m_edit->maxLength() != wanted) {
        const int cursor = m_edit->cursorPosition();
        m_edit->setMaxLength(wanted);
        m_edit->setCursorPosition(cursor);
    }
}

void CheckDialog::keepTrimmedUpper()
{
    const QString typed = m_edit->text();
    const QString cleaned = TextRules::trim(TextRules::upperAZ(typed));
    if (cleaned == typed)
        return;
    // Keep the cursor where it was among the characters that remain.
    qsizetype leading = 0;
    while (leading < typed.size() && typed.at(leading).unicode() <= 32)
        ++leading;
    const qsizetype cursor = qBound<qsizetype>(0, m_edit->cursorPosition() - leading, cleaned.size());
    m_edit->setText(cleaned);
    m_edit->setCursorPosition(int(cursor));
}

bool CheckDialog::enterToControlla(QKeyEvent *event)
{
    if (!EventHooks::isEnter(event))
        return false;
    btnControlla->setFocus(Qt::TabFocusReason);
    return true;
}

bool CheckDialog::refusesNonDigit(QKeyEvent *event)
{
    return FieldInput::refuseKey(m_edit, KeyFilters::Refuse::AllButDigits, event);
}

void CheckDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        m_shown = true;
        applyTypingLimit();
        const QWidget *caller = parentWidget() ? parentWidget()->window() : nullptr;
        FormHelpers::centre(this, caller);
        FormShow();
    }
}
