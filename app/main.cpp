#include <QApplication>
#include <QCommandLineParser>

#include "app/main_window.h"
#include "app/qt_settings.h"
#include "document/options.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setOrganizationName("Velk");
  QApplication::setApplicationName("Chanora");

  QCommandLineParser parser;
  parser.setApplicationDescription("Edits, compiles and transfers the channel list of a receiver.");
  parser.addHelpOption();
  const QCommandLineOption portOption("port", "The serial port of this run (COM1 to COM4 or a device).", "PORT");
  parser.addOption(portOption);
  const QCommandLineOption screenshotOption(
      "screenshot", "Render the window (1280x800, the list open) to a PNG file and quit.", "PNG");
  parser.addOption(screenshotOption);
  parser.addPositionalArgument("list", "A channel list (.txt) to open.", "[LIST.txt]");
  parser.process(application);

  chanora::QtSettings settings;
  if (parser.isSet(portOption)) {
    chanora::Options options = chanora::ReadOptions(settings);
    options.port = parser.value(portOption).toStdString();
    chanora::StoreOptions(settings, options);
  }

  chanora::MainWindow window(settings);
  const bool screenshot = parser.isSet(screenshotOption);
  if (screenshot) {
    window.resize(1280, 800);
    window.show();
  } else {
    window.ShowAtStart();
  }
  if (!parser.positionalArguments().isEmpty()) {
    window.OpenList(parser.positionalArguments().first().toStdString());  // UTF-8, as every path inside
  }
  if (screenshot) return window.grab().save(parser.value(screenshotOption)) ? 0 : 1;
  return application.exec();
}
