#pragma once

#include <QObject>
#include <memory>

namespace Ui {
class InternetPage;
}
class QMenu;
class WebBrowser;
class WebBrowserFactory;

// The page "Интернет": an address box with the addresses gone to during the run, five navigation buttons, the
// embedded browser and its popup menu PopupMenu2. The browser is made when the page is first shown.
class WebViewer final : public QObject
{
    Q_OBJECT
public:
    WebViewer(Ui::InternetPage& form, WebBrowserFactory& factory, QObject* parent = nullptr);
    ~WebViewer() override;

    void BitBtn6Click();
    void BitBtn7Click();
    void BitBtn8Click();
    void BitBtn9Click();
    void BitBtn10Click();
    /// True when the key was Enter and has been used.
    bool ComboBox4KeyPress(int key);

    /// The browser, once the page has been shown (nullptr before, or when the engine is missing).
    WebBrowser* browser() { return m_browser.get(); }
    QMenu& popupMenu() { return *m_popup; }

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    /// The browser is made at the first showing of the page.
    WebBrowser* ensureBrowser();

    Ui::InternetPage& m_form;
    WebBrowserFactory& m_factory;
    std::unique_ptr<WebBrowser> m_browser;
    bool m_made = false;
    QMenu* m_popup;
};
