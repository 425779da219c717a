#pragma once

#include "goods.h"

#include <QDialog>
#include <QList>

#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mzt {

// Windows of other features that the goods windows open: they are looked up where all
// windows are registered, since the goods windows cannot see that registry. An empty
// function opens nothing.
struct GoodsWindowOpeners
{
    std::function<void(Session&, QWidget* parent)> units;      // the unit page "计量单位"
    std::function<void(Session&, QWidget* parent)> warehouses; // the warehouse window

    // What the goods windows use unless given others; set once at start-up.
    static GoodsWindowOpeners& defaults();
};

// The goods editor "商品资料管理": the units and pack specification ("[第一步]"), the goods
// data with the code built from the category, and the prices. In add mode it stays open
// for the next goods item; in change mode it closes after saving.
class TFrm_product final : public QDialog
{
    Q_OBJECT
public:
    explicit TFrm_product(Session& session, QWidget* parent = nullptr,
                          GoodsWindowOpeners openers = GoodsWindowOpeners::defaults());
    ~TFrm_product() override;

    // Add mode with the category preselected (none for an empty code or the root).
    void startAdd(const QString& categoryCode = {});
    // Change mode for the goods item; false (and "当前无资料可修改!") when it is not there.
    bool startChange(const QString& code);

    GoodsEditor& logic() { return m_logic; }
    GoodsForm form() const;
    // "保存商品资料".
    void save();
    // Enter in the supplier box: looks the supplier up, or saves once it is filled in.
    void supplierEnter();
    // Re-reads the unit and category lists (after the unit page or the warehouse window).
    void reloadLists();

    QComboBox* unitBox(int i) const { return m_units[i]; }
    QLineEdit* ratioBox(int i) const { return m_ratios[i]; }
    QComboBox* categoryBox() const { return m_category; }
    QLineEdit* numberBox() const { return m_number; }
    QLineEdit* nameBox() const { return m_name; }
    QLineEdit* quickCodeBox() const { return m_quick; }
    QLineEdit* barcodeBox() const { return m_barcode; }
    QLineEdit* supplierBox() const { return m_supplierName; }
    QLineEdit* supplierCodeBox() const { return m_supplierCode; }
    QLineEdit* purchasePriceBox() const { return m_purchase; }
    QLineEdit* wholesalePriceBox() const { return m_wholesale; }
    QLineEdit* retailPriceBox() const { return m_retail; }
    QLineEdit* upperLimitBox() const { return m_upper; }
    QLineEdit* lowerLimitBox() const { return m_lower; }
    QLineEdit* priceBox(int i) const { return m_prices.at(i); }
    QLineEdit* shelfLifeBox() const { return m_shelfLife; }
    QLineEdit* productionDateBox() const { return m_productionDate; }
    QComboBox* discontinuedBox() const { return m_discontinued; }
    QGroupBox* unitsPanel() const { return m_unitsPanel; }
    QLabel* specificationLabel() const { return m_specLabel; }
    QLabel* smallestUnitHint() const { return m_hint; }
    QLabel* changeNote() const { return m_changeNote; }
    QLabel* categoryHint() const { return m_categoryHint; }
    QLabel* codeLabel() const { return m_codeLabel; }
    QPushButton* saveButton() const { return m_save; }
    QPushButton* unitsButton() const { return m_unitsButton; }
    QPushButton* treeButton() const { return m_treeButton; }
    bool packTouched() const { return m_packTouched; }

    // The category list entry of a code; -1 when it has none.
    int categoryIndex(const QString& categoryCode) const;
    // Chooses the category as the picker or the list does: proposes the number.
    void chooseCategory(const QString& categoryCode);

signals:
    // A goods item was added (add mode stays open).
    void goodsAdded(const QString& code);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildUi();
    void unitsChanged();
    void updatePackTexts();
    void categoryChanged();
    void updateCodeLabel();
    void checkRatio(int i);
    void checkBarcodeBox();
    void openTreePicker();
    void openUnits();
    void pickSupplier(const Rows& rows);
    void browseSuppliers();
    void afterAdd(const QString& code);
    void focusField(GoodsField field, int priceIndex);
    void fillForm(const GoodsForm& f);
    void setUnitCombo(QComboBox* box, const QString& unit);
    QString categoryPart() const;

    Session& m_s;
    GoodsEditor m_logic;
    GoodsWindowOpeners m_openers;
    bool m_seesPurchasePrice = false;
    bool m_packTouched = false;
    bool m_filling = false;
    bool m_checkingBarcode = false;
    QString m_lastResolvedSupplier;

    QGroupBox* m_unitsPanel = nullptr;
    QComboBox* m_units[3] = {};
    QLineEdit* m_ratios[2] = {};
    QLabel* m_ratioLabels[2] = {};
    QLabel* m_ratioSuffix[2] = {};
    QLabel* m_specLabel = nullptr;
    QLabel* m_hint = nullptr;
    QPushButton* m_unitsButton = nullptr;

    QComboBox* m_category = nullptr;
    QPushButton* m_treeButton = nullptr;
    QPushButton* m_fillButton = nullptr;
    QLineEdit* m_number = nullptr;
    QLabel* m_codeLabel = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_quick = nullptr;
    QLineEdit* m_barcode = nullptr;
    QLineEdit* m_supplierName = nullptr;
    QLineEdit* m_supplierCode = nullptr;
    QPushButton* m_supplierButton = nullptr;
    QLineEdit* m_shelfLife = nullptr;
    QLineEdit* m_productionDate = nullptr;
    QComboBox* m_discontinued = nullptr;
    QLineEdit* m_upper = nullptr;
    QLineEdit* m_lower = nullptr;
    QLabel* m_upperUnit = nullptr;
    QLabel* m_lowerUnit = nullptr;
    QLineEdit* m_purchase = nullptr;
    QLineEdit* m_wholesale = nullptr;
    QLineEdit* m_retail = nullptr;
    QLabel* m_purchaseLabel = nullptr;
    QLabel* m_purchaseUnit = nullptr;
    QLabel* m_wholesaleUnit = nullptr;
    QLabel* m_retailUnit = nullptr;
    QList<QLineEdit*> m_prices;
    QList<QLabel*> m_priceUnits;

    QLabel* m_categoryHint = nullptr;
    QLabel* m_changeNote = nullptr;
    QLabel* m_lastAdded = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace mzt
