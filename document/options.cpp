#include "document/options.h"

#include <algorithm>

#include "base/utf8_path.h"
#include "document/settings.h"

namespace chanora {
namespace {

// The store's value for "no folder yet".
constexpr std::string_view kNoFolder = "ERROR";

Rgb ReadRgb(const Settings& settings, std::string_view red, std::string_view green, std::string_view blue,
            const Rgb& fallback) {
  auto channel = [&settings](std::string_view key, int value) {
    return std::clamp(settings.ReadInt(key, value), 0, 255);
  };
  return {channel(red, fallback.red), channel(green, fallback.green), channel(blue, fallback.blue)};
}

}  // namespace

Options ReadOptions(const Settings& settings) {
  Options options;
  options.maxSatellites = settings.ReadInt(setting::kMaxSatellites, 32) == 40 ? 40 : 32;
  options.port = settings.ReadText(setting::kPort, options.port);
  return options;
}

void StoreOptions(Settings& settings, const Options& options) {
  settings.WriteInt(setting::kMaxSatellites, options.maxSatellites);
  settings.WriteText(setting::kPort, options.port);
}

ListColours ListViewColours(const Settings& settings) {
  const bool stored =
      settings.ReadInt(setting::kFontSize, 0) != 0 && !settings.ReadText(setting::kFontName, "").empty();
  if (!stored) return {{0, 0, 0}, {255, 255, 255}};
  return OptionsDialogColours(settings);
}

ListColours OptionsDialogColours(const Settings& settings) {
  return {ReadRgb(settings, setting::kTextRed, setting::kTextGreen, setting::kTextBlue, kDefaultListColours.text),
          ReadRgb(settings, setting::kBackgroundRed, setting::kBackgroundGreen, setting::kBackgroundBlue,
                  kDefaultListColours.background)};
}

void StoreListColours(Settings& settings, const ListColours& colours) {
  settings.WriteInt(setting::kFontSize, 10);
  settings.WriteText(setting::kFontName, "system");
  settings.WriteInt(setting::kTextRed, colours.text.red);
  settings.WriteInt(setting::kTextGreen, colours.text.green);
  settings.WriteInt(setting::kTextBlue, colours.text.blue);
  settings.WriteInt(setting::kBackgroundRed, colours.background.red);
  settings.WriteInt(setting::kBackgroundGreen, colours.background.green);
  settings.WriteInt(setting::kBackgroundBlue, colours.background.blue);
}

std::optional<std::string> RecentFolder(const Settings& settings) {
  std::string folder = settings.ReadText(setting::kRecentFolder, kNoFolder);
  if (folder == kNoFolder || folder.empty()) return std::nullopt;
  return folder;
}

void StoreRecentFolder(Settings& settings, const std::string& chosenPath) {
  const std::string folder = Utf8FromPath(PathFromUtf8(chosenPath).parent_path());
  if (!folder.empty()) settings.WriteText(setting::kRecentFolder, folder);
}

}  // namespace chanora
