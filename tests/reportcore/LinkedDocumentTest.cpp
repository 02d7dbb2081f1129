// An item's link to a file of the key's folder: the desktop gets only
// documents, told by their name's ending and by their first bytes; scripts,
// programs and launchers under any name are refused with the link error.
#include <sys/stat.h>

#include "ReportCoreFixtures.h"
#include "database/LinkedDocument.h"

using namespace reportcore_test;
namespace fs = std::filesystem;

namespace {

using namespace std::string_literals;

const std::string kElf =
    "\x7F"
    "ELF\x02\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x3E\x00"s;

// Clicks each file's link; the number of files the desktop was handed.
std::size_t OpenedOf(Desk& desk, const std::vector<std::string>& names) {
  ReportAction base;
  const std::size_t before = desk.ui.opened.size();
  for (const auto& name : names) desk.Click(base, "qorlink:" + name);
  return desk.ui.opened.size() - before;
}

TEST(LinkedDocuments, ScriptsProgramsAndLaunchersAreRefusedWhateverTheirName) {
  Desk desk;
  desk.folder.Write("run.py", "import os\nos.system('id')\n");
  desk.folder.Write("run.bash", "echo owned\n");
  desk.folder.Write("setup.exe.", "MZ\x90\x00\x03\x00\x00\x00"s);
  desk.folder.Write("report.pdf.", "%PDF-1.4\n");
  desk.folder.Write("report.pdf ", "%PDF-1.4\n");
  desk.folder.Write("a.desktop", "[Desktop Entry]\nType=Application\nExec=sh -c id\n");
  desk.folder.Write("a.pdf", kElf);
  desk.folder.Write("program.txt", kElf);
  desk.folder.Write("a.txt", "#!/bin/sh\necho owned\n");
  fs::permissions(desk.folder.Write("b.txt", "plain words\n"), fs::perms::owner_exec, fs::perm_options::add);
  fs::permissions(desk.folder.Write("c.pdf", "%PDF-1.7\n"), fs::perms::others_exec, fs::perm_options::add);
  desk.folder.Write("page.html", "<html>\0</html>"s);
  // A document's name leading to a script of the folder, and the reverse.
  desk.folder.Write("tool.sh", "echo owned\n");
  fs::create_symlink("tool.sh", desk.folder.path() / "notes.txt");
  desk.folder.Write("real.pdf", "%PDF-1.4\n");
  fs::create_symlink("real.pdf", desk.folder.path() / "open.sh");
  ASSERT_EQ(::mkfifo((desk.folder.path() / "pipe.txt").c_str(), 0600), 0);
  const std::vector<std::string> refused{"run.py",    "run.bash",  "setup.exe.",  "report.pdf.", "report.pdf%20",
                                         "a.desktop", "a.pdf",     "program.txt", "a.txt",       "b.txt",
                                         "c.pdf",     "page.html", "notes.txt",   "open.sh",     "pipe.txt"};
  EXPECT_EQ(OpenedOf(desk, refused), 0u) << ::testing::PrintToString(desk.ui.opened);
  ASSERT_EQ(desk.ui.Messages().size(), refused.size());
  for (const auto& message : desk.ui.Messages()) EXPECT_EQ(message.rfind("Error running External Link [", 0), 0u);
  const std::string script = (desk.folder.path() / "a.txt").string();
  EXPECT_EQ(desk.ui.Messages()[8], "Error running External Link [" + script + "]\nLinks may not start programs.");
  const std::string elf = (desk.folder.path() / "a.pdf").string();
  EXPECT_EQ(desk.ui.Messages()[6],
            "Error running External Link [" + elf + "]\nThe file's contents are not those of a .pdf document.");
}

TEST(LinkedDocuments, DocumentsWhoseContentsFitTheirNameOpen) {
  Desk desk;
  const std::vector<std::pair<std::string, std::string>> documents{
      {"notes.TXT", "Field notes\r\nline two\n"},
      {"data.csv", "name,count\nrobin,3\n"},
      {"list.xml", "<?xml version=\"1.0\"?><a/>"},
      {"Page.Htm", "<html><body>hello</body></html>"},
      {"empty.txt", ""},
      {"paper.pdf", "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n"},
      {"shot.png", "\x89PNG\r\n\x1A\n\x00\x00\x00\x0DIHDR"s},
      {"photo.JPEG", "\xFF\xD8\xFF\xE0\x00\x10JFIF\x00"s},
      {"anim.gif", "GIF89a\x01\x00\x01\x00"s},
      {"plain.bmp", "BM\x3A\x00\x00\x00"s},
      {"scan.tif", "II*\x00\x08\x00\x00\x00"s},
      {"scan2.tiff", "MM\x00*\x00\x00\x00\x08"s},
      {"pic.webp", "RIFF\x24\x00\x00\x00WEBPVP8 "s},
      {"letter.rtf", "{\\rtf1\\ansi hello}"},
      {"sheet.xlsx", "PK\x03\x04\x14\x00\x06\x00"s},
      {"text.odt", "PK\x03\x04\x14\x00\x00\x08"s},
      {"old.doc", "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\x00\x00"s},
      {"old.ppt", "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\x00\x00"s},
  };
  std::vector<std::string> names;
  for (const auto& [name, bytes] : documents) {
    desk.folder.Write(name, bytes);
    names.push_back(name);
  }
  EXPECT_EQ(OpenedOf(desk, names), documents.size()) << ::testing::PrintToString(desk.ui.Messages());
  EXPECT_TRUE(desk.ui.Messages().empty());
}

TEST(LinkedDocuments, OnlyDocumentEndingsCount) {
  for (const char* name : {"a.txt", "A.PDF", "b.docx", "c.Jpeg", "d.odp", "e.html"})
    EXPECT_TRUE(HasDocumentEnding(name)) << name;
  for (const char* name : {"run.py", "run.bash", "setup.exe.", "a.pdf.", "a.pdf ", "a.desktop", "pdf", ".pdf", "a.svg",
                           "a.js", "a.htm.sh", ""})
    EXPECT_FALSE(HasDocumentEnding(name)) << name;
}

}  // namespace
