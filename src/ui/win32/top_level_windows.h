// How the program's top-level windows are held: each by the one TopLevel that opens it, and the
// program ends when its last window has been closed (the main window and the About window each
// count themselves in while open).
#pragma once

#include <functional>
#include <memory>
#include <utility>

namespace lumaveil::win32 {

class TopLevelWindows {
 public:
  explicit TopLevelWindows(std::function<void()> all_closed) : all_closed_(std::move(all_closed)) {}
  void Opened() { ++open_; }
  void Closed() {
    if (open_ > 0 && --open_ == 0 && all_closed_) all_closed_();
  }
  int Open() const { return open_; }

 private:
  std::function<void()> all_closed_;
  int open_ = 0;
};

// One top-level window, owned the way all of them are: made when it is first opened, made anew
// when it is opened after the user closed it, destroyed with its owner. `W` is a Window.
template <typename W>
class TopLevel {
 public:
  // The open window, made from `args` unless there is one.
  template <typename... Args>
  W& Open(Args&&... args) {
    if (Get() == nullptr) window_ = std::make_unique<W>(std::forward<Args>(args)...);
    return *window_;
  }

  // The window while it is open; null before it is made and after it has been closed.
  W* Get() const { return window_ && window_->hwnd() ? window_.get() : nullptr; }

 private:
  std::unique_ptr<W> window_;
};

}  // namespace lumaveil::win32
