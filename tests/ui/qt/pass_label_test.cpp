// Labels the pass rewrites for every file: every text is kept, repaints come at most once a
// frame, and the last text is what ends up painted.
#include <gtest/gtest.h>

#include <QEvent>
#include <QTest>

#include "ui/qt/pass_label.h"
#include "ui/qt/app_test_support.h"

namespace lumaveil::app {
namespace {

// Counts the paints a label receives.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  QStringList painted;
  PassLabel* label = nullptr;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      ++paints;
      painted << label->text();
    }
    return false;
  }
};

TEST(PassLabelTest, ThousandsOfTextsFewPaintsAndTheLastOneShows) {
  testing::EnsureApplication();
  QWidget window;
  window.resize(300, 40);
  auto* label = new PassLabel(": 0", &window);
  label->setGeometry(0, 0, 300, 20);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  PaintCounter counter;
  counter.label = label;
  label->installEventFilter(&counter);

  constexpr int kTexts = 5000;
  for (int i = 1; i <= kTexts; ++i) {
    label->setText(QString(": %1").arg(i));
    EXPECT_EQ(label->text(), QString(": %1").arg(i));
    QCoreApplication::processEvents();
  }
  // The held-back text is painted when its frame is over.
  EXPECT_TRUE(QTest::qWaitFor([&] { return !counter.painted.isEmpty() &&
                                           counter.painted.last() == ": 5000"; }, 2000));
  EXPECT_LT(counter.paints, kTexts / 10);
}

}  // namespace
}  // namespace lumaveil::app
