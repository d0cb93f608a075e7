#include "ui/HelpWindow.h"

#include <QFileInfo>
#include <QScrollBar>
#include <QUrl>

namespace lumaro {

HelpWindow::HelpWindow(const QString& folder, const Assets& assets)
    : ToolWindow(QStringLiteral("Help"), assets), folder_(folder) {
    const QRect area = contentArea();
    int x = area.left();
    for (int k = 0; k < kPages; ++k) {
        auto* button = new PlateButton(QString::fromLatin1(kPageFiles[k].caption), this);
        button->setCheckable(true);
        button->resize(std::max(96, button->sizeHint().width()), 30);
        button->move(x, area.top());
        x += button->width() + 8;
        connect(button, &QAbstractButton::clicked, this, [this, k] {
            showPage(k);
            markCurrent();  // a click on a missing page must not leave its plate pressed
        });
        pages_[k] = button;
    }

    browser_ = new QTextBrowser(this);
    browser_->setGeometry(area.left(), area.top() + 42, area.width(), area.height() - 42);
    browser_->setSearchPaths({folder_});
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(true);
    browser_->setFrameShape(QFrame::NoFrame);
    // The page is paper on the linen, framed in the windows' gold; its scroll bar is a slim plate.
    browser_->setStyleSheet(QStringLiteral(
        "QTextBrowser { background: #fcf9f2; color: #0a2536; border: 1px solid #c49646;"
        " border-radius: 6px; padding: 6px 4px 6px 10px; selection-background-color: #245c82; }"
        "QScrollBar:vertical { background: #ece7dc; width: 12px; margin: 4px 2px 4px 0; border-radius: 5px; }"
        "QScrollBar::handle:vertical { background: #a6b6c4; border: 1px solid #c49646; border-radius: 5px; min-height: 30px; }"
        "QScrollBar::handle:vertical:hover { background: #e2be74; }"
        "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
        "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }"));
    // A link from one page to another lights that page's plate.
    connect(browser_, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) {
        const QString name = QFileInfo(url.toLocalFile()).fileName();
        for (int k = 0; k < kPages; ++k)
            if (name == QLatin1String(kPageFiles[k].file)) current_ = k;
        markCurrent();
    });
    QFont body(QStringLiteral("DejaVu Sans"));
    body.setPixelSize(14);
    browser_->setFont(body);
}

QString HelpWindow::pagePath(int page) const {
    return folder_ + QLatin1Char('/') + QString::fromLatin1(kPageFiles[page].file);
}

bool HelpWindow::showPage(int page) {
    if (page < 0 || page >= kPages || !QFileInfo(pagePath(page)).isFile()) return false;
    current_ = page;
    browser_->setSource(QUrl::fromLocalFile(pagePath(page)));
    // A page opened again starts at its top, as a fresh one does.
    browser_->verticalScrollBar()->setValue(0);
    markCurrent();
    return true;
}

void HelpWindow::markCurrent() {
    for (int k = 0; k < kPages; ++k) pages_[k]->setChecked(k == current_);
}

void HelpWindow::showEvent(QShowEvent*) {
    // The pages may have come or gone since the last time: grey the plates of missing ones, and
    // open on the first page there is when the one on show is gone.
    int first = -1;
    for (int k = 0; k < kPages; ++k) {
        const bool there = QFileInfo(pagePath(k)).isFile();
        pages_[k]->setEnabled(there);
        if (there && first < 0) first = k;
    }
    if (current_ < 0 || !pages_[current_]->isEnabled()) {
        current_ = -1;
        browser_->clear();
        if (first >= 0) showPage(first);
    }
    markCurrent();
}

}  // namespace lumaro
