#include "sheets/TfrmInterventi.h"

#include "media/PhotoArea.h"
#include "widgets/FormHelpers.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

// Temporary: the controls exist; the window behaviour is being written.
TfrmInterventi::TfrmInterventi(AppWindows &windows) : AppWindow(windows, QStringLiteral(" Cablora - Schede Interventi"))
{
    cmdNuovo = new PictureButton(QString(), QSize(32, 32), QString(), this);
    cmdDuplica = new PictureButton(QString(), QSize(32, 32), QString(), this);
    cmdSalva = new PictureButton(QString(), QSize(32, 32), QString(), this);
    cmdTrova = new PictureButton(QString(), QSize(32, 32), QString(), this);
    cmdFile = new PictureButton(QString(), QSize(32, 32), QString(), this);
    cmdAnteprima = new PictureButton(QString(), QSize(32, 32), QString(), this);
    cmdStampa = new PictureButton(QString(), QSize(32, 32), QString(), this);
    cmdPrimo = new PictureButton(QString(), QSize(32, 32), QString(), this);
    cmdIndietro = new PictureButton(QString(), QSize(32, 32), QString(), this);
    cmdAvanti = new PictureButton(QString(), QSize(32, 32), QString(), this);
    cmdUltimo = new PictureButton(QString(), QSize(32, 32), QString(), this);
    lblPosizione = new QLabel(this);
    cmdNonPagati = new PictureButton(QString(), QSize(32, 32), QString(), this);
    cmdNumerazione = new PictureButton(QString(), QSize(32, 32), QString(), this);
    cmdGuida = new PictureButton(QString(), QSize(32, 32), QString(), this);
    cmdEsci = new PictureButton(QString(), QSize(32, 32), QString(), this);
    imgFoto = new PhotoArea(QSize(370, 260), QImage(), this);
    imgFoto02 = new PhotoArea(QSize(370, 260), QImage(), this);
    btnCaricaFoto = new PictureButton(QString(), QSize(32, 32), QString(), this);
    btnAcquisisciFoto = new PictureButton(QString(), QSize(32, 32), QString(), this);
    btnSalvaFoto = new PictureButton(QString(), QSize(32, 32), QString(), this);
    btnCancFoto = new PictureButton(QString(), QSize(32, 32), QString(), this);
    btnZoomFoto = new PictureButton(QString(), QSize(32, 32), QString(), this);
    btnCaricaFoto02 = new PictureButton(QString(), QSize(32, 32), QString(), this);
    btnAcquisisciFoto02 = new PictureButton(QString(), QSize(32, 32), QString(), this);
    btnSalvaFoto02 = new PictureButton(QString(), QSize(32, 32), QString(), this);
    btnCancFoto02 = new PictureButton(QString(), QSize(32, 32), QString(), this);
    btnZoomFoto02 = new PictureButton(QString(), QSize(32, 32), QString(), this);
    txtNumScheda = new QLineEdit(this);
    txtData = new QLineEdit(this);
    txtTecnico = new QLineEdit(this);
    txtAzienda = new QLineEdit(this);
    txtPratica = new QLineEdit(this);
    txtCliente = new QLineEdit(this);
    txtRecapito = new QLineEdit(this);
    txtVeicolo = new QLineEdit(this);
    txtTarga = new QLineEdit(this);
    txtMarca = new QLineEdit(this);
    txtChilometraggio = new QLineEdit(this);
    txtDanni = new QLineEdit(this);
    txtDataInizio = new QLineEdit(this);
    txtStato = new QLineEdit(this);
    txtDataFine = new QLineEdit(this);
    txtVernice = new QLineEdit(this);
    txtRicambi = new QLineEdit(this);
    txtInterventi = new QPlainTextEdit(this);
    txtManodopera = new QLineEdit(this);
    chkPagato = new QCheckBox(this);
    txtNote = new QLineEdit(this);
    txtTotale = new QLineEdit(this);
    btnLogo = new PictureButton(QString(), QSize(32, 32), QString(), this);
    impCliente = new PictureButton(QString(), QSize(32, 32), QString(), this);
    lblFile01 = new QLabel(this);
    lblFile02 = new QLabel(this);
    lblFile03 = new QLabel(this);
    lblDesc01 = new QLabel(this);
    lblDesc02 = new QLabel(this);
    lblDesc03 = new QLabel(this);
    lblInizio = new QLabel(this);
    effInterventi = new FocusFrame(txtInterventi, this);
}

void TfrmInterventi::ShowRecord(const SchedaRecord &record, qint64 position)
{

}

bool TfrmInterventi::ShowRecordAt(qint64 position)
{
    return false;
}

SchedaRecord TfrmInterventi::RecordFromScreen() const
{
    return {};
}

void TfrmInterventi::FormShow()
{

}

void TfrmInterventi::FormClose()
{

}

void TfrmInterventi::cmdNuovoClick()
{

}

void TfrmInterventi::cmdDuplicaClick()
{

}

void TfrmInterventi::cmdSalvaClick()
{

}

void TfrmInterventi::cmdTrovaClick()
{

}

void TfrmInterventi::cmdFileClick()
{

}

void TfrmInterventi::cmdAnteprimaClick()
{

}

void TfrmInterventi::cmdStampaClick()
{

}

void TfrmInterventi::cmdPrimoClick()
{

}

void TfrmInterventi::cmdIndietroClick()
{

}

void TfrmInterventi::cmdAvantiClick()
{

}

void TfrmInterventi::cmdUltimoClick()
{

}

void TfrmInterventi::cmdNonPagatiClick()
{

}

void TfrmInterventi::cmdNumerazioneClick()
{

}

void TfrmInterventi::cmdGuidaClick()
{

}

void TfrmInterventi::cmdEsciClick()
{

}

void TfrmInterventi::btnLogoClick()
{

}

void TfrmInterventi::impClienteClick()
{

}

void TfrmInterventi::btnCaricaFotoClick(PhotoArea *area)
{

}

void TfrmInterventi::btnAcquisisciFotoClick(PhotoArea *area)
{

}

void TfrmInterventi::btnSalvaFotoClick(PhotoArea *area)
{

}

void TfrmInterventi::btnCancFotoClick(PhotoArea *area)
{

}

void TfrmInterventi::btnZoomFotoClick(PhotoArea *area)
{

}

void TfrmInterventi::txtTargaChange()
{

}

bool TfrmInterventi::txtDataKeyDown(QLineEdit *edit, QKeyEvent *event)
{
    return false;
}

bool TfrmInterventi::txtTotaleKeyDown(QKeyEvent *event)
{
    return false;
}

void TfrmInterventi::txtTotaleExit()
{

}

QString TfrmInterventi::photoFileA(qint64 position)
{
    return {};
}

QString TfrmInterventi::photoFileB(qint64 position)
{
    return {};
}

void TfrmInterventi::clearScreen()
{

}

void TfrmInterventi::loadPhotos(qint64 position)
{

}

void TfrmInterventi::browse(BrowseCommand command)
{

}

QString TfrmInterventi::archivePath() const
{
    return {};
}
