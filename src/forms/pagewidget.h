#pragma once

#include <QWidget>
#include <memory>

// A notebook page built from its own form. The main window's form places the page by promotion; the
// feature controllers of the page work on form(). The generated form class is complete only in the page's
// own source file, so a change to one page's form recompiles that page and the features that include it.
template <class Form> class PageWidget : public QWidget
{
public:
    Form& form() { return *m_form; }

protected:
    explicit PageWidget(QWidget* parent) : QWidget(parent), m_form(std::make_unique<Form>()) { m_form->setupUi(this); }
    ~PageWidget() override = default;

private:
    std::unique_ptr<Form> m_form;
};
