#include "editors/qt/SteppingItemDialog.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "database/HelpPages.h"
#include "editors/SteppingItemEditor.h"
#include "platform/ErrorBox.h"

CSteppingItemDialog::CSteppingItemDialog(SteppingItemEditor& editor, std::string helpTopic, QWidget* parent)
    : QDialog(parent), m_editor(editor), m_helpTopic(std::move(helpTopic)) {
  setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
  m_layout = new QVBoxLayout(this);
  m_menuBar = new QMenuBar(this);
  m_menuBar->setNativeMenuBar(false);
  m_menuBar->setObjectName("editorMenuBar");
  m_layout->setMenuBar(m_menuBar);
  // Alt+N and Alt+P belong to the buttons below: a letter two controls claim
  // only moves the focus between them, and then neither steps.
  m_menuBar->addAction("Previous", this, [this] { Step(false); })->setObjectName("previousCommand");
  m_menuBar->addAction("Next", this, [this] { Step(true); })->setObjectName("nextCommand");
  m_okAction = m_menuBar->addAction("OK", this, [this] { Ok(); });
  m_menuBar->addAction("Cancel", this, [this] { reject(); });

  auto* buttons = new QHBoxLayout;
  m_ok = new QPushButton("OK", this);
  m_cancel = new QPushButton("Cancel", this);
  auto* next = new QPushButton("&Next", this);
  auto* previous = new QPushButton("&Previous", this);
  m_ok->setObjectName("okButton");
  m_cancel->setObjectName("cancelButton");
  next->setObjectName("nextButton");
  previous->setObjectName("previousButton");
  m_ok->setDefault(true);
  for (QPushButton* button : {m_ok, m_cancel, next, previous}) buttons->addWidget(button);
  buttons->addStretch(1);
  m_layout->addLayout(buttons);
  connect(m_ok, &QPushButton::clicked, this, [this] { Ok(); });
  connect(m_cancel, &QPushButton::clicked, this, [this] { reject(); });
  connect(next, &QPushButton::clicked, this, [this] { Step(true); });
  connect(previous, &QPushButton::clicked, this, [this] { Step(false); });
  setWindowTitle(QString::fromStdString(editor.Caption()));
}

void CSteppingItemDialog::SetForm(QWidget* form) { m_layout->insertWidget(0, form, 1); }

void CSteppingItemDialog::AddMenuCommand(const QString& text, const char* objectName, std::function<void()> handler) {
  auto* action = new QAction(text, m_menuBar);
  action->setObjectName(objectName);
  connect(action, &QAction::triggered, this, [handler = std::move(handler)] { RunCommand(handler); });
  m_menuBar->insertAction(m_okAction, action);
}

void CSteppingItemDialog::Step(bool next) {
  RunCommand([&] { next ? m_editor.Next() : m_editor.Previous(); });
  setWindowTitle(QString::fromStdString(m_editor.Caption()));
  ReloadForm();
}

void CSteppingItemDialog::Ok() {
  if (RunCommand([this] { m_editor.Ok(); })) QDialog::accept();
}

void CSteppingItemDialog::reject() {
  bool close = false;
  RunCommand([&] { close = m_editor.Cancel(); });
  if (close) QDialog::reject();
}

void CSteppingItemDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    ShowHelp(m_helpTopic, true);
    return;
  }
  QDialog::keyPressEvent(event);
}
