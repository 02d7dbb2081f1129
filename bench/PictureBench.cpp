// Picture import and thumbnails at the limits: the picture names of 32000
// items of three pictures each resolved against a folder of 100 000 files,
// and the thumbnails of 100 photographs of 3000 x 2000 pixels.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "GeneratedDatabase.h"
#include "pictures/TestBitmap.h"
#include "reports/ImageConvert.h"
#include "reports/ReportCopyNotExistingItemImages.h"
#include "reports/ThumbnailRun.h"

namespace {

namespace fs = std::filesystem;

constexpr int kItems = 32000;
constexpr int kPicturesPerItem = 3;
constexpr int kFolderFiles = 100000;
constexpr int kFilesPerSubfolder = 1000;

fs::path ScratchFolder(const char* name) {
  const fs::path folder = fs::temp_directory_path() / (std::string(name) + "-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

std::string PictureName(int n) { return generated_detail::Numbered("p", n) + ".jpg"; }

// 100 000 empty pictures in subfolders of 1000; the database names them
// without their folder, so every name is looked up below the folder.
fs::path LayOutPictureFolder() {
  const fs::path folder = ScratchFolder("qor-picture-bench");
  for (int n = 0; n < kFolderFiles; ++n) {
    const fs::path sub = folder / generated_detail::Numbered("s", n / kFilesPerSubfolder);
    if (n % kFilesPerSubfolder == 0) fs::create_directories(sub);
    std::ofstream(sub / PictureName(n));
  }
  return folder;
}

void SetItemPictures(CZAVDoc& doc) {
  for (int i = 0; i < doc.ItemCount(); ++i) {
    std::string list;
    for (int k = 0; k < kPicturesPerItem; ++k) list += PictureName(i * kPicturesPerItem + k) + ";";
    doc.GetItem(i).pictures = list;
  }
}

// Importing from the database folder itself: each name is found in its
// subfolder and rewritten to point there, with no file copied.
void BM_ResolveItemPictures(benchmark::State& state) {
  const fs::path folder = LayOutPictureFolder();
  auto doc = MakeGeneratedDatabase(kItems, 300, 20, 0.0, 5);
  doc->m_pathName = (folder / "bench.qor").string();
  doc->ResetItemStates(true);
  doc->UpdateRemainingItems();
  for (auto _ : state) {
    state.PauseTiming();
    SetItemPictures(*doc);
    state.ResumeTiming();
    CReportCopyNotExistingItemImages report(*doc, folder.string());
    report.Build();
  }
  if (doc->GetItem(kItems - 1).pictures.find(generated_detail::Numbered("s", 95) + "\\") == std::string::npos)
    state.SkipWithError("the last item's pictures were not resolved");
  fs::remove_all(folder);
}
BENCHMARK(BM_ResolveItemPictures)->Unit(benchmark::kMillisecond)->Iterations(3);

fs::path LayOutPhotographs(int count) {
  const fs::path folder = ScratchFolder("qor-thumbnail-bench");
  std::ofstream(folder / "photo.bmp", std::ios::binary) << pictures_test::Bitmap(3000, 2000, true);
  ImageConvert converter;
  converter.Open(folder / "photo.bmp");
  converter.Save(folder / "photo.jpg");
  converter.Close();
  fs::remove(folder / "photo.bmp");
  for (int n = 0; n < count; ++n)
    fs::copy_file(folder / "photo.jpg", folder / generated_detail::Numbered("img", n) += ".jpg");
  fs::remove(folder / "photo.jpg");
  return folder;
}

void BM_Thumbnails(benchmark::State& state) {
  const fs::path folder = LayOutPhotographs(100);
  const auto files = ListSupportedPictures(folder);
  int handled = 0;
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(folder / kThumbnailFolderName);
    state.ResumeTiming();
    const auto failed = CreateThumbnails(
        folder, files, [&](int n) { handled = n; }, static_cast<int>(state.range(0)));
    if (!failed.empty()) state.SkipWithError("a photograph was not converted");
  }
  state.counters["files"] = handled;
  fs::remove_all(folder);
}
BENCHMARK(BM_Thumbnails)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
