// The thumbnail dialog on a temporary folder: the folder picked with the
// mouse in the tree, "Convert" clicked, the thumbnails and the log checked.
#include <QListWidget>
#include <QProgressBar>
#include <fstream>

#include "DialogDriving.h"
#include "fakes/ScriptedUi.h"
#include "fakes/TempFolder.h"
#include "pictures/TestBitmap.h"
#include "reports/ImageConvert.h"
#include "reports/ThumbnailRun.h"
#include "shell/qt/DirTreeCtrl.h"
#include "shell/qt/ThumbnailCreate.h"

namespace options_test {
namespace {

namespace fs = std::filesystem;

QStringList Rows(QDialog& dialog, const char* name) {
  QStringList rows;
  auto* list = Find<QListWidget>(dialog, name);
  for (int row = 0; list && row < list->count(); ++row) rows << list->item(row)->text();
  return rows;
}

// Opens the tree down to the folder's parent, then clicks the folder's node.
void ClickFolder(QDialog& dialog, const fs::path& folder) {
  auto* tree = Find<CDirTreeCtrl>(dialog, "folderTree");
  ASSERT_NE(tree, nullptr);
  ASSERT_TRUE(tree->SetSelPath(QString::fromStdString(folder.parent_path().string())));
  QTreeWidgetItem* parent = tree->currentItem();
  parent->setExpanded(true);
  const QString wanted = QString::fromStdString(folder.string()) + "/";
  QTreeWidgetItem* node = nullptr;
  for (int i = 0; i < parent->childCount() && !node; ++i)
    if (tree->GetFullPath(parent->child(i)) == wanted) node = parent->child(i);
  ASSERT_NE(node, nullptr);
  tree->scrollToItem(node);
  // Near the start of the node's text: a long folder name elsewhere in the
  // temporary folder widens the column past the viewport, and the row's
  // centre would then lie outside it.
  const QRect row = tree->visualItemRect(node);
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(row.left() + 8, row.center().y()));
}

std::pair<int, int> SizeOf(const fs::path& path) {
  ImageConvert picture;
  if (!picture.Open(path)) return {0, 0};
  return {picture.Width(), picture.Height()};
}

TEST(ThumbnailDialog, ConvertsTheClickedFolderAndLogsWhatItCannotRead) {
  ScriptedUi ui;
  TempFolder temp;
  const fs::path folder = temp.path() / "pictures";
  fs::create_directories(folder / "sub.jpg");  // a folder is no picture, whatever its name
  std::ofstream(folder / "wide.bmp", std::ios::binary) << pictures_test::Bitmap(280, 200);
  std::ofstream(folder / "small.bmp", std::ios::binary) << pictures_test::Bitmap(100, 60);
  std::ofstream(folder / "broken.gif") << "not a picture";
  std::ofstream(folder / "UPPER.BMP", std::ios::binary) << pictures_test::Bitmap(300, 200);
  const fs::path before = fs::current_path();

  CThumbnailCreate dialog;
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), "Convert images to their thumbnail representation");
  ClickFolder(dialog, folder);
  EXPECT_EQ(Rows(dialog, "supportedFiles"), (QStringList{"broken.gif", "small.bmp", "wide.bmp"}));
  EXPECT_EQ(CThumbnailCreate::SelectedFolder(), folder.string() + "/");

  Click(dialog, "convertButton");
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{kConversionCompleted});
  EXPECT_EQ(Rows(dialog, "nonConvertibleFiles"), QStringList{"broken.gif"});
  EXPECT_EQ(Find<QProgressBar>(dialog, "progress")->value(), 0);
  const fs::path thumbnails = folder / kThumbnailFolderName;
  EXPECT_EQ(SizeOf(thumbnails / "wide.bmp"), std::make_pair(140, 100));
  EXPECT_EQ(SizeOf(thumbnails / "small.bmp"), std::make_pair(100, 60));
  std::ifstream log(thumbnails / kConvertLogName);
  std::string line;
  std::getline(log, line);
  EXPECT_EQ(line, (thumbnails / "broken.gif").string());
  EXPECT_EQ(fs::current_path(), before);
  Click(dialog, "exitButton");
  EXPECT_FALSE(dialog.isVisible());
}

TEST(ThumbnailDialog, AFolderWithoutPicturesHasNothingToConvert) {
  ScriptedUi ui;
  TempFolder temp;
  const fs::path folder = temp.path() / "empty";
  fs::create_directories(folder);
  CThumbnailCreate dialog;
  dialog.show();
  ClickFolder(dialog, folder);
  EXPECT_TRUE(Rows(dialog, "supportedFiles").isEmpty());
  Click(dialog, "convertButton");
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{kNoFilesToConvert});
  EXPECT_FALSE(fs::exists(folder / kThumbnailFolderName));
}

}  // namespace
}  // namespace options_test
