// The XML exporter the program ships: the sample key exported from the menu
// and read back, and the file's rules: text as it was, the element tree
// closed in order, and no file at all unless the export ended.
#include <QDirIterator>
#include <QListWidget>
#include <QPushButton>
#include <QXmlStreamReader>
#include <map>
#include <sys/stat.h>
#include <set>

#include "ExportTestSupport.h"
#include "database/CommandIds.h"
#include "editors/qt/QORExporterPlugin.h"
#include "shell/qt/LeftView.h"

namespace {

using namespace export_test;

QString ShippedExporter() { return QCoreApplication::applicationDirPath() + "/exporters/qor_xml_exporter.so"; }

std::unique_ptr<QORExporter> MakeXmlExporter() {
  auto* plugin = qobject_cast<QORExporterPlugin*>(QPluginLoader(ShippedExporter()).instance());
  EXPECT_NE(plugin, nullptr);
  return plugin ? plugin->CreateExporter() : nullptr;
}

QStringList FilesIn(const QString& folder) { return QDir(folder).entryList(QDir::Files | QDir::Hidden); }

class XmlExporterTest : public ProgramWithUserFolder {};

TEST_F(XmlExporterTest, TheSampleKeyExportedFromTheMenuReadsBackWithEveryRemainingItem) {
  const std::filesystem::path key = Folder() / "birds.qor";
  std::filesystem::copy_file(std::filesystem::path(QOR_SAMPLE_FOLDER) / "birds.qor", key);
  CMainFrame& main = StartOn(key.string());
  CZAVDoc& doc = main.ActiveChild()->GetDocument();
  // An item the user set aside stays out of the file.
  doc.SetItemState(2, STATE_USER_ELIMINATED);
  doc.SetItemState(4, STATE_SELECTED);  // a selected item counts as remaining
  // The attribute selected in the tree is named in the file with its menu.
  int attribute = 0;
  while (doc.GetAttribute(attribute).IsFreeSlot() || doc.GetAttribute(attribute).menuIndex == 0) ++attribute;
  ASSERT_NE(main.ActiveChild()->LeftView()->SelectAttributeNode(attribute), kNoNode);
  const std::string target = (Folder() / "birds export.xml").string();
  m_ui.fileAnswers.push_back(target);
  ModalDriver driver;
  driver.On("exportDialog", [&](QDialog& dialog) {
    auto* list = Find<QListWidget>(dialog, "exporterList");
    ASSERT_EQ(list->currentItem()->text(), "XML file");
    QTest::keyClick(list, Qt::Key_Return);
  });
  ASSERT_TRUE(ChooseMenuEntry(main, Qt::Key_D, cmd::kExport));
  ASSERT_EQ(driver.Runs("exportDialog"), 1);
  EXPECT_TRUE(m_ui.Messages().empty());
  EXPECT_EQ(m_ui.lastInitialPath, (Folder() / "birds.xml").string());

  QFile file(QString::fromStdString(target));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&file);
  std::set<int> items;
  QStringList path;
  QString title;
  std::map<QString, int> current;  // CURRENTATTRIBUTE and CURRENTATTRIBUTEMENU with their indices
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      path << xml.name().toString();
      if (path == QStringList({"QOR", "ITEMS", "ITEM"})) items.insert(xml.attributes().value("index").toInt());
      if (path == QStringList({"QOR", "DESCRIPTION", "DBTITLE"})) title = xml.readElementText(), path.removeLast();
      if (path.size() == 3 && path[2].startsWith("CURRENT")) {
        const int index = xml.attributes().value("index").toInt();
        if (xml.readElementText() == "set") current[path[2]] = index;
        path.removeLast();
      }
    } else if (xml.isEndElement()) {
      path.removeLast();
    }
  }
  ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_EQ(title, QString::fromStdString(doc.m_header.title));
  EXPECT_EQ(current, (std::map<QString, int>{{"CURRENTATTRIBUTE", attribute},
                                             {"CURRENTATTRIBUTEMENU", doc.GetAttribute(attribute).menuIndex}}));
  std::set<int> remaining;
  for (int item = 0; item < doc.ItemCount(); ++item)
    if (doc.IsItemRemaining(item)) remaining.insert(item);
  EXPECT_EQ(items, remaining);
  EXPECT_EQ(remaining.size(), static_cast<std::size_t>(doc.ItemCount() - 1));
  EXPECT_EQ(FilesIn(QString::fromStdString(Folder().string())).filter(".xml").size(), 1) << "no temporary file left";
}

TEST_F(XmlExporterTest, TextsComeBackAsTheyWereAndIndicesAsAttributes) {
  const QString target = QString::fromStdString((Folder() / "texts.xml").string());
  auto exporter = MakeXmlExporter();
  ASSERT_NE(exporter, nullptr);
  ASSERT_TRUE(exporter->SetFilePath(target.toStdString()).ok);
  ASSERT_TRUE(exporter->BeginExport().ok);
  ASSERT_TRUE(exporter->BeginElement("QOR", -1).ok);
  const std::string text = "a < b & \"c\" > d\r\nline two\tend \xC3\xA9";
  ASSERT_TRUE(exporter->AddElement("DESCRIPTION", text + "\x01", 42).ok);
  ASSERT_TRUE(exporter->EndElement("QOR").ok);
  ASSERT_TRUE(exporter->EndExport().ok);
  QFile file(target);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&file);
  ASSERT_TRUE(xml.readNextStartElement());
  EXPECT_EQ(xml.name(), QStringLiteral("QOR"));
  EXPECT_EQ(xml.attributes().value("index"), QStringLiteral("-1"));
  ASSERT_TRUE(xml.readNextStartElement());
  EXPECT_EQ(xml.attributes().value("index"), QStringLiteral("42"));
  EXPECT_EQ(xml.readElementText().toStdString(), text + "\xEF\xBF\xBD") << "a character XML cannot hold is replaced";
  EXPECT_FALSE(xml.hasError());
}

// Every text of a database as the exporter gets it, written into one
// element each and read back by an XML reader.
QStringList ExportedTexts(const QString& target, const std::vector<std::string>& texts) {
  auto exporter = MakeXmlExporter();
  EXPECT_TRUE(exporter->SetFilePath(target.toStdString()).ok);
  EXPECT_TRUE(exporter->BeginExport().ok);
  EXPECT_TRUE(exporter->BeginElement("QOR", -1).ok);
  for (const std::string& text : texts) EXPECT_TRUE(exporter->AddElement("NAME", text, -1).ok);
  EXPECT_TRUE(exporter->EndElement("QOR").ok);
  EXPECT_TRUE(exporter->EndExport().ok);
  QFile file(target);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&file);
  QStringList read;
  while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd())
    if (xml.isStartElement() && xml.name() == QStringLiteral("NAME")) read << xml.readElementText();
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString() << " at line " << xml.lineNumber();
  return read;
}

TEST_F(XmlExporterTest, WhatXmlCannotCarryBecomesTheReplacementCharacter) {
  const QString replaced = QString(QChar(0xFFFD));
  // U+FFFE and U+FFFF, which the wide string form keeps; control characters;
  // the UTF-8 bytes of a lone surrogate, a cut sequence, an overlong form
  // and bytes that start nothing.
  const std::vector<std::pair<std::string, QString>> cases{
      {"a\xEF\xBF\xBE"
       "b",
       "a" + replaced + "b"},
      {"\xEF\xBF\xBF", replaced},
      {"x\x01y\x1F"
       "z\x0B",
       "x" + replaced + "y" + replaced + "z" + replaced},
      {"\xED\xA0\x80 lone", replaced + replaced + replaced + " lone"},
      {"cut \xE2\x82", "cut " + replaced},
      {"\xC0\x80 over", replaced + replaced + " over"},
      {"\xFF\xFE", replaced + replaced},
      // What XML carries stays as it was, the characters next to the excluded ones too.
      {"\t\xEF\xBF\xBD\xEE\x80\x80\xED\x9F\xBF\xF0\x9F\x90\xA6\x7F",
       QString::fromUtf8("\t\xEF\xBF\xBD\xEE\x80\x80\xED\x9F\xBF\xF0\x9F\x90\xA6\x7F")},
  };
  std::vector<std::string> texts;
  QStringList expected;
  for (const auto& [text, back] : cases) texts.push_back(text), expected << back;
  EXPECT_EQ(ExportedTexts(QString::fromStdString((Folder() / "names.xml").string()), texts), expected);
}

TEST_F(XmlExporterTest, AnExportThatDoesNotEndLeavesNoFileAndKeepsTheOldOne) {
  const QString folder = QString::fromStdString(Folder().string());
  const QString target = folder + "/kept.xml";
  program_test::WriteBytes(target.toStdString(), "old content");
  {
    auto exporter = MakeXmlExporter();
    ASSERT_TRUE(exporter->SetFilePath(target.toStdString()).ok);
    ASSERT_TRUE(exporter->BeginExport().ok);
    ASSERT_TRUE(exporter->BeginElement("QOR", -1).ok);
    ASSERT_TRUE(exporter->AddElement("NAME", std::string(3 << 20, 'x'), -1).ok);  // more than one buffer written
  }
  QFile kept(target);
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), QByteArray("old content"));
  EXPECT_EQ(FilesIn(folder).filter("kept"), QStringList({"kept.xml"})) << "the temporary file is gone";
}

// The target may lie in a key's folder, with a fake home beside it as the
// witness: a link there is refused when the export begins and when it ends.
TEST_F(XmlExporterTest, ALinkAPipeOrAFolderAtTheTargetIsNeverWrittenThrough) {
  namespace fs = std::filesystem;
  const std::string bashrc = (Folder() / "home" / ".bashrc").string();
  fs::create_directories(Folder() / "home");
  fs::create_directories(Folder() / "key");
  program_test::WriteBytes(bashrc, "alias ls='ls --color'\n");
  const std::string target = (Folder() / "key" / "birds.xml").string();
  const auto exportTo = [&](const std::string& path, const std::function<void()>& beforeEnd) {
    auto exporter = MakeXmlExporter();
    EXPECT_TRUE(exporter->SetFilePath(path).ok);
    const ExportCallResult begun = exporter->BeginExport();
    if (!begun.ok) return begun;
    EXPECT_TRUE(exporter->BeginElement("QOR", -1).ok);
    EXPECT_TRUE(exporter->EndElement("QOR").ok);
    beforeEnd();
    return exporter->EndExport();
  };
  fs::create_symlink(bashrc, target);
  const ExportCallResult linked = exportTo(target, [] {});
  EXPECT_FALSE(linked.ok);
  EXPECT_EQ(linked.error, "Can't write " + target + ": it is a symbolic link.");
  // A link that appears under the name while the export runs.
  fs::remove(target);
  const ExportCallResult late = exportTo(target, [&] { fs::create_symlink(bashrc, target); });
  EXPECT_FALSE(late.ok);
  EXPECT_EQ(late.error, "Can't write: it is a symbolic link");
  EXPECT_TRUE(fs::is_symlink(target));
  fs::remove(target);
  ASSERT_EQ(::mkfifo(target.c_str(), 0600), 0);
  EXPECT_FALSE(exportTo(target, [] {}).ok) << "and never blocks on the pipe";
  fs::remove(target);
  fs::create_directory(target);
  EXPECT_EQ(exportTo(target, [] {}).error, "Can't write " + target + ": it is a folder.");
  EXPECT_EQ(program_test::ReadBytes(bashrc), "alias ls='ls --color'\n");
  EXPECT_EQ(FilesIn(QString::fromStdString((Folder() / "key").string())), QStringList()) << "no temporary file left";
}

TEST_F(XmlExporterTest, ATreeThatIsNotClosedInOrderFailsWithAReason) {
  auto exporter = MakeXmlExporter();
  ASSERT_TRUE(exporter->SetFilePath((Folder() / "bad.xml").string()).ok);
  ASSERT_TRUE(exporter->BeginExport().ok);
  ASSERT_TRUE(exporter->BeginElement("QOR", -1).ok);
  ASSERT_TRUE(exporter->BeginElement("ITEMS", -1).ok);
  const ExportCallResult wrong = exporter->EndElement("QOR");
  EXPECT_FALSE(wrong.ok);
  EXPECT_EQ(wrong.error, "EndElement QOR does not close ITEMS");
  EXPECT_FALSE(exporter->AddElement("not a name", "", -1).ok);
  EXPECT_FALSE(exporter->EndExport().ok) << "ITEMS and QOR are still open";
  EXPECT_FALSE(QFile::exists(QString::fromStdString((Folder() / "bad.xml").string())));
}

TEST_F(XmlExporterTest, AFileThatMissedAnElementIsNeverReportedWritten) {
  const QString target = QString::fromStdString((Folder() / "partial.xml").string());
  auto exporter = MakeXmlExporter();
  ASSERT_TRUE(exporter->SetFilePath(target.toStdString()).ok);
  ASSERT_TRUE(exporter->BeginExport().ok);
  ASSERT_TRUE(exporter->BeginElement("QOR", -1).ok);
  const ExportCallResult refused = exporter->AddElement("2nd name", "lost", -1);
  EXPECT_FALSE(refused.ok);
  EXPECT_FALSE(exporter->AddElement("NAME", "after", -1).ok);
  EXPECT_FALSE(exporter->EndElement("QOR").ok);
  const ExportCallResult ended = exporter->EndExport();
  EXPECT_FALSE(ended.ok);
  EXPECT_EQ(ended.error, refused.error) << "the first reason is the one shown";
  EXPECT_FALSE(QFile::exists(target));
}

TEST_F(XmlExporterTest, TheFileDialogIsOfferedWithTheDatabasesName) {
  auto exporter = MakeXmlExporter();
  bool wants = false;
  std::string filter, name;
  ASSERT_TRUE(exporter->SetDatabaseName("garden birds").ok);
  ASSERT_TRUE(exporter->GetWantsFile(wants).ok);
  ASSERT_TRUE(exporter->GetFileFilter(filter).ok);
  ASSERT_TRUE(exporter->GetDefaultFileName(name).ok);
  EXPECT_TRUE(wants);
  EXPECT_EQ(filter, "XML Files|*.xml|All Files|*||");
  EXPECT_EQ(name, "garden birds.xml");
  EXPECT_FALSE(exporter->BeginExport().ok) << "no file chosen";
}

}  // namespace
