#include "screen_centring.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace quillet::ui {
namespace {

class CentreOnShow : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      auto* window = static_cast<QWidget*>(watched);
      const QWidget* owner = window->parentWidget() != nullptr ? window->parentWidget()->window() : window;
      if (const QScreen* screen =
              owner->screen() != nullptr ? owner->screen() : QGuiApplication::primaryScreen()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
      }
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

void CentreOnScreenWhenShown(QWidget& window) { window.installEventFilter(new CentreOnShow(&window)); }

}  // namespace quillet::ui
