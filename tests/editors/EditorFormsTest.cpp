#include <gtest/gtest.h>

#include "database/BitMatrix.h"
#include "editors/AttributeEditorForm.h"
#include "editors/LineEnds.h"
#include "editors/MenuEditorForm.h"
#include "tree/SmallKey.h"

namespace {

// The message of the first failing check, empty when every check passes.
template <class Check>
std::string FirstFailure(ScriptedUi& ui, Check check) {
  const std::size_t before = ui.Messages().size();
  if (RunCommand(check)) return {};
  return ui.Messages().size() > before ? ui.Messages().back() : "(abandoned silently)";
}

MenuEditorForm Menu(std::string title, std::string difficulty) {
  MenuEditorForm form;
  form.title = std::move(title);
  form.difficulty = std::move(difficulty);
  return form;
}

AttributeEditorForm Attribute(std::string name) {
  AttributeEditorForm form;
  form.name = std::move(name);
  return form;
}

}  // namespace

TEST(MenuEditorForm, ChecksInOrderTitleThenIntegerThenRange) {
  ScriptedUi ui;
  auto doc = MakeSmallKey();
  const int menus = doc->MenuCount();
  auto store = [&](MenuEditorForm form) { return FirstFailure(ui, [&] { form.Store(*doc, -1, 0, false); }); };
  EXPECT_EQ(store(Menu("", "x")), "Menu name is empty.");
  EXPECT_EQ(store(Menu("Shape", "x")), "Enter an integer.");
  EXPECT_EQ(store(Menu("Shape", "")), "Enter an integer.");
  EXPECT_EQ(store(Menu("Shape", "2.5")), "Enter an integer.");
  EXPECT_EQ(store(Menu("Shape", "0")), "Enter an integer between 1 and 4.");
  EXPECT_EQ(store(Menu("Shape", "5")), "Enter an integer between 1 and 4.");
  EXPECT_EQ(doc->MenuCount(), menus);       // nothing stored by a failed check
  EXPECT_EQ(Menu("  ", " 3 ").Check(), 3);  // blanks are a title; blanks around a number are allowed
  EXPECT_EQ(MenuEditorForm::Load(*doc, -1).difficulty, "4");
}

TEST(MenuEditorForm, NewMenuTakesTheFirstFreeSlotAndJoinsTheParentsEnd) {
  ScriptedUi ui;
  auto doc = MakeSmallKey();
  MenuEditorForm form = Menu("Shape", "2");
  form.helpText = "How it looks";
  form.pictures = {"a.jpg", "ba.jpg"};
  const int appended = form.Store(*doc, -1, 0, true);
  EXPECT_EQ(appended, 3);
  EXPECT_EQ(doc->GetMenu(0).children, (std::vector<WORD>{1, 2, 3}));
  const CQMenudata& record = doc->GetMenu(3);
  EXPECT_EQ(record.kind, MENU_OF_ATTRIBUTES);
  EXPECT_EQ(record.parent, 0);
  EXPECT_EQ(record.difficulty, 2);
  EXPECT_EQ(record.helpText, "How it looks");
  EXPECT_EQ(record.pictures, "a.jpg;ba.jpg");
  // A freed slot comes first.
  doc->ClearMenu(1);
  std::erase(doc->GetMenu(0).children, WORD{1});
  EXPECT_EQ(Menu("Weight", "4").Store(*doc, -1, 0, false), 1);
  EXPECT_EQ(doc->GetMenu(1).kind, MENU_OF_MENUS);
  EXPECT_EQ(doc->GetMenu(0).children, (std::vector<WORD>{2, 3, 1}));
}

TEST(MenuEditorForm, ExistingMenuKeepsKindAndParent) {
  ScriptedUi ui;
  auto doc = MakeSmallKey();
  doc->GetMenu(2).pictures = "big.jpg;;small.jpg";
  MenuEditorForm form = MenuEditorForm::Load(*doc, 2);
  EXPECT_EQ(form.title, "Size");
  EXPECT_EQ(form.pictures, (std::vector<std::string>{"big.jpg", "small.jpg"}));
  form.title = "Bulk";
  form.difficulty = "1";
  EXPECT_EQ(form.Store(*doc, 2, 7, false), 2);  // flag and parent given are ignored
  EXPECT_EQ(doc->GetMenu(2).kind, MENU_OF_ATTRIBUTES);
  EXPECT_EQ(doc->GetMenu(2).parent, 0);
  EXPECT_EQ(doc->GetMenu(2).title, "Bulk");
  EXPECT_EQ(doc->GetMenu(2).difficulty, 1);
  EXPECT_EQ(doc->GetMenu(2).pictures, "big.jpg;small.jpg");
  EXPECT_EQ(doc->MenuCount(), 3);
}

TEST(AttributeEditorForm, TheLengthLimitIsTheNamesAloneAndComesBeforeEmptiness) {
  ScriptedUi ui;
  auto doc = MakeSmallKey();
  auto store = [&](AttributeEditorForm form) { return FirstFailure(ui, [&] { form.Store(*doc, -1, 1); }); };
  EXPECT_EQ(store(Attribute(std::string(201, 'x'))), "Enter no more than 200 characters.");
  EXPECT_EQ(store(Attribute("")), "Attribute name is empty.");
  EXPECT_EQ(doc->AttributeCount(), 5);
  // 200 characters of two bytes each are 200 characters.
  std::string accented;
  for (int i = 0; i < 200; ++i) accented += "\xC3\xA9";
  AttributeEditorForm longPictures = Attribute(accented);
  for (int i = 0; i < 30; ++i) longPictures.pictures.push_back("picture" + std::to_string(i) + ".jpg");
  EXPECT_EQ(store(longPictures), "");
  EXPECT_GT(doc->GetAttribute(5).pictures.size(), 200u);
  EXPECT_EQ(store(Attribute("   ")), "");  // blanks are a name
}

TEST(AttributeEditorForm, NewAttributeReusesTheFirstFreeSlotWithACleanColumn) {
  ScriptedUi ui;
  auto doc = MakeSmallKey();
  doc->ClearAttribute(kGreen);
  std::erase(doc->GetMenu(1).children, WORD{kGreen});
  AttributeEditorForm form = Attribute("Pink");
  form.helpText = "pale red";
  form.pictures = {"pink.jpg"};
  EXPECT_EQ(form.Store(*doc, -1, 1), kGreen);
  const CQAttdata& record = doc->GetAttribute(kGreen);
  EXPECT_EQ(record.menuIndex, 1);
  EXPECT_EQ(record.name, "Pink");
  EXPECT_EQ(record.helpText, "pale red");
  EXPECT_EQ(record.pictures, "pink.jpg");
  EXPECT_EQ(doc->GetMenu(1).children, (std::vector<WORD>{kRed, kBlue, kGreen}));
  for (int item = 0; item < doc->ItemCount(); ++item) EXPECT_FALSE(TestBit(doc->GetItemAttributeBits(item), kGreen));
  EXPECT_TRUE(doc->IsModified());
  // No free slot: the array grows.
  EXPECT_EQ(Attribute("Yellow").Store(*doc, -1, 1), 5);
  EXPECT_EQ(doc->AttributeCount(), 6);
}

TEST(AttributeEditorForm, ExistingAttributeIsRewrittenInPlace) {
  ScriptedUi ui;
  auto doc = MakeSmallKey();
  doc->GetAttribute(kRed).pictures = "a.jpg;ba.jpg;";
  AttributeEditorForm form = AttributeEditorForm::Load(*doc, kRed);
  EXPECT_EQ(form.pictures, (std::vector<std::string>{"a.jpg", "ba.jpg"}));
  form.name = "Crimson";
  EXPECT_EQ(form.Store(*doc, kRed, 1), kRed);
  EXPECT_EQ(doc->GetAttribute(kRed).name, "Crimson");
  EXPECT_EQ(doc->GetAttribute(kRed).pictures, "a.jpg;ba.jpg");
  EXPECT_EQ(doc->GetMenu(1).children.size(), 3u);
}

TEST(LineEnds, TypedLinesEndAsTheStoredTextsDid) {
  EXPECT_EQ(KeepLineEnds("a\nb\n", "x\r\ny"), "a\r\nb\r\n");
  EXPECT_EQ(KeepLineEnds("a\r\nb", "x\r\ny"), "a\r\nb");
  EXPECT_EQ(KeepLineEnds("a\nb", "x\ny"), "a\nb");
  EXPECT_EQ(KeepLineEnds("a\nb", ""), "a\nb");
}
