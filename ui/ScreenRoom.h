#pragma once

#include <QSize>

class QWidget;

namespace telvainn::ui {

// What a window manager's frame takes around a top-level window: a title bar above, thin borders on the
// other sides. Its real size is known only once a window is shown, so a title bar of a usual height is
// kept free.
inline constexpr QSize kFrameAllowance{16, 40};

// The room a top-level window may take: the free area of the screen `widget` is shown on (or will be),
// less its frame, so that the whole window, buttons included, stays on the screen.
QSize windowRoom(const QWidget* widget);

}  // namespace telvainn::ui
