#include "platform/qt/QtUi.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QUrl>

#include "platform/qt/DialogRunner.h"

// The developer's trace lines: silent unless switched on, for instance with
// QT_LOGGING_RULES="qor.trace.debug=true", so a user's terminal stays quiet.
Q_LOGGING_CATEGORY(lcQorTrace, "qor.trace", QtInfoMsg)

namespace platform::qt {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

QString CaptionOr(const std::string& caption) { return caption.empty() ? QStringLiteral("QOR") : Q(caption); }

QMessageBox::Icon ToQt(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Error:
      return QMessageBox::Critical;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::Information:
      break;
  }
  return QMessageBox::Information;
}

std::optional<std::string> Chosen(const QString& path) {
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

}  // namespace

QString FilterString(const std::vector<FileFilter>& filters) {
  QStringList parts;
  for (const auto& filter : filters) {
    QString patterns = Q(filter.patterns).replace(';', ' ');
    QString label = Q(filter.label);
    parts << (label.contains('(') ? label : label + " (" + patterns + ")");
  }
  return parts.join(";;");
}

QWidget* QtUi::Owner() const { return m_owner ? m_owner.data() : QApplication::activeWindow(); }

void QtUi::ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) {
  QMessageBox box(ToQt(icon), CaptionOr(caption), Q(text), QMessageBox::Ok, Owner());
  RunModal(box);
}

bool QtUi::AskYesNo(const std::string& text, bool defaultYes, const std::string& caption) {
  QMessageBox box(QMessageBox::Question, CaptionOr(caption), Q(text), QMessageBox::Yes | QMessageBox::No, Owner());
  box.setDefaultButton(defaultYes ? QMessageBox::Yes : QMessageBox::No);
  return RunModal(box) == QMessageBox::Yes;
}

int QtUi::AskYesNoCancel(const std::string& text, const std::string& caption) {
  QMessageBox box(QMessageBox::Question, CaptionOr(caption), Q(text),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, Owner());
  const int answer = RunModal(box);
  if (answer == QMessageBox::Yes) return 1;
  if (answer == QMessageBox::No) return 0;
  return -1;
}

std::optional<std::string> QtUi::AskOpenFileName(const std::string& title, const std::vector<FileFilter>& filters,
                                                 const std::string& initialPath) {
  return Chosen(QFileDialog::getOpenFileName(Owner(), Q(title), Q(initialPath), FilterString(filters)));
}

std::optional<std::string> QtUi::AskSaveFileName(const std::string& title, const std::vector<FileFilter>& filters,
                                                 const std::string& initialPath) {
  return AskFileToWrite(title, filters, initialPath, true);
}

std::optional<std::string> QtUi::AskOutputFileName(const std::string& title, const std::vector<FileFilter>& filters,
                                                   const std::string& initialPath) {
  return AskFileToWrite(title, filters, initialPath, false);
}

std::optional<std::string> QtUi::AskFileToWrite(const std::string& title, const std::vector<FileFilter>& filters,
                                                const std::string& initialPath, bool askReplace) {
  // A name in a folder that does not exist is refused and the dialog asked
  // again with it, so a save never starts on a path that cannot be written.
  QString proposed = Q(initialPath);
  for (;;) {
    QFileDialog dialog(Owner(), Q(title), proposed, FilterString(filters));
    dialog.setObjectName("saveFileDialog");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontUseNativeDialog);  // answered through the modal seam like every dialog
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !askReplace);
    if (!proposed.isEmpty()) dialog.selectFile(proposed);
    if (RunModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QFileInfo chosen(dialog.selectedFiles().first());
    if (QFileInfo(chosen.absolutePath()).isDir()) return Chosen(chosen.absoluteFilePath());
    ShowMessage(
        (chosen.absoluteFilePath() + "\nThe folder does not exist.\nCheck the path and try again.").toStdString(),
        title, MessageIcon::Warning);
    proposed = chosen.absoluteFilePath();
  }
}

std::optional<std::string> QtUi::AskFolder(const std::string& title, const std::string& initialFolder) {
  return Chosen(QFileDialog::getExistingDirectory(Owner(), Q(title), Q(initialFolder)));
}

bool QtUi::OpenExternal(const std::string& address) {
  const QString text = Q(address);
  const QUrl url = text.contains("://") || text.startsWith("mailto:") ? QUrl(text) : QUrl::fromLocalFile(text);
  return QDesktopServices::openUrl(url);
}

void QtUi::SetWaitCursor(bool on) {
  if (on)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void QtUi::Trace(const std::string& line) { qCDebug(lcQorTrace).noquote() << Q(line).trimmed(); }

}  // namespace platform::qt
