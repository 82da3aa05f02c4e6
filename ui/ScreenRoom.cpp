#include "ui/ScreenRoom.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace telvainn::ui {

QSize windowRoom(const QWidget* widget) {
    const QScreen* screen = widget != nullptr ? widget->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    }
    return screen->availableGeometry().size() - kFrameAllowance;
}

}  // namespace telvainn::ui
