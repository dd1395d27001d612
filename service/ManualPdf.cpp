#include "ManualPdf.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

QString manualMarkdown() {
    QFile file(QStringLiteral(":/manual/lorvena-manual.md"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QByteArray renderManualPdf(const QString& markdown) {
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(QStringLiteral("Lorvena – manuál k programu"));
        writer.setCreator(QStringLiteral("Lorvena"));
        // The text document keeps its own margin of two centimetres on every side.
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        writer.setResolution(300);

        QTextDocument document;
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setStyleHint(QFont::SansSerif);
        font.setPointSizeF(10.5);
        document.setDefaultFont(font);
        document.setMarkdown(markdown);
        // The pictures lie beside the Markdown among the resources; the text names them by file
        // name. Added after the text, since setting the text drops the resources.
        const QDir pictures(QStringLiteral(":/manual"), QStringLiteral("*.png"));
        for (const QString& name : pictures.entryList())
            document.addResource(QTextDocument::ImageResource, QUrl(name), QImage(pictures.filePath(name)));
        document.print(&writer);
    }
    return pdf;
}
