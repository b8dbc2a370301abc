#include "console/launchercontroller.h"

#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QTreeView>
#include <cmath>

#include "common/clickfilter.h"
#include "common/dialogs.h"
#include "common/guardedconnect.h"
#include "common/shell.h"
#include "common/strtoint.h"
#include "console/launcherlook.h"
#include "platform/opener.h"
#include "ui_LauncherGroup.h"

namespace {

QIcon standardIcon(const QWidget* widget, QStyle::StandardPixmap picture)
{
    return widget->style()->standardIcon(picture, nullptr, widget);
}

} // namespace

LauncherController::LauncherController(Ui::LauncherGroup& form, Shell& shell, QObject* parent)
    : QObject(parent), m_form(form), m_shell(shell), m_list(shell.platform()), m_menu(new QMenu(form.LV1))
{
    TListView* list = m_form.LV1;
    list->setColumns({QStringLiteral("МЕТКА"), QStringLiteral("ПУТЬ")});
    list->setGridLines(true);
    list->reportView()->setAccessibleName(list->accessibleName());
    list->iconView()->setAccessibleName(list->accessibleName());
    const Look design;
    QFont font = list->font();
    font.setFamily(design.fontName);
    font.setPointSize(design.fontSize);
    list->setFont(font);
    setFirstColumnWidth(design.firstColumnWidth);
    setViewStyle(design.viewStyle);
    applyColors();

    m_form.LaunchButton->setIcon(standardIcon(m_form.LaunchButton, QStyle::SP_MediaPlay));
    m_form.AddButton->setIcon(standardIcon(m_form.AddButton, QStyle::SP_FileDialogNewFolder));
    m_form.DeleteButton->setIcon(standardIcon(m_form.DeleteButton, QStyle::SP_TrashIcon));
    m_form.SettingsButton->setIcon(standardIcon(m_form.SettingsButton, QStyle::SP_FileDialogDetailedView));

    m_menu->setObjectName(QStringLiteral("LV1Menu"));
    const struct
    {
        const char* caption;
        QToolButton* button;
    } items[] = {
        {"Запустить", m_form.LaunchButton},
        {"Добавить", m_form.AddButton},
        {"Удалить", m_form.DeleteButton},
        {"Настройки", m_form.SettingsButton},
    };
    for (const auto& item : items) {
        QToolButton* button = item.button;
        QAction* action = m_menu->addAction(QString::fromUtf8(item.caption));
        action->setIcon(button->icon());
        connect(action, &QAction::triggered, button, [button] { button->click(); });
    }

    connectGuarded(m_form.B1, &QPushButton::clicked, this, &LauncherController::B1Click);
    connectGuarded(m_form.LaunchButton, &QToolButton::clicked, this, &LauncherController::launch);
    connectGuarded(m_form.AddButton, &QToolButton::clicked, this, &LauncherController::add);
    connectGuarded(m_form.DeleteButton, &QToolButton::clicked, this, &LauncherController::deleteSelected);
    connectGuarded(m_form.SettingsButton, &QToolButton::clicked, this, &LauncherController::toggleSettings);
    connectGuarded(m_form.AutoLabelButton, &QPushButton::clicked, this, &LauncherController::automaticLabel);
    connectGuarded(m_form.AcceptLabelButton, &QPushButton::clicked, this, &LauncherController::acceptLabel);
    connect(m_form.Edit6, &QLineEdit::returnPressed, m_form.AcceptLabelButton, &QPushButton::click);
    MouseHandlers::onMouseDown(m_form.Edit6, [this](QMouseEvent*) { m_form.Edit6->clear(); });

    connectGuarded(list, &TListView::selectionChanged, this, &LauncherController::LV1Selected);
    connectGuarded(list, &TListView::keyPressed, this, &LauncherController::LV1KeyDown);
    connectGuarded(list, &TListView::doubleClicked, this, &LauncherController::launch);
    connect(list, &TListView::contextMenuRequested, m_menu, [this](const QPoint& at) { m_menu->popup(at); });

    const QRadioButton* radios[] = {m_form.vid_1, m_form.vid_2, m_form.vid_3, m_form.vid_4};
    for (int radio = 1; radio <= 4; ++radio) {
        connectGuarded(radios[radio - 1], &QRadioButton::toggled, this, [this, radio](bool selected) {
            if (selected)
                viewStyleChosen(radio);
        });
    }
    connectGuarded(m_form.ColorButton, &QPushButton::clicked, this, &LauncherController::chooseBackground);
    connectGuarded(m_form.FontButton, &QPushButton::clicked, this, &LauncherController::chooseFont);
    MouseHandlers::onClick(m_form.Panel7, guarded([this] { toggleSettings(); }));
    m_form.Panel6->installEventFilter(this);
    MouseHandlers::onMouseMove(m_form.LauncherBox, [this](QMouseEvent*) { m_shell.hideErrorIndicator(); });
}

bool LauncherController::eventFilter(QObject* watched, QEvent* event)
{
    // A click on the settings panel's own ground or caption; clicks on the strip ">>" reach the panel too.
    if (watched == m_form.Panel6 && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint at = mouse->position().toPoint();
        QWidget* under = m_form.Panel6->childAt(at);
        if (mouse->button() == Qt::LeftButton && m_form.Panel6->rect().contains(at) &&
            (!under || under == m_form.Panel6Caption))
            runGuarded([] { Dialogs::message(QStringLiteral("Чо в кнопку не попасть!")); });
    }
    return QObject::eventFilter(watched, event);
}

LauncherController::Look LauncherController::look() const
{
    const TListView* list = m_form.LV1;
    Look look;
    look.viewStyle = int(list->viewStyle());
    look.color = m_color;
    look.fontColor = m_fontColor;
    const QFont font = list->font();
    look.fontSize =
        font.pointSize() > 0 ? font.pointSize() : int(std::lround(font.pixelSize() * 72.0 / list->logicalDpiY()));
    look.fontName = font.family();
    look.firstColumnWidth = list->columnWidth(0);
    return look;
}

std::vector<StoredValue> LauncherController::storedValues()
{
    const auto stored = [this](auto field) { return [this, field] { return QString::number(look().*field); }; };
    return {
        {"MyPrViewStyle", [this](const QString& value) { setViewStyle(StrToInt(value)); }, stored(&Look::viewStyle)},
        {"MyPrColor", [this](const QString& value) { setColor(StrToInt(value)); }, stored(&Look::color)},
        {"MyPrFontColor", [this](const QString& value) { setFontColor(StrToInt(value)); }, stored(&Look::fontColor)},
        {"MyPrFontSize", [this](const QString& value) { setFontSize(StrToInt(value)); }, stored(&Look::fontSize)},
        {"MyPrFontName", [this](const QString& value) { setFontName(value); }, [this] { return look().fontName; }},
        {"MyPrWL", [this](const QString& value) { setFirstColumnWidth(StrToInt(value)); },
         stored(&Look::firstColumnWidth)},
    };
}

void LauncherController::setFirstColumnWidth(int width)
{
    if (width >= 0)
        m_form.LV1->setColumnWidth(0, width);
}

void LauncherController::setColor(qint32 color)
{
    m_color = color;
    applyColors();
}

void LauncherController::setFontColor(qint32 color)
{
    m_fontColor = color;
    applyColors();
}

void LauncherController::setFontSize(int points)
{
    if (points <= 0)
        return;
    QFont font = m_form.LV1->font();
    font.setPointSize(points);
    m_form.LV1->setFont(font);
}

void LauncherController::setViewStyle(int style)
{
    if (const std::optional<LauncherViewStyle> known = LauncherLook::storedStyle(style))
        m_form.LV1->setViewStyle(static_cast<TListView::ViewStyle>(int(*known)));
}

void LauncherController::setFontName(const QString& name)
{
    QFont font = m_form.LV1->font();
    font.setFamily(name);
    m_form.LV1->setFont(font);
}

void LauncherController::applyColors()
{
    m_form.LV1->setColors(colorFromTColor(m_color), colorFromTColor(m_fontColor));
}

void LauncherController::activate()
{
    m_form.B1->click();
    m_form.Panel6->setVisible(true);
    m_form.Panel6->setVisible(false);
}

void LauncherController::B1Click()
{
    m_list.ReloadLauncherList();
    showEntries();
}

void LauncherController::showEntries()
{
    TListView* list = m_form.LV1;
    const QIcon file = standardIcon(list, QStyle::SP_FileIcon);
    list->clear();
    for (const LauncherEntry& entry : m_list.entries())
        list->addItem({entry.label, entry.path}, file);
}

void LauncherController::LV1Selected(int row)
{
    // A click on empty space clears the selection; the label chosen last stays.
    if (row < 0)
        return;
    m_list.select(m_form.LV1->text(row, 0));
    m_form.Label66->setText(m_list.SelectedLauncherLabel());
}

void LauncherController::LV1KeyDown(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        launch();
    else if (key == Qt::Key_Delete)
        deleteSelected();
}

void LauncherController::launch()
{
    if (m_form.Label66->text().isEmpty() || m_form.LV1->count() == 0) {
        m_shell.showErrorIndicator();
        return;
    }
    const QString path = m_list.launchTarget().value_or(QString());
    // An entry deleted meanwhile has no path: nothing to start, and nothing to say.
    if (!path.isEmpty())
        m_shell.platform().get<platform::Opener>().open(path.toStdString());
}

void LauncherController::add()
{
    const QString chosen = Dialogs::openFile(QString(), QString()).value_or(QString());
    if (!m_list.beginAdd(chosen))
        return;
    m_form.Panel8->show();
    m_form.Panel8->raise();
    m_form.AutoLabelButton->click();
    m_form.Label68->setPlainText(m_list.PendingProgramPath());
    // The proposal is selected, so typing replaces it.
    m_form.Edit6->setFocus();
    m_form.Edit6->selectAll();
}

void LauncherController::automaticLabel()
{
    m_form.Edit6->setText(m_list.automaticLabel());
}

void LauncherController::acceptLabel()
{
    if (m_form.Edit6->text().isEmpty())
        m_form.AutoLabelButton->click();
    const QString label = m_form.Edit6->text();
    m_form.Panel8->hide();
    // A failed write is reported and leaves the list as it was.
    m_list.acceptLabel(label);
    showEntries();
}

void LauncherController::deleteSelected()
{
    if (!m_list.deleteSelected()) {
        m_shell.showErrorIndicator();
        return;
    }
    showEntries();
}

void LauncherController::toggleSettings()
{
    QWidget* panel = m_form.Panel6;
    panel->setHidden(!panel->isHidden());
    if (!panel->isHidden())
        panel->raise();
}

void LauncherController::viewStyleChosen(int radio)
{
    m_form.LV1->setViewStyle(static_cast<TListView::ViewStyle>(int(LauncherLook::styleOfRadio(radio))));
}

void LauncherController::chooseBackground()
{
    const QColor shown = colorFromTColor(m_color);
    const std::optional<QColor> chosen = Dialogs::chooseColor(shown);
    // The same colour confirmed keeps a system colour a system colour.
    if (chosen && *chosen != shown)
        setColor(tcolorFromColor(*chosen));
}

void LauncherController::chooseFont()
{
    const QColor shown = colorFromTColor(m_fontColor);
    const std::optional<Dialogs::FontChoice> chosen = Dialogs::chooseFontAndColor(m_form.LV1->font(), shown);
    if (!chosen)
        return;
    if (chosen->color != shown)
        setFontColor(tcolorFromColor(chosen->color));
    m_form.LV1->setFont(LauncherLook::takeChosenFont(m_form.LV1->font(), chosen->font));
}
