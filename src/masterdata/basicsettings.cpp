#include "basicsettings.h"

#include "database.h"
#include "decimal.h"
#include "lists.h"
#include "prompter.h"
#include "settings.h"

namespace mzt {

namespace {

const QString startupKey = QStringLiteral("启动提示设置");
const QString discountKey = QStringLiteral("销售出货默认折扣");

} // namespace

QStringList BasicSettings::warehouseNames()
{
    QStringList names;
    try {
        FillNameList(m_s.db, 0, names);
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
    }
    return names;
}

std::optional<QString> BasicSettings::discountBoxText(const QString& stored)
{
    const QString t = stored.trimmed();
    if (t == QStringLiteral("1"))
        return QStringLiteral("0");
    const std::optional<Decimal> d = Decimal::parse(t);
    if (!d)
        return std::nullopt;
    return (*d * Decimal(10)).toString();
}

QString BasicSettings::storedDiscount(const QString& boxText)
{
    const Decimal d = Decimal::fromText(boxText.trimmed());
    if (d > Decimal())
        return (d / Decimal(10)).toString();
    return QStringLiteral("1");
}

DefaultSettings BasicSettings::load() const
{
    const BdChangeSettings& ini = m_s.settings;
    DefaultSettings out;
    for (const QString& key : BdChangeSettings::warehouseKeys())
        out.warehouses.insert(key, ini.defaultWarehouse(key));
    out.decimals = qBound(0, ini.priceDecimals(), MaxDecimals);
    out.discount = discountBoxText(ini.salesDiscount(QStringLiteral("0")));
    return out;
}

bool BasicSettings::startupBoxTicked() const
{
    return m_s.settings.startupPrompt(QStringLiteral("1")) == QStringLiteral("1");
}

bool BasicSettings::saveFile()
{
    if (m_s.settings.save())
        return true;
    m_s.prompter.error(QStringLiteral("无法写入设置文件") + BdChangeSettings::fileName() +
                       QStringLiteral(",设置没有保存!"));
    return false;
}

bool BasicSettings::SetStartupPrompt(bool ticked)
{
    m_s.settings.setStartupPrompt(ticked);
    return saveFile();
}

bool BasicSettings::ApplyDefaultSettings(const DefaultSettings& settings)
{
    BdChangeSettings& ini = m_s.settings;
    for (const QString& key : BdChangeSettings::warehouseKeys())
        ini.setDefaultWarehouse(key, settings.warehouses.value(key));
    ini.setPriceDecimals(qBound(0, settings.decimals, MaxDecimals));
    ini.setSalesDiscount(storedDiscount(settings.discount.value_or(QString())));
    return saveFile();
}

bool BasicSettings::SaveDefaultSettings(const DefaultSettings& settings)
{
    if (!ApplyDefaultSettings(settings))
        return false;
    m_s.prompter.message(QStringLiteral("设置成功!"));
    return true;
}

} // namespace mzt
