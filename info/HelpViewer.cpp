// SPDX-License-Identifier: GPL-3.0-or-later
#include "info/HelpViewer.h"

#include <optional>
#include <system_error>

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

#include "platform/qt/Controls.h"

namespace kursomatik {
namespace {

// The help file is named without a folder; it is looked for in these folders, in this order.
std::optional<std::filesystem::path> findHelpFile(const std::string& name,
                                                  const std::vector<std::filesystem::path>& folders) {
    for (const auto& folder : folders) {
        if (folder.empty()) continue;
        std::error_code error;
        const auto candidate = std::filesystem::absolute(folder / name, error).lexically_normal();
        if (!error && std::filesystem::is_regular_file(candidate, error)) return candidate;
    }
    return std::nullopt;
}

bool hasAnchor(const QTextDocument* document, const QString& name) {
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().anchorNames().contains(name)) return true;
        }
    }
    return false;
}

QString quoted(const QString& text) {
    return QStringLiteral("\u201E%1\u201C").arg(text.toHtmlEscaped());
}

QToolButton* toolButton(Controls& make, const QString& caption, const ControlText& text, QWidget* parent) {
    auto* button = make.add(new QToolButton(parent), text);
    button->setText(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

}  // namespace

HelpViewer::HelpViewer(std::vector<std::filesystem::path> folders, QWidget* parent)
    : QWidget(parent, Qt::Window), folders_(std::move(folders)) {
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Kursomatik \u2013 Hilfe"));
    resize(640, 560);

    Controls make(this);
    auto* back = toolButton(make, QStringLiteral("&Zurück"), {"back", "Zur vorigen Seite der Hilfe"}, this);
    auto* forward =
        toolButton(make, QStringLiteral("&Vorwärts"), {"forward", "Zur nächsten Seite der Hilfe"}, this);
    auto* contents =
        toolButton(make, QStringLiteral("&Inhalt"), {"contents", "Zum Inhaltsverzeichnis der Hilfe"}, this);
    auto* close = toolButton(make, QStringLiteral("&Schließen"), {"close", "Hilfe schließen (Esc)"}, this);
    back->setEnabled(false);
    forward->setEnabled(false);

    browser_ = make.add(new QTextBrowser(this), {"browser", {}, "Hilfetext"});
    browser_->setOpenExternalLinks(false);

    auto* bar = new QHBoxLayout;
    for (QToolButton* b : {back, forward, contents}) bar->addWidget(b);
    bar->addStretch();
    bar->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(browser_);
    chainTabs({back, forward, contents, close, browser_});

    connect(back, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(contents, &QToolButton::clicked, this, [this] { showTopic(lastFile_, 0); });
    connect(close, &QToolButton::clicked, this, &QWidget::close);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
}

void HelpViewer::showTopic(const QString& helpFile, int topic) {
    lastFile_ = helpFile;
    const QString anchor = topic == 0 ? QString() : QStringLiteral("thema%1").arg(topic);
    if (const auto found = findHelpFile(helpFile.toStdString(), folders_); !found) {
        showMissingFile(helpFile);
    } else {
        QUrl url = QUrl::fromLocalFile(QString::fromStdString(found->string()));
        if (!anchor.isEmpty()) url.setFragment(anchor);
        browser_->setSource(url, QTextDocument::HtmlResource);
        if (!anchor.isEmpty() && !hasAnchor(browser_->document(), anchor)) {
            showProblem(QStringLiteral("<p>Das Hilfethema %1 steht nicht in der Hilfedatei %2.</p>"
                                       "<p>Mit \u201EInhalt\u201C gelangen Sie zum Anfang der Hilfe.</p>")
                            .arg(QString::number(topic), quoted(QString::fromStdString(found->string()))));
        }
    }
    show();
    // Help is asked for from modal windows too; as their companion the viewer is not blocked by them.
    QWidget* modal = QApplication::activeModalWidget();
    windowHandle()->setTransientParent(modal != nullptr && modal != this ? modal->windowHandle() : nullptr);
    raise();
    activateWindow();
}

void HelpViewer::showMissingFile(const QString& helpFile) {
    QString searched;
    for (const auto& folder : folders_) {
        if (folder.empty()) continue;
        const auto shown = std::filesystem::absolute(folder).lexically_normal();
        searched += QStringLiteral("<li>%1</li>").arg(QString::fromStdString(shown.string()).toHtmlEscaped());
    }
    showProblem(QStringLiteral("<p>Die Hilfedatei %1 wurde nicht gefunden.</p>"
                               "<p>Gesucht wurde in diesen Ordnern:</p><ul>%2</ul>"
                               "<p>Legen Sie die Datei in einen dieser Ordner oder installieren Sie "
                               "Kursomatik neu.</p>")
                    .arg(quoted(helpFile), searched));
}

void HelpViewer::showProblem(const QString& html) {
    browser_->setHtml(QStringLiteral("<h2>Hilfe nicht verfügbar</h2>") + html);
}

void HelpViewer::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace kursomatik
