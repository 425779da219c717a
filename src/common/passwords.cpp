#include "passwords.h"

#include "database.h"

#include <QMessageAuthenticationCode>
#include <QRandomGenerator>

namespace mzt::Passwords {

namespace {

constexpr int kIterations = 100000;
constexpr int kHashLength = 32;
const QString kPrefix = QStringLiteral("pbkdf2-sha256$");

bool constantTimeEqual(const QByteArray& a, const QByteArray& b)
{
    if (a.size() != b.size())
        return false;
    unsigned char diff = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diff == 0;
}

} // namespace

QByteArray pbkdf2Sha256(const QByteArray& password, const QByteArray& salt, int iterations, int length)
{
    QByteArray out;
    QMessageAuthenticationCode mac(QCryptographicHash::Sha256, password);
    for (quint32 block = 1; out.size() < length; ++block) {
        QByteArray counter(4, '\0');
        counter[0] = char(block >> 24);
        counter[1] = char(block >> 16);
        counter[2] = char(block >> 8);
        counter[3] = char(block);
        mac.reset();
        mac.addData(salt);
        mac.addData(counter);
        QByteArray u = mac.result();
        QByteArray t = u;
        for (int i = 1; i < iterations; ++i) {
            mac.reset();
            mac.addData(u);
            u = mac.result();
            for (qsizetype k = 0; k < t.size(); ++k)
                t[k] = char(t[k] ^ u[k]);
        }
        out += t;
    }
    return out.left(length);
}

QString hash(const QString& password)
{
    if (password.isEmpty())
        return QString();
    QByteArray salt(16, '\0');
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(salt.data()), salt.size() / 4);
    const QByteArray h = pbkdf2Sha256(password.toUtf8(), salt, kIterations, kHashLength);
    return kPrefix + QString::number(kIterations) + QLatin1Char('$') + QString::fromLatin1(salt.toBase64())
         + QLatin1Char('$') + QString::fromLatin1(h.toBase64());
}

bool isHashed(const QString& stored)
{
    return stored.startsWith(kPrefix) && stored.count(QLatin1Char('$')) == 3;
}

bool verify(const QString& typed, const QString& stored)
{
    if (!isHashed(stored))
        return typed == stored;
    const QStringList parts = stored.split(QLatin1Char('$'));
    bool ok = false;
    const int iterations = parts.at(1).toInt(&ok);
    if (!ok || iterations < 1 || iterations > 10000000)
        return false;
    const QByteArray salt = QByteArray::fromBase64(parts.at(2).toLatin1());
    const QByteArray expected = QByteArray::fromBase64(parts.at(3).toLatin1());
    if (expected.isEmpty())
        return false;
    return constantTimeEqual(pbkdf2Sha256(typed.toUtf8(), salt, iterations, int(expected.size())), expected);
}

bool checkUser(Database& db, const QString& jobNo, const QString& typed)
{
    const auto stored = db.scalar(QStringLiteral("select 密码 from 权限密码 where 工号 = ?"), {jobNo});
    if (!stored)
        return false;
    const QString s = stored->isNull() ? QString() : stored->toString().trimmed();
    if (!verify(typed, s))
        return false;
    if (!isHashed(s) && !s.isEmpty())
        setPassword(db, jobNo, typed);
    return true;
}

void setPassword(Database& db, const QString& jobNo, const QString& password)
{
    db.exec(QStringLiteral("update 权限密码 set 密码 = ? where 工号 = ?"), {hash(password), jobNo});
}

} // namespace mzt::Passwords
