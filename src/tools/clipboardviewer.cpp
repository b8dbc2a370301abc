#include "tools/clipboardviewer.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPushButton>
#include <QTextCursor>

#include "common/dialogs.h"
#include "common/errors.h"
#include "common/guardedconnect.h"
#include "platform/printscreen.h"
#include "tools/clipboardkinds.h"
#include "ui_ClipboardGroup.h"
#include "widgets/timage.h"

namespace {

class ClipboardError final : public TrombusError
{
public:
    using TrombusError::TrombusError;
};

} // namespace

ClipboardViewer::ClipboardViewer(Ui::ClipboardGroup& form, platform::PrintScreen& printScreen, QObject* parent)
    : QObject(parent), m_form(form), m_printScreen(printScreen)
{
    connectGuarded(m_form.Button8, &QPushButton::clicked, this, &ClipboardViewer::Button8Click);
    connectGuarded(m_form.Button9, &QPushButton::clicked, this, &ClipboardViewer::Button9Click);
    connectGuarded(m_form.Button1, &QPushButton::clicked, this, &ClipboardViewer::Button1Click);
}

void ClipboardViewer::Button8Click()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const QStringList formats = data ? data->formats() : QStringList();
    m_form.Label36->setText(ClipboardKinds::caption(formats));
    m_form.Image2->hide();
    m_form.Memo5->clear();
    if (data && data->hasText()) {
        m_form.Memo5->paste();
        // The text is shown from its beginning, not from where the paste left the caret.
        m_form.Memo5->moveCursor(QTextCursor::Start);
    }
    if (!ClipboardKinds::pictureFormats(formats).isEmpty()) {
        m_form.Image2->show();
        showPicture();
    }
}

// From the first format the picture class reads.
void ClipboardViewer::showPicture()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QImage image;
    for (const QString& format : ClipboardKinds::pictureFormats(data ? data->formats() : QStringList())) {
        image = format == QLatin1String("application/x-qt-image") ? qvariant_cast<QImage>(data->imageData())
                                                                  : QImage::fromData(data->data(format));
        if (!image.isNull())
            break;
    }
    m_form.Image2->setPicture(image);
    if (image.isNull())
        throw ClipboardError(QStringLiteral("Unsupported clipboard format"));
}

void ClipboardViewer::Button9Click()
{
    QGuiApplication::clipboard()->clear();
}

void ClipboardViewer::Button1Click()
{
    m_printScreen.press();
    Dialogs::message(QStringLiteral("Вывод содержимого буфера."));
    Button8Click();
}
