#pragma once

#include <QString>

// The access password and its store "unins000.dll", an INI file in the program folder holding the
// scrambled password as key "Valore" of section "Accesso".

// Scrambles a password into its stored form: two upper-case hexadecimal digits per character.
// Characters are taken as their Windows-1252 bytes (see canBeStored).
QString CodificaPassword(const QString &password);

// Unscrambles a stored value. A last odd digit is ignored. ok turns false when a pair of characters
// is not a hexadecimal number.
QString DecodificaPassword(const QString &stored, bool *ok = nullptr);

namespace PasswordStore {

QString fileName(const QString &programFolder);

// The stored password, decoded and trimmed. ok turns false (and the password is empty) when the
// store is missing, holds no password, cannot be read or its value cannot be decoded.
QString storedPassword(const QString &programFolder, bool *ok);

// Replaces the stored password (already upper-cased and trimmed by the caller) atomically.
bool store(const QString &programFolder, const QString &password);

// The scrambler keeps one byte per character: at most 255 characters, each in the code page.
bool canBeStored(const QString &password);
constexpr int kMaxLength = 255;

}  // namespace PasswordStore
