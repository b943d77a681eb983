#include "app/qt_settings.h"

#include "document/options.h"

namespace chanora {
namespace {

bool ForTheRunOnly(std::string_view key) { return key == setting::kMaxSatellites || key == setting::kPort; }

QString KeyOf(std::string_view key) {
  return QStringLiteral("Chanora/") + QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

}  // namespace

QtSettings::QtSettings() : store_(QStringLiteral("Velk"), QStringLiteral("Chanora")) {}

int QtSettings::ReadInt(std::string_view key, int fallback) const {
  if (ForTheRunOnly(key)) return run_.ReadInt(key, fallback);
  const QVariant value = store_.value(KeyOf(key));
  if (!value.isValid()) return fallback;
  // A value edited by hand into something else than a number reads as absent.
  bool isNumber = false;
  const int number = value.toInt(&isNumber);
  return isNumber ? number : fallback;
}

std::string QtSettings::ReadText(std::string_view key, std::string_view fallback) const {
  if (ForTheRunOnly(key)) return run_.ReadText(key, fallback);
  const QVariant value = store_.value(KeyOf(key));
  if (!value.isValid()) return std::string(fallback);
  return value.toString().toStdString();
}

void QtSettings::WriteInt(std::string_view key, int value) {
  if (ForTheRunOnly(key)) {
    run_.WriteInt(key, value);
  } else {
    store_.setValue(KeyOf(key), value);
  }
}

void QtSettings::WriteText(std::string_view key, std::string_view value) {
  if (ForTheRunOnly(key)) {
    run_.WriteText(key, value);
  } else {
    store_.setValue(KeyOf(key), QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
  }
}

}  // namespace chanora
