// The menu list (kind 1): every menu with its attributes, the current
// marks and, by option, help texts, picture names and pictures. Paged by
// pictures and page length.
#pragma once

#include "reports/Report.h"

class CReportMenu : public CReport {
 public:
  explicit CReportMenu(CZAVDoc& document);

  void Build() override;

  static constexpr int kPicturesPerPage = 20;
  static constexpr std::size_t kPageLength = 100000;

 private:
  void AppendRootAttributes();
  void AppendMenu(int menu);
  // The attribute's bulleted, linked name with its mark.
  std::string AttributeEntry(int attribute) const;
  // Help text and picture names as the options ask.
  std::string SecondText(const std::string& help, const std::string& pictures) const;
  std::string Pictures(const std::string& pictures, bool linked);

  bool m_description = false;
  bool m_file = false;
  bool m_picture = false;
  int m_pictureCount = 0;  // pictures the cells of this page have processed
};
