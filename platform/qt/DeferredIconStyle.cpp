// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/DeferredIconStyle.h"

#include <QIconEngine>
#include <QPointer>
#include <utility>

namespace kursomatik {
namespace {

// Asks the base style for the icon on the first question that needs its pictures.
class DeferredIcon : public QIconEngine {
  public:
    DeferredIcon(const QStyle* base, QStyle::StandardPixmap which) : base_(base), which_(which) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
        return icon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    // Whether there is an icon at all is known without reading it: every style draws these arrows.
    bool isNull() override { return false; }
    QIconEngine* clone() const override { return new DeferredIcon(*this); }

  private:
    const QIcon& icon() {
        if (!read_ && base_) icon_ = base_->standardIcon(which_), read_ = true;
        return icon_;
    }

    QPointer<const QStyle> base_;
    QStyle::StandardPixmap which_;
    QIcon icon_;
    bool read_ = false;
};

}  // namespace

QIcon DeferredIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                      const QWidget* widget) const {
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton)
        return QIcon(new DeferredIcon(baseStyle(), icon));
    return QProxyStyle::standardIcon(icon, option, widget);
}

}  // namespace kursomatik
