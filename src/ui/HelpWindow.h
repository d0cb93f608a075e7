#pragma once
// HELP: the game's help pages, one per plate under the title band: "Intro", "Rules", "Menu",
// "Tune" and "Neural Net", read from help.htm, help2.htm, help3.htm, help4.htm and neural.htm in
// the program's folder. A page whose file is missing is not shown: its plate is greyed and the
// page on show stays.
#include <QTextBrowser>
#include <array>

#include "ui/ToolWindow.h"

namespace lumaro {

class HelpWindow : public ToolWindow {
    Q_OBJECT
public:
    static constexpr int kPages = 5;
    struct Page {
        const char* caption;
        const char* file;
    };
    static constexpr std::array<Page, kPages> kPageFiles{{{"Intro", "help.htm"},
                                                          {"Rules", "help2.htm"},
                                                          {"Menu", "help3.htm"},
                                                          {"Tune", "help4.htm"},
                                                          {"Neural Net", "neural.htm"}}};

    // `folder`: where the pages lie (beside the program).
    HelpWindow(const QString& folder, const Assets& assets);

    // Shows page 0..4; false (and nothing changes) when its file is missing.
    bool showPage(int page);
    int currentPage() const { return current_; }
    PlateButton& pageButton(int page) { return *pages_[page]; }
    QTextBrowser& browser() { return *browser_; }

protected:
    void showEvent(QShowEvent*) override;

private:
    QString pagePath(int page) const;
    void markCurrent();

    QString folder_;
    std::array<PlateButton*, kPages> pages_{};
    QTextBrowser* browser_;
    int current_ = -1;
};

}  // namespace lumaro
