#include "shell/TfrmGuida.h"

#include "shell/TMisc.h"
#include "widgets/AppHost.h"
#include "widgets/Artwork.h"
#include "widgets/FormHelpers.h"
#include "widgets/LinkLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

TfrmGuida::TfrmGuida(AppHost &host, QWidget *parent) : QDialog(parent), m_host(host)
{
    const QString caption = QStringLiteral(" Guida all'utilizzo del software");
    setWindowTitle(caption);
    FormHelpers::makeFixedWithoutButtons(this);
    setModal(true);
    setObjectName(QStringLiteral("frmGuida"));

    imgLogo = new QLabel(this);
    imgLogo->setPixmap(
        Artwork::header(QSize(kWidth, 78), QStringLiteral(":/icons/help-browser.svg"), caption.trimmed()));

    lblTitolo = new QLabel(QStringLiteral("Argomento della guida"), this);
    lblTitolo->setFont(FormHelpers::font(QStringLiteral("Arial"), 16, true));
    lblTitolo->setWordWrap(true);

    txtGuida = new QPlainTextEdit(this);
    txtGuida->setReadOnly(true);
    txtGuida->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtGuida->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    txtGuida->setFont(FormHelpers::font(QStringLiteral("Verdana"), 12, true));

    imgPDF = new QLabel(this);
    imgPDF->setPixmap(Artwork::picture(QStringLiteral(":/icons/gnome-mime-application-pdf.svg"), QSize(32, 32)));
    lnkWeb = new LinkLabel(QStringLiteral("Visualizza guida in formato PDF"), this);
    lnkWeb->addIcon(imgPDF);

    btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    btnChiudi->setMinimumSize(110, 32);
    btnChiudi->setAutoDefault(false);
    btnChiudi->setDefault(true);

    auto *foot = new QHBoxLayout;
    foot->setSpacing(8);
    foot->addWidget(imgPDF);
    foot->addWidget(lnkWeb);
    foot->addStretch(1);
    foot->addWidget(btnChiudi);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(18, 12, 18, 16);
    body->setSpacing(10);
    body->addWidget(lblTitolo);
    body->addWidget(txtGuida, 1);
    body->addLayout(foot);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(imgLogo);
    layout->addLayout(body, 1);

    const QList<QPair<QWidget *, const char *>> names = {{imgLogo, "imgLogo"},   {lblTitolo, "lblTitolo"},
                                                         {txtGuida, "txtGuida"}, {imgPDF, "imgPDF"},
                                                         {lnkWeb, "lnkWeb"},     {btnChiudi, "btnChiudi"}};
    for (const auto &[control, name] : names)
        control->setObjectName(QLatin1String(name));

    connect(btnChiudi, &QPushButton::clicked, this, &TfrmGuida::btnChiudiClick);
    connect(lnkWeb, &LinkLabel::mouseDown, this, &TfrmGuida::lnkWebMouseDown);
    connect(lnkWeb, &LinkLabel::mouseUp, this, &TfrmGuida::lnkWebMouseUp);
    connect(lnkWeb, &LinkLabel::clicked, this, &TfrmGuida::lnkWebClick);

    // The same size whatever window opens it, centred on the screen.
    setFixedSize(kWidth, kHeight);
    FormHelpers::centre(this);
}

void TfrmGuida::setTopic(const HelpTopics::Topic &topic)
{
    lblTitolo->setText(topic.title);
    txtGuida->setPlainText(topic.text());
}

void TfrmGuida::showTopic(AppHost &host, const HelpTopics::Topic &topic, QWidget *parent)
{
    TfrmGuida guida(host, parent);
    guida.setTopic(topic);
    guida.exec();
}

QString TfrmGuida::manualTarget() const
{
    return QLatin1Char('"') + HelpTopics::manualPath(m_host.programFolder()) + QLatin1Char('"');
}

void TfrmGuida::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

// The topic is read from its beginning; the memo keeps no caret, Enter or Esc closes the window.
void TfrmGuida::FormShow()
{
    txtGuida->moveCursor(QTextCursor::Start);
    txtGuida->verticalScrollBar()->setValue(0);
    btnChiudi->setFocus(Qt::OtherFocusReason);
}

void TfrmGuida::btnChiudiClick()
{
    accept();
}

// The manual is a file of the installation; when it is missing the desktop says so, and the help
// window stays open.
void TfrmGuida::lnkWebClick()
{
    lnkWeb->setPressed(false);
    TMisc::Open(manualTarget());
}

void TfrmGuida::lnkWebMouseDown()
{
    lnkWeb->setPressed(true);
}

void TfrmGuida::lnkWebMouseUp()
{
    lnkWeb->setPressed(false);
}
