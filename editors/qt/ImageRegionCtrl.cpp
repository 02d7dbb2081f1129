#include "editors/qt/ImageRegionCtrl.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QSet>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QScreen>
#include <QScrollBar>
#include <QToolTip>

#include "database/RegularFileRead.h"
#include "editors/RegionPaintList.h"

namespace {
constexpr int kHoverPeriodMs = 100;

QPen PenFor(RegionPen pen) {
  switch (pen) {
    case RegionPen::Drawing:
      return QPen(QColor(255, 0, 0), 1);
    case RegionPen::Region:
      return QPen(QColor(0, 0, 255), 1);
    case RegionPen::Highlight:
      return QPen(QColor(0, 0, 255), 3);
  }
  return QPen();
}

QPolygon ToQPolygon(const RegionPolygon& polygon) {
  QPolygon result;
  result.reserve(static_cast<int>(polygon.size()));
  for (const RegionPoint& point : polygon) result << QPoint(point.x, point.y);
  return result;
}

// Region rectangles are half-open; Qt outlines a rectangle through its last pixel.
QRect ToQRect(const RegionRect& rect) {
  return QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
}

RegionSize ScreenClientSize() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {};
  const QSize size = screen->availableGeometry().size();
  return {size.width(), size.height()};
}
}  // namespace

namespace {
const QSet<QByteArray> kRasterFormats = {"bmp", "png",  "pbm", "pgm",  "ppm",  "xbm", "xpm",  "gif",  "ico",
                                         "jpg", "jpeg", "tif", "tiff", "webp", "tga", "wbmp", "icns", "mng"};
}  // namespace

CImageRegionCtrl::CImageRegionCtrl(ImageRegionCtrlState& state, QWidget* parent)
    : QAbstractScrollArea(parent), m_state(state) {
  setObjectName("ImgRegion");
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_hoverTimer.setInterval(kHoverPeriodMs);
  connect(&m_hoverTimer, &QTimer::timeout, this, &CImageRegionCtrl::OnHoverTick);
}

namespace {
// A picture larger than this could not be shown once decoded anyway.
constexpr std::size_t kMaxPictureFileBytes = std::size_t{256} << 20;
}  // namespace

bool CImageRegionCtrl::LoadPicture(const std::string& path) {
  // Only the raster format the name says decodes: a key's drawing under a
  // picture's name is never handed to another reader.
  const QByteArray format = QFileInfo(QString::fromStdString(path)).suffix().toLower().toLatin1();
  // The picture comes with the key: read only as a plain file of its folder,
  // without blocking and within a bound, so a FIFO or a device under its
  // name cannot hold the dialog; what cannot be read shows no picture.
  std::string bytes, error;
  m_picture = QImage();
  if (kRasterFormats.contains(format) && ReadKeyFile(path, kMaxPictureFileBytes, bytes, error)) {
    QByteArray data = QByteArray::fromStdString(bytes);
    bytes = std::string();
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    // Rotated camera pictures must keep the coordinates their regions were drawn in.
    reader.setAutoTransform(false);
    m_picture = reader.read();
  }
  const RegionSize size = m_picture.isNull() ? RegionSize{} : RegionSize{m_picture.width(), m_picture.height()};
  m_state.SetPictureSize(size);
  viewport()->update();
  return !m_picture.isNull();
}

RegionSize CImageRegionCtrl::SetupScrollBars() {
  const RegionSize visible = m_state.SetupScrollBars(MaxVisibleSize(ScreenClientSize()));
  setHorizontalScrollBarPolicy(m_state.Bar(ScrollAxis::Horizontal).needed ? Qt::ScrollBarAlwaysOn
                                                                          : Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(m_state.Bar(ScrollAxis::Vertical).needed ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  UpdateBarRanges();
  horizontalScrollBar()->setValue(0);
  verticalScrollBar()->setValue(0);
  return visible;
}

QSize CImageRegionCtrl::SizeFor(RegionSize visible) const {
  const int frame = 2 * frameWidth();
  const int barWidth = m_state.Bar(ScrollAxis::Vertical).needed ? verticalScrollBar()->sizeHint().width() : 0;
  const int barHeight = m_state.Bar(ScrollAxis::Horizontal).needed ? horizontalScrollBar()->sizeHint().height() : 0;
  return {visible.width + frame + barWidth, visible.height + frame + barHeight};
}

// The bars' largest position shows the picture's far edge in the viewport as it is now.
void CImageRegionCtrl::UpdateBarRanges() {
  const ScrollBarSetup& across = m_state.Bar(ScrollAxis::Horizontal);
  const ScrollBarSetup& down = m_state.Bar(ScrollAxis::Vertical);
  horizontalScrollBar()->setRange(0, across.needed ? ScrollLimit(across) - 1 : 0);
  horizontalScrollBar()->setPageStep(across.page);
  horizontalScrollBar()->setSingleStep(6);
  verticalScrollBar()->setRange(0, down.needed ? ScrollLimit(down) - 1 : 0);
  verticalScrollBar()->setPageStep(down.page);
  verticalScrollBar()->setSingleStep(6);
}

void CImageRegionCtrl::scrollContentsBy(int, int) {
  m_state.Scroll(ScrollAxis::Horizontal, ScrollRequest::Thumb, viewport()->width(), horizontalScrollBar()->value());
  m_state.Scroll(ScrollAxis::Vertical, ScrollRequest::Thumb, viewport()->height(), verticalScrollBar()->value());
  viewport()->update();
}

void CImageRegionCtrl::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateBarRanges();
}

void CImageRegionCtrl::StartHoverTips() {
  if (m_state.StartHoverTips()) m_hoverTimer.start();
}

void CImageRegionCtrl::SetHighlightedRegion(const std::string& id) {
  m_state.SetHighlightedRegion(id);
  viewport()->update();
}

void CImageRegionCtrl::ClearCurrent() {
  m_state.ClearCurrent();
  viewport()->update();
}

bool CImageRegionCtrl::AddCurrentRegion(const std::string& id) {
  const bool stored = m_state.AddCurrentRegion(id);
  viewport()->update();
  return stored;
}

void CImageRegionCtrl::DeleteRegion(const std::string& id) {
  if (m_state.DeleteRegion(id)) viewport()->update();
}

void CImageRegionCtrl::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  const RegionPoint origin = m_state.ScrollOrigin();
  painter.translate(-origin.x, -origin.y);
  if (!m_picture.isNull()) painter.drawImage(0, 0, m_picture);
  painter.setBrush(Qt::NoBrush);
  for (const RegionStroke& stroke : BuildPaintList(m_state)) {
    painter.setPen(PenFor(stroke.pen));
    if (!stroke.polygon)
      painter.drawRect(ToQRect(stroke.rectangle));
    else if (stroke.closed)
      painter.drawPolygon(ToQPolygon(*stroke.polygon));
    else
      painter.drawPolyline(ToQPolygon(*stroke.polygon));
  }
  // The band is painted over the picture on every repaint, so nothing needs erasing.
  if (const std::optional<RubberBand> band = m_state.CurrentRubberBand()) {
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    const QPoint from(band->from.x, band->from.y), to(band->to.x, band->to.y);
    if (band->rectangle)
      painter.drawRect(QRect(from, to).normalized());
    else
      painter.drawLine(from, to);
  }
}

void CImageRegionCtrl::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
  m_state.Press(ToClient(event->position().toPoint()));
  viewport()->update();
}

void CImageRegionCtrl::mouseMoveEvent(QMouseEvent* event) {
  m_lastMouse = event->position().toPoint();
  const bool hoverChanged = m_state.Move(ToClient(m_lastMouse));
  if (hoverChanged) QToolTip::hideText();
  if (m_state.Dragging()) viewport()->update();
}

void CImageRegionCtrl::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mouseReleaseEvent(event);
  m_state.Release(ToClient(event->position().toPoint()));
  viewport()->update();
  emit clicked();
}

void CImageRegionCtrl::OnHoverTick() {
  const bool show = m_state.HoverTick();
  if (!show) {
    if (QToolTip::isVisible()) QToolTip::hideText();
    return;
  }
  const QString text = QString::fromStdString(m_state.GetHoveredId());
  if (QToolTip::isVisible() && QToolTip::text() == text) return;
  const RegionPoint anchor = ImageRegionCtrlState::TooltipAnchor(ToClient(m_lastMouse));
  QToolTip::showText(viewport()->mapToGlobal(QPoint(anchor.x, anchor.y)), text, viewport());
}
