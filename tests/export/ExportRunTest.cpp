// The calls around the element tree and the messages of their failures.
#include <gtest/gtest.h>

#include <algorithm>

#include "editors/ExportRun.h"
#include "engine/EngineFixtures.h"
#include "export/RecordingExporter.h"
#include "fakes/ScriptedUi.h"

using Calls = std::vector<std::string>;
using Status = ExportTreeResult::Status;

TEST(ExportRun, TheDatabaseIsIntroducedByWindowNameAndFolder) {
  RecordingExporter exporter;
  EXPECT_EQ(IntroduceDatabase(exporter, 42, "/d/keys/birds.qor").status, Status::Completed);
  EXPECT_EQ(exporter.calls, (Calls{"parent", "name birds", "folder /d/keys/"}));

  RecordingExporter failing;
  failing.failAtCall = 1;
  const ExportRunResult result = IntroduceDatabase(failing, 42, "");
  EXPECT_EQ(result.status, Status::Failed);
  EXPECT_EQ(result.message, "Disk full");
  EXPECT_EQ(failing.calls, (Calls{"parent", "name "}));  // the folder is never told
}

TEST(ExportRun, TheTreeStandsBetweenBeginAndEndExport) {
  ScriptedUi ui;
  FiveItems five;
  RecordingExporter exporter;
  EXPECT_EQ(StreamDatabase(*five, exporter, {}, {}).status, Status::Completed);
  EXPECT_EQ(exporter.calls.front(), "begin-export");
  EXPECT_EQ(exporter.calls[1], "begin QOR -1");
  EXPECT_EQ(exporter.calls.back(), "end-export");
  EXPECT_EQ(ui.traces.back(), "Tick  = 14\n");  // 6 attributes, 3 menus, 5 names
}

TEST(ExportRun, AFailingElementCallIsShownWithTheExportersTextAndEndsWithoutEndExport) {
  FiveItems five;
  RecordingExporter exporter;
  exporter.failAtCall = 3;
  const ExportRunResult result = StreamDatabase(*five, exporter, {}, {});
  EXPECT_EQ(result.status, Status::Failed);
  EXPECT_EQ(result.message, "Error : 'Disk full'");
  EXPECT_EQ(exporter.calls.size(), 4u);
  EXPECT_EQ(std::count(exporter.calls.begin(), exporter.calls.end(), "end-export"), 0);
}

TEST(ExportRun, AFailingBeginExportSendsNoElement) {
  FiveItems five;
  RecordingExporter exporter;
  exporter.failAtCall = 0;
  const ExportRunResult result = StreamDatabase(*five, exporter, {}, {});
  EXPECT_EQ(result.message, "Disk full");
  EXPECT_EQ(exporter.calls, (Calls{"begin-export"}));
}

TEST(ExportRun, ACancelEndsWithoutEndExportOrMessage) {
  FiveItems five;
  RecordingExporter exporter;
  const ExportRunResult result = StreamDatabase(*five, exporter, {}, [](int done, int) { return done < 4; });
  EXPECT_EQ(result.status, Status::Cancelled);
  EXPECT_TRUE(result.message.empty());
  EXPECT_NE(exporter.calls.back(), "end-export");
}
