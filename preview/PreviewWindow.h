#pragma once

#include "clauses/SheetPreview.h"

#include <QDialog>
#include <QWidget>

class QLabel;
class QPushButton;
class QScrollArea;

// The page of a preview, painted at a zoom of screen pixels per millimetre.
class SheetView : public QWidget {
    Q_OBJECT
public:
    SheetView(SheetPreview preview, QWidget* parent);

    double zoom() const { return m_zoom; }
    void setZoom(double pixelsPerMm);
    QSize pageSize() const; // the page in screen pixels at the zoom
    QSize sizeHint() const override;

    static constexpr double kMinZoom = 1.0;
    static constexpr double kMaxZoom = 24.0;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SheetPreview m_preview;
    double m_zoom = 5.0;
};

// "Náhled tisku": the sheet as the print would put it on paper. Nothing in
// it prints, issues or writes; "Tisk" closes it with Accepted and the caller
// runs the real print.
class TForm7 : public QDialog {
    Q_OBJECT
public:
    TForm7(QWidget* parent, SheetPreview preview);

    SheetView* view() const { return m_view; }

public Q_SLOTS:
    void Button1Click(); // Tisk
    void Button2Click(); // Zavřít
    void Button3Click(); // Zvětšit
    void Button4Click(); // Zmenšit
    void Button5Click(); // Celá stránka

private:
    void zoomTo(double pixelsPerMm);

    SheetView* m_view = nullptr;
    QScrollArea* m_scroll = nullptr;
    QLabel* Label1 = nullptr;
};
