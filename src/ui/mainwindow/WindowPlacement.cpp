// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/WindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <functional>

#include "ui/common/Units.h"
#include "ui/common/WindowTools.h"

namespace kelvor {

namespace {

Qt::WindowStates qtState(int state) {
  if (state == StoredSettings::StateMinimised) return Qt::WindowMinimized;
  if (state == StoredSettings::StateMaximised) return Qt::WindowMaximized;
  return Qt::WindowNoState;
}

bool frameKnown(const QWidget* window) {
  return !(window->frameGeometry().size() - window->geometry().size()).isNull();
}

// Before a window is first shown the system has not told us the size of its frame, so
// placing and centring by the outer edges cannot be exact: a restored window would grow by
// its frame from run to run, and a centred one would sit off centre. Once the frame is
// known this filter runs the placement once more: when the window is shown (at the latest
// when it is first painted), or, for a window that starts minimised or maximised, when it
// first returns to the normal state.
class FrameFit : public QObject {
 public:
  FrameFit(QWidget* window, std::function<void(QWidget*)> place)
      : QObject(window), window_(window), place_(std::move(place)) {
    window->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != window_) return QObject::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    const bool normal = window_->windowState() == Qt::WindowNoState;
    if ((type == QEvent::Show || type == QEvent::Paint) && normal) {
      if (frameKnown()) {
        place_(window_);
        finish();
      } else if (type == QEvent::Paint) {
        finish();  // a window without a frame: nothing to correct
      }
    } else if (type == QEvent::WindowStateChange && normal) {
      // The toolkit brings back the normal geometry after this event; correct it after that.
      QMetaObject::invokeMethod(
          this,
          [this] {
            if (window_ && frameKnown()) place_(window_);
            finish();
          },
          Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool frameKnown() const { return kelvor::frameKnown(window_); }
  void finish() {
    if (window_) window_->removeEventFilter(this);
    deleteLater();
  }

  QPointer<QWidget> window_;
  std::function<void(QWidget*)> place_;
};

// Moves and sizes a window by its outer edges, frame included, as far as the frame is known.
void placeOuter(QWidget* window, const QRect& outer) {
  const QSize frame = window->frameGeometry().size() - window->geometry().size();
  window->move(outer.topLeft());  // a window's position is that of its frame
  window->resize(outer.size() - frame);
}

}  // namespace

QSize WindowPlacement::screenTwips() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {};
  const QRect area = screen->geometry();
  return {Units::pixelsToTwips(area.width()), Units::pixelsToTwips(area.height())};
}

void WindowPlacement::restore(QWidget* window, const StoredSettings& saved) {
  const QSize screen = screenTwips();
  std::function<void(QWidget*)> place;
  if (placementRestorable(saved, screen.width(), screen.height())) {
    const QRect outer(Units::twipsToPixels(saved.SavedLeft), Units::twipsToPixels(saved.SavedTop),
                      Units::twipsToPixels(saved.SavedWidth),
                      Units::twipsToPixels(saved.SavedHeight));
    place = [outer](QWidget* w) { placeOuter(w, outer); };
  } else {
    place = [](QWidget* w) { WindowTools::centreWindow(w); };
  }
  place(window);
  if (!frameKnown(window) && !window->isVisible()) new FrameFit(window, place);
  const int state = saved.SavedState;
  const bool known = state == StoredSettings::StateNormal ||
                     state == StoredSettings::StateMinimised ||
                     state == StoredSettings::StateMaximised;
  if (known && stateOf(window) != state) window->setWindowState(qtState(state));
}

void WindowPlacement::capture(const QWidget* window, StoredSettings& saved) {
  saved.SavedState = stateOf(window);
  if (saved.SavedState != StoredSettings::StateNormal) return;
  const QRect outer = window->frameGeometry();
  saved.SavedLeft = Units::pixelsToTwips(outer.x());
  saved.SavedTop = Units::pixelsToTwips(outer.y());
  saved.SavedWidth = Units::pixelsToTwips(outer.width());
  saved.SavedHeight = Units::pixelsToTwips(outer.height());
}

int WindowPlacement::stateOf(const QWidget* window) {
  if (window->isMinimized()) return StoredSettings::StateMinimised;
  if (window->isMaximized() || window->isFullScreen()) return StoredSettings::StateMaximised;
  return StoredSettings::StateNormal;
}

}  // namespace kelvor
