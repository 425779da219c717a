#include "reportdesigner.h"

#include "prompter.h"
#include "reportpainter.h"
#include "reportpreview.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace mzt {

namespace {

constexpr double gutter = 16;        // px left and right of the bands
constexpr double captionHeight = 18; // px of the strip naming each band
constexpr double topPad = 8;
constexpr double bandGap = 4;
constexpr double handleSize = 7;
constexpr double minItemMm = 1;
constexpr double snapMm = 0.5;

double distanceToSegment(const QPointF& p, const QLineF& l)
{
    const QPointF d = l.p2() - l.p1();
    const double len2 = d.x() * d.x() + d.y() * d.y();
    if (len2 <= 0)
        return QLineF(p, l.p1()).length();
    const double t = std::clamp(((p.x() - l.x1()) * d.x() + (p.y() - l.y1()) * d.y()) / len2, 0.0, 1.0);
    return QLineF(p, l.p1() + t * d).length();
}

QDoubleSpinBox* lengthSpin(const QString& name, double min = 0, double max = 1000)
{
    auto* s = new QDoubleSpinBox;
    s->setObjectName(name);
    s->setDecimals(1);
    s->setSingleStep(0.5);
    s->setRange(min, max);
    s->setSuffix(QStringLiteral(" mm"));
    s->setKeyboardTracking(false);
    return s;
}

} // namespace

// ---------------------------------------------------------------- canvas

DesignerCanvas::DesignerCanvas(TemplateDocument& doc, QWidget* parent) : QWidget(parent), m_doc(doc)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAutoFillBackground(false);
    setObjectName(QStringLiteral("designerCanvas"));
    documentChanged();
}

void DesignerCanvas::setZoom(double zoom)
{
    m_zoom = std::clamp(zoom, 0.25, 4.0);
    documentChanged();
}

double DesignerCanvas::pixelsPerMm() const
{
    return m_zoom * 96.0 / 25.4;
}

QList<DesignerCanvas::BandGeometry> DesignerCanvas::geometry() const
{
    QList<BandGeometry> out;
    double y = topPad;
    const double ppm = pixelsPerMm();
    for (const ReportBand& b : m_doc.reportTemplate().bands) {
        BandGeometry g{b.kind, y, y + captionHeight, b.height * ppm};
        out.append(g);
        y = g.top + g.height + bandGap;
    }
    return out;
}

std::optional<DesignerCanvas::BandGeometry> DesignerCanvas::bandGeometry(BandKind band) const
{
    for (const BandGeometry& g : geometry()) {
        if (g.kind == band)
            return g;
    }
    return std::nullopt;
}

QRectF DesignerCanvas::bandRect(BandKind band) const
{
    const std::optional<BandGeometry> g = bandGeometry(band);
    if (!g)
        return {};
    const double width = m_doc.reportTemplate().page.contentSize().width() * pixelsPerMm();
    return {gutter, g->top, width, g->height};
}

QRectF DesignerCanvas::itemRect(const ItemRef& ref) const
{
    const ReportItem* it = m_doc.item(ref);
    const std::optional<BandGeometry> g = bandGeometry(ref.band);
    if (!it || !g)
        return {};
    const double ppm = pixelsPerMm();
    const QPointF origin(gutter + it->x * ppm, g->top + it->y * ppm);
    const QPointF far = origin + QPointF(it->width * ppm, it->height * ppm);
    return QRectF(origin, far).normalized();
}

QSize DesignerCanvas::sizeHint() const
{
    const QList<BandGeometry> g = geometry();
    const double bottom = g.isEmpty() ? topPad : g.last().top + g.last().height + topPad;
    const double width = m_doc.reportTemplate().page.contentSize().width() * pixelsPerMm() + 2 * gutter;
    return {int(std::ceil(width)), int(std::ceil(bottom))};
}

void DesignerCanvas::documentChanged()
{
    if (m_selected && !m_doc.item(*m_selected))
        m_selected.reset();
    if (m_band && !m_doc.reportTemplate().band(*m_band))
        m_band.reset();
    resize(sizeHint());
    updateGeometry();
    update();
}

void DesignerCanvas::selectItem(const std::optional<ItemRef>& ref)
{
    const std::optional<ItemRef> next = ref && m_doc.item(*ref) ? ref : std::nullopt;
    if (next == m_selected && (!next || m_band == next->band))
        return;
    m_selected = next;
    if (next)
        m_band = next->band;
    update();
    emit selectionChanged();
}

void DesignerCanvas::selectBand(BandKind band)
{
    if (!m_doc.reportTemplate().band(band))
        return;
    if (!m_selected && m_band == band)
        return;
    m_selected.reset();
    m_band = band;
    update();
    emit selectionChanged();
}

QList<QRectF> DesignerCanvas::handles(const ItemRef& ref) const
{
    const ReportItem* it = m_doc.item(ref);
    const std::optional<BandGeometry> g = bandGeometry(ref.band);
    if (!it || !g)
        return {};
    const double ppm = pixelsPerMm();
    auto box = [](const QPointF& c) {
        return QRectF(c.x() - handleSize / 2, c.y() - handleSize / 2, handleSize, handleSize);
    };
    if (it->kind == ItemKind::Line) {
        const QPointF p1(gutter + it->x * ppm, g->top + it->y * ppm);
        const QPointF p2 = p1 + QPointF(it->width * ppm, it->height * ppm);
        return {box(p1), box(p2)};
    }
    const QRectF r = itemRect(ref);
    return {box(r.topLeft()),     box({r.center().x(), r.top()}),
            box(r.topRight()),    box({r.right(), r.center().y()}),
            box(r.bottomRight()), box({r.center().x(), r.bottom()}),
            box(r.bottomLeft()),  box({r.left(), r.center().y()})};
}

int DesignerCanvas::handleAt(const QPointF& pos) const
{
    if (!m_selected)
        return -1;
    const QList<QRectF> hs = handles(*m_selected);
    for (qsizetype i = 0; i < hs.size(); ++i) {
        if (hs.at(i).adjusted(-1, -1, 1, 1).contains(pos))
            return int(i);
    }
    return -1;
}

std::optional<ItemRef> DesignerCanvas::itemAt(const QPointF& pos) const
{
    const double ppm = pixelsPerMm();
    for (const BandGeometry& g : geometry()) {
        if (pos.y() < g.top - 4 || pos.y() > g.top + g.height + 4)
            continue;
        const ReportBand* b = m_doc.reportTemplate().band(g.kind);
        for (int i = int(b->items.size()) - 1; i >= 0; --i) {
            const ReportItem& it = b->items.at(i);
            const ItemRef ref{g.kind, i};
            if (it.kind == ItemKind::Line) {
                const QPointF p1(gutter + it.x * ppm, g.top + it.y * ppm);
                const QLineF l(p1, p1 + QPointF(it.width * ppm, it.height * ppm));
                if (distanceToSegment(pos, l) <= 4)
                    return ref;
            } else if (itemRect(ref).adjusted(-2, -2, 2, 2).contains(pos)) {
                return ref;
            }
        }
    }
    return std::nullopt;
}

std::optional<BandKind> DesignerCanvas::bandEdgeAt(const QPointF& pos) const
{
    const double width = m_doc.reportTemplate().page.contentSize().width() * pixelsPerMm();
    if (pos.x() < gutter - 4 || pos.x() > gutter + width + 4)
        return std::nullopt;
    // The grip is the band's lower line and the gap under it.
    for (const BandGeometry& g : geometry()) {
        const double bottom = g.top + g.height;
        if (pos.y() >= bottom - 1 && pos.y() <= bottom + bandGap + 1)
            return g.kind;
    }
    return std::nullopt;
}

std::optional<BandKind> DesignerCanvas::bandAt(const QPointF& pos) const
{
    for (const BandGeometry& g : geometry()) {
        if (pos.y() >= g.captionTop && pos.y() <= g.top + g.height)
            return g.kind;
    }
    return std::nullopt;
}

double DesignerCanvas::snap(double mm) const
{
    return m_snap ? std::round(mm / snapMm) * snapMm : TemplateDocument::roundLength(mm);
}

void DesignerCanvas::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0xe6, 0xe8, 0xeb));
    const double ppm = pixelsPerMm();
    const double width = m_doc.reportTemplate().page.contentSize().width() * ppm;
    const int dpi = logicalDpiY();

    QFont captionFont = font();
    captionFont.setFamilies(DefaultReportFontFamilies());
    captionFont.setPointSizeF(9);

    for (const BandGeometry& g : geometry()) {
        const ReportBand* band = m_doc.reportTemplate().band(g.kind);
        const bool bandSelected = m_band == g.kind && !m_selected;
        const QRectF caption(gutter, g.captionTop, width, captionHeight);
        p.fillRect(caption, bandSelected ? QColor(0x9c, 0xc3, 0xe6) : QColor(0xcf, 0xd8, 0xe3));
        p.setPen(QColor(0x33, 0x3d, 0x48));
        p.setFont(captionFont);
        p.drawText(caption.adjusted(6, 0, -6, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("%1  (%2 mm)").arg(BandKindCaption(g.kind), QString::number(band->height)));

        const QRectF area(gutter, g.top, width, g.height);
        p.fillRect(area, Qt::white);
        // A dot every 5 mm helps to line fields up.
        p.setPen(QColor(0xc8, 0xcc, 0xd2));
        for (double x = 0; x <= width + 0.1; x += 5 * ppm) {
            for (double y = 0; y <= g.height + 0.1; y += 5 * ppm)
                p.drawPoint(QPointF(area.left() + x, area.top() + y));
        }
        p.setPen(QPen(QColor(0x5b, 0x8d, 0xc9), 1, Qt::DashLine));
        p.drawLine(area.bottomLeft(), area.bottomRight());

        p.save();
        p.setClipRect(area.adjusted(-1, -1, 1, 2));
        for (int i = 0; i < band->items.size(); ++i) {
            const ReportItem& it = band->items.at(i);
            const ItemRef ref{g.kind, i};
            const QRectF r = itemRect(ref);
            QPen pen(Qt::black);
            pen.setWidthF(std::max(1.0, it.lineWidth * ppm));
            switch (it.kind) {
            case ItemKind::Line: {
                const QPointF p1(gutter + it.x * ppm, g.top + it.y * ppm);
                p.setPen(pen);
                p.drawLine(QLineF(p1, p1 + QPointF(it.width * ppm, it.height * ppm)));
                break;
            }
            case ItemKind::Rect:
                p.setPen(pen);
                p.setBrush(Qt::NoBrush);
                p.drawRect(r);
                break;
            case ItemKind::Text: {
                p.setPen(QPen(QColor(0xb0, 0xb6, 0xbe), 1, Qt::DotLine));
                p.drawRect(r);
                p.setPen(pen);
                if (it.frames & FrameSide::Left)
                    p.drawLine(r.topLeft(), r.bottomLeft());
                if (it.frames & FrameSide::Top)
                    p.drawLine(r.topLeft(), r.topRight());
                if (it.frames & FrameSide::Right)
                    p.drawLine(r.topRight(), r.bottomRight());
                if (it.frames & FrameSide::Bottom)
                    p.drawLine(r.bottomLeft(), r.bottomRight());
                p.setFont(ReportFont(it.fontFamily, it.fontSize, it.bold, it.italic, ppm, dpi));
                // Expressions show in blue, plain text in black.
                p.setPen(it.text.contains(QLatin1Char('[')) ? QColor(0x1a, 0x4f, 0x9c) : QColor(Qt::black));
                int flags = 0;
                flags |= it.hAlign == HAlign::Center
                             ? Qt::AlignHCenter
                             : (it.hAlign == HAlign::Right ? Qt::AlignRight : Qt::AlignLeft);
                flags |= it.vAlign == VAlign::Top
                             ? Qt::AlignTop
                             : (it.vAlign == VAlign::Bottom ? Qt::AlignBottom : Qt::AlignVCenter);
                if (it.wordWrap)
                    flags |= Qt::TextWordWrap;
                p.save();
                p.setClipRect(r);
                p.drawText(r.adjusted(0.6 * ppm, 0, -0.6 * ppm, 0), flags, it.text);
                p.restore();
                break;
            }
            }
        }
        p.restore();
    }

    if (m_selected) {
        p.setPen(QPen(QColor(0x1f, 0x6f, 0xd6), 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        const ReportItem* it = m_doc.item(*m_selected);
        if (it && it->kind != ItemKind::Line)
            p.drawRect(itemRect(*m_selected));
        p.setPen(QColor(0x1f, 0x6f, 0xd6));
        p.setBrush(Qt::white);
        for (const QRectF& h : handles(*m_selected))
            p.drawRect(h);
    }
}

void DesignerCanvas::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton)
        return;
    const QPointF pos = event->position();
    m_pressPos = pos;
    m_snap = !(event->modifiers() & Qt::AltModifier);
    m_drag = Drag::None;

    if (const int h = handleAt(pos); h >= 0) {
        m_drag = Drag::Resize;
        m_handle = h;
        m_pressItem = *m_doc.item(*m_selected);
    } else if (const std::optional<BandKind> edge = bandEdgeAt(pos)) {
        m_drag = Drag::BandHeight;
        m_dragBand = *edge;
        m_pressBandHeight = m_doc.reportTemplate().band(*edge)->height;
        selectBand(*edge);
    } else if (const std::optional<ItemRef> hit = itemAt(pos)) {
        selectItem(hit);
        m_drag = Drag::Move;
        m_pressItem = *m_doc.item(*hit);
    } else if (const std::optional<BandKind> band = bandAt(pos)) {
        selectBand(*band);
    } else {
        selectItem(std::nullopt);
    }
    if (m_drag != Drag::None)
        m_doc.beginGesture();
}

void DesignerCanvas::dragTo(const QPointF& pos)
{
    const double ppm = pixelsPerMm();
    const double dx = (pos.x() - m_pressPos.x()) / ppm;
    const double dy = (pos.y() - m_pressPos.y()) / ppm;
    const ReportItem& it = m_pressItem;
    bool changed = false;
    switch (m_drag) {
    case Drag::None:
        return;
    case Drag::BandHeight:
        changed = m_doc.setBandHeight(m_dragBand, std::max(minItemMm, snap(m_pressBandHeight + dy)));
        documentChanged();
        break;
    case Drag::Move: {
        const ReportBand* b = m_doc.reportTemplate().band(m_selected->band);
        const double contentWidth = m_doc.reportTemplate().page.contentSize().width();
        const double w = std::abs(it.width);
        const double h = std::abs(it.height);
        // Keep the item inside its band.
        double x = snap(it.x + dx);
        double y = snap(it.y + dy);
        x = std::clamp(
            x, 0.0, std::max(0.0, contentWidth - (it.kind == ItemKind::Line ? std::max(0.0, it.width) : w)));
        y = std::clamp(y, 0.0,
                       std::max(0.0, b->height - (it.kind == ItemKind::Line ? std::max(0.0, it.height) : h)));
        if (it.kind == ItemKind::Line) {
            x = std::max(x, std::max(0.0, -it.width));
            y = std::max(y, std::max(0.0, -it.height));
        }
        changed = m_doc.setItemGeometry(*m_selected, QRectF(x, y, it.width, it.height));
        break;
    }
    case Drag::Resize: {
        if (it.kind == ItemKind::Line) {
            const QPointF p1(it.x, it.y);
            const QPointF p2 = p1 + QPointF(it.width, it.height);
            QPointF n1 = p1;
            QPointF n2 = p2;
            if (m_handle == 0)
                n1 = QPointF(std::max(0.0, snap(p1.x() + dx)), std::max(0.0, snap(p1.y() + dy)));
            else
                n2 = QPointF(std::max(0.0, snap(p2.x() + dx)), std::max(0.0, snap(p2.y() + dy)));
            changed =
                m_doc.setItemGeometry(*m_selected, QRectF(n1.x(), n1.y(), n2.x() - n1.x(), n2.y() - n1.y()));
            break;
        }
        double left = it.x;
        double top = it.y;
        double right = it.x + it.width;
        double bottom = it.y + it.height;
        const int hd = m_handle;
        if (hd == 0 || hd == 6 || hd == 7)
            left = std::min(snap(it.x + dx), right - minItemMm);
        if (hd == 2 || hd == 3 || hd == 4)
            right = std::max(snap(right + dx), left + minItemMm);
        if (hd == 0 || hd == 1 || hd == 2)
            top = std::min(snap(it.y + dy), bottom - minItemMm);
        if (hd == 4 || hd == 5 || hd == 6)
            bottom = std::max(snap(bottom + dy), top + minItemMm);
        left = std::max(0.0, left);
        top = std::max(0.0, top);
        changed = m_doc.setItemGeometry(*m_selected, QRectF(left, top, right - left, bottom - top));
        break;
    }
    }
    if (changed) {
        update();
        emit edited();
    }
}

void DesignerCanvas::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    if (m_drag != Drag::None && (event->buttons() & Qt::LeftButton)) {
        dragTo(pos);
        return;
    }
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (const int h = handleAt(pos); h >= 0) {
        const ReportItem* it = m_doc.item(*m_selected);
        if (it && it->kind == ItemKind::Line)
            shape = Qt::CrossCursor;
        else
            shape = (h == 0 || h == 4)   ? Qt::SizeFDiagCursor
                    : (h == 2 || h == 6) ? Qt::SizeBDiagCursor
                    : (h == 1 || h == 5) ? Qt::SizeVerCursor
                                         : Qt::SizeHorCursor;
    } else if (bandEdgeAt(pos)) {
        shape = Qt::SplitVCursor;
    } else if (itemAt(pos)) {
        shape = Qt::SizeAllCursor;
    }
    setCursor(shape);
}

void DesignerCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_drag == Drag::None)
        return;
    dragTo(event->position());
    m_drag = Drag::None;
    m_doc.endGesture();
    emit edited();
}

void DesignerCanvas::keyPressEvent(QKeyEvent* event)
{
    if (!m_selected) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) {
        m_doc.removeItem(*m_selected);
        m_selected.reset();
        documentChanged();
        emit selectionChanged();
        emit edited();
        return;
    }
    const double step = (event->modifiers() & Qt::ShiftModifier) ? 0.1 : snapMm;
    double dx = 0;
    double dy = 0;
    switch (event->key()) {
    case Qt::Key_Left:
        dx = -step;
        break;
    case Qt::Key_Right:
        dx = step;
        break;
    case Qt::Key_Up:
        dy = -step;
        break;
    case Qt::Key_Down:
        dy = step;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    const ReportItem* it = m_doc.item(*m_selected);
    // Ctrl with an arrow changes the size instead of the place.
    if (event->modifiers() & Qt::ControlModifier) {
        const double w = it->kind == ItemKind::Line ? it->width + dx : std::max(minItemMm, it->width + dx);
        const double h = it->kind == ItemKind::Line ? it->height + dy : std::max(minItemMm, it->height + dy);
        m_doc.setItemGeometry(*m_selected, QRectF(it->x, it->y, w, h));
    } else {
        m_doc.moveItem(*m_selected, dx, dy);
    }
    update();
    emit edited();
}

// ---------------------------------------------------------------- designer window

ReportDesigner::ReportDesigner(Prompter& prompter, const QString& path, const Report* sample, QWidget* parent)
    : QDialog(parent), m_prompter(prompter)
{
    m_openResult = m_doc.open(path);
    if (sample)
        m_sample = *sample;
    setObjectName(QStringLiteral("reportDesigner"));
    setWindowTitle(QStringLiteral("报表设计 - %1").arg(QFileInfo(path).fileName()));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setSizeGripEnabled(true);
    buildUi();
    updatePanels();
    updateActions();
    switch (m_openResult) {
    case TemplateDocument::OpenResult::Opened:
        m_status->showMessage(path);
        break;
    case TemplateDocument::OpenResult::Created:
        m_status->showMessage(QStringLiteral("新报表文件,保存后创建: %1").arg(path));
        break;
    case TemplateDocument::OpenResult::Unreadable:
        m_status->showMessage(QStringLiteral("原报表文件无法读取,保存将以新格式覆盖: %1").arg(path));
        break;
    }
    resize(1180, 760);
}

ReportDesigner::~ReportDesigner() = default;

void ReportDesigner::buildUi()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    layout->addWidget(bar);

    m_saveAction = bar->addAction(QStringLiteral("保存"), this, [this] { save(); });
    m_saveAction->setShortcut(QKeySequence::Save);
    m_undoAction = bar->addAction(QStringLiteral("撤销"), this, [this] {
        endTyping();
        m_doc.undo();
        refreshFromDocument();
    });
    m_undoAction->setShortcut(QKeySequence::Undo);
    m_redoAction = bar->addAction(QStringLiteral("重做"), this, [this] {
        endTyping();
        m_doc.redo();
        refreshFromDocument();
    });
    m_redoAction->setShortcut(QKeySequence::Redo);
    bar->addSeparator();
    bar->addAction(QStringLiteral("新增文本"), this, [this] { addItem(ItemKind::Text); });
    bar->addAction(QStringLiteral("新增线条"), this, [this] { addItem(ItemKind::Line); });
    bar->addAction(QStringLiteral("新增矩形"), this, [this] { addItem(ItemKind::Rect); });
    m_deleteAction = bar->addAction(QStringLiteral("删除"), this, [this] { deleteSelected(); });

    auto* bandMenu = new QMenu(this);
    for (BandKind kind : AllBandKinds) {
        QAction* a = bandMenu->addAction(BandKindCaption(kind));
        a->setCheckable(true);
        connect(a, &QAction::toggled, this, [this, kind](bool on) {
            if (!m_updating)
                toggleBand(kind, on);
        });
        m_bandActions.append({kind, a});
    }
    auto* bandButton = new QToolButton(bar);
    bandButton->setText(QStringLiteral("带区"));
    bandButton->setMenu(bandMenu);
    bandButton->setPopupMode(QToolButton::InstantPopup);
    bar->addWidget(bandButton);
    bar->addSeparator();

    auto* zoom = new QComboBox(bar);
    zoom->setObjectName(QStringLiteral("zoom"));
    for (int z : {50, 75, 100, 125, 150, 200})
        zoom->addItem(QStringLiteral("%1%").arg(z), z / 100.0);
    zoom->setCurrentIndex(2);
    bar->addWidget(zoom);
    bar->addAction(QStringLiteral("预览"), this, [this] { preview(); });
    bar->addSeparator();
    bar->addAction(QStringLiteral("关闭"), this, [this] { close(); });

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    m_canvas = new DesignerCanvas(m_doc);
    m_scroll = new QScrollArea(splitter);
    m_scroll->setWidget(m_canvas);
    m_scroll->setWidgetResizable(false);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Mid);

    auto* panelScroll = new QScrollArea(splitter);
    auto* panel = new QWidget;
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->addWidget(buildItemPanel());
    panelLayout->addWidget(buildBandPanel());
    panelLayout->addWidget(buildPagePanel());
    panelLayout->addStretch();
    panelScroll->setWidget(panel);
    panelScroll->setWidgetResizable(true);
    panelScroll->setMinimumWidth(330);
    splitter->addWidget(m_scroll);
    splitter->addWidget(panelScroll);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    layout->addWidget(splitter, 1);

    m_status = new QStatusBar(this);
    m_status->setSizeGripEnabled(false);
    layout->addWidget(m_status);

    connect(zoom, &QComboBox::currentIndexChanged, this,
            [this, zoom](int) { m_canvas->setZoom(zoom->currentData().toDouble()); });
    connect(m_canvas, &DesignerCanvas::selectionChanged, this, [this] {
        endTyping();
        updatePanels();
        updateActions();
    });
    connect(m_canvas, &DesignerCanvas::edited, this, [this] {
        updatePanels();
        updateActions();
    });
}

QWidget* ReportDesigner::buildItemPanel()
{
    m_itemBox = new QGroupBox(QStringLiteral("字段"));
    auto* form = new QFormLayout(m_itemBox);

    m_text = new QLineEdit;
    m_text->setObjectName(QStringLiteral("itemText"));
    m_text->setPlaceholderText(QStringLiteral("文字,表达式写在[ ]中,如 [金额]"));
    form->addRow(QStringLiteral("内容:"), m_text);

    m_insert = new QComboBox;
    m_insert->setObjectName(QStringLiteral("insertField"));
    m_insert->addItem(QStringLiteral("插入字段或函数…"));
    if (m_sample) {
        for (const QString& c : m_sample->dataSet().columns)
            m_insert->addItem(c, QStringLiteral("[%1]").arg(c));
    }
    for (const char* c : {"公司名", "销售电话", "传真", "地址"}) {
        const QString name = CompanyDataSetName + QLatin1Char('.') + QString::fromUtf8(c);
        m_insert->addItem(name, QStringLiteral("[%1]").arg(name));
    }
    for (const char* v : {"页码", "总页数", "行号", "记录数", "当前日期", "当前时间", "报表标题"})
        m_insert->addItem(QString::fromUtf8(v), QStringLiteral("[%1]").arg(QString::fromUtf8(v)));
    for (const char* f : {"SUM()", "COUNT()", "AVG()", "MIN()", "MAX()", "IIF(, , )", "FORMAT(, '#,##0.00')",
                          "ROUND(, 2)", "NtoC()", "gettxm()", "getchm()", "get_zh(, )", "get_dw(, , )",
                          "get_jj(, )", "getqsrq()", "getzzrq()", "get_Node()"})
        m_insert->addItem(QString::fromUtf8(f), QStringLiteral("[%1]").arg(QString::fromUtf8(f)));
    form->addRow(QString(), m_insert);

    m_x = lengthSpin(QStringLiteral("itemX"));
    m_y = lengthSpin(QStringLiteral("itemY"));
    m_w = lengthSpin(QStringLiteral("itemWidth"), -1000);
    m_h = lengthSpin(QStringLiteral("itemHeight"), -1000);
    auto* pos = new QHBoxLayout;
    pos->addWidget(m_x);
    pos->addWidget(m_y);
    form->addRow(QStringLiteral("左 / 上:"), pos);
    auto* size = new QHBoxLayout;
    size->addWidget(m_w);
    size->addWidget(m_h);
    form->addRow(QStringLiteral("宽 / 高:"), size);

    m_family = new QComboBox;
    m_family->setObjectName(QStringLiteral("itemFont"));
    m_family->setEditable(true);
    m_family->addItem(QString());
    for (const char* f :
         {"Noto Sans CJK SC", "Noto Serif CJK SC", "WenQuanYi Micro Hei", "SimSun", "SimHei", "KaiTi"})
        m_family->addItem(QString::fromUtf8(f));
    m_family->lineEdit()->setPlaceholderText(QStringLiteral("默认字体"));
    form->addRow(QStringLiteral("字体:"), m_family);

    m_fontSize = new QDoubleSpinBox;
    m_fontSize->setObjectName(QStringLiteral("itemFontSize"));
    m_fontSize->setRange(4, 96);
    m_fontSize->setDecimals(1);
    m_fontSize->setSingleStep(0.5);
    m_fontSize->setSuffix(QStringLiteral(" 磅"));
    m_fontSize->setKeyboardTracking(false);
    m_bold = new QCheckBox(QStringLiteral("粗体"));
    m_bold->setObjectName(QStringLiteral("itemBold"));
    m_italic = new QCheckBox(QStringLiteral("斜体"));
    m_wrap = new QCheckBox(QStringLiteral("自动换行"));
    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(m_fontSize);
    fontRow->addWidget(m_bold);
    fontRow->addWidget(m_italic);
    form->addRow(QStringLiteral("字号:"), fontRow);
    form->addRow(QString(), m_wrap);

    m_hAlign = new QComboBox;
    m_hAlign->setObjectName(QStringLiteral("itemAlign"));
    m_hAlign->addItems({QStringLiteral("左对齐"), QStringLiteral("居中"), QStringLiteral("右对齐")});
    m_vAlign = new QComboBox;
    m_vAlign->addItems({QStringLiteral("顶端"), QStringLiteral("垂直居中"), QStringLiteral("底端")});
    auto* alignRow = new QHBoxLayout;
    alignRow->addWidget(m_hAlign);
    alignRow->addWidget(m_vAlign);
    form->addRow(QStringLiteral("对齐:"), alignRow);

    m_frameLeft = new QCheckBox(QStringLiteral("左"));
    m_frameTop = new QCheckBox(QStringLiteral("上"));
    m_frameRight = new QCheckBox(QStringLiteral("右"));
    m_frameBottom = new QCheckBox(QStringLiteral("下"));
    auto* frameRow = new QHBoxLayout;
    for (QCheckBox* c : {m_frameLeft, m_frameTop, m_frameRight, m_frameBottom})
        frameRow->addWidget(c);
    form->addRow(QStringLiteral("边框:"), frameRow);
    m_lineWidth = lengthSpin(QStringLiteral("itemLineWidth"), 0.05, 5);
    m_lineWidth->setDecimals(2);
    m_lineWidth->setSingleStep(0.05);
    form->addRow(QStringLiteral("线宽:"), m_lineWidth);

    m_picture = new QComboBox;
    m_picture->setObjectName(QStringLiteral("itemPicture"));
    m_picture->setEditable(true);
    m_picture->addItems({QString(), QStringLiteral("0"), QStringLiteral("0.00"), QStringLiteral("0.000"),
                         QStringLiteral("#,##0.00"), QStringLiteral("#,##0")});
    m_picture->lineEdit()->setPlaceholderText(QStringLiteral("数字原样显示"));
    form->addRow(QStringLiteral("数字格式:"), m_picture);

    connect(m_text, &QLineEdit::textEdited, this, [this] {
        if (m_updating)
            return;
        if (!m_typing) {
            m_doc.beginGesture();
            m_typing = true;
        }
        applyItemPanel();
    });
    connect(m_text, &QLineEdit::editingFinished, this, [this] { endTyping(); });
    connect(m_insert, &QComboBox::activated, this, [this](int index) {
        if (index > 0)
            insertIntoText(m_insert->itemData(index).toString());
        m_insert->setCurrentIndex(0);
    });
    for (QDoubleSpinBox* s : {m_x, m_y, m_w, m_h, m_fontSize, m_lineWidth})
        connect(s, &QDoubleSpinBox::valueChanged, this, [this] { applyItemPanel(); });
    for (QCheckBox* c : {m_bold, m_italic, m_wrap, m_frameLeft, m_frameTop, m_frameRight, m_frameBottom})
        connect(c, &QCheckBox::toggled, this, [this] { applyItemPanel(); });
    for (QComboBox* c : {m_hAlign, m_vAlign})
        connect(c, &QComboBox::currentIndexChanged, this, [this] { applyItemPanel(); });
    for (QComboBox* c : {m_family, m_picture})
        connect(c, &QComboBox::currentTextChanged, this, [this] { applyItemPanel(); });
    return m_itemBox;
}

QWidget* ReportDesigner::buildBandPanel()
{
    m_bandBox = new QGroupBox(QStringLiteral("带区"));
    auto* form = new QFormLayout(m_bandBox);
    m_bandKind = new QComboBox;
    m_bandKind->setObjectName(QStringLiteral("bandKind"));
    form->addRow(QStringLiteral("带区:"), m_bandKind);
    m_bandHeight = lengthSpin(QStringLiteral("bandHeight"), 1, 1000);
    form->addRow(QStringLiteral("高度:"), m_bandHeight);
    connect(m_bandKind, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_updating || index < 0)
            return;
        m_canvas->selectBand(BandKind(m_bandKind->itemData(index).toInt()));
    });
    connect(m_bandHeight, &QDoubleSpinBox::valueChanged, this, [this] { applyBandPanel(); });
    return m_bandBox;
}

QWidget* ReportDesigner::buildPagePanel()
{
    auto* box = new QGroupBox(QStringLiteral("页面"));
    auto* form = new QFormLayout(box);
    m_title = new QLineEdit;
    m_title->setObjectName(QStringLiteral("reportTitle"));
    form->addRow(QStringLiteral("报表名称:"), m_title);
    m_paper = new QComboBox;
    m_paper->setObjectName(QStringLiteral("paper"));
    for (const QString& p : PageSetup::paperNames())
        m_paper->addItem(p == u"Custom" ? QStringLiteral("自定义") : p, p);
    form->addRow(QStringLiteral("纸张:"), m_paper);
    m_paperWidth = lengthSpin(QStringLiteral("paperWidth"), 20, 2000);
    m_paperHeight = lengthSpin(QStringLiteral("paperHeight"), 20, 2000);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(m_paperWidth);
    sizeRow->addWidget(m_paperHeight);
    form->addRow(QStringLiteral("宽 / 高:"), sizeRow);
    m_orientation = new QComboBox;
    m_orientation->addItems({QStringLiteral("纵向"), QStringLiteral("横向")});
    form->addRow(QStringLiteral("方向:"), m_orientation);
    m_marginLeft = lengthSpin(QStringLiteral("marginLeft"));
    m_marginTop = lengthSpin(QStringLiteral("marginTop"));
    m_marginRight = lengthSpin(QStringLiteral("marginRight"));
    m_marginBottom = lengthSpin(QStringLiteral("marginBottom"));
    auto* m1 = new QHBoxLayout;
    m1->addWidget(m_marginLeft);
    m1->addWidget(m_marginRight);
    form->addRow(QStringLiteral("左 / 右边距:"), m1);
    auto* m2 = new QHBoxLayout;
    m2->addWidget(m_marginTop);
    m2->addWidget(m_marginBottom);
    form->addRow(QStringLiteral("上 / 下边距:"), m2);

    connect(m_title, &QLineEdit::editingFinished, this, [this] { applyPagePanel(); });
    connect(m_paper, &QComboBox::currentIndexChanged, this, [this] {
        if (m_updating)
            return;
        if (const std::optional<QSizeF> s = PageSetup::namedPaperSize(m_paper->currentData().toString())) {
            m_updating = true;
            m_paperWidth->setValue(s->width());
            m_paperHeight->setValue(s->height());
            m_updating = false;
        }
        applyPagePanel();
    });
    for (QDoubleSpinBox* s :
         {m_paperWidth, m_paperHeight, m_marginLeft, m_marginTop, m_marginRight, m_marginBottom})
        connect(s, &QDoubleSpinBox::valueChanged, this, [this] { applyPagePanel(); });
    connect(m_orientation, &QComboBox::currentIndexChanged, this, [this] { applyPagePanel(); });
    return box;
}

void ReportDesigner::updatePanels()
{
    m_updating = true;
    const std::optional<ItemRef> sel = m_canvas->selectedItem();
    const ReportItem* it = sel ? m_doc.item(*sel) : nullptr;
    m_itemBox->setEnabled(it != nullptr);
    const ReportItem shown = it ? *it : ReportItem();
    const bool isText = shown.kind == ItemKind::Text;
    if (m_text->text() != shown.text)
        m_text->setText(shown.text);
    m_x->setValue(shown.x);
    m_y->setValue(shown.y);
    m_w->setValue(shown.width);
    m_h->setValue(shown.height);
    m_family->setCurrentText(shown.fontFamily);
    m_fontSize->setValue(shown.fontSize);
    m_bold->setChecked(shown.bold);
    m_italic->setChecked(shown.italic);
    m_wrap->setChecked(shown.wordWrap);
    m_hAlign->setCurrentIndex(int(shown.hAlign));
    m_vAlign->setCurrentIndex(int(shown.vAlign));
    m_frameLeft->setChecked(shown.frames & FrameSide::Left);
    m_frameTop->setChecked(shown.frames & FrameSide::Top);
    m_frameRight->setChecked(shown.frames & FrameSide::Right);
    m_frameBottom->setChecked(shown.frames & FrameSide::Bottom);
    m_lineWidth->setValue(shown.lineWidth);
    m_picture->setCurrentText(shown.picture);
    for (QWidget* w : std::initializer_list<QWidget*>{m_text, m_insert, m_family, m_fontSize, m_bold,
                                                      m_italic, m_wrap, m_hAlign, m_vAlign, m_frameLeft,
                                                      m_frameTop, m_frameRight, m_frameBottom, m_picture})
        w->setEnabled(isText);

    const ReportTemplate& t = m_doc.reportTemplate();
    m_bandKind->clear();
    for (const ReportBand& b : t.bands)
        m_bandKind->addItem(BandKindCaption(b.kind), int(b.kind));
    const std::optional<BandKind> band = m_canvas->selectedBand();
    const ReportBand* b = band ? t.band(*band) : nullptr;
    m_bandHeight->setEnabled(b != nullptr);
    m_bandKind->setCurrentIndex(b ? m_bandKind->findData(int(b->kind)) : -1);
    m_bandHeight->setValue(b ? b->height : 1);

    m_title->setText(t.title);
    const qsizetype paperIndex = PageSetup::paperNames().indexOf(t.page.paper);
    m_paper->setCurrentIndex(paperIndex >= 0 ? int(paperIndex) : m_paper->count() - 1);
    const bool custom = !PageSetup::namedPaperSize(t.page.paper);
    m_paperWidth->setEnabled(custom);
    m_paperHeight->setEnabled(custom);
    m_paperWidth->setValue(t.page.width);
    m_paperHeight->setValue(t.page.height);
    m_orientation->setCurrentIndex(t.page.landscape ? 1 : 0);
    m_marginLeft->setValue(t.page.marginLeft);
    m_marginTop->setValue(t.page.marginTop);
    m_marginRight->setValue(t.page.marginRight);
    m_marginBottom->setValue(t.page.marginBottom);

    for (const auto& [kind, action] : m_bandActions)
        action->setChecked(t.band(kind) != nullptr);
    m_updating = false;
}

void ReportDesigner::updateActions()
{
    m_undoAction->setEnabled(m_doc.canUndo());
    m_redoAction->setEnabled(m_doc.canRedo());
    m_deleteAction->setEnabled(m_canvas->selectedItem().has_value());
    const QString name = QFileInfo(m_doc.path()).fileName();
    setWindowTitle(
        QStringLiteral("报表设计 - %1%2").arg(name, m_doc.isModified() ? QStringLiteral(" *") : QString()));
}

void ReportDesigner::applyItemPanel()
{
    if (m_updating)
        return;
    const std::optional<ItemRef> sel = m_canvas->selectedItem();
    const ReportItem* old = sel ? m_doc.item(*sel) : nullptr;
    if (!old)
        return;
    ReportItem it = *old;
    it.x = TemplateDocument::roundLength(m_x->value());
    it.y = TemplateDocument::roundLength(m_y->value());
    it.width = TemplateDocument::roundLength(m_w->value());
    it.height = TemplateDocument::roundLength(m_h->value());
    if (it.kind != ItemKind::Line) {
        it.width = std::max(minItemMm, it.width);
        it.height = std::max(minItemMm, it.height);
    }
    it.lineWidth = m_lineWidth->value();
    if (it.kind == ItemKind::Text) {
        it.text = m_text->text();
        it.fontFamily = m_family->currentText().trimmed();
        it.fontSize = m_fontSize->value();
        it.bold = m_bold->isChecked();
        it.italic = m_italic->isChecked();
        it.wordWrap = m_wrap->isChecked();
        it.hAlign = HAlign(std::max(0, m_hAlign->currentIndex()));
        it.vAlign = VAlign(std::max(0, m_vAlign->currentIndex()));
        it.frames = (m_frameLeft->isChecked() ? FrameSide::Left : 0) |
                    (m_frameTop->isChecked() ? FrameSide::Top : 0) |
                    (m_frameRight->isChecked() ? FrameSide::Right : 0) |
                    (m_frameBottom->isChecked() ? FrameSide::Bottom : 0);
        it.picture = m_picture->currentText().trimmed();
    }
    m_doc.setItem(*sel, it);
    m_canvas->update();
    updateActions();
}

void ReportDesigner::applyBandPanel()
{
    if (m_updating)
        return;
    const std::optional<BandKind> band = m_canvas->selectedBand();
    if (!band)
        return;
    m_doc.setBandHeight(*band, m_bandHeight->value());
    m_canvas->documentChanged();
    updateActions();
}

void ReportDesigner::applyPagePanel()
{
    if (m_updating)
        return;
    PageSetup page = m_doc.reportTemplate().page;
    page.paper = m_paper->currentData().toString();
    page.width = TemplateDocument::roundLength(m_paperWidth->value());
    page.height = TemplateDocument::roundLength(m_paperHeight->value());
    page.landscape = m_orientation->currentIndex() == 1;
    page.marginLeft = TemplateDocument::roundLength(m_marginLeft->value());
    page.marginTop = TemplateDocument::roundLength(m_marginTop->value());
    page.marginRight = TemplateDocument::roundLength(m_marginRight->value());
    page.marginBottom = TemplateDocument::roundLength(m_marginBottom->value());
    m_doc.setPageSetup(page);
    m_doc.setTitle(m_title->text());
    const bool custom = !PageSetup::namedPaperSize(page.paper);
    m_paperWidth->setEnabled(custom);
    m_paperHeight->setEnabled(custom);
    m_canvas->documentChanged();
    updateActions();
}

void ReportDesigner::insertIntoText(const QString& text)
{
    if (!m_canvas->selectedItem() || !m_text->isEnabled())
        return;
    endTyping();
    m_text->insert(text);
    applyItemPanel();
    m_text->setFocus();
}

void ReportDesigner::endTyping()
{
    if (m_typing) {
        m_doc.endGesture();
        m_typing = false;
    }
}

void ReportDesigner::toggleBand(BandKind band, bool on)
{
    endTyping();
    if (on) {
        m_doc.addBand(band);
        m_canvas->documentChanged();
        m_canvas->selectBand(band);
    } else {
        const ReportBand* b = m_doc.reportTemplate().band(band);
        if (b && !b->items.isEmpty() &&
            !m_prompter.ask(QStringLiteral("删除带区“%1”将同时删除其中的%2个项目,是否继续?")
                                .arg(BandKindCaption(band))
                                .arg(b->items.size()),
                            QStringLiteral("报表设计"))) {
            updatePanels();
            return;
        }
        m_doc.removeBand(band);
        m_canvas->documentChanged();
    }
    updatePanels();
    updateActions();
}

ItemRef ReportDesigner::addItem(ItemKind kind)
{
    endTyping();
    BandKind band = BandKind::Detail;
    if (const std::optional<BandKind> b = m_canvas->selectedBand())
        band = *b;
    else if (!m_doc.reportTemplate().bands.isEmpty() && !m_doc.reportTemplate().band(band))
        band = m_doc.reportTemplate().bands.first().kind;

    ReportItem it;
    it.kind = kind;
    it.x = 2;
    it.y = 1;
    switch (kind) {
    case ItemKind::Text:
        it.text = QStringLiteral("文本");
        it.width = 30;
        it.height = 6;
        break;
    case ItemKind::Line:
        it.width = 40;
        it.height = 0;
        break;
    case ItemKind::Rect:
        it.width = 30;
        it.height = 6;
        break;
    }
    const ItemRef ref = m_doc.addItem(band, it);
    m_canvas->documentChanged();
    m_canvas->selectItem(ref);
    updatePanels();
    updateActions();
    return ref;
}

void ReportDesigner::deleteSelected()
{
    endTyping();
    if (const std::optional<ItemRef> sel = m_canvas->selectedItem()) {
        m_doc.removeItem(*sel);
        m_canvas->selectItem(std::nullopt);
        m_canvas->documentChanged();
        updatePanels();
        updateActions();
    }
}

void ReportDesigner::preview()
{
    endTyping();
    Report r = m_sample ? *m_sample : Report();
    r.setTemplate(m_doc.reportTemplate());
    ShowReportPreview(this, r);
}

void ReportDesigner::refreshFromDocument()
{
    m_canvas->documentChanged();
    updatePanels();
    updateActions();
}

bool ReportDesigner::save()
{
    endTyping();
    if (!m_doc.save()) {
        m_prompter.message(
            QStringLiteral("报表文件保存失败,请检查文件是否只读或磁盘已满:\n%1").arg(m_doc.path()),
            Prompter::defaultTitle(), MessageKind::Warning);
        return false;
    }
    m_status->showMessage(QStringLiteral("已保存 %1").arg(m_doc.path()), 5000);
    updateActions();
    return true;
}

void ReportDesigner::done(int result)
{
    endTyping();
    if (m_doc.isModified() &&
        m_prompter.ask(QStringLiteral("报表格式已修改,是否保存?"), QStringLiteral("报表设计")) && !save())
        return;
    QDialog::done(result);
}

QString DesignReportAdviceText()
{
    return QStringLiteral(
        "建议您在设计报表前先备份一份报表文件!\r备份方法:将本软件安装目录-zcfrf文件夹下面扩展名为[.frf]文件 "
        "复制一份起来即可!");
}

bool DesignReport(QWidget* parent, Prompter& prompter, const QString& programFolder,
                  const QString& relativeFile, const Report* sample)
{
    const QString path = ResolveReportPath(programFolder, relativeFile);
    if (path.isEmpty())
        return false;
    prompter.message(DesignReportAdviceText(), QStringLiteral("操作提示"), MessageKind::Information);
    ReportDesigner designer(prompter, path, sample, parent);
    designer.exec();
    return true;
}

} // namespace mzt
