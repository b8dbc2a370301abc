#include "common/dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QGroupBox>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>

#include "common/apptitle.h"

namespace Dialogs {
namespace {

Hook& hook()
{
    static Hook value;
    return value;
}

Request makeRequest(Kind kind, const QString& text = {}, QMessageBox::Icon icon = QMessageBox::NoIcon)
{
    Request request;
    request.kind = kind;
    request.title = applicationTitle();
    request.text = text;
    request.icon = icon;
    return request;
}

Request fileRequest(Kind kind, const QString& caption, const QString& filter, const QString& directory)
{
    Request request = makeRequest(kind, caption);
    request.filter = filter;
    request.directory = directory;
    return request;
}

// The program writes filters as caption and pattern pairs parted by "|" ("Все файлы|*.*"); Qt wants
// "Все файлы (*.*)".
QString qtFilter(const QString& filter)
{
    if (!filter.contains(QLatin1Char('|')))
        return filter;
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        patterns.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        result << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return result.join(QStringLiteral(";;"));
}

int showBox(QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, applicationTitle(), text, buttons, boxParent());
    return box.exec();
}

} // namespace

void setHook(Hook value)
{
    hook() = std::move(value);
}

bool hooked()
{
    return static_cast<bool>(hook());
}

QWidget* boxParent()
{
    return QApplication::activeWindow();
}

void message(const QString& text)
{
    if (hooked()) {
        hook()(makeRequest(Kind::Message, text));
        return;
    }
    showBox(QMessageBox::NoIcon, text, QMessageBox::Ok);
}

bool question(const QString& text, QMessageBox::Icon icon)
{
    if (hooked())
        return hook()(makeRequest(Kind::Question, text, icon)).accepted;
    return showBox(icon, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void error(const QString& text)
{
    if (hooked()) {
        hook()(makeRequest(Kind::Error, text, QMessageBox::Critical));
        return;
    }
    showBox(QMessageBox::Critical, text, QMessageBox::Ok);
}

void information(const QString& text)
{
    if (hooked()) {
        hook()(makeRequest(Kind::Message, text, QMessageBox::Information));
        return;
    }
    showBox(QMessageBox::Information, text, QMessageBox::Ok);
}

namespace {

// The colour dialog is one dialog for the whole program, and it keeps the colour it gave last.
QColor& lastColor()
{
    static QColor value(Qt::black);
    return value;
}

} // namespace

std::optional<QColor> chooseColor(const QColor& initial)
{
    std::optional<QColor> chosen;
    if (hooked()) {
        Request request = makeRequest(Kind::Color);
        request.color = initial;
        const Reply reply = hook()(request);
        if (reply.accepted)
            chosen = reply.color;
    } else {
        const QColor picked = QColorDialog::getColor(initial, boxParent());
        if (picked.isValid())
            chosen = picked;
    }
    if (chosen)
        lastColor() = *chosen;
    return chosen;
}

QColor lastChosenColor()
{
    return lastColor();
}

std::optional<QString> openFile(const QString& caption, const QString& filter, const QString& directory)
{
    return openFile(caption, filter, FileOptions{directory});
}

std::optional<QString> saveFile(const QString& caption, const QString& filter, const QString& directory)
{
    return saveFile(caption, filter, FileOptions{directory});
}

std::optional<QString> openFile(const QString& caption, const QString& filter, const FileOptions& options)
{
    if (hooked()) {
        Request request = fileRequest(Kind::OpenFile, caption, filter, options.directory);
        request.filterIndex = options.filterIndex;
        const Reply reply = hook()(request);
        return reply.accepted ? std::optional<QString>(reply.path) : std::nullopt;
    }
    QString selected = qtFilter(filter).split(QStringLiteral(";;")).value(options.filterIndex);
    const QString path =
        QFileDialog::getOpenFileName(boxParent(), caption, options.directory, qtFilter(filter), &selected);
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}

std::optional<QString> saveFile(const QString& caption, const QString& filter, const FileOptions& options)
{
    if (hooked()) {
        Request request = fileRequest(Kind::SaveFile, caption, filter, options.directory);
        request.filterIndex = options.filterIndex;
        request.confirmOverwrite = options.confirmOverwrite;
        const Reply reply = hook()(request);
        return reply.accepted ? std::optional<QString>(reply.path) : std::nullopt;
    }
    QString selected = qtFilter(filter).split(QStringLiteral(";;")).value(options.filterIndex);
    const QFileDialog::Options dialogOptions =
        options.confirmOverwrite ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite;
    const QString path = QFileDialog::getSaveFileName(boxParent(), caption, options.directory, qtFilter(filter),
                                                      &selected, dialogOptions);
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}

std::optional<QFont> chooseFont(const QFont& initial)
{
    if (hooked()) {
        Request request = makeRequest(Kind::Font);
        request.font = initial;
        const Reply reply = hook()(request);
        return reply.accepted ? std::optional<QFont>(reply.font) : std::nullopt;
    }
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, boxParent());
    return ok ? std::optional<QFont>(font) : std::nullopt;
}

std::optional<FontChoice> chooseFontAndColor(const QFont& initial, const QColor& color)
{
    if (hooked()) {
        Request request = makeRequest(Kind::Font);
        request.font = initial;
        request.color = color;
        const Reply reply = hook()(request);
        if (!reply.accepted)
            return std::nullopt;
        return FontChoice{reply.font, reply.color.isValid() ? reply.color : color};
    }
    // Qt's own dialog, so that the colour can join the effects; the sample shows the colour too.
    QFontDialog dialog(initial, boxParent());
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    QColor chosen = color;
    auto* colorButton = new QPushButton(QStringLiteral("Цвет…"));
    const auto showColor = [&dialog, colorButton, &chosen] {
        QPixmap swatch(14, 14);
        swatch.fill(chosen);
        colorButton->setIcon(QIcon(swatch));
        for (QLineEdit* sample : dialog.findChildren<QLineEdit*>()) {
            if (sample->parentWidget() && sample->parentWidget()->inherits("QGroupBox")) {
                QPalette palette = sample->palette();
                palette.setColor(QPalette::Text, chosen);
                sample->setPalette(palette);
            }
        }
    };
    QObject::connect(colorButton, &QPushButton::clicked, &dialog, [&dialog, &chosen, showColor] {
        const QColor picked = QColorDialog::getColor(chosen, &dialog);
        if (picked.isValid()) {
            chosen = picked;
            showColor();
        }
    });
    QLayout* effects = nullptr;
    for (QGroupBox* group : dialog.findChildren<QGroupBox*>()) {
        if (!group->findChildren<QCheckBox*>().isEmpty() && group->layout())
            effects = group->layout();
    }
    if (!effects)
        effects = dialog.layout();
    effects->addWidget(colorButton);
    showColor();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return FontChoice{dialog.selectedFont(), chosen};
}

std::optional<QString> chooseFolder(const QString& caption, const QString& directory)
{
    if (hooked()) {
        const Reply reply = hook()(fileRequest(Kind::Folder, caption, {}, directory));
        return reply.accepted ? std::optional<QString>(reply.path) : std::nullopt;
    }
    const QString path = QFileDialog::getExistingDirectory(boxParent(), caption, directory);
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}

} // namespace Dialogs
