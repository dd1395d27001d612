#include "settings/LogoFileDialog.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QRegularExpression>

const QStringList& logoFileFilters() {
    static const QStringList filters = {
        QStringLiteral("Všechny (*.jpg;*.jpeg;)"),
        QStringLiteral("JPEG Image File (*.jpg)"),
        QStringLiteral("JPEG Image File (*.jpeg)"),
    };
    return filters;
}

QStringList logoFilterPatterns(const QString& filter) {
    const qsizetype open = filter.lastIndexOf(u'(');
    const qsizetype close = filter.lastIndexOf(u')');
    const QString inner = open >= 0 && close > open ? filter.mid(open + 1, close - open - 1) : filter;
    return inner.split(QRegularExpression(QStringLiteral("[; ]")), Qt::SkipEmptyParts);
}

QString chooseLogoFile(QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("OpenPictureDialog1"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
#ifndef Q_OS_WIN
    // Only Qt's own dialog lets the patterns below be corrected; the Windows
    // dialog reads "*.jpg;*.jpeg;" natively.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
#endif
    dialog.setNameFilters(logoFileFilters());
    dialog.selectNameFilter(logoFileFilters().constFirst());

    // The first entry lists its patterns separated by ";", which Qt would take
    // for one pattern that no file matches; filter by the real patterns.
    if (auto* model = dialog.findChild<QFileSystemModel*>()) {
        auto usePatterns = [model](const QString& filter) {
            model->setNameFilters(logoFilterPatterns(filter));
        };
        usePatterns(dialog.selectedNameFilter());
        QObject::connect(&dialog, &QFileDialog::filterSelected, model, usePatterns);
    }

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}
