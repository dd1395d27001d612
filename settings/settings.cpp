#include "settings/settings.h"

#include "app/main.h"

TForm2::TForm2(TForm1* main) : QDialog(main, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), m_main(main) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Nastavení"));
    QFont f;
    f.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    f.setPixelSize(11);
    setFont(f);
    setFixedSize(898, 508);
}

void TForm2::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TForm2::FormShow() {
    // Centred over the main window, never off the top-left of the screen.
    const QRect mainFrame = m_main->frameGeometry();
    const QRect own = frameGeometry();
    move(std::max(0, mainFrame.x() + (mainFrame.width() - own.width()) / 2),
         std::max(0, mainFrame.y() + (mainFrame.height() - own.height()) / 2));
}
