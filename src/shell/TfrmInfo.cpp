#include "shell/TfrmInfo.h"

#include "shell/HelpTopics.h"
#include "shell/TMisc.h"
#include "widgets/AppHost.h"
#include "widgets/Artwork.h"
#include "widgets/FormHelpers.h"
#include "widgets/LinkLabel.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kWidth = 560;

// One information picture: a white card with an icon, a title and a few lines; the first line may
// break anywhere (a long folder name) when `breakAnywhere` is set, the others break between words.
QPixmap card(const QString &iconPath, const QString &title, const QStringList &lines, bool breakAnywhere = false)
{
    const int iconSide = 56;
    const int margin = 12;
    const int textLeft = margin * 2 + iconSide;
    const int textWidth = kWidth - 40 - textLeft - margin;
    const QFont titleFont = FormHelpers::font(QStringLiteral("Verdana"), 12, true);
    const QFont lineFont = FormHelpers::font(QStringLiteral("Verdana"), 9);
    const auto flagsOf = [breakAnywhere](qsizetype index) {
        return breakAnywhere && index == 0 ? Qt::TextWrapAnywhere : Qt::TextWordWrap;
    };

    const QFontMetrics titleMetrics(titleFont);
    const QFontMetrics lineMetrics(lineFont);
    int height = margin + titleMetrics.height() + 4;
    for (qsizetype i = 0; i < lines.size(); ++i)
        height += lineMetrics.boundingRect(QRect(0, 0, textWidth, 10000), flagsOf(i), lines.at(i)).height() + 3;
    height = qMax(height + margin, iconSide + 2 * margin);

    QPixmap pixmap(kWidth - 40, height);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(0.5, 0.5, pixmap.width() - 1, height - 1), 8, 8);
    painter.fillPath(shape, Qt::white);
    painter.setPen(QPen(QColor(0xB0, 0xC4, 0xDE), 1));
    painter.drawPath(shape);
    painter.fillRect(QRect(1, 8, 4, height - 16), QColor(0xF5, 0xA6, 0x23));
    painter.drawPixmap(margin + 4, (height - iconSide) / 2, Artwork::picture(iconPath, QSize(iconSide, iconSide)));

    int y = margin;
    painter.setFont(titleFont);
    painter.setPen(QColor(0x17, 0x3F, 0x75));
    painter.drawText(QRect(textLeft, y, textWidth, titleMetrics.height()), Qt::AlignLeft | Qt::AlignVCenter, title);
    y += titleMetrics.height() + 4;
    painter.setFont(lineFont);
    painter.setPen(QColor(0x30, 0x30, 0x30));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QRect box(textLeft, y, textWidth, 10000);
        const QRect used = painter.boundingRect(box, flagsOf(i), lines.at(i));
        painter.drawText(box, flagsOf(i), lines.at(i));
        y += used.height() + 3;
    }
    return pixmap;
}

}  // namespace

QString TfrmInfo::mailTarget()
{
    return QStringLiteral("\"mailto:") + HelpTopics::makerEmail() + QLatin1Char('"');
}

TfrmInfo::TfrmInfo(AppHost &host, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral(" Informazioni su Cablora"));
    FormHelpers::makeFixedWithoutButtons(this);
    setModal(true);
    setObjectName(QStringLiteral("frmInfo"));

    imgLogo = new QLabel(this);
    imgLogo->setPixmap(Artwork::header(QSize(kWidth, 84), QStringLiteral(":/icons/dialog-information.svg"),
                                       QStringLiteral("Informazioni sul programma")));

    imgProgramma = new QLabel(this);
    imgProgramma->setPixmap(card(QStringLiteral(":/art/cablora.svg"), HelpTopics::productName(),
                                 {QStringLiteral("Versione ") + HelpTopics::programVersion(),
                                  QStringLiteral("Realizzato da ") + HelpTopics::makerName() + QStringLiteral(" - ")
                                      + HelpTopics::makerWebLabel()}));
    imgDescrizione = new QLabel(this);
    imgDescrizione->setPixmap(
        card(QStringLiteral(":/art/scheda-intervento.svg"), QStringLiteral("A cosa serve"),
             {QStringLiteral("Software rivolto alle officine di elettrauto per compilare e stampare le schede "
                             "d'intervento e archiviare i dati di clienti e veicoli."),
              QStringLiteral("Tre app: Anagrafica Clienti, Parco Automezzi e Schede Interventi.")}));
    imgCartella = new QLabel(this);
    imgCartella->setPixmap(card(
        QStringLiteral(":/icons/document-open.svg"), QStringLiteral("Cartella degli archivi"),
        {QDir::toNativeSeparators(host.programFolder()),
         QStringLiteral("Schede, clienti, veicoli, foto, allegati e impostazioni sono conservati in "
                        "questa cartella: per una copia di sicurezza si usa l'icona Copia di sicurezza della finestra "
                        "di avvio.")},
        true));

    imgEmail = new QLabel(this);
    imgEmail->setPixmap(Artwork::picture(QStringLiteral(":/icons/internet-mail.svg"), QSize(32, 32)));
    lnkWeb = new LinkLabel(HelpTopics::makerEmail(), this);
    lnkWeb->addIcon(imgEmail);

    btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    btnChiudi->setMinimumSize(110, 32);
    btnChiudi->setAutoDefault(false);
    btnChiudi->setDefault(true);

    auto *foot = new QHBoxLayout;
    foot->setSpacing(8);
    foot->addWidget(imgEmail);
    foot->addWidget(lnkWeb);
    foot->addStretch(1);
    foot->addWidget(btnChiudi);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(20, 16, 20, 16);
    body->setSpacing(10);
    body->addWidget(imgProgramma);
    body->addWidget(imgDescrizione);
    body->addWidget(imgCartella);
    body->addSpacing(6);
    body->addLayout(foot);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(imgLogo);
    layout->addLayout(body);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const QList<QPair<QWidget *, const char *>> names = {
        {imgLogo, "imgLogo"},         {imgProgramma, "imgProgramma"}, {imgDescrizione, "imgDescrizione"},
        {imgCartella, "imgCartella"}, {imgEmail, "imgEmail"},         {lnkWeb, "lnkWeb"},
        {btnChiudi, "btnChiudi"}};
    for (const auto &[control, name] : names)
        control->setObjectName(QLatin1String(name));

    connect(btnChiudi, &QPushButton::clicked, this, &TfrmInfo::btnChiudiClick);
    connect(lnkWeb, &LinkLabel::mouseDown, this, &TfrmInfo::lnkWebMouseDown);
    connect(lnkWeb, &LinkLabel::mouseUp, this, &TfrmInfo::lnkWebMouseUp);
    connect(lnkWeb, &LinkLabel::clicked, this, &TfrmInfo::lnkWebClick);

    FormHelpers::centre(this);
}

void TfrmInfo::btnChiudiClick()
{
    accept();
}

// The default mail program starts a new message to the maker.
void TfrmInfo::lnkWebClick()
{
    lnkWeb->setPressed(false);
    TMisc::Open(mailTarget());
}

void TfrmInfo::lnkWebMouseDown()
{
    lnkWeb->setPressed(true);
}

void TfrmInfo::lnkWebMouseUp()
{
    lnkWeb->setPressed(false);
}
