#pragma once

// The program defaults of the page "默认资料设置", kept in bdchange.ini (section
// "currensys"), and the start-up check box of the basic-settings window.

#include "session.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace mzt {

struct DefaultSettings
{
    // Bill key (采购入库, 采购退货, 销售出货, 销售退货, 其它入库, 其它出库) → warehouse name.
    QHash<QString, QString> warehouses;
    int decimals = 2; // price decimals, 0 to 4
    // Discount box text in 折 ("8.8", "0" for none); nullopt when the stored value cannot
    // be read, so the box keeps what it shows.
    std::optional<QString> discount;
};

class BasicSettings final
{
public:
    static constexpr int MaxDecimals = 4;

    explicit BasicSettings(Session& session) : m_s(session) {}

    // The names the six warehouse lists offer.
    QStringList warehouseNames();

    DefaultSettings load() const;
    // The box "下次启动时不再显示本窗口" is ticked when 启动提示设置 (read with "1") is "1".
    bool startupBoxTicked() const;
    // Writes 启动提示设置 at once: "1" ticked, "0" not. False (and a message) when the
    // file cannot be written.
    bool SetStartupPrompt(bool ticked);

    // "应用": writes the six warehouses, 小数点位数, 小数点位数1 and 销售出货默认折扣.
    bool ApplyDefaultSettings(const DefaultSettings& settings);
    // "保存设置": ApplyDefaultSettings, then "设置成功!".
    bool SaveDefaultSettings(const DefaultSettings& settings);

    // Stored discount factor → box text: "1" (full price) shows 0, 0.88 shows 8.8.
    static std::optional<QString> discountBoxText(const QString& stored);
    // Box text → stored factor: 8.8 stores 0.88; 0, empty or unreadable store "1".
    static QString storedDiscount(const QString& boxText);

private:
    bool saveFile();

    Session& m_s;
};

} // namespace mzt
