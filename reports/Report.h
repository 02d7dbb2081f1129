// The base of all reports: built once on a document, writes one page into
// the page buffer and hands page and link action to the document's HTML view.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "database/Records.h"
#include "platform/ReportFactory.h"

class CZAVDoc;
class ReportAction;

class CReport {
 public:
  explicit CReport(CZAVDoc& document);
  CReport(CZAVDoc& document, std::string title);
  // A report of that kind; the document remembers the argument it shows.
  CReport(CZAVDoc& document, ReportKind kind, int argument);
  virtual ~CReport();
  CReport(const CReport&) = delete;
  CReport& operator=(const CReport&) = delete;

  // Builds the page and shows it with the action (may be null). A cancelled
  // or abandoned build frees the action and keeps the previous report kind.
  void Execute(std::unique_ptr<ReportAction> action, int keepPage);

  // Writes the page; the base writes an empty page with the title (or "Done.").
  virtual void Build();

  void WriteHead(bool movingPart, bool thumbnails);
  void WriteFooter(bool restoreScroll);

  // ---- pieces (ReportWriting.cpp) -------------------------------------------
  static std::string DivEnd();
  static std::string Heading1(const std::string& text);
  static std::string CourierSpan(const std::string& text);
  static std::string VerdanaSpan(const std::string& text);
  static std::string ParamNumber(const std::string& label, int number);
  static std::string ParamText(const std::string& label, const std::string& text, bool asParagraphs);
  std::string AttributeLine(int attribute, int depth, bool checked) const;

  void BeginTable(int columns);
  void EndTable();
  void AppendMovingPart(const std::string& html);
  void AppendHeading1(const std::string& text);
  void AppendVerdana(const std::string& text);
  void AppendCourier(const std::string& text);
  void AppendParamNumber(const std::string& label, int number);
  void AppendParamText(const std::string& label, const std::string& text, bool asParagraphs);
  void AppendAttributeLine(int attribute, int depth, bool checked);
  void AppendInput(const std::string& name, const std::string& value, const std::string& type, bool readonly);
  // A table row; the cells are HTML. Nothing is written for an empty text.
  void AppendRow(const std::string& html, const std::optional<std::string>& col2 = std::nullopt,
                 const std::optional<std::string>& col3 = std::nullopt,
                 const std::optional<std::string>& col4 = std::nullopt);

  // ---- the picture cell (ImageCell.cpp) -------------------------------------
  // Writes into `output` the cell of a ";"-separated picture list.
  //   height     pixels, 0 for none (sized cells then use "ThumbnailSize")
  //   title      status/viewer title, may be null
  //   sized      thumbnail pairs rather than plain pictures
  //   counter    increased for every picture written or missing, may be null
  //   linked     pictures link to the picture viewer
  //   first      index of the first picture of the list to write
  //   pageLimit  in: pictures per page; out: the number of names (may be null)
  //   stop       index at which to stop, 0 for none
  void ImageCell(std::string& output, const std::string& pictures, int height, const std::string* title, bool sized,
                 int* counter, bool linked, int first = 0, int* pageLimit = nullptr, int stop = 0) const;

  CZAVDoc& Document() const { return *m_pDoc; }
  int Kind() const { return m_Kind; }
  bool Cancelled() const { return m_Cancelled != 0; }

 protected:
  BYTE m_flag = 0;
  std::string m_Title;
  int m_Kind = 0;
  int m_KeepPage = 0;
  int m_FirstColumnWidth = 0;
  BYTE m_Cancelled = 0;
  CZAVDoc* m_pDoc;
  int m_Columns = 0;

 private:
  int m_kindBefore;  // the document's report kind before this report was made
};

// The program-wide picture counter that numbers thumbnail/full-size pairs.
int& PictureCounter();
