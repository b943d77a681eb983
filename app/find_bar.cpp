#include "app/find_bar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace chanora {

FindBar::FindBar(QWidget* parent) : QWidget(parent), edit_(new QLineEdit(this)) {
  setObjectName("findBar");
  edit_->setObjectName("findText");
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(new QLabel(QString::fromLatin1("Find:"), this));
  layout->addWidget(edit_, 1);
  edit_->installEventFilter(this);
  connect(edit_, &QLineEdit::textChanged, this, &FindBar::textChanged);
  hide();
}

void FindBar::Open() {
  show();
  edit_->setFocus(Qt::ShortcutFocusReason);
  edit_->selectAll();
}

QString FindBar::Text() const { return isHidden() ? QString() : edit_->text(); }

void FindBar::Close() {
  hide();
  {
    const QSignalBlocker quiet(edit_);
    edit_->clear();
  }
  emit closed();
}

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
  if (watched != edit_ || (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)) {
    return false;
  }
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (key != Qt::Key_F3 && key != Qt::Key_Escape) return false;
  event->accept();  // a ShortcutOverride accepted keeps the key from the window's shortcuts
  if (event->type() == QEvent::KeyPress) {
    if (key == Qt::Key_F3) {
      emit nextRequested();
    } else {
      Close();
    }
  }
  return true;
}

}  // namespace chanora
