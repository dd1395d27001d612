#include "preview/PreviewWindow.h"

#include "ui/FormBuilder.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr double kA4WidthMm = 210.0;
constexpr double kA4HeightMm = 297.0;
constexpr double kZoomStep = 1.25;
// The colour of a marked position on the main window's panels.
const QColor kMarkColour(58, 203, 242);

// Positions as the clerk reads them: "3", "1–12", "2, 5–7".
QString positionList(QList<int> positions) {
    std::sort(positions.begin(), positions.end());
    QStringList parts;
    for (qsizetype i = 0; i < positions.size();) {
        qsizetype j = i;
        while (j + 1 < positions.size() && positions[j + 1] == positions[j] + 1)
            ++j;
        parts << (j > i + 1 ? QStringLiteral("%1–%2").arg(positions[i]).arg(positions[j])
                            : QString::number(positions[i]));
        if (j == i + 1)
            parts << QString::number(positions[j]);
        i = j + 1;
    }
    return parts.join(QStringLiteral(", "));
}

// One line per kind of overflow; labels that run over alike are named together.
QString overflowSummary(const SheetPreview& preview) {
    if (preview.overflows.isEmpty())
        return QStringLiteral("Text se na označené štítky vejde.");
    const QLocale czech(QLocale::Czech);
    QStringList kinds;
    QList<QList<int>> positions;
    for (const LabelOverflow& o : preview.overflows) {
        const QString kind = QStringLiteral("%1 okraj o %2 mm (řádek: %3)")
                                 .arg(o.edge == LabelOverflow::Edge::Right ? QStringLiteral("pravý")
                                                                           : QStringLiteral("spodní"),
                                      czech.toString(o.millimetres, 'f', 1), o.line);
        const qsizetype at = kinds.indexOf(kind);
        if (at < 0) {
            kinds << kind;
            positions.append(QList<int>{o.position});
        } else {
            positions[at] << o.position;
        }
    }
    QStringList lines;
    for (qsizetype i = 0; i < kinds.size(); ++i)
        lines << QStringLiteral("%1 %2 text přesahuje %3")
                     .arg(positions[i].size() == 1 ? QStringLiteral("Na štítku")
                                                   : QStringLiteral("Na štítcích"),
                          positionList(positions[i]), kinds[i]);
    return lines.join(u'\n') +
           QStringLiteral(
               "\nText se nezalamuje ani nezkracuje: zkraťte údaje nebo zmenšete písmo v Nastavení.");
}

} // namespace

SheetView::SheetView(SheetPreview preview, QWidget* parent) : QWidget(parent), m_preview(std::move(preview)) {
    setObjectName(QStringLiteral("SheetView"));
    setZoom(m_zoom);
}

QSize SheetView::pageSize() const {
    return QSize(qRound(kA4WidthMm * m_zoom), qRound(kA4HeightMm * m_zoom));
}

QSize SheetView::sizeHint() const {
    return pageSize() + QSize(24, 24);
}

void SheetView::setZoom(double pixelsPerMm) {
    m_zoom = std::clamp(pixelsPerMm, kMinZoom, kMaxZoom);
    setFixedSize(sizeHint());
    update();
}

void SheetView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(128, 128, 128));
    const QRect page(QPoint(12, 12), pageSize());
    p.fillRect(page.translated(3, 3), QColor(80, 80, 80));
    p.fillRect(page, Qt::white);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // From here on the painter works in printer pixels, as the layouts do.
    const double scale = m_zoom * 25.4 / std::max(1, m_preview.dpi);
    p.translate(page.topLeft());
    p.scale(scale, scale);
    p.setClipRect(QRectF(0, 0, page.width() / scale, page.height() / scale));
    const double onePixel = 1.0 / scale; // one screen pixel

    for (qsizetype n = 0; n < m_preview.labels.size(); ++n) {
        const int position = int(n) + 1;
        const QRect& label = m_preview.labels[n];
        const bool marked = m_preview.marked.contains(position);
        if (marked) {
            QColor fill = kMarkColour;
            fill.setAlpha(40);
            p.fillRect(label, fill);
        }
        const bool over = m_preview.overflowsAt(position);
        p.setPen(QPen(over ? QColor(220, 0, 0) : (marked ? kMarkColour.darker(130) : QColor(170, 170, 170)),
                      (over ? 3 : 1) * onePixel, marked || over ? Qt::SolidLine : Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(label));
        // The position number in the label's corner, small and grey.
        QFont number(QStringLiteral("Arial"));
        number.setPixelSize(std::max(1, qRound(9 * onePixel)));
        p.setFont(number);
        p.setPen(QColor(150, 150, 150));
        p.drawText(QRectF(label).adjusted(0, 0, -3 * onePixel, -2 * onePixel),
                   Qt::AlignRight | Qt::AlignBottom, QString::number(position));
    }

    for (const DrawnImage& image : m_preview.images) {
        p.save();
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(image.target, image.image);
        p.restore();
    }

    p.setPen(Qt::black);
    for (const DrawnRun& run : m_preview.runs) {
        QFont font(run.face);
        // Points on paper in printer pixels at the configured resolution.
        font.setPixelSize(std::max(1, qRound(run.pointSize * m_preview.dpi / 72.0)));
        font.setBold(run.bold);
        font.setStrikeOut(run.strikeOut);
        font.setKerning(false);
        p.setFont(font);
        p.drawText(QPointF(run.cell.x(), run.cell.y() + QFontMetricsF(font).ascent()), run.text);
    }

    p.setPen(QPen(QColor(220, 0, 0), 2 * onePixel));
    for (const LabelOverflow& o : m_preview.overflows)
        p.drawRect(QRectF(o.cell));
}

TForm7::TForm7(QWidget* parent, SheetPreview preview)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint) {
    setObjectName(QStringLiteral("TForm7"));
    setWindowTitle(QStringLiteral("Náhled tisku"));
    const bool over = !preview.overflows.isEmpty();
    const QString summary = overflowSummary(preview);

    auto* buttons = new QHBoxLayout;
    auto add = [&](const char* name, const QString& caption, const QString& hint, void (TForm7::*slot)()) {
        QPushButton* b = Form::button(this, QString::fromLatin1(name), caption, hint);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        Form::showKeysInHint(b);
        buttons->addWidget(b);
        return b;
    };
    add("Button1", QStringLiteral("&Tisk"), QStringLiteral("Vytiskne doložky tak, jak je vidíte"),
        &TForm7::Button1Click);
    add("Button3", QStringLiteral("Zv&ětšit"), QStringLiteral("Zvětší náhled"), &TForm7::Button3Click)
        ->setShortcut(QKeySequence::ZoomIn);
    add("Button4", QStringLiteral("Z&menšit"), QStringLiteral("Zmenší náhled"), &TForm7::Button4Click)
        ->setShortcut(QKeySequence::ZoomOut);
    add("Button5", QStringLiteral("&Celá stránka"), QStringLiteral("Zobrazí celou stránku v okně"),
        &TForm7::Button5Click);
    buttons->addStretch();
    add("Button2", QStringLiteral("&Zavřít"), QStringLiteral("Zavře náhled, nic se nevytiskne"),
        &TForm7::Button2Click);

    Label1 = new QLabel(summary, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    if (over)
        Label1->setStyleSheet(QStringLiteral("color: rgb(200, 0, 0); font-weight: bold;"));

    m_view = new SheetView(std::move(preview), this);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("ScrollBox1"));
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setWidget(m_view);
    m_scroll->setBackgroundRole(QPalette::Dark);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(Label1);
    layout->addWidget(m_scroll, 1);

    QSize size(m_view->sizeHint().width() + 60, 960);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() - QSize(40, 60));
    resize(size);
}

void TForm7::zoomTo(double pixelsPerMm) {
    QScrollBar* v = m_scroll->verticalScrollBar();
    const double at = v->maximum() > 0 ? double(v->value()) / v->maximum() : 0.0;
    m_view->setZoom(pixelsPerMm);
    v->setValue(qRound(at * v->maximum()));
}

void TForm7::Button1Click() {
    accept();
}

void TForm7::Button2Click() {
    reject();
}

void TForm7::Button3Click() {
    zoomTo(m_view->zoom() * kZoomStep);
}

void TForm7::Button4Click() {
    zoomTo(m_view->zoom() / kZoomStep);
}

void TForm7::Button5Click() {
    const QSize room = m_scroll->viewport()->size() - QSize(24, 24);
    zoomTo(std::min(room.width() / kA4WidthMm, room.height() / kA4HeightMm));
}
