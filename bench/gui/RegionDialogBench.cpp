// Opening the region-selection dialog on a large photograph: a menu of 200
// attributes, each with a region, over a 4000 x 3000 picture.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "database/ImageRegion.h"
#include "editors/qt/ImageRegionSelectDlg.h"

namespace {

struct LargeMenu {
  QTemporaryDir folder;
  MenuRegionAttributes menu;

  LargeMenu() {
    const QString picture = folder.filePath("photo.jpg");
    QImage photo(4000, 3000, QImage::Format_RGB32);
    QPainter painter(&photo);
    QLinearGradient sky(0, 0, 4000, 3000);
    sky.setColorAt(0, QColor(40, 90, 160));
    sky.setColorAt(1, QColor(200, 170, 90));
    painter.fillRect(photo.rect(), sky);
    for (int i = 0; i < 400; ++i)
      painter.fillRect((i * 97) % 3900, (i * 61) % 2900, 100, 100, QColor::fromHsv(i % 360, 160, 200));
    painter.end();
    photo.save(picture, "JPG", 85);
    RegionSet regions;
    menu.title = "Pattern";
    menu.picturePath = picture.toStdString();
    menu.menu = 0;
    for (int a = 0; a < 200; ++a) {
      const std::string name = "Attribute " + std::to_string(a);
      const int x = (a % 20) * 200, y = (a / 20) * 300;
      regions.polygons.push_back({{x, y}, {x + 180, y}, {x + 90, y + 280}});
      regions.polygonIds.push_back(name);
      menu.attributes.push_back({name, a % 3 == 0 ? 1 : 0, a});
    }
    WriteRegions(menu.picturePath + ".regions", regions);
  }
};

void BM_OpenSelectionDialogOnALargePicture(benchmark::State& state) {
  static LargeMenu large;
  for (auto _ : state) {
    CImageRegionSelectDlg dialog;
    dialog.Model().menus = {large.menu};
    dialog.OnInitDialog();
    dialog.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(dialog.Model().RowCount());
  }
}
BENCHMARK(BM_OpenSelectionDialogOnALargePicture)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
