#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace chanora {

class Settings;

// The value names of the settings store.
namespace setting {
inline constexpr std::string_view kRecentFolder = "RecentFolderPath";
inline constexpr std::string_view kFontSize = "Font Size";
inline constexpr std::string_view kFontName = "Font Name";
inline constexpr std::string_view kTextRed = "Text Color.R";
inline constexpr std::string_view kTextGreen = "Text Color.G";
inline constexpr std::string_view kTextBlue = "Text Color.B";
inline constexpr std::string_view kBackgroundRed = "Background Color.R";
inline constexpr std::string_view kBackgroundGreen = "Background Color.G";
inline constexpr std::string_view kBackgroundBlue = "Background Color.B";
// Options of the run only: a store that outlives the run must not keep these,
// so every run starts with 32 satellites and COM1.
inline constexpr std::string_view kMaxSatellites = "Max Satellite Number";
inline constexpr std::string_view kPort = "Serial Port";
}  // namespace setting

// The options that a load, a compile and a transfer take, read afresh from
// the store each time.
struct Options {
  int maxSatellites = 32;     // 32 or 40
  std::string port = "COM1";  // COM1 to COM4, or a device path
};

Options ReadOptions(const Settings& settings);
void StoreOptions(Settings& settings, const Options& options);

struct Rgb {
  int red = 0;
  int green = 0;
  int blue = 0;
  bool operator==(const Rgb&) const = default;
};

struct ListColours {
  Rgb text;
  Rgb background;
  bool operator==(const ListColours&) const = default;
};

// What "Load Default Color" sets, and what the options dialog offers before
// any colours were stored.
inline constexpr ListColours kDefaultListColours{{0, 0, 255}, {192, 192, 192}};

// The colours of the list view at its start: the stored ones once the options
// dialog stored any, else black on white.
ListColours ListViewColours(const Settings& settings);
// The colours the options dialog starts with: the stored ones, or the defaults.
ListColours OptionsDialogColours(const Settings& settings);
// Stores the colours with the mark that says they were stored.
void StoreListColours(Settings& settings, const ListColours& colours);

// The folder of the last list opened, where the file dialogs start; nothing
// when none was stored.
std::optional<std::string> RecentFolder(const Settings& settings);
// Keeps the folder of a chosen file for the next file dialog.
void StoreRecentFolder(Settings& settings, const std::string& chosenPath);

}  // namespace chanora
