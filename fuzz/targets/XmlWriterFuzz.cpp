// Arbitrary bytes as the names and texts an exporter is handed, split at
// each zero byte: every piece is written by the XML exporter's writer as an
// element's text (and tried as an element's name), and the file must read
// back with an XML reader: every element there, in order, with its index,
// and every text that needed no replacement as it was given.
#include <QFile>
#include <QString>
#include <QXmlStreamReader>
#include <string>
#include <vector>

#include "exporters/xml/XmlElementWriter.h"
#include "fuzz/FuzzTargets.h"
#include "fuzz/support/FuzzScratch.h"

namespace {

std::vector<std::string> Pieces(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> pieces(1);
  for (std::size_t i = 0; i < size; ++i)
    if (data[i] == 0)
      pieces.emplace_back();
    else
      pieces.back() += static_cast<char>(data[i]);
  return pieces;
}

// False when the writer refused a call it must take.
bool Write(const std::string& path, const std::vector<std::string>& pieces, int& namesTaken) {
  XmlElementWriter writer;
  if (!writer.Open(path) || !writer.Begin("QOR", -1)) return false;
  for (std::size_t i = 0; i < pieces.size(); ++i)
    if (!writer.Add("NAME", pieces[i], static_cast<std::int32_t>(i))) return false;
  if (!writer.End("QOR")) return false;
  // A piece as an element's name: refused (the writer then commits nothing)
  // or written as a well-formed element.
  XmlElementWriter named;
  const std::string namedPath = path + ".named";
  namesTaken = named.Open(namedPath) && named.Add(pieces.front(), "", 0) && named.Commit();
  return writer.Commit();
}

bool ReadsBack(const std::string& path, const std::vector<std::string>& pieces) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return false;
  QXmlStreamReader xml(&file);
  if (!xml.readNextStartElement() || xml.name() != QStringLiteral("QOR")) return false;
  std::size_t count = 0;
  while (xml.readNextStartElement()) {
    if (count >= pieces.size() || xml.attributes().value("index").toInt() != static_cast<int>(count)) return false;
    const QString text = xml.readElementText();
    const QString given = QString::fromUtf8(pieces[count]);
    if (!text.contains(QChar(0xFFFD)) && !given.contains(QChar(0xFFFD)) && text != given) return false;
    ++count;
  }
  while (!xml.atEnd()) xml.readNext();
  return !xml.hasError() && count == pieces.size();
}

bool NamedReadsBack(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return false;
  QXmlStreamReader xml(&file);
  while (!xml.atEnd()) xml.readNext();
  return !xml.hasError();
}

}  // namespace

FuzzVerdict FuzzXmlWriter(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> pieces = Pieces(data, size);
  const std::string path = (FuzzScratch::Get().Path() / "export.xml").string();
  int namesTaken = 0;
  if (!Write(path, pieces, namesTaken) || !ReadsBack(path, pieces)) return FuzzVerdict::Violated;
  if (namesTaken && !NamedReadsBack(path + ".named")) return FuzzVerdict::Violated;
  return namesTaken ? FuzzVerdict::Accepted : FuzzVerdict::Rejected;
}
