#pragma once

#include <QObject>
#include <atomic>

#include "document/document.h"
#include "serial/transfer_settings.h"

class QWidget;

namespace chanora {

class WindowReporter;

// Runs the serial transfers that the document prepares on a worker thread,
// behind an application-modal progress dialog with a Cancel button, while
// the window keeps painting and shows the transfer's lines and progress.
class TransferRunner : public QObject {
  Q_OBJECT

 public:
  // `timing` gives the waits of every transfer; its port and cancel flag are
  // the runner's own.
  TransferRunner(Document& document, WindowReporter& reporter, QWidget* window, TransferSettings timing = {});

  // Runs the transfer and hands its result to the document; returns what
  // the document makes of it. Returns only when the worker has ended.
  bool Run(const Transfer& transfer);
  bool Running() const { return running_; }
  // Asks the running transfer to stop; it ends at its next step and counts
  // as failed.
  void Cancel();

 signals:
  void started();
  // The worker is done; the document has not yet taken the result.
  void ended(Transfer::Kind kind);

 private:
  Document& document_;
  WindowReporter& reporter_;
  QWidget* window_;
  TransferSettings timing_;
  std::atomic<bool> cancel_{false};
  bool running_ = false;
};

}  // namespace chanora
