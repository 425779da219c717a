#pragma once

#include "database.h"
#include "inifile.h"

#include <QString>

namespace mzt {

// bdchange.ini of the program folder: section [currensys] for the workstation's
// defaults and [database] for the connection.
class BdChangeSettings final
{
public:
    static QString fileName() { return QStringLiteral("bdchange.ini"); }
    explicit BdChangeSettings(const QString& programFolder);

    QString value(const QString& key, const QString& def) const;
    void setValue(const QString& key, const QString& value);
    bool save() const { return m_ini.save(); }
    void reload() { m_ini.load(); }
    IniFile& ini() { return m_ini; }

    // "1" = do not open the basic settings window at start-up. Start-up reads it
    // with the default "0", the settings window with "1".
    QString startupPrompt(const QString& def) const { return value(QStringLiteral("启动提示设置"), def); }
    void setStartupPrompt(bool dontShow) { setValue(QStringLiteral("启动提示设置"), dontShow ? QStringLiteral("1") : QStringLiteral("0")); }

    // Warehouse preselected by a bill kind: key is one of 采购入库, 采购退货, 销售出货,
    // 销售退货, 其它入库, 其它出库; "0" when never set.
    QString defaultWarehouse(const QString& billKey) const { return value(billKey, QStringLiteral("0")); }
    void setDefaultWarehouse(const QString& billKey, const QString& w) { setValue(billKey, w); }
    static QStringList warehouseKeys();

    // Number picture of unit prices ("0.00") and the number of decimals ("2").
    QString pricePicture() const { return value(QStringLiteral("小数点位数"), QStringLiteral("0.00")); }
    int priceDecimals() const;
    // Writes both keys from a count of decimals.
    void setPriceDecimals(int decimals);
    static QString pictureForDecimals(int decimals);

    // Default discount of new sales lines; the sales bill reads it with "1", the settings
    // window with "0".
    QString salesDiscount(const QString& def) const { return value(QStringLiteral("销售出货默认折扣"), def); }
    void setSalesDiscount(const QString& d) { setValue(QStringLiteral("销售出货默认折扣"), d); }

    // The [database] section; absent keys give the SQLite default in the program folder.
    ConnectionSettings connection() const;
    void setConnection(const ConnectionSettings& c);

    static QString section() { return QStringLiteral("currensys"); }

private:
    QString m_folder;
    IniFile m_ini;
};

} // namespace mzt
