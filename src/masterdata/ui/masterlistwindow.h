#pragma once

// The shared master-data list window: a button bar, one labelled box per configured
// column, and a DataGrid of the table. A window class derives from it, fills a
// MasterListConfig (the table, see masterlist.h) and a MasterListSetup (captions and
// behaviour), and adds its own buttons:
//
//   class Tfrm_ywy_info final : public MasterListWindow {
//   public:
//       Tfrm_ywy_info(Session& s, QWidget* parent)
//           : MasterListWindow(s, std::make_unique<MasterListLogic>(s, salespersonConfig()),
//                              salespersonSetup(), parent)
//       {
//           addButton(QStringLiteral("从Excel 文件导入业务员资料"), [this] { ... });
//           reload(/*opening=*/true);
//       }
//   };
//
// Modes: at opening neither (boxes disabled, grey). "New" (newCaption) and a row click give
// edit mode; the find button gives query mode, in which every change of a trigger box
// filters the list (FindBehaviour::QueryMode) — or, with FindBehaviour::FilterOnce, the find
// button filters once with the boxes as they are. Save, delete, export and print run the
// logic and then the after-hooks below, which a window may override.
// Enter in a box moves to the next box; Enter in a box of saveOnEnter saves. Esc closes.

#include "masterlist.h"

#include <QDialog>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace mzt {

class DataGrid;

enum class ListMode
{
    None,
    Edit,
    Query,
};

enum class FindBehaviour
{
    QueryMode,  // empty the boxes, filter as the user types
    FilterOnce, // filter with the boxes' current texts, no mode change
};

// What the window does with its boxes after a successful save.
enum class AfterSave
{
    EmptyBoxes,   // boxes stay enabled and are emptied
    DisableBoxes, // boxes disabled (grey) and emptied, mode None
    KeepBoxes,
};

// What the list shows after a successful save.
enum class ListAfterSave
{
    All,        // logic.loadAll()
    OnlyByName, // only the rows whose showOnlyField equals the saved box
};

struct MasterListSetup
{
    QString title;
    QString instructions; // a line of text above the boxes; none when empty

    // Button captions; an empty caption leaves the button out.
    QString newCaption = QStringLiteral("新增");
    QString newHint;
    QString saveCaption = QStringLiteral("保存");
    QString deleteCaption = QStringLiteral("删除");
    QString findCaption = QStringLiteral("查找");
    QString sortCaption; // sorts the list by the reload order (logic.loadAll)
    QString exportCaption;
    QString exportName; // default file name of the export, e.g. "业务员信息"
    QString printCaption;
    QString printTemplate; // e.g. "zcfrf\\ywy_report.frf"
    QString printRight;    // checked with HasRight before printing; none when empty
    QString printLogText;  // "一般" log row written before printing; none when empty
    QString exitCaption = QStringLiteral("退出管理");

    FindBehaviour find = FindBehaviour::QueryMode;
    QStringList filterTriggers; // boxes whose changes filter in query mode; all when empty
    QString focusField;         // box that gets the focus after new/find; the first when empty
    QStringList saveOnEnter;    // Enter in these boxes saves
    bool newBeforeSave = true;  // saving with disabled boxes runs "new" first
    AfterSave afterInsert = AfterSave::EmptyBoxes;
    AfterSave afterUpdate = AfterSave::EmptyBoxes;
    ListAfterSave listAfterInsert = ListAfterSave::All;
    QString showOnlyField; // for ListAfterSave::OnlyByName
    AfterSave afterDelete = AfterSave::EmptyBoxes;
    QString deleteAskCheckBox; // a check box (ticked at opening) that turns the delete question on
    int boxColumns = 3;        // label+box pairs per row
    int defaultBoxWidth = 150;
    QSize size = QSize(900, 600);
};

class MasterListWindow : public QDialog
{
    Q_OBJECT

public:
    MasterListWindow(Session& session, std::unique_ptr<MasterListLogic> logic, MasterListSetup setup,
                     QWidget* parent = nullptr);
    ~MasterListWindow() override;

    MasterListLogic& logic() { return *m_logic; }
    const MasterListSetup& setup() const { return m_setup; }
    Session& session() { return m_session; }
    ListMode mode() const { return m_mode; }

    DataGrid* grid() const { return m_grid; }
    // The box of a column (a QLineEdit or a QComboBox); nullptr for an unknown field.
    QWidget* box(const QString& field) const;
    QLineEdit* lineEdit(const QString& field) const;
    QComboBox* comboBox(const QString& field) const;
    QString boxText(const QString& field) const;
    void setBoxText(const QString& field, const QString& text);
    FieldValues boxValues() const;
    // The current list row's configured columns; empty when there is no row.
    FieldValues currentRowValues() const;
    bool boxesEnabled() const;

    // Buttons: the standard ones by caption; extra ones are appended to the bar.
    QPushButton* button(const QString& caption) const;
    QPushButton* addButton(const QString& caption, std::function<void()> handler, const QString& hint = {});
    QCheckBox* deleteAskBox() const { return m_deleteAsk; }
    // A row of controls under the boxes for window-specific panels.
    QVBoxLayout* extraArea() const { return m_extra; }

    // Other windows by class name (the import windows), looked up through the program's
    // window registry, which sets the look-up once at start-up.
    using WindowFactory = std::function<QDialog*(Session&, QWidget* parent)>;
    using WindowLookup = std::function<WindowFactory(const QString& windowClass)>;
    static void setWindowLookup(WindowLookup lookup);
    static bool canOpenWindow(const QString& windowClass);
    // Runs the window modally and frees it; false when it is not available.
    bool openWindow(const QString& windowClass);

    // Shows the rows of the list (opening order when opening).
    void reload(bool opening = false);
    void showRows(const Rows& rows);

    // The actions behind the buttons; windows may override them.
    virtual void startNew();
    virtual void startFind();
    virtual void save();
    virtual void removeCurrent();
    virtual void sortList();
    virtual void exportList();
    virtual void printList();
    virtual void rowClicked(int row);
    // Runs the query-mode filter with the boxes' current texts.
    void runFilter();

    // Empties the boxes (and drop-downs) and enables (mode 1) or disables (mode 0) them.
    void setBoxesMode(int mode);
    void setMode(ListMode mode) { m_mode = mode; }
    void focusBox(const QString& field);

protected:
    // After the logic's save / delete; the defaults follow the setup.
    virtual void afterSaved(SaveResult result, const FieldValues& values);
    virtual void afterDeleted(DeleteResult result);
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildUi();
    void boxChanged(const QString& field);
    void focusNextBox(const QString& field);

    Session& m_session;
    std::unique_ptr<MasterListLogic> m_logic;
    MasterListSetup m_setup;
    ListMode m_mode = ListMode::None;
    bool m_filling = false;

    QHBoxLayout* m_buttonBar = nullptr;
    QGridLayout* m_boxGrid = nullptr;
    QVBoxLayout* m_extra = nullptr;
    DataGrid* m_grid = nullptr;
    QCheckBox* m_deleteAsk = nullptr;
    QHash<QString, QWidget*> m_boxes;
    QHash<QString, QLabel*> m_labels;
    QStringList m_boxOrder;
    QHash<QString, QPushButton*> m_buttons;
};

} // namespace mzt
