#include "settings/LogoFileDialog.h"

#include "settings/AppError.h"
#include "settings/JpegDecoder.h"
#include "settings/LogoPreview.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace {

constexpr int kPreviewBox = 200;

// The pane beside the file list that shows the selected picture as the logo
// conversion will read it (a file it would refuse shows no picture), with its
// size in pixels.
class PicturePreview : public QWidget {
public:
    explicit PicturePreview(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("PicturePreview"));
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(8, 0, 0, 0);
        m_picture->setObjectName(QStringLiteral("PreviewPicture"));
        m_picture->setFixedSize(kPreviewBox, kPreviewBox);
        m_picture->setAlignment(Qt::AlignCenter);
        m_picture->setFrameShape(QFrame::StyledPanel);
        m_caption->setObjectName(QStringLiteral("PreviewCaption"));
        m_caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        layout->addWidget(m_caption);
        layout->addWidget(m_picture);
        layout->addStretch();
        showPicture(QString());
    }

    void showPicture(const QString& path) {
        m_picture->clear();
        if (path.isEmpty() || !QFileInfo(path).isFile()) {
            m_caption->setText(QStringLiteral("(žádný)"));
            return;
        }
        try {
            const DecodedPicture p = decodeJpeg(path);
            const QImage image(reinterpret_cast<const uchar*>(p.pixels.constData()), p.width, p.height,
                               qsizetype(p.width) * p.bytesPerPixel(),
                               p.kind == DecodedPicture::Kind::Grey ? QImage::Format_Grayscale8
                                                                    : QImage::Format_RGB888);
            m_picture->setPixmap(
                QPixmap::fromImage(image.scaled(logoPreviewSize(image.size(), kPreviewBox),
                                                Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
            m_caption->setText(QStringLiteral("%1 × %2").arg(p.width).arg(p.height));
        } catch (const AppError&) {
            m_caption->setText(QStringLiteral("Náhled není k dispozici"));
        }
    }

private:
    QLabel* m_caption = new QLabel(this);
    QLabel* m_picture = new QLabel(this);
};

} // namespace

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

    // Qt's own dialog lays itself out on a grid: the preview takes a new
    // column beside the list, from the top row down.
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
        auto* preview = new PicturePreview(&dialog);
        grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
        // The pane widens the dialog rather than narrowing the list.
        dialog.resize(dialog.width() + preview->sizeHint().width(), dialog.height());
        QObject::connect(&dialog, &QFileDialog::currentChanged, preview,
                         [preview](const QString& path) { preview->showPicture(path); });
    }

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}
