#include "app/about_dialog.h"

#include <QApplication>
#include <algorithm>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include "base/version.h"

namespace chanora {
namespace {

constexpr const char* kVersionLabels = "Chanora Version :\r\n\r\nLast Modefied Date: ";
constexpr const char* kLastModified = "2000.07.25";
constexpr const char* kHistory =
    "2000.07.19: adjusting upload for large size\r\n"
    "2000.07.20: adjusting compile normal for pid section to be read at receiver\r\n"
    "2000.07.21: add Cut / Paste channel and Group Channel Move\r\n"
    "2000.07.24: delete nell channel when loading/uploading\r\n"
    "2000.07.25: adjusting upload function to be able to upload which size is upper then 100kbyte\r\n";

// The texts keep the program's CR LF; a Qt widget breaks lines at LF alone.
QString AsLines(const char* text) { return QString::fromLatin1(text).replace("\r\n", "\n"); }

QLineEdit* ReadOnlyField(const QString& text, QWidget* parent) {
  auto* field = new QLineEdit(text, parent);
  field->setReadOnly(true);
  return field;
}

}  // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle("About Chanora");

  auto* picture = new QLabel(this);
  picture->setPixmap(QApplication::windowIcon().pixmap(32, 32));

  const std::string_view version = ProgramVersion();
  auto* versionField =
      ReadOnlyField(QString::fromLatin1(version.data(), static_cast<qsizetype>(version.size())), this);
  auto* dateField = ReadOnlyField(kLastModified, this);

  auto* history = new QPlainTextEdit(AsLines(kHistory), this);
  history->setReadOnly(true);
  history->setLineWrapMode(QPlainTextEdit::NoWrap);
  // Wide enough for the longest history line, without a scroll bar.
  int widest = 0;
  for (const QString& line : AsLines(kHistory).split('\n')) {
    widest = std::max(widest, history->fontMetrics().horizontalAdvance(line));
  }
  history->setMinimumWidth(widest + 2 * history->frameWidth() + history->verticalScrollBar()->sizeHint().width() + 16);
  history->setMinimumHeight(history->fontMetrics().lineSpacing() * 7);

  auto* ok = new QPushButton("OK", this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QGridLayout(this);
  layout->addWidget(picture, 0, 0, 2, 1, Qt::AlignTop);
  layout->addWidget(new QLabel(AsLines(kVersionLabels), this), 0, 1, 2, 1);
  layout->addWidget(versionField, 0, 2);
  layout->addWidget(dateField, 1, 2);
  layout->addWidget(new QLabel("Not Support Pid Section", this), 2, 1, 1, 2);
  layout->addWidget(new QLabel("- - History - -", this), 3, 1, 1, 2);
  layout->addWidget(history, 4, 0, 1, 3);
  layout->addWidget(ok, 5, 0, 1, 3, Qt::AlignHCenter);
}

}  // namespace chanora
