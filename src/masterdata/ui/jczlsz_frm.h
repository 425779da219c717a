#pragma once

#include "basicsettings.h"
#include "codelists.h"

#include <QDialog>
#include <QHash>
#include <QList>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace mzt {

class CodeListPage;

// The basic-settings window "基础资料设置": the code lists and the program defaults.
class Tfrm_jczlsz final : public QDialog
{
    Q_OBJECT
public:
    // The pages, in the order the main window and the other windows name them.
    enum Page
    {
        UnitsPage = 0,
        HandlersPage = 1,
        OtherExpensePage = 2,
        OtherIncomePage = 3,
        BankAccountsPage = 4,
        PaymentMethodsPage = 5,
        DefaultsPage = 6,
    };

    // Opens on the given page (the first one when it is out of range).
    Tfrm_jczlsz(Session& session, QWidget* parent = nullptr, int page = UnitsPage);

    QTabWidget* tabs() const { return m_tabs; }
    int currentPage() const;
    // The code-list page of pages 0 to 5.
    CodeListPage* codeListPage(int page) const;

    QPushButton* applyButton() const { return m_apply; }
    QPushButton* closeButton() const { return m_close; }
    QCheckBox* startupBox() const { return m_startup; }
    QComboBox* warehouseBox(const QString& billKey) const { return m_warehouses.value(billKey); }
    QSpinBox* decimalsBox() const { return m_decimals; }
    QLineEdit* discountBox() const { return m_discount; }
    QCheckBox* noDiscountBox() const { return m_noDiscount; }
    QPushButton* saveSettingsButton() const { return m_saveSettings; }

    // "应用" and "保存设置".
    void apply();
    void saveSettings();

private:
    QWidget* buildDefaultsPage();
    void loadDefaults();
    DefaultSettings collectDefaults() const;
    void defaultsChanged();

    Session& m_s;
    BasicSettings m_settings;
    QTabWidget* m_tabs = nullptr;
    QList<CodeListPage*> m_lists;
    QPushButton* m_apply = nullptr;
    QPushButton* m_close = nullptr;
    QCheckBox* m_startup = nullptr;
    QHash<QString, QComboBox*> m_warehouses;
    QSpinBox* m_decimals = nullptr;
    QLineEdit* m_discount = nullptr;
    QCheckBox* m_noDiscount = nullptr;
    QPushButton* m_saveSettings = nullptr;
    bool m_loading = false;
};

} // namespace mzt
