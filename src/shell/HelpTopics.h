#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The help topics of the program and the maker's details. One source of text: the help window shows
// a topic, the manual Guida.pdf prints the same paragraphs.
namespace HelpTopics {

// Paragraphs of a topic's text are separated by one empty line: CR LF CR LF.
inline const QString kParagraphSeparator = QStringLiteral("\r\n\r\n");

struct Topic
{
    QString title;
    QStringList paragraphs;

    // The text the help window shows: the paragraphs joined by kParagraphSeparator.
    QString text() const { return paragraphs.join(kParagraphSeparator); }
};

// "Uno sguardo a Cablora" (launcher): an introduction, the customer, vehicle and sheet sections and
// four closing paragraphs, 38 in all.
Topic launcher();
// "App Anagrafica Clienti": the launcher's paragraphs 2 to 11, word for word.
Topic customers();
// "App Parco Automezzi": the launcher's paragraphs 12 to 22.
Topic vehicles();
// "App Schede Interventi": the launcher's paragraphs 23 to 34.
Topic sheets();
// "Esportazione archivio clienti in Excel" and "Esportazione archivio veicoli in Excel": three
// paragraphs each.
Topic customerExport();
Topic vehicleExport();

// The six topics in the order of the manual's chapters.
QList<Topic> all();

// The launcher's paragraphs that belong to none of the three app topics (the introduction and the
// closing paragraphs), in order.
QStringList launcherOwnParagraphs();

// The product and its maker.
QString productName();
QString programVersion();
QString makerName();
QString makerWebAddress();  // opened by the maker's window and the launcher's web strip
QString makerWebLabel();    // the address as the link shows it
QString makerEmail();

// The manual in the program folder, opened by the help window.
QString manualFileName();
QString manualPath(const QString &programFolder);

}  // namespace HelpTopics
