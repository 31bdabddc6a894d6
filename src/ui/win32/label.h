// A label of the program's windows: text on whatever its parent paints beneath it (the labels
// have no background of their own), in a font and colour of their own. It takes no clicks and
// no focus. A label that a running pass rewrites for every file keeps every text at once but
// repaints at most once per frame of the screen; a text held back is painted when the frame
// ends, so the last one always shows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/common/repaint_throttle.h"
#include "ui/win32/window.h"

namespace lumaveil::win32 {

// One line of a label's text: where it starts and how many UTF-16 units it takes.
struct TextLine {
  std::size_t start = 0;
  int length = 0;
};

// The lines a label `width` pixels wide and `lines` lines high shows of `text` broken anywhere,
// in the font selected into `dc`: the last ones, the final line ending with the text. Only the
// end of the text that can show is laid out, however long the text.
std::vector<TextLine> PathTailLines(HDC dc, std::wstring_view text, int width, int lines);

class Label : public Window {
 public:
  enum class Fit {
    Clip,      // one line, cut at the right edge
    WordWrap,  // broken between words
    PathTail,  // broken anywhere, and when it is too long, its end shown (file paths)
  };
  enum class Repaint { AtOnce, OncePerFrame };

  // A child of `parent` that asks its parent for WM_PRINTCLIENT to paint what lies beneath it.
  Label(HWND parent, int id, const std::wstring& text, Fit fit, Repaint repaint,
        COLORREF color);

  void SetText(const std::wstring& text);
  const std::wstring& Text() const { return text_; }
  void SetFont(HFONT font);
  void SetColor(COLORREF color);
  void Place(const RECT& rect);
  // Widens the label to the right when its font draws its text wider than its place, so that
  // a text never ends cut off.
  void GrowToText();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Paint(HDC dc, const RECT& client);
  void DrawPathTail(HDC dc, const RECT& client);
  void TextChanged();

  std::wstring text_;
  Fit fit_;
  Repaint repaint_;
  COLORREF color_;
  HFONT font_ = nullptr;
  ui::RepaintThrottle throttle_;
  bool held_back_ = false;
};

}  // namespace lumaveil::win32
