// SPDX-License-Identifier: MIT
#include "gui/deferred_icon_style.h"

#include <QIconEngine>
#include <QPointer>
#include <QStyleOption>
#include <functional>
#include <optional>
#include <utility>

namespace nuvrel::gui {
namespace {

// An icon that is read through `read` the first time anything about it is asked.
class DeferredIconEngine final : public QIconEngine {
 public:
  explicit DeferredIconEngine(std::function<QIcon()> read) : m_read(std::move(read)) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
  }
  // Sizes in device pixels, as an engine is asked.
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Icon().pixmap(size, 1.0, mode, state);
  }
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                       qreal scale) override {
    return Icon().pixmap(size / scale, scale, mode, state);
  }
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Icon().actualSize(size, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    return Icon().availableSizes(mode, state);
  }
  QString iconName() override { return Icon().name(); }
  bool isNull() override { return Icon().isNull(); }
  QString key() const override { return QStringLiteral("NuvrelDeferredIconEngine"); }
  QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

 private:
  const QIcon& Icon() {
    if (m_read) m_icon = std::exchange(m_read, nullptr)();
    return m_icon;
  }

  std::function<QIcon()> m_read;
  QIcon m_icon;
};

}  // namespace

QIcon DeferredIconStyle::standardIcon(StandardPixmap which, const QStyleOption* option,
                                      const QWidget* widget) const {
  // The option as it is now, kept as a plain one: a style asks an icon's option for its direction
  // and palette, and nothing may take the copy for the kind of option it was made from.
  std::optional<QStyleOption> kept;
  if (option) {
    kept = *option;
    kept->type = QStyleOption::SO_Default;
    kept->version = QStyleOption::Version;
    kept->styleObject = nullptr;
  }
  return QIcon(new DeferredIconEngine([style = QPointer<const QProxyStyle>(this), which, kept,
                                       widget = QPointer<const QWidget>(widget)] {
    if (!style) return QIcon();
    return style->baseStyle()->standardIcon(which, kept ? &*kept : nullptr, widget);
  }));
}

}  // namespace nuvrel::gui
