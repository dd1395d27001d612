#include "ui/Messages.h"

#include "settings/AppError.h"

#include <QMessageBox>
#include <QPushButton>

namespace {

const QString kTitle = QStringLiteral("Lorvena");

} // namespace

void showInfo(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Information, kTitle, text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("InfoBox"));
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
}

bool confirmOkCancel(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, kTitle, text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setObjectName(QStringLiteral("ConfirmBox"));
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Zrušit"));
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

void showErrorReport(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Critical, kTitle, text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("ErrorBox"));
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
}

void reportCurrentException(QWidget* parent) {
    try {
        throw;
    } catch (const AppError& e) {
        showErrorReport(parent, e.message());
    } catch (const std::exception& e) {
        showErrorReport(parent, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        showErrorReport(parent, QStringLiteral("Neočekávaná chyba."));
    }
}
