// The sample key's size picture used as an author and a user would: draw
// the missing region in the editor, save, open it again, then narrow the
// birds by clicking regions in the selection dialog.
#include <QMenu>
#include <QPushButton>

#include "E2eSupport.h"
#include "database/BitMatrix.h"
#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"
#include "editors/qt/ImageRegionEditor.h"
#include "editors/qt/ImageRegionSelectDlg.h"
#include "editors/qt/RegionDialogSupport.h"
#include "gui_regions/RegionGuiSupport.h"
#include "shell/qt/LeftView.h"
#include "shell/qt/TreeModel.h"

using namespace e2e;
using namespace regions_gui;

namespace {
class SampleRegions : public SampleKeyTest {
 protected:
  int SizeMenu() const { return Doc().FindMenuByTitle("Size", false); }
  int SizeAttribute(int row) const { return Doc().GetMenu(SizeMenu()).children.at(row); }
  HTREEITEM Node(int attribute) const { return m_frame->LeftView()->Tree().FindAttributeNode(attribute); }
  // A right press on the attribute's label, answering its popup with the entry.
  void ChooseFromPopup(int attribute, const QString& entry) {
    CLeftView& tree = *m_frame->LeftView();
    tree.SetPopupRunner([entry](QMenu& menu, const QPoint&) -> QAction* {
      for (QAction* action : menu.actions())
        if (action->text() == entry) return action;
      return nullptr;
    });
    RightPressAttribute(tree, attribute);
  }
  static RegionAttributeList& ListOf(QDialog& dialog) {
    return *dialog.findChild<RegionAttributeList*>("attributeList");
  }
  static void Ok(QDialog& dialog) { QTest::mouseClick(dialog.findChild<QPushButton*>("ok"), Qt::LeftButton); }
};
}  // namespace

TEST_F(SampleRegions, DrawSaveReopenAndNarrowTheBirdsByClickingRegions) {
  ASSERT_LT(SizeMenu(), Doc().MenuCount());
  const int large = SizeAttribute(3), tiny = SizeAttribute(0);
  // The author draws the largest bar's outline and binds it to its size.
  platform::qt::SetModalHook([](QDialog& dialog) {
    auto& editor = dynamic_cast<CImageRegionEditor&>(dialog);
    editor.show();
    EXPECT_FALSE(ListOf(dialog).IsChecked(3));
    for (const QPoint& corner : {QPoint(124, 20), QPoint(150, 20), QPoint(150, 98), QPoint(124, 98)})
      Click(editor.Control(), corner);
    ListOf(dialog).setCurrentRow(3);
    QTest::keyClick(ListOf(dialog).viewport(), Qt::Key_Space);
    Ok(dialog);
    return dialog.result();
  });
  ChooseFromPopup(large, "Edit Region");
  bool reopenedChecked = false;
  platform::qt::SetModalHook([&](QDialog& dialog) {
    reopenedChecked = ListOf(dialog).IsChecked(3);
    return int(QDialog::Rejected);
  });
  ChooseFromPopup(large, "Edit Region");
  EXPECT_TRUE(reopenedChecked) << "the saved region is read back";

  // The user places OR marks: Tiny (the clicked region) and Large by a click on its bar.
  platform::qt::SetModalHook([](QDialog& dialog) {
    auto& select = dynamic_cast<CImageRegionSelectDlg&>(dialog);
    select.show();
    Hover(select.Control(), {137, 60});
    Click(select.Control(), {137, 60});
    EXPECT_TRUE(ListOf(dialog).IsChecked(3));
    Ok(dialog);
    return dialog.result();
  });
  const int before = Doc().m_remainingCount;
  m_frame->LeftView()->ApplyRegionMark(MARK_OR, Node(tiny));
  EXPECT_EQ(Doc().GetAttributeMark(tiny), MARK_OR);
  EXPECT_EQ(Doc().GetAttributeMark(large), MARK_OR);
  EXPECT_LT(Doc().m_remainingCount, before) << "the birds are narrowed";
  for (int item = 0; item < Doc().ItemCount(); ++item)
    if (Doc().IsItemRemaining(item)) {
      const DWORD* row = Doc().GetItemAttributeBits(item);
      EXPECT_TRUE(TestBit(row, tiny) || TestBit(row, large)) << GetItemDisplayName(Doc(), item);
    }
  platform::qt::SetModalHook(nullptr);
}
