#include "app/windowscaler.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableView>
#include <QTreeView>
#include <QWidget>
#include <cmath>
#include <utility>
#include <vector>

namespace {

int mulDiv(int value, int m, int d)
{
    return static_cast<int>(std::lround(static_cast<double>(value) * m / d));
}

QSize mulDiv(const QSize& size, int m, int d)
{
    return {mulDiv(size.width(), m, d), mulDiv(size.height(), m, d)};
}

bool placedByItsParent(const QWidget* widget)
{
    const QWidget* parent = widget->parentWidget();
    if (!parent)
        return true;
    if (qobject_cast<const QTabWidget*>(parent) || qobject_cast<const QStackedWidget*>(parent))
        return true;
    return parent->layout() && parent->layout()->indexOf(const_cast<QWidget*>(widget)) >= 0;
}

bool designedControl(const QWidget* widget)
{
    return !widget->objectName().isEmpty() && !widget->objectName().startsWith(QLatin1String("qt_"));
}

// A font set on the widget itself, one that differs from its parent's, or one where style sheets are involved
// (a widget styled by one takes its font from the sheet, and its children do not inherit from it).
bool hasOwnFont(const QWidget* widget)
{
    const QWidget* parent = widget->parentWidget();
    return !parent || widget->isWindow() || widget->testAttribute(Qt::WA_SetFont) ||
           widget->testAttribute(Qt::WA_StyleSheet) || parent->testAttribute(Qt::WA_StyleSheet) ||
           widget->font() != parent->font();
}

QFont scaledFont(QFont font, int m, int d)
{
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, mulDiv(font.pixelSize(), m, d)));
    else
        font.setPointSizeF(std::max(1.0, font.pointSizeF() * m / d));
    return font;
}

// Font sizes a style sheet gives (the side tabs of the help page) are scaled like every other font; point
// sizes keep their fraction, so that a step and its undo return to the same size.
QString scaledStyleSheetFonts(const QString& sheet, int m, int d)
{
    static const QRegularExpression fontSize(QStringLiteral("font-size:\\s*([0-9]+(?:\\.[0-9]+)?)(pt|px)"));
    QString result;
    qsizetype done = 0;
    for (const QRegularExpressionMatch& match : fontSize.globalMatch(sheet)) {
        const double size = QLocale::c().toDouble(match.captured(1));
        const bool points = match.captured(2) == QLatin1String("pt");
        const QString scaled = points ? QLocale::c().toString(std::max(1.0, size * m / d), 'f', 2)
                                      : QString::number(std::max(1, int(std::lround(size * m / d))));
        result += sheet.mid(done, match.capturedStart(1) - done) + scaled;
        done = match.capturedEnd(1);
    }
    return done == 0 ? sheet : result + sheet.mid(done);
}

void scaleSizeLimits(QWidget* widget, int m, int d)
{
    if (widget->minimumWidth() > 0 || widget->minimumHeight() > 0)
        widget->setMinimumSize(mulDiv(widget->minimumSize(), m, d));
    if (widget->maximumWidth() < QWIDGETSIZE_MAX)
        widget->setMaximumWidth(mulDiv(widget->maximumWidth(), m, d));
    if (widget->maximumHeight() < QWIDGETSIZE_MAX)
        widget->setMaximumHeight(mulDiv(widget->maximumHeight(), m, d));
}

void scaleSections(QHeaderView* header, int m, int d)
{
    if (!header)
        return;
    // The sizes are read first: a new default size also goes to the sections that have it.
    std::vector<int> sizes;
    for (int section = 0; section < header->count(); ++section)
        sizes.push_back(header->sectionSize(section));
    header->setMinimumSectionSize(std::max(1, mulDiv(header->minimumSectionSize(), m, d)));
    header->setDefaultSectionSize(std::max(1, mulDiv(header->defaultSectionSize(), m, d)));
    for (int section = 0; section < header->count(); ++section)
        header->resizeSection(section, mulDiv(sizes[std::size_t(section)], m, d));
}

void scaleContents(QWidget* widget, int m, int d)
{
    if (auto* table = qobject_cast<QTableView*>(widget)) {
        scaleSections(table->horizontalHeader(), m, d);
        scaleSections(table->verticalHeader(), m, d);
    } else if (auto* tree = qobject_cast<QTreeView*>(widget)) {
        scaleSections(tree->header(), m, d);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget); button && !button->icon().isNull()) {
        button->setIconSize(mulDiv(button->iconSize(), m, d));
    }
}

// Keeps the label's picture drawn at the label's size, made again only when that size changes.
class PictureAtLabelSize final : public QObject
{
public:
    PictureAtLabelSize(QLabel* label, QPixmap original)
        : QObject(label), m_label(label), m_original(std::move(original))
    {
        m_label->setScaledContents(false);
        render();
        m_label->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_label && event->type() == QEvent::Resize)
            render();
        return false;
    }

private:
    void render()
    {
        const qreal ratio = m_label->devicePixelRatioF();
        const QSize size = m_label->contentsRect().size() * ratio;
        if (size.isEmpty() || (size == m_size && ratio == m_ratio))
            return;
        m_size = size;
        m_ratio = ratio;
        QPixmap picture = m_original.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        picture.setDevicePixelRatio(ratio);
        m_label->setPixmap(picture);
    }

    QLabel* m_label;
    QPixmap m_original;
    QSize m_size;
    qreal m_ratio = 0;
};

// The controls of `root`'s window that are `root` or inside it, scaled. A window's own size is scaled too; a
// part of one is left where its parent puts it, and its own sheet and limits are scaled like its controls'.
void scaleControls(QWidget* root, int m, int d, bool window)
{
    if (m <= 0 || d <= 0 || m == d)
        return;
    std::vector<QWidget*> widgets{root};
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        if (widget->window() == root->window())
            widgets.push_back(widget);
    }
    // Fonts of their own are read before any is changed: a parent's new font would otherwise reach the
    // children that take part of it before their own turn, and they would be scaled twice. Widgets that only
    // inherit theirs follow their parents, and go on following them after the scale.
    std::vector<std::pair<QWidget*, QFont>> fonts;
    for (QWidget* widget : widgets) {
        if (hasOwnFont(widget))
            fonts.emplace_back(widget, scaledFont(widget->font(), m, d));
    }

    for (std::size_t i = window ? 1 : 0; i < widgets.size(); ++i) {
        QWidget* widget = widgets[i];
        if (!designedControl(widget))
            continue;
        scaleSizeLimits(widget, m, d);
        if (!placedByItsParent(widget)) {
            const QRect g = widget->geometry();
            widget->setGeometry(mulDiv(g.x(), m, d), mulDiv(g.y(), m, d), mulDiv(g.width(), m, d),
                                mulDiv(g.height(), m, d));
        }
        scaleContents(widget, m, d);
        if (!widget->styleSheet().isEmpty())
            widget->setStyleSheet(scaledStyleSheetFonts(widget->styleSheet(), m, d));
    }
    for (const auto& [widget, font] : fonts)
        widget->setFont(font);
    if (window)
        root->resize(mulDiv(root->size(), m, d));
}

} // namespace

void scaleWidgetTree(QWidget* root, int m, int d)
{
    scaleControls(root, m, d, true);
}

void prepareForScaleCatchUp(QWidget* part, const QFont& unscaledFont, const std::vector<std::pair<int, int>>& steps)
{
    if (steps.empty())
        return;
    // The controls take their fonts from the part when they are made; a control's own font that sets only
    // some properties (bold, no size) takes its size there, and a control under a style sheet keeps what it
    // took. So the part holds the window's font from before the first step while they are made.
    QFont ownFont = unscaledFont;
    ownFont.setResolveMask(QFont::AllPropertiesResolved);
    part->setFont(ownFont);
}

void catchUpWithScale(QWidget* part, const std::vector<std::pair<int, int>>& steps)
{
    if (steps.empty())
        return;
    // The part's controls were made at their design sizes, so they take every step the window took.
    for (const auto& [m, d] : steps)
        scaleControls(part, m, d, false);
    // From here the part follows its parent's font again, which took the same steps.
    part->setFont(QFont());
}

void scalePicturesOncePerSize(QWidget* root)
{
    for (QLabel* label : root->findChildren<QLabel*>()) {
        if (label->hasScaledContents() && !label->pixmap().isNull())
            new PictureAtLabelSize(label, label->pixmap());
    }
}
