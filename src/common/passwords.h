#pragma once

#include <QString>

namespace mzt {

class Database;

// Passwords are kept as "pbkdf2-sha256$<iterations>$<salt>$<hash>" (base64). The empty
// password stays the empty text, so a user without a password logs in with an empty box.
namespace Passwords {

QString hash(const QString& password);
bool isHashed(const QString& stored);
// Compares a typed password with the stored form; a plain-text stored password (from an
// older database) is compared exactly, case-sensitive.
bool verify(const QString& typed, const QString& stored);

// The one verifier behind login, unlock and password change: true when the user holds
// that password. A plain-text password that matches is replaced by its hash at once.
bool checkUser(Database& db, const QString& jobNo, const QString& typed);
// Stores the hash of a new password for a user.
void setPassword(Database& db, const QString& jobNo, const QString& password);

// PBKDF2-HMAC-SHA256 as in RFC 8018.
QByteArray pbkdf2Sha256(const QByteArray& password, const QByteArray& salt, int iterations, int length);

} // namespace Passwords
} // namespace mzt
