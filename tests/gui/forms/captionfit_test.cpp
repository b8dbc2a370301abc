#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "app/tapplication.h"
#include "fakediskspace.h"
#include "formwalk.h"
#include "testworld.h"
#include "ui_HelpPage.h"
#include "ui_RemindPage.h"
#include "widgets/tnumedit.h"
#include "widgets/tstatusbar.h"

namespace {

// Where a caption is drawn and where it may be drawn, in its widget's own pixels.
struct Placement
{
    QRect text; // the caption's extent as drawn
    QRect room; // the part of the widget given to the caption
};

bool showsCaption(const QWidget* widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->pixmap().isNull() && !label->movie() && !label->text().isEmpty();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return !button->text().isEmpty();
    if (const auto* group = qobject_cast<const QGroupBox*>(widget))
        return !group->title().isEmpty();
    return false;
}

int iconRoom(const QAbstractButton* button)
{
    return button->icon().isNull() ? 0 : button->iconSize().width() + 4;
}

Placement labelPlacement(const QLabel* label)
{
    QRect room = label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(), -label->margin());
    const QFontMetrics metrics = label->fontMetrics();
    int indent = label->indent();
    // A framed label without an indent of its own keeps half an "x" from the edge it is aligned to.
    if (indent < 0 && label->frameWidth() > 0)
        indent = metrics.horizontalAdvance(QLatin1Char('x')) / 2;
    const Qt::Alignment align = QStyle::visualAlignment(label->layoutDirection(), label->alignment());
    if (indent > 0 && (align & Qt::AlignLeft))
        room.setLeft(room.left() + indent);
    if (indent > 0 && (align & Qt::AlignRight))
        room.setRight(room.right() - indent);
    const int flags = int(align) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const QRect bounds = label->wordWrap() ? QRect(room.topLeft(), QSize(room.width(), 100000)) : room;
    QRect text = metrics.boundingRect(bounds, flags, label->text());
    if (label->wordWrap())
        text = QStyle::alignedRect(label->layoutDirection(), align, text.size(), room);
    return {text, room};
}

Placement buttonPlacement(const QAbstractButton* button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    const int textWidth = button->fontMetrics().horizontalAdvance(button->text()) + iconRoom(button);
    const int textHeight = button->fontMetrics().height();
    QRect room;
    if (qobject_cast<const QCheckBox*>(button)) {
        room = button->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, button);
        return {QRect(room.left(), room.center().y() - textHeight / 2, textWidth, textHeight), room};
    }
    if (qobject_cast<const QPushButton*>(button))
        room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    else
        room = button->rect().adjusted(3, 3, -3, -3);
    return {QStyle::alignedRect(button->layoutDirection(), Qt::AlignCenter, QSize(textWidth, textHeight), room), room};
}

Placement groupPlacement(const QGroupBox* group)
{
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->title();
    option.lineWidth = 1;
    option.midLineWidth = 0;
    option.textAlignment = group->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    if (group->isFlat())
        option.features |= QStyleOptionFrame::Flat;
    const QRect label = group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
    const QSize text = group->fontMetrics().size(Qt::TextShowMnemonic, group->title());
    return {QRect(label.topLeft(), text), group->rect()};
}

Placement placementOf(const QWidget* widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return labelPlacement(label);
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return buttonPlacement(button);
    return groupPlacement(qobject_cast<const QGroupBox*>(widget));
}

// Controls a label must keep clear of: what the user types into or clicks beside it.
bool isControl(const QWidget* widget)
{
    return qobject_cast<const QAbstractButton*>(widget) || formwalk::isCompositeControl(widget) ||
           widget->inherits("QLineEdit") || widget->inherits("QAbstractSlider");
}

// The part of a control that is drawn, in its parent's pixels: a check box without a caption is its box.
QRect drawnArea(const QWidget* control)
{
    const auto* box = qobject_cast<const QCheckBox*>(control);
    if (!box || !box->text().isEmpty())
        return control->geometry();
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    return indicator.translated(box->pos());
}

// The widest texts the status panels show in daily use.
void fillStatusPanels(TStatusBar* bar)
{
    const QStringList widest{QStringLiteral(" 23:59:59"), QStringLiteral("31.12.26"),  QStringLiteral("1280x1024"),
                             QStringLiteral("/usr/lib"),  QStringLiteral("brundukov"), QStringLiteral("trombus-pc")};
    for (int i = 0; i < widest.size(); ++i)
        bar->setPanelText(i, widest[i]);
}

} // namespace

// Every caption of every window fits the room it has, at the window's design scale and at one scale step of
// 150 %, with the fonts the system really has.
class CaptionFitTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestWorld> m_world;

    enum class State
    {
        Idle,
        // Clock and running line ticking, the timer counting down from its longest time, the alarm armed.
        Working,
    };

    /// False when the program could not be brought into the state the rows describe.
    [[nodiscard]] bool addRows(int scalePercent, State state)
    {
        m_world.reset();
        m_world = std::make_unique<TestWorld>();
        if (!m_world->start())
            return false;
        if (scalePercent != 100 && !formwalk::scaleWindow(m_world->form1(), scalePercent))
            return false;
        fillStatusPanels(m_world->ui().StatusBar1);
        if (state == State::Working && !startWorking())
            return false;
        QTest::addColumn<QWidget*>("widget");
        for (QWidget* window : formwalk::programWindows(*m_world)) {
            for (QWidget* widget : formwalk::formWidgets(window)) {
                if (showsCaption(widget))
                    QTest::newRow(qPrintable(formwalk::pathOf(widget))) << widget;
            }
        }
        return true;
    }

    /// False when the running line never started.
    [[nodiscard]] bool startWorking()
    {
        TForm1& form = m_world->form1();
        Ui::Form1& ui = m_world->ui();
        Ui::RemindPage& remind = m_world->remindPage();
        QMetaObject::invokeMethod(&form.features().Timer1, "timeout");
        QMetaObject::invokeMethod(&form.features().Timer2, "timeout");
        for (TNumEdit* field : {remind.NumEdit1, remind.NumEdit4})
            field->setText(QStringLiteral("23"));
        for (TNumEdit* field : {remind.NumEdit2, remind.NumEdit3, remind.NumEdit5, remind.NumEdit6})
            field->setText(QStringLiteral("59"));
        remind.BitBtn13->click();
        remind.BitBtn14->click();
        m_world->helpPage().BitBtn4->click();
        return !ui.Label6->text().isEmpty();
    }

    static void checkFits(QWidget* widget)
    {
        formwalk::bringForward(widget);
        const Placement placement = placementOf(widget);
        const QString where = QStringLiteral("caption %1 x %2 at (%3, %4), room %5 x %6 at (%7, %8)")
                                  .arg(placement.text.width())
                                  .arg(placement.text.height())
                                  .arg(placement.text.x())
                                  .arg(placement.text.y())
                                  .arg(placement.room.width())
                                  .arg(placement.room.height())
                                  .arg(placement.room.x())
                                  .arg(placement.room.y());
        QVERIFY2(placement.text.width() <= placement.room.width(), qPrintable(QStringLiteral("too wide: ") + where));
        QVERIFY2(placement.room.contains(placement.text), qPrintable(QStringLiteral("outside its room: ") + where));
        // Nothing around it cuts the caption off.
        const QWidget* window = widget->window();
        for (const QWidget* outer = widget->parentWidget(); outer && outer != window; outer = outer->parentWidget()) {
            const QRect there(widget->mapTo(outer, placement.text.topLeft()), placement.text.size());
            QVERIFY2(outer->rect().contains(there),
                     qPrintable(QStringLiteral("cut off by %1: %2").arg(formwalk::pathOf(outer), where)));
        }
        const QRect inWindow(widget->mapTo(window, placement.text.topLeft()), placement.text.size());
        QVERIFY2(window->rect().contains(inWindow), qPrintable(QStringLiteral("cut off by the window: ") + where));
        // A label beside an edit or a button keeps a clear gap to it, unless it is a cover laid over them.
        const QWidget* parent = widget->parentWidget();
        if (!parent || !qobject_cast<const QLabel*>(widget))
            return;
        const QRect mine(widget->mapToParent(placement.text.topLeft()), placement.text.size());
        for (QObject* child : parent->children()) {
            auto* sibling = qobject_cast<QWidget*>(child);
            if (!sibling || sibling == widget || !sibling->isVisibleTo(parent) || !isControl(sibling) ||
                widget->geometry().contains(sibling->geometry()))
                continue;
            QVERIFY2(!mine.adjusted(-2, 0, 2, 0).intersects(drawnArea(sibling)),
                     qPrintable(QStringLiteral("touches %1: %2").arg(formwalk::pathOf(sibling), where)));
        }
    }

private slots:
    void captionsFitAtDesignScale_data() { QVERIFY(addRows(100, State::Idle)); }
    void captionsFitAtDesignScale()
    {
        QFETCH(QWidget*, widget);
        checkFits(widget);
    }

    void captionsFitAtDesignScaleWhileWorking_data() { QVERIFY(addRows(100, State::Working)); }
    void captionsFitAtDesignScaleWhileWorking()
    {
        QFETCH(QWidget*, widget);
        checkFits(widget);
    }

    void captionsFitAtOneAndAHalf_data() { QVERIFY(addRows(150, State::Idle)); }
    void captionsFitAtOneAndAHalf()
    {
        QFETCH(QWidget*, widget);
        checkFits(widget);
    }

    void captionsFitAtOneAndAHalfWhileWorking_data() { QVERIFY(addRows(150, State::Working)); }
    void captionsFitAtOneAndAHalfWhileWorking()
    {
        QFETCH(QWidget*, widget);
        checkFits(widget);
    }

    // The disk meter's amounts in every unit, for a drive of 250 GB: in bytes they are the longest texts.
    void diskAmountsFitInEveryUnit_data()
    {
        QTest::addColumn<int>("scalePercent");
        QTest::addColumn<int>("unit");
        const QStringList units{"в гигАх", "в мегАх", "в килАх", "в байтАх"};
        for (const int scale : {100, 150})
            for (int unit = 0; unit < units.size(); ++unit)
                QTest::addRow("%d %% %s", scale, qPrintable(units[unit])) << scale << unit;
    }
    void diskAmountsFitInEveryUnit()
    {
        QFETCH(int, scalePercent);
        QFETCH(int, unit);
        m_world.reset();
        TestWorld world;
        auto disks = std::make_shared<FakeDiskSpace>();
        disks->list = {{"/data", "/data", platform::DriveKind::Fixed},
                       {"/media/me/DISK", "DISK (/media/me/DISK)", platform::DriveKind::Removable}};
        disks->current = "/data";
        disks->sizes["/data"] = {250059350016, 123456789012};
        disks->sizes["/media/me/DISK"] = {250059350016, 98765432109};
        world.platform->replace<platform::DiskSpace>(disks);
        QVERIFY(world.start());
        if (scalePercent != 100)
            QVERIFY(formwalk::scaleWindow(world.form1(), scalePercent));
        Ui::HelpPage& page = world.helpPage();
        page.ComboBox3->setCurrentIndex(unit);
        page.Drivers->setCurrentIndex(1);
        const QStringList unitWords{"Gb", "Mb", "Kb", "byte"};
        QVERIFY2(page.StaticText6->text().endsWith(unitWords[unit]), qPrintable(page.StaticText6->text()));
        for (QLabel* field : {page.StaticText4, page.StaticText5, page.StaticText6})
            checkFits(field);
    }

    void cleanupTestCase() { m_world.reset(); }
};

TROMBUS_WIDE_SCREEN_TEST_MAIN(CaptionFitTest)
#include "captionfit_test.moc"
