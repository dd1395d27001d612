#include "settings/CalibrationPicture.h"

#include "ui/Fonts.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QStringList>
#include <QtMath>
#include <cmath>

// Not to scale: the proportions are chosen so that every measure has room for
// its arrow and letter. Lines sit on half pixels so that 1-pixel strokes stay
// sharp with antialiasing on.
namespace {

const QColor kArrow(64, 164, 232);
const QColor kLetter(24, 112, 196);
const QColor kSample(150, 150, 150);
const QColor kGuide(120, 120, 120);

constexpr qreal kSheetTop = 36;
constexpr qreal kSheetLeft = 36;
constexpr qreal kBeyond = CalibrationPicture::kSize + 20; // past the picture's edge
constexpr qreal kTextDown = 22;                           // B: label top to the text start
constexpr qreal kTextRight = 20;                          // Y: label left to the text start

QFont arial(qreal pixels, bool bold = false) {
    QFont f = fontOf(Typeface::Arial);
    f.setPixelSize(qRound(pixels));
    f.setBold(bold);
    return f;
}

void line(QPainter& p, qreal x1, qreal y1, qreal x2, qreal y2) {
    p.drawLine(QPointF(x1 + 0.5, y1 + 0.5), QPointF(x2 + 0.5, y2 + 0.5));
}

void arrowHead(QPainter& p, QPointF tip, QPointF direction) {
    constexpr qreal kLength = 8;
    constexpr qreal kHalfWidth = 3.5;
    const QPointF back = tip - direction * kLength;
    const QPointF across(-direction.y() * kHalfWidth, direction.x() * kHalfWidth);
    p.drawPolygon(QPolygonF({tip, back + across, back - across}));
}

// A measure: a double-headed arrow between two edges, in light blue.
void measure(QPainter& p, QPointF from, QPointF to) {
    const QPointF a = from + QPointF(0.5, 0.5);
    const QPointF b = to + QPointF(0.5, 0.5);
    const QPointF d = b - a;
    const qreal length = std::hypot(d.x(), d.y());
    const QPointF unit = d / length;
    p.save();
    p.setPen(QPen(kArrow, 1.5));
    p.setBrush(kArrow);
    p.drawLine(a + unit * 4, b - unit * 4);
    p.setPen(Qt::NoPen);
    arrowHead(p, a, -unit);
    arrowHead(p, b, unit);
    p.restore();
}

// The letter of a measure, centred on `centre`.
void letter(QPainter& p, const QString& text, QPointF centre) {
    p.save();
    p.setFont(arial(16, true));
    p.setPen(kLetter);
    const QRectF box(centre.x() - 12, centre.y() - 11, 24, 22);
    p.drawText(box, Qt::AlignCenter, text);
    p.restore();
}

// Thin dotted lines carrying an edge out to the arrow that measures it.
void extension(QPainter& p, qreal x1, qreal y1, qreal x2, qreal y2) {
    p.save();
    p.setPen(QPen(kGuide, 1, Qt::DotLine));
    line(p, x1, y1, x2, y2);
    p.restore();
}

void dashed(QPainter& p, qreal x1, qreal y1, qreal x2, qreal y2) {
    p.save();
    p.setPen(QPen(Qt::black, 1, Qt::DashLine));
    line(p, x1, y1, x2, y2);
    p.restore();
}

void sheetEdges(QPainter& p) {
    p.save();
    p.setPen(QPen(Qt::black, 1));
    line(p, kSheetLeft, kSheetTop, kBeyond, kSheetTop);
    line(p, kSheetLeft, kSheetTop, kSheetLeft, kBeyond);
    p.restore();
}

void labelOutline(QPainter& p, const QRectF& r) {
    p.save();
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.translated(0.5, 0.5));
    p.restore();
}

// A grey sample of printed text from (x, y) down, clipped to the label.
void sampleText(QPainter& p, const QRectF& label, qreal x, qreal y, qreal pixels, qreal lineHeight,
                const QStringList& lines, int boldLine) {
    p.save();
    p.setClipRect(label.adjusted(1, 1, -1, -1));
    p.setPen(kSample);
    for (int i = 0; i < lines.size(); ++i) {
        p.setFont(arial(pixels, i == boldLine));
        p.drawText(QRectF(x, y + i * lineHeight, label.right() - x, lineHeight), Qt::AlignLeft | Qt::AlignTop,
                   lines.at(i));
    }
    p.restore();
}

void caption(QPainter& p, const QRectF& area, const QString& text) {
    p.save();
    p.setFont(arial(12));
    p.setPen(Qt::black);
    p.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, text);
    p.restore();
}

void drawClauseSheet(QPainter& p) {
    constexpr qreal left = 106, right = 316, secondLeft = 376;
    constexpr qreal rowTops[] = {96, 252, 408};
    constexpr qreal height = 130;

    sheetEdges(p);
    for (qreal top : rowTops) {
        labelOutline(p, QRectF(left, top, right - left, height));
        labelOutline(p, QRectF(secondLeft, top, kBeyond - secondLeft, height));
        dashed(p, left - 8, top + kTextDown, kBeyond, top + kTextDown);
    }
    dashed(p, left + kTextRight, rowTops[0] - 8, left + kTextRight, kBeyond);
    dashed(p, secondLeft + kTextRight, rowTops[0] - 8, secondLeft + kTextRight, kBeyond);

    const QRectF first(left, rowTops[0], right - left, height);
    sampleText(p, first, left + kTextRight + 4, rowTops[0] + kTextDown + 2, 7, 9.2,
               {QStringLiteral("OVĚŘOVACÍ DOLOŽKA PRO LEGALIZACI"),
                QStringLiteral("Podle ověřovací knihy Obecního úřadu Zididuzado Dazuz"),
                QStringLiteral("poř. č. legalizace A/15/2025"), QStringLiteral("vlastnoručně podepsal"),
                QStringLiteral("Jan Novák, 1. 1. 1970, Praha"),
                QStringLiteral("jméno/a, příjmení, datum a místo narození žadatele"),
                QStringLiteral("Hlavní 12, Zididuzado Dazuz"), QStringLiteral("adresa místa trvalého pobytu"),
                QStringLiteral("občanský průkaz č.123456789"),
                QStringLiteral("V Dudeverodu Zered dne 14.08.2019"),
                QStringLiteral("Otisk úředního razítka a podpis ověřující osoby")},
               0);
    caption(p, QRectF(left + kTextRight + 4, rowTops[1] + 48, right - left - kTextRight - 8, 36),
            QStringLiteral("Samolepící etikety formátu A4,\n78 x 48 mm"));

    // A: sheet top to the first row; B: label top to the text start.
    measure(p, {270, kSheetTop}, {270, rowTops[0]});
    letter(p, QStringLiteral("A"), {284, (kSheetTop + rowTops[0]) / 2});
    measure(p, {300, rowTops[0]}, {300, rowTops[0] + kTextDown});
    letter(p, QStringLiteral("B"), {287, rowTops[0] + kTextDown / 2});

    // C and D stand left of the labels, on lines carried out from the edges.
    constexpr qreal cx = 78;
    for (qreal y : {rowTops[0], rowTops[0] + height, rowTops[1]})
        extension(p, cx - 6, y, left, y);
    measure(p, {cx, rowTops[0]}, {cx, rowTops[0] + height});
    letter(p, QStringLiteral("C"), {cx - 16, rowTops[0] + height / 2});
    measure(p, {cx, rowTops[0] + height}, {cx, rowTops[1]});
    letter(p, QStringLiteral("D"), {cx - 16, (rowTops[0] + height + rowTops[1]) / 2});

    // Z: sheet edge to the label; Y: label edge to the text start.
    measure(p, {kSheetLeft, 330}, {left, 330});
    letter(p, QStringLiteral("Z"), {(kSheetLeft + left) / 2, 316});
    measure(p, {left, 286}, {left + kTextRight, 286});
    letter(p, QStringLiteral("Y"), {left + kTextRight + 12, 287});

    // X: the label's width; W: the gap between the columns.
    measure(p, {left, 366}, {right, 366});
    letter(p, QStringLiteral("X"), {(left + right) / 2, 353});
    measure(p, {right, 168}, {secondLeft, 168});
    letter(p, QStringLiteral("W"), {(right + secondLeft) / 2, 154});
}

void drawBookSheet(QPainter& p) {
    constexpr qreal left = 130, right = 460;
    constexpr qreal rowTops[] = {96, 260, 424};
    constexpr qreal height = 140;

    sheetEdges(p);
    for (qreal top : rowTops) {
        labelOutline(p, QRectF(left, top, right - left, height));
        dashed(p, left - 8, top + kTextDown, right + 8, top + kTextDown);
    }
    dashed(p, left + kTextRight, rowTops[0] - 8, left + kTextRight, kBeyond);

    const QRectF first(left, rowTops[0], right - left, height);
    sampleText(p, first, left + kTextRight + 4, rowTops[0] + kTextDown + 2, 8, 11,
               {QStringLiteral("1. A/15/2025, A/16/2025"), QStringLiteral("2. 14.08.2019"),
                QStringLiteral("3. Jan Novák, 1. 1. 1970, Praha"),
                QStringLiteral("4. Hlavní 12, Zididuzado Dazuz"),
                QStringLiteral("5. občanský průkaz 123456789"), QStringLiteral("6. ---"),
                QStringLiteral("7. vlastnoručně podepsal"), QStringLiteral("8. ---"),
                QStringLiteral("9. Zoz Azira"), QStringLiteral("10. kupní smlouva")},
               1);
    caption(p, QRectF(left + kTextRight + 4, rowTops[1] + 56, right - left - kTextRight - 8, 40),
            QStringLiteral("Samolepící etikety formátu A4, 44 x 133 mm"));

    measure(p, {400, kSheetTop}, {400, rowTops[0]});
    letter(p, QStringLiteral("A"), {414, (kSheetTop + rowTops[0]) / 2});
    measure(p, {440, rowTops[0]}, {440, rowTops[0] + kTextDown});
    letter(p, QStringLiteral("B"), {427, rowTops[0] + kTextDown / 2});

    constexpr qreal cx = 100;
    for (qreal y : {rowTops[0], rowTops[0] + height, rowTops[1]})
        extension(p, cx - 6, y, left, y);
    measure(p, {cx, rowTops[0]}, {cx, rowTops[0] + height});
    letter(p, QStringLiteral("C"), {cx - 16, rowTops[0] + height / 2});
    measure(p, {cx, rowTops[0] + height}, {cx, rowTops[1]});
    letter(p, QStringLiteral("D"), {cx - 16, (rowTops[0] + height + rowTops[1]) / 2});

    measure(p, {kSheetLeft, 350}, {left, 350});
    letter(p, QStringLiteral("Z"), {(kSheetLeft + left) / 2, 336});
    measure(p, {left, 300}, {left + kTextRight, 300});
    letter(p, QStringLiteral("Y"), {left + kTextRight + 12, 300});
}

} // namespace

void drawCalibrationPicture(QPainter& painter, CalibrationSheet sheet) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setClipRect(QRectF(0, 0, CalibrationPicture::kSize, CalibrationPicture::kSize),
                        Qt::IntersectClip);
    painter.fillRect(QRectF(0, 0, CalibrationPicture::kSize, CalibrationPicture::kSize), Qt::white);
    if (sheet == CalibrationSheet::Clauses)
        drawClauseSheet(painter);
    else
        drawBookSheet(painter);
    painter.restore();
}

QImage calibrationImage(CalibrationSheet sheet, qreal scale) {
    const int side = qCeil(CalibrationPicture::kSize * scale);
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    p.scale(scale, scale);
    drawCalibrationPicture(p, sheet);
    return image;
}

CalibrationPicture::CalibrationPicture(CalibrationSheet sheet, QWidget* parent)
    : QWidget(parent), m_sheet(sheet) {}

void CalibrationPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    drawCalibrationPicture(p, m_sheet);
}
