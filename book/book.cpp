#include "book/book.h"

#include "app/Messages.h"
#include "app/main.h"
#include "settings/SettingsStore.h"


TForm5::TForm5(TForm1* main)
    : QDialog(main, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                        Qt::MSWindowsFixedSizeDialogHint),
      m_main(main) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Lorvena - tisk štítku do ověřovací knihy"));
    QFont f;
    f.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Arial")});
    f.setPointSize(8);
    setFont(f);
    setFixedSize(358, 641);
    guarded(main, [this] { FormCreate(); });
}

void TForm5::FormCreate() {
    SettingsStore& s = m_main->settings();
    move(s.ReadInt(QStringLiteral("App"), QStringLiteral("position book left"), QStringLiteral("0")),
         s.ReadInt(QStringLiteral("App"), QStringLiteral("position book top"), QStringLiteral("0")));
}

void TForm5::done(int result) {
    FormClose();
    QDialog::done(result);
}

void TForm5::FormClose() {
    guarded(this, [this] {
        SettingsStore& s = m_main->settings();
        s.WriteString(QStringLiteral("App"), QStringLiteral("position book left"), QString::number(x()));
        s.WriteString(QStringLiteral("App"), QStringLiteral("position book top"), QString::number(y()));
    });
}
