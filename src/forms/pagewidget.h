#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

// A notebook page or group whose controls may be made only when they are first needed. A page made later
// exists from the start as an empty widget in its place; its controls are made when it is first shown or
// its form is first asked for, whichever comes first, and the steps given to whenBuilt() then run in order.
class LatePage : public QWidget
{
public:
    bool built() const { return m_built; }
    /// Makes the controls now, if they are not made yet.
    void build();
    /// Runs `step` right before the controls are made, unless they are made already.
    void beforeBuild(std::function<void()> step);
    /// Runs `step` once the controls exist: at once when they already do.
    void whenBuilt(std::function<void()> step);

protected:
    enum class Build
    {
        Now,
        WhenNeeded,
    };
    explicit LatePage(QWidget* parent) : QWidget(parent) {}
    virtual void makeControls() = 0;
    bool event(QEvent* event) override;

private:
    bool m_built = false;
    bool m_building = false;
    std::vector<std::function<void()>> m_beforeBuild;
    std::vector<std::function<void()>> m_whenBuilt;
};

// A notebook page built from its own form. The main window's form places the page by promotion; the
// feature controllers of the page work on form(). The generated form class is complete only in the page's
// own source file, so a change to one page's form recompiles that page and the features that include it.
template <class Form> class PageWidget : public LatePage
{
public:
    Form& form()
    {
        build();
        return *m_form;
    }

protected:
    explicit PageWidget(QWidget* parent, Build when = Build::Now) : LatePage(parent)
    {
        // Made at once, the controls exist before any other code sees the page.
        if (when == Build::Now)
            build();
    }
    ~PageWidget() override = default;

private:
    void makeControls() override
    {
        m_form = std::make_unique<Form>();
        m_form->setupUi(this);
    }

    std::unique_ptr<Form> m_form;
};
