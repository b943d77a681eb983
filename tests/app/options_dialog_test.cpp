#include <gtest/gtest.h>

#include <QColorDialog>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "app/options_dialog.h"
#include "app/qt_settings.h"
#include "document/options.h"
#include "tests/app/dialogs_test_support.h"

namespace chanora {
namespace {

template <typename Widget>
Widget* Named(const QDialog& dialog, const QString& text) {
  for (Widget* widget : dialog.findChildren<Widget*>()) {
    if (widget->text() == text) return widget;
  }
  ADD_FAILURE() << "no control " << text.toStdString();
  return nullptr;
}

// A radio button takes a click on its mark.
void Pick(const QDialog& dialog, const QString& radio) {
  QRadioButton* button = Named<QRadioButton>(dialog, radio);
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
}

void Press(const QDialog& dialog, const QString& button) {
  QTest::mouseClick(Named<QPushButton>(dialog, button), Qt::LeftButton);
}

// Presses a colour button and answers the colour chooser it opens.
void ChooseColour(const QDialog& dialog, const QString& button, std::optional<QColor> chosen) {
  testing::AnswerNextModal<QColorDialog>([chosen](QColorDialog& chooser) {
    if (chosen) {
      chooser.setCurrentColor(*chosen);
      chooser.accept();
    } else {
      chooser.reject();
    }
  });
  Press(dialog, button);
}

TEST(OptionsDialog, OffersTheRunOptionsAndTheDefaultsOfAFirstRun) {
  MemorySettings settings;
  OptionsDialog dialog(settings, nullptr);
  EXPECT_EQ(dialog.windowTitle(), "Setting Option");
  ASSERT_NE(dialog.findChild<QGroupBox*>(), nullptr);
  EXPECT_EQ(dialog.findChild<QGroupBox*>()->title(), "Max Satellite Number");
  EXPECT_TRUE(Named<QRadioButton>(dialog, "32")->isChecked());
  EXPECT_FALSE(Named<QRadioButton>(dialog, "40")->isChecked());
  EXPECT_NE(Named<QLabel>(dialog, "Select Serial Com Port"), nullptr);
  auto* port = dialog.findChild<QComboBox*>();
  ASSERT_NE(port, nullptr);
  EXPECT_EQ(port->currentText(), "COM1");
  EXPECT_EQ(port->itemText(3), "COM4");
  EXPECT_TRUE(port->isEditable());
  for (const char* button : {"Text Color", "Background Color", "Load Default Color", "OK", "Cancel"}) {
    EXPECT_NE(Named<QPushButton>(dialog, button), nullptr);
  }
  // A second run of the dialog shows what the first one set.
  StoreOptions(settings, {40, "/dev/ttyUSB0"});
  OptionsDialog again(settings, nullptr);
  EXPECT_TRUE(Named<QRadioButton>(again, "40")->isChecked());
  EXPECT_EQ(again.findChild<QComboBox*>()->currentText(), "/dev/ttyUSB0");
}

TEST(OptionsDialog, OkStoresColoursForTheNextRunAndTheRunOptionsForThisOne) {
  testing::SettingsFolder folder;
  {
    QtSettings settings;
    OptionsDialog dialog(settings, nullptr);
    dialog.show();
    Pick(dialog, "40");
    ASSERT_TRUE(Named<QRadioButton>(dialog, "40")->isChecked());
    dialog.findChild<QComboBox*>()->setEditText("/dev/ttyUSB1 ");
    ChooseColour(dialog, "Text Color", QColor(200, 10, 20));
    Press(dialog, "OK");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.ColoursChanged());
    EXPECT_EQ(ReadOptions(settings).maxSatellites, 40);
    EXPECT_EQ(ReadOptions(settings).port, "/dev/ttyUSB1");
  }
  QtSettings nextRun;
  EXPECT_EQ(ListViewColours(nextRun), (ListColours{{200, 10, 20}, {192, 192, 192}}));
  EXPECT_EQ(ReadOptions(nextRun).maxSatellites, 32);
  EXPECT_EQ(ReadOptions(nextRun).port, "COM1");
  const std::string stored = testing::ReadBytes(folder.File());
  EXPECT_EQ(stored.find("ttyUSB1"), std::string::npos);
}

TEST(OptionsDialog, CancelStoresNothingEvenAfterColoursWereChosen) {
  MemorySettings settings;
  OptionsDialog dialog(settings, nullptr);
  dialog.show();
  Pick(dialog, "40");
  ChooseColour(dialog, "Background Color", QColor(0, 0, 0));
  Press(dialog, "Load Default Color");
  Press(dialog, "Cancel");
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_FALSE(dialog.ColoursChanged());
  EXPECT_EQ(ReadOptions(settings).maxSatellites, 32);
  EXPECT_EQ(settings.ReadInt(setting::kFontSize, 0), 0);
  EXPECT_EQ(settings.ReadInt(setting::kBackgroundRed, -1), -1);
}

TEST(OptionsDialog, OkWithoutAColourButtonStoresNoColours) {
  MemorySettings settings;
  OptionsDialog dialog(settings, nullptr);
  dialog.findChild<QComboBox*>()->setCurrentIndex(2);
  Press(dialog, "OK");
  EXPECT_FALSE(dialog.ColoursChanged());
  EXPECT_EQ(ReadOptions(settings).port, "COM3");
  EXPECT_EQ(settings.ReadInt(setting::kFontSize, 0), 0);
  EXPECT_EQ(settings.ReadInt(setting::kTextBlue, -1), -1);
}

TEST(OptionsDialog, ACancelledColourChooserStillStoresTheColoursItStartedWith) {
  MemorySettings settings;
  OptionsDialog dialog(settings, nullptr);
  ChooseColour(dialog, "Text Color", std::nullopt);
  Press(dialog, "OK");
  EXPECT_TRUE(dialog.ColoursChanged());
  EXPECT_EQ(ListViewColours(settings), kDefaultListColours);
  EXPECT_EQ(settings.ReadText(setting::kFontName, ""), "system");
  EXPECT_EQ(settings.ReadInt(setting::kFontSize, 0), 10);
}

TEST(OptionsDialog, LoadDefaultColorReplacesStoredColours) {
  MemorySettings settings;
  StoreListColours(settings, {{1, 1, 1}, {2, 2, 2}});
  OptionsDialog dialog(settings, nullptr);
  Press(dialog, "Load Default Color");
  Press(dialog, "OK");
  EXPECT_EQ(ListViewColours(settings), kDefaultListColours);
}

}  // namespace
}  // namespace chanora
