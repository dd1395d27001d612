#include "about/about.h"

#include "LorvenaVersion.h"
#include "ui/Artwork.h"
#include "ui/CentredPlacement.h"
#include "ui/Fonts.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

TForm3::TForm3(QWidget* main)
    : QDialog(main, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), m_main(main) {
    setObjectName(QStringLiteral("Form3"));
    new CentredPlacement(this, main, false);
    setWindowTitle(QStringLiteral("O programu"));
    QFont f = fontOf(Typeface::Tahoma);
    f.setPixelSize(11);
    setFont(f);
    setFixedSize(472, 410);
}

void TForm3::setVisible(bool visible) {
    if (visible)
        ensureControls();
    QDialog::setVisible(visible);
}

// The controls and the drawn logo are made when the box is first needed.
void TForm3::ensureControls() {
    if (Memo1)
        return;
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(88, -40, 281, 177);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setPixmap(Artwork::productLogo().scaled(281, 177, Qt::KeepAspectRatio, Qt::SmoothTransformation));

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(8, 96, 456, 275);
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    Button1 = new QPushButton(QStringLiteral("&OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(200, 377, 75, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void TForm3::fillText(const QString& siteAddress) {
    ensureControls();
    Memo1->clear();
    const QStringList lines = {
        QStringLiteral("Program pro tisk ověřovacích doložek vidimace a legalizace."),
        QString(),
        QStringLiteral("Verze: %1").arg(QLatin1String(kLorvenaVersion)),
        QString(),
        QStringLiteral("Software je vhodný pro obce a prakticky kohokoliv kdo vidimuje nebo"),
        QStringLiteral(
            "legalizuje podle zákona o ověřování. Nahrazuje ruční vyplňování razítek tiskem doložek"),
        QStringLiteral(
            "na etikety, které jsou tak čitelnější a menší. Aplikace je malá, rychlá nenáročná. Není"),
        QStringLiteral("potřeba spouštět složité aplikace s potřebou se připojit k serveru."),
        QString(),
        QStringLiteral(
            "Software také umožňuje tisk doložek právního jednání obcí podle zákona č. 128/2000 Sb."),
        QStringLiteral("Zákon o obcích (obecní zřízení)."),
        QString(),
        QStringLiteral("Autor:"),
        QStringLiteral("Tým vývojářů programu Lorvena"),
        QStringLiteral("E-mail: kontakt uvádějí webové stránky programu"),
        QStringLiteral("Telefon: kontakt uvádějí webové stránky programu"),
        QString(),
        QStringLiteral("Více informací na ") + siteAddress,
    };
    for (const QString& line : lines)
        Memo1->appendPlainText(line);
    Memo1->moveCursor(QTextCursor::Start);
}

void TForm3::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TForm3::FormShow() {
    // A negative place is kept: the box may stand partly off the screen.
    CentredPlacement::of(this)->place();
}
