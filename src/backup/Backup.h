#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// Backup copies of a program folder's data: one zip file holding the archives (*.pro), the settings
// (*.ini), the password store, the logo, the sheet photos (Foto_A_n.jpg, Foto_B_n.jpg) and the
// folders Autoparco/ and Documenti_Allegati/. The executable and the manual are not data and stay
// out. An archive is read under its write lock, a block at a time, after a journal or append mark
// left by a stopped writer has been applied, so that the copy holds whole records only and another
// workstation may go on saving meanwhile. A copy is written under a temporary name, read back whole
// and compared with what was written (size and SHA-256 of every entry), and only then takes its
// final name. A restore unpacks the whole
// copy into a folder of its own first; only when every entry has been read well does it move the
// current data aside (into Dati_precedenti_<date>) and put the restored files in their place, after
// recording what moves, so that a restore stopped half-way is finished at the next start.
namespace Backup {

// "Cablora_copia_YYYY-MM-DD_HH-MM-SS.zip" and "Dati_precedenti_YYYY-MM-DD_HH-MM-SS".
QString copyFileName(const QDateTime &when);
QString asideFolderName(const QDateTime &when);

// True when a path relative to the program folder ('/'-separated) names a data file.
bool isDataPath(const QString &relative);
// The data files of a program folder, relative and sorted (symbolic links are not followed).
QStringList dataFiles(const QString &folder);

// Told how far the work is (done of total, in bytes); returning false cancels it.
using Progress = std::function<bool(qint64 done, qint64 total)>;

struct Result
{
    bool ok = false;
    QString error;        // Italian, for the user, when !ok
    QString path;         // the copy written (create)
    int files = 0;        // data files copied or restored
    QString asideFolder;  // where the former data went (restore), empty when nothing was moved
    QString note;         // Italian, for the user: a restore stopped earlier was finished or undone
};

// Writes a verified copy of the program folder's data into destFolder.
Result create(const QString &folder, const QString &destFolder, const QDateTime &when, const Progress &progress = {});

// Reads a copy whole (each entry's zip checksum is checked while reading) and refuses names that
// are not data paths, absolute or climb out with "..". Fills entries with name and bytes read.
Result verify(const QString &zipPath, QVector<QPair<QString, qint64>> *entries = nullptr);

// True when the folder holds any data file.
bool hasData(const QString &folder);

// The file names of the three archives, and what each holds, as messages name it
// ("Parco_Automezzi.pro (parco automezzi)").
QStringList archiveFileNames();
QString archiveDescription(const QString &fileName);

// Asked, with the file names of the archives the copy lacks, before a copy that holds some of the
// three archives but not all replaces the data: true restores it anyway (those registers are then
// empty, the former data being moved aside as always).
using ConfirmIncomplete = std::function<bool(const QStringList &missing)>;

// Restores a copy into the program folder; former data files are moved into
// <folder>/Dati_precedenti_<when> first (Result::asideFolder). A copy that holds none of the three
// archives (by their exact names) is refused; one that lacks some is restored only when
// confirmIncomplete says so (without it, it is refused).
Result restore(const QString &zipPath, const QString &folder, const QDateTime &when, const Progress &progress = {},
               const ConfirmIncomplete &confirmIncomplete = {});

// Runs to its end a restore that was stopped while it moved files (see the swap plan in Backup.cpp):
// forward to the restored data, or back to the former data when it had failed and was being undone;
// a restore stopped before it moved anything leaves only its work folder, which goes. ok is false
// when a file cannot be moved now (the folder stays as it is, and the next call tries again); note
// tells what was done. The program calls it at start and before every command-line verb, and every
// restore calls it first.
Result finishInterruptedRestore(const QString &folder);

// Rolls back what a writer stopped half-way left in the folder's three archives (the journal of an
// overwrite, or of an append of many records such as an import), so that no reader, window or
// verb lists records of an import that never ended. An archive whose lock another writer holds is
// left to that writer. Called with finishInterruptedRestore.
void finishInterruptedWrites(const QString &folder);

// Writes a zip holding the given entries under the names given, unchecked. Tests use it to make
// copies that a user might receive crafted or damaged.
bool writeZip(const QString &zipPath, const QVector<QPair<QString, QByteArray>> &entries, QString *error);

}  // namespace Backup
