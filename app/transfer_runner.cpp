#include "app/transfer_runner.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <memory>

#include "app/window_reporter.h"
#include "serial/serial_port.h"

namespace chanora {
namespace {

QString DialogLabel(Transfer::Kind kind) {
  return kind == Transfer::Kind::Upload ? QStringLiteral("Uploading the channel list from the receiver...")
                                        : QStringLiteral("Downloading to the receiver's flash memory...");
}

}  // namespace

TransferRunner::TransferRunner(Document& document, WindowReporter& reporter, QWidget* window, TransferSettings timing)
    : document_(document), reporter_(reporter), window_(window), timing_(std::move(timing)) {}

bool TransferRunner::Run(const Transfer& transfer) {
  cancel_ = false;
  running_ = true;
  emit started();

  QProgressDialog dialog(DialogLabel(transfer.kind), QStringLiteral("Cancel"), 0, 100, window_);
  dialog.setWindowTitle(QStringLiteral("Chanora"));
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.setAutoClose(false);
  dialog.setAutoReset(false);
  dialog.setMinimumDuration(0);
  connect(&dialog, &QProgressDialog::canceled, this, &TransferRunner::Cancel);
  connect(&reporter_, &WindowReporter::progressSet, &dialog, &QProgressDialog::setValue);
  dialog.setValue(0);

  TransferSettings settings = timing_;
  settings.cancel = &cancel_;
  bool succeeded = false;
  // The worker touches only the transfer, its own port and the forwarding
  // reporter; the document stays on this thread.
  std::unique_ptr<QThread> worker(QThread::create([&] {
    auto port = MakeSystemSerialPort(&cancel_);
    ForwardingReporter forwarding(reporter_);
    succeeded = RunTransfer(transfer, *port, forwarding, settings);
  }));
  QEventLoop loop;
  connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
  worker->start();
  loop.exec();
  worker->wait();
  dialog.hide();

  running_ = false;
  emit ended(transfer.kind);
  return document_.FinishTransfer(transfer, succeeded);
}

void TransferRunner::Cancel() { cancel_ = true; }

}  // namespace chanora
