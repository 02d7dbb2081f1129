// The attribute-data editor's window on the database at the limits: how
// long it takes to open (form laid out, first screen painted) and to step
// to the next item with a change stored. Prints milliseconds per run.
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <cstdio>

#include "AttributeEditorBench.h"
#include "editors/ItemAttributeEditor.h"
#include "editors/qt/AttributeFormView.h"
#include "editors/qt/Idatadlg.h"

namespace {

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  LimitDatabase db;
  std::vector<double> opening, stepping;
  for (int run = 0; run < 7; ++run) {
    QElapsedTimer timer;
    timer.start();
    CIdatadlg dialog(std::make_unique<ItemAttributeEditor>(*db.doc, db.list.ItemAtRow(run), run), nullptr);
    dialog.show();
    dialog.Form().viewport()->repaint();
    QApplication::processEvents();
    opening.push_back(timer.nsecsElapsed() / 1e6);
    auto* next = dialog.findChild<QPushButton*>("nextButton");
    for (int step = 0; step < 10; ++step) {
      dialog.Editor().SetChecked(step, !dialog.Editor().IsChecked(step));
      timer.restart();
      QTest::mouseClick(next, Qt::LeftButton);
      dialog.Form().viewport()->repaint();
      stepping.push_back(timer.nsecsElapsed() / 1e6);
    }
  }
  std::printf("%d items x %d attributes\n", db.doc->ItemCount(), db.doc->AttributeCount());
  std::printf("open the attribute-data editor: median %.1f ms, worst %.1f ms\n", Median(opening),
              *std::max_element(opening.begin(), opening.end()));
  std::printf("Next with a change stored: median %.2f ms, worst %.2f ms\n", Median(stepping),
              *std::max_element(stepping.begin(), stepping.end()));
  return 0;
}
