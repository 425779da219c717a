#pragma once

#include "goods.h"
#include "goodsselection.h"
#include "product_frm.h"

#include <QDialog>
#include <QHash>

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace mzt {

class CategoryTree;
class DataGrid;

// The goods list "商品资料管理": the category tree, the filter boxes and the goods grid with
// add, change, delete, print and export. Opened by a bill with a selection list it is the
// goods picker: clicked rows go into the list, and a double-click, "修改商品资料" or
// "导入选中行的商品" closes it to hand the list over.
class Tfrm_spzl final : public QDialog
{
    Q_OBJECT
public:
    explicit Tfrm_spzl(Session& session, QWidget* parent = nullptr, GoodsSelectionList* selection = nullptr,
                       const QString& warehouse = {},
                       GoodsWindowOpeners openers = GoodsWindowOpeners::defaults());
    ~Tfrm_spzl() override;

    bool isPicker() const { return m_selection != nullptr; }
    GoodsList& logic() { return m_logic; }
    DataGrid* grid() const { return m_grid; }
    CategoryTree* tree() const { return m_tree; }
    QLabel* countLabel() const { return m_count; }
    // The filter boxes by column: 编码, 条码, 品名, 公司名, 备注.
    QLineEdit* queryBox(const QString& field) const { return m_query.value(field); }
    QPushButton* button(const QString& caption) const { return m_buttons.value(caption); }
    QMenu* rowMenu() const { return m_rowMenu; }
    QAction* importAction() const { return m_importAction; }

    // The window's actions.
    void showCategory(const QString& categoryCode);
    void runQuery();
    void sortByName();
    void addGoods();
    void changeGoods();
    void deleteGoods();
    void printGoods();
    void exportGoods();
    void manageCategories();
    // Picker mode: the row was clicked; its selection decides whether its entry goes in or out.
    void rowClicked(int row);
    // Picker mode: hands the list to the bill.
    void importSelected();

    void showRows(const Rows& rows);

private:
    void buildUi();
    void selectCode(const QString& code);

    Session& m_s;
    GoodsList m_logic;
    GoodsSelectionList* m_selection = nullptr;
    QString m_warehouse;
    GoodsWindowOpeners m_openers;
    bool m_seesPurchasePrice = false;
    QString m_shownCategory; // the category whose goods the list shows; empty after a search

    CategoryTree* m_tree = nullptr;
    DataGrid* m_grid = nullptr;
    QLabel* m_count = nullptr;
    QHash<QString, QLineEdit*> m_query;
    QHash<QString, QPushButton*> m_buttons;
    QMenu* m_rowMenu = nullptr;
    QAction* m_importAction = nullptr;
};

} // namespace mzt
