// Arbitrary link addresses clicked on report pages of a small loaded
// database, under every link action class. The input's first three bytes
// choose the page's action, the popup answer and the flags (Shift held,
// database locked, analysis page shown); the rest is the link's raw href.
#include <array>
#include <memory>
#include <string>

#include "EngineFixtures.h"
#include "fuzz/FuzzTargets.h"
#include "fuzz/support/FuzzFrame.h"
#include "fuzz/support/FuzzScratch.h"
#include "reports/Action.h"
#include "reports/Report.h"

namespace {

constexpr std::size_t kChoiceBytes = 3;

// Every command either popup can return, closing it (0) and a stray value.
constexpr std::array kPopupAnswers{0,
                                   int{kCmdFindItemInList},
                                   int{kCmdToggleEliminated},
                                   int{kCmdItemDescription},
                                   int{kCmdDistinctive},
                                   int{kCmdEditItem},
                                   int{kCmdEditItemReferences},
                                   int{kCmdEditItemAttributes},
                                   int{kCmdMarkYes},
                                   int{kCmdMarkOr},
                                   int{kCmdMarkNo},
                                   int{kCmdMarkNever},
                                   int{kCmdMarkOnly},
                                   int{kCmdMarkClear},
                                   12345};

std::unique_ptr<ReportAction> GalleryAction(int kind) {
  auto action = std::make_unique<ActionForGalleryReport>();
  action->m_kind = kind;
  return action;
}

std::unique_ptr<ReportAction> MakeAction(std::uint8_t choice, int regionMenu) {
  switch (choice % 12) {
    case 0:
      return std::make_unique<ReportAction>();
    case 1:
      return std::make_unique<ActionFindItem>();
    case 2:
      return std::make_unique<ActionFindMenuItem>();
    case 3:
      return std::make_unique<ActionForItemsReport>();
    case 4:
      return std::make_unique<ActionForItemReport>();
    case 5:
      return std::make_unique<ActionFindMenuAndItem>();
    case 6:
      return GalleryAction(kReportGallery);
    case 7:
      return GalleryAction(kReportEliminated);
    case 8:
      return std::make_unique<ActionForMenuListRepotrt>();
    case 9:
      return std::make_unique<ActionForAnalize>();
    case 10:
      return std::make_unique<ActionSelectRegion>(FuzzFrame::kMenuNode + regionMenu);
    default:
      return std::make_unique<ActionSelectRegion>();
  }
}

}  // namespace

FuzzVerdict FuzzLinkActions(const std::uint8_t* data, std::size_t size) {
  if (size < kChoiceBytes) return FuzzVerdict::Rejected;
  const std::uint8_t flags = data[2];
  FiveItems database;
  CZAVDoc& doc = *database;
  doc.m_pathName = (FuzzScratch::Get().Path() / "five.qor").string();
  doc.m_header.lockWord = (flags & 2) ? 0 : 1;
  doc.m_reportKind = (flags & 4) ? kReportAnalysis : kReportMenus;
  database.Evaluate();
  FuzzFrame frame(doc, kPopupAnswers[data[1] % kPopupAnswers.size()], (flags & 8) != 0);
  frame.Slots().Install(MakeAction(data[0], 1));
  const std::string address(reinterpret_cast<const char*>(data) + kChoiceBytes, size - kChoiceBytes);
  const bool handled = frame.Slots().Dispatch(doc, frame, address, (flags & 1) != 0);
  return handled ? FuzzVerdict::Accepted : FuzzVerdict::Rejected;
}
