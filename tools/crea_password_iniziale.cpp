// Writes the password store of a new program folder with the initial password, upper-cased and
// scrambled as the program stores it. An existing store is left alone, so a password changed by the
// users survives a rebuild of the folder.
//
//   crea-password-iniziale <program folder>

#include "shell/PasswordStore.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "uso: crea-password-iniziale <cartella del programma>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (QFileInfo::exists(PasswordStore::fileName(folder)))
        return 0;
    if (!PasswordStore::store(folder, QStringLiteral("PORTIERASICURA"))) {
        std::fprintf(stderr, "impossibile scrivere %s\n", argv[1]);
        return 1;
    }
    return 0;
}
