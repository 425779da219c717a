#include "settings.h"

#include <QDir>

namespace mzt {

BdChangeSettings::BdChangeSettings(const QString& programFolder)
    : m_folder(programFolder), m_ini(QDir(programFolder).filePath(fileName()))
{
}

QString BdChangeSettings::value(const QString& key, const QString& def) const
{
    return m_ini.value(section(), key, def);
}

void BdChangeSettings::setValue(const QString& key, const QString& value)
{
    m_ini.setValue(section(), key, value);
}

QStringList BdChangeSettings::warehouseKeys()
{
    return {QStringLiteral("采购入库"), QStringLiteral("采购退货"), QStringLiteral("销售出货"),
            QStringLiteral("销售退货"), QStringLiteral("其它入库"), QStringLiteral("其它出库")};
}

int BdChangeSettings::priceDecimals() const
{
    bool ok = false;
    const int n = value(QStringLiteral("小数点位数1"), QStringLiteral("2")).toInt(&ok);
    return ok && n >= 0 && n <= 6 ? n : 2;
}

QString BdChangeSettings::pictureForDecimals(int decimals)
{
    if (decimals <= 0)
        return QStringLiteral("0");
    return QStringLiteral("0.") + QString(qMin(decimals, 6), QLatin1Char('0'));
}

void BdChangeSettings::setPriceDecimals(int decimals)
{
    setValue(QStringLiteral("小数点位数"), pictureForDecimals(decimals));
    setValue(QStringLiteral("小数点位数1"), QString::number(qBound(0, decimals, 6)));
}

ConnectionSettings BdChangeSettings::connection() const
{
    const QString s = QStringLiteral("database");
    ConnectionSettings c;
    c.driver = m_ini.value(s, QStringLiteral("driver"), QStringLiteral("sqlite")).toLower();
    QString file = m_ini.value(s, QStringLiteral("file"), QStringLiteral("data/RURU.db"));
    c.sqliteFile = QDir(m_folder).absoluteFilePath(file);
    c.host = m_ini.value(s, QStringLiteral("host"), c.host);
    c.port = m_ini.value(s, QStringLiteral("port"), QString::number(c.port)).toInt();
    c.name = m_ini.value(s, QStringLiteral("name"), c.name);
    c.user = m_ini.value(s, QStringLiteral("user"), c.user);
    c.password = m_ini.value(s, QStringLiteral("password"), c.password);
    return c;
}

void BdChangeSettings::setConnection(const ConnectionSettings& c)
{
    const QString s = QStringLiteral("database");
    m_ini.setValue(s, QStringLiteral("driver"), c.driver);
    if (c.driver == QStringLiteral("sqlite")) {
        m_ini.setValue(s, QStringLiteral("file"), QDir(m_folder).relativeFilePath(c.sqliteFile));
    } else {
        m_ini.setValue(s, QStringLiteral("host"), c.host);
        m_ini.setValue(s, QStringLiteral("port"), QString::number(c.port));
        m_ini.setValue(s, QStringLiteral("name"), c.name);
        m_ini.setValue(s, QStringLiteral("user"), c.user);
        m_ini.setValue(s, QStringLiteral("password"), c.password);
    }
}

} // namespace mzt
