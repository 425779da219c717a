#pragma once

#include "report.h"
#include "templatedocument.h"

#include <QDialog>
#include <QWidget>

#include <optional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QScrollArea;
class QStatusBar;
class QToolBar;
class QAction;

namespace mzt {

class Prompter;

// The drawing of a template: bands stacked from top to bottom, each under a caption
// strip, with its fields at their place. Fields are selected, moved and resized with the
// mouse (the arrow keys nudge, Delete removes); a band's lower edge drags its height.
class DesignerCanvas final : public QWidget
{
    Q_OBJECT

public:
    explicit DesignerCanvas(TemplateDocument& doc, QWidget* parent = nullptr);

    double zoom() const { return m_zoom; }
    void setZoom(double zoom);
    double pixelsPerMm() const;

    std::optional<ItemRef> selectedItem() const { return m_selected; }
    std::optional<BandKind> selectedBand() const { return m_band; }
    void selectItem(const std::optional<ItemRef>& ref);
    void selectBand(BandKind band);

    // Widget coordinates of a band's area and of an item's box.
    QRectF bandRect(BandKind band) const;
    QRectF itemRect(const ItemRef& ref) const;

    // The document changed from outside: resize and repaint, drop a selection that is gone.
    void documentChanged();
    QSize sizeHint() const override;

signals:
    void selectionChanged();
    void edited();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum class Drag
    {
        None,
        Move,
        Resize,
        BandHeight
    };
    struct BandGeometry
    {
        BandKind kind;
        double captionTop;
        double top;
        double height;
    };

    QList<BandGeometry> geometry() const;
    std::optional<BandGeometry> bandGeometry(BandKind band) const;
    std::optional<ItemRef> itemAt(const QPointF& pos) const;
    QList<QRectF> handles(const ItemRef& ref) const;
    int handleAt(const QPointF& pos) const;
    std::optional<BandKind> bandEdgeAt(const QPointF& pos) const;
    std::optional<BandKind> bandAt(const QPointF& pos) const;
    double snap(double mm) const;
    void dragTo(const QPointF& pos);

    TemplateDocument& m_doc;
    double m_zoom = 1.0;
    std::optional<ItemRef> m_selected;
    std::optional<BandKind> m_band;
    Drag m_drag = Drag::None;
    int m_handle = -1;
    QPointF m_pressPos;
    ReportItem m_pressItem;
    BandKind m_dragBand = BandKind::Detail;
    double m_pressBandHeight = 0;
    bool m_snap = true;
};

// The template designer: opens on a template file and saves over it.
class ReportDesigner final : public QDialog
{
    Q_OBJECT

public:
    // The sample report, when given, supplies the column names offered for insertion and
    // the data shown by "预览".
    ReportDesigner(Prompter& prompter, const QString& path, const Report* sample = nullptr,
                   QWidget* parent = nullptr);
    ~ReportDesigner() override;

    TemplateDocument& document() { return m_doc; }
    DesignerCanvas* canvas() const { return m_canvas; }
    TemplateDocument::OpenResult openResult() const { return m_openResult; }

    // Writes over the template file; a failure is reported.
    bool save();
    ItemRef addItem(ItemKind kind);
    void deleteSelected();
    void preview();
    // Rereads the panels and the canvas after a change made through document().
    void refreshFromDocument();

    void done(int result) override;

private:
    void buildUi();
    QWidget* buildItemPanel();
    QWidget* buildBandPanel();
    QWidget* buildPagePanel();
    void updatePanels();
    void updateActions();
    void applyItemPanel();
    void applyBandPanel();
    void applyPagePanel();
    void insertIntoText(const QString& text);
    void endTyping();
    void toggleBand(BandKind band, bool on);

    Prompter& m_prompter;
    TemplateDocument m_doc;
    TemplateDocument::OpenResult m_openResult;
    std::optional<Report> m_sample;
    DesignerCanvas* m_canvas = nullptr;
    QScrollArea* m_scroll = nullptr;
    QStatusBar* m_status = nullptr;
    bool m_updating = false;
    bool m_typing = false;

    QAction* m_saveAction = nullptr;
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;
    QAction* m_deleteAction = nullptr;
    QList<QPair<BandKind, QAction*>> m_bandActions;

    QGroupBox* m_itemBox = nullptr;
    QLineEdit* m_text = nullptr;
    QComboBox* m_insert = nullptr;
    QDoubleSpinBox* m_x = nullptr;
    QDoubleSpinBox* m_y = nullptr;
    QDoubleSpinBox* m_w = nullptr;
    QDoubleSpinBox* m_h = nullptr;
    QComboBox* m_family = nullptr;
    QDoubleSpinBox* m_fontSize = nullptr;
    QCheckBox* m_bold = nullptr;
    QCheckBox* m_italic = nullptr;
    QCheckBox* m_wrap = nullptr;
    QComboBox* m_hAlign = nullptr;
    QComboBox* m_vAlign = nullptr;
    QCheckBox* m_frameLeft = nullptr;
    QCheckBox* m_frameTop = nullptr;
    QCheckBox* m_frameRight = nullptr;
    QCheckBox* m_frameBottom = nullptr;
    QDoubleSpinBox* m_lineWidth = nullptr;
    QComboBox* m_picture = nullptr;

    QGroupBox* m_bandBox = nullptr;
    QComboBox* m_bandKind = nullptr;
    QDoubleSpinBox* m_bandHeight = nullptr;

    QLineEdit* m_title = nullptr;
    QComboBox* m_paper = nullptr;
    QDoubleSpinBox* m_paperWidth = nullptr;
    QDoubleSpinBox* m_paperHeight = nullptr;
    QComboBox* m_orientation = nullptr;
    QDoubleSpinBox* m_marginLeft = nullptr;
    QDoubleSpinBox* m_marginTop = nullptr;
    QDoubleSpinBox* m_marginRight = nullptr;
    QDoubleSpinBox* m_marginBottom = nullptr;
};

// The advice every screen shows before its designer opens.
QString DesignReportAdviceText();

// Shows the advice (title "操作提示"), then the designer on the template, modally; what the
// user saves replaces the file. A file that does not exist yet is created on save. false
// when no template name is given.
bool DesignReport(QWidget* parent, Prompter& prompter, const QString& programFolder,
                  const QString& relativeFile, const Report* sample = nullptr);

} // namespace mzt
