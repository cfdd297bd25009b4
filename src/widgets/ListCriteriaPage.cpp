#include "widgets/ListCriteriaPage.h"

#include "widgets/Artwork.h"
#include "widgets/EventHooks.h"
#include "widgets/FormHelpers.h"
#include "widgets/ListDialogParts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

ListCriteriaPage::ListCriteriaPage(const Setup &setup, QWidget *parent) : QWidget(parent), m_setup(setup)
{
    setObjectName(QStringLiteral("panAvvio"));
    const bool decorated = !setup.decoration.isNull();
    imgDecoro = new QLabel(this);
    imgDecoro->setObjectName(QStringLiteral("imgDecoro"));
    imgDecoro->setPixmap(setup.decoration);
    imgDecoro->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    imgDecoro->setVisible(decorated);
    const int pictureWidth = setup.width - (decorated ? setup.decoration.width() + 40 : 28);
    imgIstruzioni = new QLabel(this);
    imgIstruzioni->setObjectName(QStringLiteral("imgIstruzioni"));
    imgIstruzioni->setPixmap(Artwork::header(QSize(pictureWidth, 118), QStringLiteral(":/icons/system-search.svg"),
                                             setup.title, setup.instructions));

    const QFont editFont = FormHelpers::font(QStringLiteral("Verdana"), 12, setup.boldEdits);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(18);
    grid->setVerticalSpacing(2);
    const int perColumn = qMax(1, setup.perColumn);
    for (int index = 0; index < setup.criteria.size(); ++index) {
        const Criterion &criterion = setup.criteria.at(index);
        auto *edit = new QLineEdit(this);
        edit->setObjectName(criterion.name);
        edit->setFont(editFont);
        auto *frame = new FocusFrame(edit, this);
        QString frameName = criterion.name;
        if (frameName.startsWith(QLatin1String("txt")))
            frameName.remove(0, 3);
        frame->setObjectName(QStringLiteral("eff") + frameName);
        const int column = index / perColumn;
        const int row = (index % perColumn) * 2;
        if (index % perColumn)
            grid->setRowMinimumHeight(row, 34);
        QLabel *label = FormHelpers::caption(criterion.caption, this, 10);
        label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        grid->addWidget(label, row, column);
        grid->addWidget(frame, row + 1, column);
        edits.append(edit);
        frames.append(frame);
    }

    lblAttendere = new QLabel(setup.waitText, this);
    lblAttendere->setObjectName(QStringLiteral("lblAttendere"));
    lblAttendere->setFont(FormHelpers::font(QStringLiteral("Verdana"), 10, true));
    lblAttendere->setAlignment(Qt::AlignCenter);
    lblAttendere->hide();
    btnAnnulla = ListDialogParts::button(QStringLiteral("Chiudi"), this);
    btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    btnCerca = ListDialogParts::button(QStringLiteral("Cerca"), this);
    btnCerca->setObjectName(QStringLiteral("btnCerca"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnAnnulla);
    buttons->addStretch(1);
    buttons->addWidget(lblAttendere);
    buttons->addStretch(1);
    buttons->addWidget(btnCerca);
    auto *right = new QVBoxLayout;
    right->setSpacing(8);
    right->addWidget(imgIstruzioni);
    right->addLayout(grid);
    right->addStretch(1);
    right->addLayout(buttons);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 12, 16, 14);
    layout->setSpacing(16);
    if (decorated)
        layout->addWidget(imgDecoro);
    layout->addLayout(right, 1);
    setFixedWidth(setup.width);

    // Tab and Enter follow the criteria; Enter in the last one goes back to the first.
    for (int i = 0; i < edits.size(); ++i) {
        QLineEdit *next = edits.at((i + 1) % edits.size());
        if (i + 1 < edits.size())
            setTabOrder(edits.at(i), next);
        EventHooks::onKeyDown(edits.at(i), [next](QKeyEvent *event) {
            if (!EventHooks::isEnter(event))
                return false;
            next->setFocus(Qt::TabFocusReason);
            return true;
        });
    }
    if (!edits.isEmpty())
        setTabOrder(edits.last(), btnAnnulla);
    setTabOrder(btnAnnulla, btnCerca);

    EventHooks::onMouseDown(btnCerca, [this] { btnCercaMouseDown(); });
    connect(btnCerca, &QPushButton::clicked, this, &ListCriteriaPage::btnCercaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &ListCriteriaPage::btnAnnullaClick);
}

QStringList ListCriteriaPage::searchInstructions()
{
    return {QStringLiteral("Immettere nei campi prescelti una o più parole consecutive presenti nelle schede da "
                           "trovare e premere il pulsante Cerca."),
            QStringLiteral("Lasciare in bianco tutti gli altri campi."),
            QStringLiteral("Per ogni ricerca è possibile utilizzare uno o più campi contemporaneamente.")};
}

QLineEdit *ListCriteriaPage::edit(const QString &name) const
{
    for (QLineEdit *e : edits) {
        if (e->objectName() == name)
            return e;
    }
    return nullptr;
}

QStringList ListCriteriaPage::texts() const
{
    QStringList result;
    for (const QLineEdit *e : edits)
        result.append(e->text());
    return result;
}

void ListCriteriaPage::focusFirst()
{
    if (!edits.isEmpty())
        edits.first()->setFocus(Qt::OtherFocusReason);
}

void ListCriteriaPage::btnCercaMouseDown()
{
    lblAttendere->show();
    lblAttendere->repaint();
}

void ListCriteriaPage::btnCercaClick()
{
    if (m_setup.search)
        m_setup.search();
}

void ListCriteriaPage::btnAnnullaClick()
{
    window()->close();
}
