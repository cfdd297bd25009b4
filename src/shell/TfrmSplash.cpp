#include "shell/TfrmSplash.h"

#include "shell/HelpTopics.h"
#include "shell/TMisc.h"
#include "widgets/Artwork.h"
#include "widgets/FormHelpers.h"
#include "widgets/LinkLabel.h"
#include "widgets/Palette.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A cable across the picture, with a round terminal at each end.
void drawCable(QPainter &painter, const QPointF &from, const QPointF &c1, const QPointF &c2, const QPointF &to,
               const QColor &colour)
{
    QPainterPath path(from);
    path.cubicTo(c1, c2, to);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour.darker(160), 9, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(path);
    painter.setPen(QPen(colour, 6, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(path);
    painter.setPen(QPen(QColor(0xC0, 0xC0, 0xC0), 2));
    painter.setBrush(QColor(0xE8, 0xE8, 0xE8));
    painter.drawEllipse(from, 7, 7);
    painter.drawEllipse(to, 7, 7);
}

}  // namespace

QPixmap TfrmSplash::makerPicture()
{
    QPixmap pixmap(kPictureWidth, kPictureHeight);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);

    QLinearGradient background(0, 0, kPictureWidth, kPictureHeight);
    background.setColorAt(0, Palette::kLauncherDark);
    background.setColorAt(1, Palette::kLauncherLight);
    painter.fillRect(pixmap.rect(), background);

    // The workshop's wiring, behind everything else.
    drawCable(painter, QPointF(-10, 300), QPointF(150, 250), QPointF(260, 360), QPointF(330, 318),
              QColor(0xEF, 0x29, 0x29));
    drawCable(painter, QPointF(-10, 326), QPointF(120, 300), QPointF(240, 300), QPointF(318, 290),
              QColor(0xF5, 0xA6, 0x23));
    drawCable(painter, QPointF(-10, 270), QPointF(60, 220), QPointF(200, 330), QPointF(300, 262),
              QColor(0x4E, 0x9A, 0x06));

    painter.drawPixmap(34, 30, Artwork::picture(QStringLiteral(":/art/cablora.svg"), QSize(104, 104)));

    painter.setPen(Qt::white);
    painter.setFont(FormHelpers::font(QStringLiteral("Verdana"), 30, true));
    painter.drawText(QRect(156, 34, 450, 54), Qt::AlignLeft | Qt::AlignVCenter, HelpTopics::makerName());
    painter.setPen(QColor(0xE4, 0xEE, 0xF8));
    painter.setFont(FormHelpers::font(QStringLiteral("Verdana"), 13));
    painter.drawText(QRect(158, 90, 450, 30), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Software per l'officina di elettrauto"));

    painter.setPen(QColor(0xFF, 0xF2, 0x7A));
    painter.setFont(FormHelpers::font(QStringLiteral("Verdana"), 15, true));
    painter.drawText(QRect(36, 156, 300, 28), Qt::AlignLeft | Qt::AlignVCenter,
                     HelpTopics::productName() + QLatin1Char(' ') + HelpTopics::programVersion());
    painter.setPen(Qt::white);
    painter.setFont(FormHelpers::font(QStringLiteral("Verdana"), 11));
    const QStringList apps = {QStringLiteral("Schede di intervento"), QStringLiteral("Anagrafica clienti"),
                              QStringLiteral("Parco automezzi")};
    int y = 190;
    for (const QString &app : apps) {
        painter.setBrush(QColor(0xF5, 0xA6, 0x23));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPointF(44, y + 11), 4, 4);
        painter.setPen(Qt::white);
        painter.drawText(QRect(56, y, 260, 22), Qt::AlignLeft | Qt::AlignVCenter, app);
        y += 24;
    }

    // A framed picture of a car being looked after.
    const QRect photo(352, 142, 236, 166);
    QPainterPath frame;
    frame.addRoundedRect(QRectF(photo.adjusted(-6, -6, 6, 6)), 8, 8);
    painter.fillPath(frame, Qt::white);
    painter.drawPixmap(photo, Artwork::picture(QStringLiteral(":/art/auto.svg"), photo.size()));

    // The foot: the maker's addresses.
    painter.fillRect(QRect(0, kPictureHeight - 36, kPictureWidth, 36), QColor(0, 0, 0, 90));
    painter.setPen(QColor(0xE4, 0xEE, 0xF8));
    painter.setFont(FormHelpers::font(QStringLiteral("Verdana"), 10));
    painter.drawText(QRect(0, kPictureHeight - 36, kPictureWidth, 36), Qt::AlignCenter,
                     HelpTopics::makerWebLabel() + QStringLiteral("   -   ") + HelpTopics::makerEmail());
    return pixmap;
}

TfrmSplash::TfrmSplash(AppWindows &, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QLatin1Char(' ') + HelpTopics::productName() + QStringLiteral(" - un software di ")
                   + HelpTopics::makerName());
    FormHelpers::makeFixedWithoutButtons(this);
    setModal(true);
    setObjectName(QStringLiteral("frmSplash"));

    imgSplash = new QLabel(this);
    imgSplash->setFixedSize(kPictureWidth, kPictureHeight);
    imgSplash->setPixmap(makerPicture());

    imgWeb = new QLabel(this);
    imgWeb->setPixmap(Artwork::picture(QStringLiteral(":/icons/internet-web-browser.svg"), QSize(32, 32)));
    lnkWeb = new LinkLabel(HelpTopics::makerWebLabel(), this);
    lnkWeb->addIcon(imgWeb);

    btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    btnChiudi->setMinimumSize(110, 32);
    btnChiudi->setAutoDefault(false);
    btnChiudi->setDefault(true);

    auto *foot = new QHBoxLayout;
    foot->setContentsMargins(16, 10, 16, 14);
    foot->setSpacing(8);
    foot->addWidget(imgWeb);
    foot->addWidget(lnkWeb);
    foot->addStretch(1);
    foot->addWidget(btnChiudi);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(imgSplash);
    layout->addLayout(foot);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const QList<QPair<QWidget *, const char *>> names = {
        {imgSplash, "imgSplash"}, {imgWeb, "imgWeb"}, {lnkWeb, "lnkWeb"}, {btnChiudi, "btnChiudi"}};
    for (const auto &[control, name] : names)
        control->setObjectName(QLatin1String(name));

    connect(btnChiudi, &QPushButton::clicked, this, &TfrmSplash::btnChiudiClick);
    connect(lnkWeb, &LinkLabel::mouseDown, this, &TfrmSplash::lnkWebMouseDown);
    connect(lnkWeb, &LinkLabel::mouseUp, this, &TfrmSplash::lnkWebMouseUp);
    connect(lnkWeb, &LinkLabel::clicked, this, &TfrmSplash::lnkWebClick);

    // Centred on the launcher that opens it.
    FormHelpers::centre(this, parent ? parent->window() : nullptr);
}

void TfrmSplash::btnChiudiClick()
{
    accept();
}

void TfrmSplash::lnkWebClick()
{
    lnkWeb->setPressed(false);
    TMisc::Open(HelpTopics::makerWebAddress());
}

void TfrmSplash::lnkWebMouseDown()
{
    lnkWeb->setPressed(true);
}

void TfrmSplash::lnkWebMouseUp()
{
    lnkWeb->setPressed(false);
}
