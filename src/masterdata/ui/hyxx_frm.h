#pragma once

#include "masterlistwindow.h"

class QFrame;

namespace mzt {

class MemberList;

// "会员信息管理": the members and the two member discounts. In picker mode (opened by the
// POS window) a double-click on a row hands its card number back and closes the window.
class Tfrm_hyxx final : public MasterListWindow
{
    Q_OBJECT

public:
    explicit Tfrm_hyxx(Session& session, QWidget* parent = nullptr, bool pickerMode = false);

    static MasterListSetup windowSetup();
    MemberList& members();

    bool isPickerMode() const { return m_picker; }
    // The 卡号 of the row double-clicked in picker mode; empty otherwise.
    QString pickedCardNumber() const { return m_pickedCard; }

    // "排序资料" and "会员打折设置" open these panels.
    void showSortPanel();
    void sortByPanel();
    void showDiscountPanel();
    void applyDiscounts();
    QFrame* sortPanel() const { return m_sortPanel; }
    QFrame* discountPanel() const { return m_discountPanel; }
    QComboBox* sortFieldBox() const { return m_sortField; }
    QComboBox* sortDirectionBox() const { return m_sortDirection; }
    QLineEdit* goldDiscountBox() const { return m_gold; }
    QLineEdit* normalDiscountBox() const { return m_normal; }

    void startNew() override;
    void rowClicked(int row) override;

protected:
    void afterSaved(SaveResult result, const FieldValues& values) override;

private:
    void buildSortPanel();
    void buildDiscountPanel();

    bool m_picker = false;
    QString m_pickedCard;
    QFrame* m_sortPanel = nullptr;
    QComboBox* m_sortField = nullptr;
    QComboBox* m_sortDirection = nullptr;
    QFrame* m_discountPanel = nullptr;
    QLineEdit* m_gold = nullptr;
    QLineEdit* m_normal = nullptr;
};

} // namespace mzt
